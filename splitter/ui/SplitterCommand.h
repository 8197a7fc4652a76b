#pragma once

class LodoSession;
class QWidget;

// "Splitter": a fresh "Split/Combine" window, modal, with the monodisperse size of
// the distribution window. The sample line is neither read nor changed.
void MenuItemWyeClick(QWidget* window, const LodoSession& session);
