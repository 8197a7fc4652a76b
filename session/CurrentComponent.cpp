#include "session/CurrentComponent.h"

#include "model/EvalTypes.h"
#include "model/LodoError.h"
#include "session/OperationScope.h"
#include "session/SessionAccess.h"

namespace CurrentComponent {

int Row(const LodoSession& s) {
    const int row = s.Ctx().CurrRow - 1;
    return row >= 0 && row < s.Count() ? row : -1;
}

bool Select(LodoSession& s, int row) {
    OperationScope op(s);
    if (row < 0 || row >= s.Count())
        return false;
    if (row == Row(s) && s.VisiblePage() != Page::None)
        return true;
    if (!s.EnterPendingValue())
        return false;
    ComponentEditor& editor = SessionAccess::Editor(s);
    editor.EditComp(row);
    // Looking along the line keeps the keyboard where it is (the grid); Enter
    // or a double-click goes to the page.
    editor.FocusBox(std::nullopt);
    return true;
}

bool Delete(LodoSession& s, int row) {
    OperationScope op(s);
    SessionUi& ui = SessionAccess::Ui(s);
    if (s.Count() == 0) {
        ui.ShowMessage(std::string(LodoErrorText(9)));
        return false;
    }
    if (row < 0 || row >= s.Count())
        return false;
    if (s.Count() == 1) {
        ui.ShowMessage(std::string(LodoErrorText(8)));
        return false;
    }
    if (!s.EnterPendingValue())
        return false;
    LodoModel& m = SessionAccess::Model(s);
    std::string label = m.List[row].Name;
    if (label.size() >= 2 && label.compare(label.size() - 2, 2, " *") == 0)
        label.resize(label.size() - 2);
    label += " (Index " + std::to_string(row) + ")";
    if (ui.YNMessage("Delete " + label + " from the line?", QuestionButtons::YesNo) != Answer::Yes)
        return false;
    m.Ctx.RefNum = Operation::Deleting;
    m.List.erase(m.List.begin() + row);
    ui.ShowStatus("Deleted " + label + ": Edit > Undo brings it back");
    SessionAccess::EvaluateRow(s, 0);
    SessionAccess::Align(s, 0);
    // As the Edit menu's delete: the component before it (or the new first one).
    SessionAccess::Editor(s).EditComp(row >= 1 ? row - 1 : 0);
    SessionAccess::Notify(s, RefreshGrid | RefreshDrawing);
    return true;
}

void ShowValuesOf(LodoModel& m, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m.List.size())
        return;
    // Evaluated in order up to the row on a copy: in log-normal mode each component
    // hands the next the largest size it transmits, so the row cannot be evaluated
    // alone, and the line's results and totals stay exactly as they are.
    LodoModel copy = m;
    for (int i = 0; i < row; ++i)
        EvalDetail::CalcNode(copy, i, EvalDetail::Output::ResultsOnly);
    EvalDetail::CalcNode(copy, row, EvalDetail::Output::Full);
    DisplaySink& d = m.Display;
    const DisplaySink& e = copy.Display;
    d.IV = e.IV;
    d.Cun_slip = e.Cun_slip;
    d.Flow_in = e.Flow_in;
    d.AirVisLabel = e.AirVisLabel;
    d.AirDensityLabel = e.AirDensityLabel;
    d.AirMeanFreePathLabel = e.AirMeanFreePathLabel;
    d.CurveR = e.CurveR;
    d.CRErrorVisible = e.CRErrorVisible;
    d.LabelNozAsp = e.LabelNozAsp;
    d.LabelShrAsp = e.LabelShrAsp;
    d.ShownRow = e.ShownRow;
}

} // namespace CurrentComponent
