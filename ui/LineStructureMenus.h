#pragma once

class LodoSession;
class QMenu;
class QWidget;

// Edit > Replace Inlet (Nozzle, Shrouded Probe) and Edit > Insert Before / Insert
// After (Tube, Bend, Contraction, Expansion), relative to the current component.
void AddLineStructureMenus(QMenu* edit, LodoSession& session, QWidget* window);
