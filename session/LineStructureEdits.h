#pragma once

class LodoSession;

enum class InsertPlace { Before, After };

// Changing the line's structure beyond appending: another inlet in place of the one
// there is (or in front of a line that has none), and a component put before or after
// the current one. Each is one operation of the session (one undo step); the line is
// re-aligned from the component that keeps its values and re-evaluated, and the new
// component becomes the current one. A refused change shows its message and changes
// nothing.
namespace LineStructureEdits {

// code: NodeNozzle or NodeShroud. The new inlet takes the old one's (or the first
// component's) conditions and the line's diameter at its outlet; the rest of the
// line is kept as it is. Returns true when the line changed.
bool ReplaceInlet(LodoSession& s, int code);

// code: a tube, bend, contraction or expansion (an inlet goes through ReplaceInlet).
// With no current component the place is the end of the line. Nothing goes in front
// of an inlet (message 6). Returns true when the line changed.
bool InsertComponent(LodoSession& s, int code, InsertPlace where);

} // namespace LineStructureEdits
