#include "splitter/ui/SplitterCommand.h"

#include "model/Units.h"
#include "session/LodoSession.h"
#include "splitter/ui/SplitterWindow.h"

#include <cmath>

std::optional<Wye::WyeInputs> SplitterStartOf(const LodoSession& session) {
    if (session.Count() == 0)
        return std::nullopt;
    // Where the line ends: its flow, outlet diameter, temperature and pressure, in the
    // splitter's units; a value the splitter cannot take keeps its usual start.
    const TLodoComp& end = session.List().back();
    Wye::WyeInputs in;
    const auto take = [](double& into, Wye::Input which, double value) {
        if (std::isfinite(value) && !Wye::CheckInput(which, value))
            into = value;
    };
    take(in.YFlow, Wye::Input::Flow, Units::FlowToLpm(end.Flow, end.FlowUnit));
    take(in.YDi, Wye::Input::Di, Units::DiaToMm(end.Dia2, end.Dia2Unit));
    take(in.YTemp, Wye::Input::Temp, Units::TempToC(end.Temp, end.TempUnit));
    take(in.YPress, Wye::Input::Press, Units::PressToKPa(end.Press, end.PressUnit));
    return in;
}

void MenuItemWyeClick(QWidget* window, const LodoSession& session) {
    SplitterWindow splitter(session.Distribution(), window, SplitterStartOf(session));
    splitter.exec();
}
