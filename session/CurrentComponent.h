#pragma once

class LodoSession;
struct LodoModel;

// One current component everywhere: the grid row, the page shown and the
// intermediate values all name the component at CurrRow - 1.
namespace CurrentComponent {

// 0-based index of the current component, -1 when there is none.
int Row(const LodoSession& s);

// The user made row `row` current (a click or an arrow key in the grid). A value
// typed and not yet entered is entered first; when it is refused nothing moves and
// false is returned. The component's page and its intermediate values are shown;
// no box takes the focus.
bool Select(LodoSession& s, int row);

// The Delete key on the grid: asks before deleting the component at `row` (one undo
// step); the only component is refused with message 8. True when deleted.
bool Delete(LodoSession& s, int row);

// Makes the intermediate values (the panel and the common outputs) describe the
// component at `row`, as the line's evaluation in order leaves them there, without
// changing any result or total.
void ShowValuesOf(LodoModel& m, int row);

} // namespace CurrentComponent
