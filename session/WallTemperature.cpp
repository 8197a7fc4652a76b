// The wall temperature of a tube or bend: the one input the property-page tables do
// not hold, because a component may have none.

#include "model/InputRules.h"
#include "model/Units.h"
#include "session/LodoSession.h"
#include "session/OperationScope.h"

bool LodoSession::SetWallTemp(int row, std::optional<double> value, const std::string& unit) {
    OperationScope op(*this);
    if (row < 0 || row >= Count())
        return false;
    TLodoComp& c = m_.List[static_cast<std::size_t>(row)];
    if (c.NTypeInt != NodeTube && c.NTypeInt != NodeBend)
        return false;
    const InputRules::Rule& rule = InputRules::RuleOf(InputRules::RuleId::Temperature);
    if (value && !InputRules::Allows(rule, Units::TempToC(*value, unit))) {
        ui_.ShowMessage(std::string(rule.Message));
        return false;
    }
    if (c.WallTemp == value && (!value || c.WallTempUnit == unit))
        return true;
    c.WallTemp = value;
    c.WallTempUnit = value ? unit : std::string();
    AlignList(m_, 0);
    // The component being edited stays the one the panel shows.
    if (m_.Ctx.CurrRow >= 1 && m_.Ctx.CurrRow <= Count())
        CalcNodeTrans(m_, m_.Ctx.CurrRow - 1);
    Notify(RefreshAll);
    return true;
}
