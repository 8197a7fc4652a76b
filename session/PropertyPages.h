#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

// The six property pages of the component editor as data: which boxes a page
// holds, what each box feeds, how it is validated and rounded, and the captions
// and unit buttons the window shows beside it. The GUI builds its pages from
// these tables; the session drives them.

enum class Page { None, Tube, Bend, Contract, Expand, Shroud, Nozzle };

// A quantity that has a Metric / English button pair. `Dia` is the tube, bend or
// inlet diameter (unit D1U / Dia1Unit), `Dia2` the outlet diameter (D2U / Dia2Unit).
enum class Quantity { None, Temp, Press, Flow, Dia, Dia2, Len, Free, Radius };

// The context variable and record property a box feeds.
enum class Field {
    Len,     // L / Len
    Ang1,    // A1 / Ang1
    Ang2,    // A2 / Ang2
    Ang3,    // A3 / Ang3
    DiaBoth, // D1 and D2 / Dia1 and Dia2 (tube and bend)
    Dia1,    // D1 / Dia1 (nozzle inlet also copies to the outlet)
    Dia2,    // D2 / Dia2
    Flow,    // Qa / Flow
    Temp,    // T / Temp
    Press,   // P / Press
    FStream, // Ve / FStream
    Brd,     // Rd / Brd
};

enum class Box {
    TubeLenEdit,
    TubeAng1Edit,
    TubeDiaEdit,
    TubeFlowEdit,
    TubeTempEdit,
    TubePressEdit,
    BendAngleEdit,
    BendRadiusEdit,
    BendOrientEdit,
    BendAng1Edit,
    BendDiaEdit,
    BendFlowEdit,
    BendTempEdit,
    BendPressEdit,
    ContDiaEdit,
    ContOutEdit,
    ContHalfEdit,
    ContAng1Edit,
    ContFlowEdit,
    ContTempEdit,
    ContPressEdit,
    ExpdDiaEdit,
    ExpdOutEdit,
    ExpdHalfEdit,
    ExpdAng1Edit,
    ExpdFlowEdit,
    ExpdTempEdit,
    ExpdPressEdit,
    ShrFreeEdit,
    ShrAng1Edit,
    ShrFlowEdit,
    ShrTempEdit,
    ShrPressEdit,
    NozInDiaEdit,
    NozOutDiaEdit,
    NozLenEdit,
    NozFreeEdit,
    NozAng1Edit,
    NozFlowEdit,
    NozTempEdit,
    NozPressEdit,
};
inline constexpr std::size_t BoxCount = static_cast<std::size_t>(Box::NozPressEdit) + 1;

// One row of a page: caption, entry box, unit buttons. Angle rows have the single,
// always checked "Deg" button (MetricButton/MetricText) and no English button.
struct BoxInfo {
    Box Id;
    std::string_view Name; // widget name, e.g. "TubeLenEdit"
    Page OnPage;
    std::string_view Caption; // caption label above the box
    Field Feeds;
    int CheckCode; // CheckValue rule 0..7 (see InputRules::CheckCodeRules)
    int Digits;    // significant digits of the rewritten text (5, or 6)
    Quantity Unit; // Quantity::None for angles
    std::string_view MetricButton, MetricText;   // "TubeLenMRB", "m" (or the Deg button)
    std::string_view EnglishButton, EnglishText; // "TubeLenERB", "ft"; empty for angles
    bool Focusable = true;                       // false only for the nozzle outlet (display only)
};

// Every box in page order (rows top to bottom), pages in Page order.
inline constexpr std::array<BoxInfo, BoxCount> Boxes{{
    {Box::TubeLenEdit, "TubeLenEdit", Page::Tube, "Tube Length", Field::Len, 1, 6, Quantity::Len,
     "TubeLenMRB", "m", "TubeLenERB", "ft"},
    {Box::TubeAng1Edit, "TubeAng1Edit", Page::Tube, "Inclination from horizontal (negative = up)",
     Field::Ang1, 3, 5, Quantity::None, "TubeAng1MRB", "Deg", "", ""},
    {Box::TubeDiaEdit, "TubeDiaEdit", Page::Tube, "Tube Internal Diameter", Field::DiaBoth, 1, 5,
     Quantity::Dia, "TubeDiaMRB", "mm", "TubeDiaERB", "in"},
    {Box::TubeFlowEdit, "TubeFlowEdit", Page::Tube, "Sample Flow Rate (Actual)", Field::Flow, 2, 5,
     Quantity::Flow, "TubeFlowMRB", "LPM", "TubeFlowERB", "CFM"},
    {Box::TubeTempEdit, "TubeTempEdit", Page::Tube, "Temperature", Field::Temp, 6, 5,
     Quantity::Temp, "TubeTempMRB", "C", "TubeTempERB", "F"},
    {Box::TubePressEdit, "TubePressEdit", Page::Tube, "Absolute Pressure", Field::Press, 4, 6,
     Quantity::Press, "TubePressMRB", "kPa", "TubePressERB", "psi"},

    {Box::BendAngleEdit, "BendAngleEdit", Page::Bend, "Bend Angle", Field::Ang2, 5, 5,
     Quantity::None, "BendAngleMRB", "Deg", "", ""},
    {Box::BendRadiusEdit, "BendRadiusEdit", Page::Bend, "Bend Radius", Field::Brd, 1, 5,
     Quantity::Radius, "BendRadiusMRB", "m", "BendRadiusERB", "in"},
    {Box::BendOrientEdit, "BendOrientEdit", Page::Bend, "Bend Orientation", Field::Ang3, 3, 5,
     Quantity::None, "BendOrientMRB", "Deg", "", ""},
    {Box::BendAng1Edit, "BendAng1Edit", Page::Bend, "Inclination from horizontal (negative = up)",
     Field::Ang1, 3, 5, Quantity::None, "BendAng1MRB", "Deg", "", ""},
    {Box::BendDiaEdit, "BendDiaEdit", Page::Bend, "Tube Internal Diameter", Field::DiaBoth, 1, 5,
     Quantity::Dia, "BendDiaMRB", "mm", "BendDiaERB", "in"},
    {Box::BendFlowEdit, "BendFlowEdit", Page::Bend, "Sample Flow Rate (Actual)", Field::Flow, 2, 5,
     Quantity::Flow, "BendflowMRB", "LPM", "BendFlowERB", "CFM"},
    {Box::BendTempEdit, "BendTempEdit", Page::Bend, "Temperature", Field::Temp, 6, 5,
     Quantity::Temp, "BendTempMRB", "C", "BendTempERB", "F"},
    {Box::BendPressEdit, "BendPressEdit", Page::Bend, "Absolute Pressure", Field::Press, 4, 6,
     Quantity::Press, "BendPressMRB", "kPa", "BendPressERB", "psi"},

    {Box::ContDiaEdit, "ContDiaEdit", Page::Contract, "Inlet Internal Diameter", Field::Dia1, 1, 5,
     Quantity::Dia, "ContDiaMRB", "mm", "ContDiaERB", "in"},
    {Box::ContOutEdit, "ContOutEdit", Page::Contract, "Outlet Internal Diameter", Field::Dia2, 1, 5,
     Quantity::Dia2, "ContOutMRB", "mm", "ContOutERB", "in"},
    {Box::ContHalfEdit, "ContHalfEdit", Page::Contract, "Contraction Half Angle", Field::Ang2, 7, 5,
     Quantity::None, "ContHalfMRB", "Deg", "", ""},
    {Box::ContAng1Edit, "ContAng1Edit", Page::Contract,
     "Inclination from horizontal (negative = up)", Field::Ang1, 3, 5, Quantity::None,
     "ContAng1MRB", "Deg", "", ""},
    {Box::ContFlowEdit, "ContFlowEdit", Page::Contract, "Sample Flow Rate (Actual)", Field::Flow, 2,
     5, Quantity::Flow, "ContFlowMRB", "LPM", "ContFlowERB", "CFM"},
    {Box::ContTempEdit, "ContTempEdit", Page::Contract, "Temperature", Field::Temp, 6, 5,
     Quantity::Temp, "ContTempMRB", "C", "ContTempERB", "F"},
    {Box::ContPressEdit, "ContPressEdit", Page::Contract, "Absolute Pressure", Field::Press, 4, 6,
     Quantity::Press, "ContPressMRB", "kPa", "ContPressERB", "psi"},

    {Box::ExpdDiaEdit, "ExpdDiaEdit", Page::Expand, "Inlet Internal Diameter", Field::Dia1, 1, 5,
     Quantity::Dia, "ExpdDiaMRB", "mm", "ExpdDiaERB", "in"},
    {Box::ExpdOutEdit, "ExpdOutEdit", Page::Expand, "Outlet Internal Diameter", Field::Dia2, 1, 5,
     Quantity::Dia2, "ExpdOutMRB", "mm", "ExpdOutERB", "in"},
    {Box::ExpdHalfEdit, "ExpdHalfEdit", Page::Expand, "Expansion Half Angle", Field::Ang2, 7, 5,
     Quantity::None, "ExpdHalfMRB", "Deg", "", ""},
    {Box::ExpdAng1Edit, "ExpdAng1Edit", Page::Expand, "Inclination from horizontal (negative = up)",
     Field::Ang1, 3, 5, Quantity::None, "ExpdAng1MRB", "Deg", "", ""},
    {Box::ExpdFlowEdit, "ExpdFlowEdit", Page::Expand, "Sample Flow Rate (Actual)", Field::Flow, 2,
     5, Quantity::Flow, "ExpdFlowMRB", "LPM", "ExpdFlowERB", "CFM"},
    {Box::ExpdTempEdit, "ExpdTempEdit", Page::Expand, "Temperature", Field::Temp, 6, 5,
     Quantity::Temp, "ExpdTempMRB", "C", "ExpdTempERB", "F"},
    {Box::ExpdPressEdit, "ExpdPressEdit", Page::Expand, "Absolute Pressure", Field::Press, 4, 6,
     Quantity::Press, "ExpdPressMRB", "kPa", "ExpdPressERB", "psi"},

    {Box::ShrFreeEdit, "ShrFreeEdit", Page::Shroud, "Free Stream Velocity", Field::FStream, 2, 5,
     Quantity::Free, "ShrFreeMRB", "m/s", "ShrFreeERB", "ft/s"},
    {Box::ShrAng1Edit, "ShrAng1Edit", Page::Shroud, "Inclination from horizontal (negative = up)",
     Field::Ang1, 3, 5, Quantity::None, "ShrAng1MRB", "Deg", "", ""},
    {Box::ShrFlowEdit, "ShrFlowEdit", Page::Shroud, "Sample Flow Rate (Actual)", Field::Flow, 2, 5,
     Quantity::Flow, "ShrFlowMRB", "LPM", "ShrFlowERB", "CFM"},
    {Box::ShrTempEdit, "ShrTempEdit", Page::Shroud, "Temperature", Field::Temp, 6, 5,
     Quantity::Temp, "ShrTempMRB", "C", "ShrTempERB", "F"},
    {Box::ShrPressEdit, "ShrPressEdit", Page::Shroud, "Absolute Pressure", Field::Press, 4, 6,
     Quantity::Press, "ShrPressMRB", "kPa", "ShrPressERB", "psi"},

    {Box::NozInDiaEdit, "NozInDiaEdit", Page::Nozzle, "Inlet Internal Diameter", Field::Dia1, 1, 5,
     Quantity::Dia, "NozInDiaMRB", "mm", "NozInDiaERB", "in"},
    {Box::NozOutDiaEdit, "NozOutDiaEdit", Page::Nozzle,
     "Outlet Internal Diameter = Inlet Internal  Dia.", Field::Dia2, 1, 5, Quantity::Dia2,
     "NozOutDiaMRB", "mm", "NozOutDiaERB", "in", false},
    {Box::NozLenEdit, "NozLenEdit", Page::Nozzle, "Nozzle Length", Field::Len, 1, 6, Quantity::Len,
     "NozLenMRB", "mm", "NozLenERB", "in"},
    {Box::NozFreeEdit, "NozFreeEdit", Page::Nozzle, "Free Stream Velocity", Field::FStream, 2, 5,
     Quantity::Free, "NozFreeMRB", "m/s", "NozFreeERB", "ft/s"},
    {Box::NozAng1Edit, "NozAng1Edit", Page::Nozzle, "Inclination from horizontal (negative = up)",
     Field::Ang1, 3, 5, Quantity::None, "NozAng1MRB", "Deg", "", ""},
    {Box::NozFlowEdit, "NozFlowEdit", Page::Nozzle, "Sample Flow Rate (Actual)", Field::Flow, 2, 5,
     Quantity::Flow, "NozFlowMRB", "LPM", "NozFlowERB", "CFM"},
    {Box::NozTempEdit, "NozTempEdit", Page::Nozzle, "Temperature", Field::Temp, 6, 5,
     Quantity::Temp, "NozTempMRB", "C", "NozTempERB", "F"},
    {Box::NozPressEdit, "NozPressEdit", Page::Nozzle, "Absolute Pressure", Field::Press, 4, 6,
     Quantity::Press, "NozPressMRB", "kPa", "NozPressERB", "psi"},
}};

constexpr const BoxInfo& InfoOf(Box b) {
    return Boxes[static_cast<std::size_t>(b)];
}

struct PageInfo {
    Page Id;
    std::string_view ItemName;       // tab item name, e.g. "TubeItem"
    std::string_view Title;          // tab text, e.g. "Tube Properties"
    std::span<const BoxInfo> Rows;   // rows top to bottom
    std::span<const Box> FocusCycle; // Enter/Down forward, Up backward, wrapping
    std::span<const Box> WriteOrder; // order in which showing the page fills the boxes
};

namespace PageTables {
inline constexpr Box TubeCycle[] = {Box::TubeLenEdit,  Box::TubeAng1Edit, Box::TubeDiaEdit,
                                    Box::TubeFlowEdit, Box::TubeTempEdit, Box::TubePressEdit};
inline constexpr Box BendCycle[] = {Box::BendAngleEdit, Box::BendRadiusEdit, Box::BendOrientEdit,
                                    Box::BendAng1Edit,  Box::BendDiaEdit,    Box::BendFlowEdit,
                                    Box::BendTempEdit,  Box::BendPressEdit};
inline constexpr Box ContCycle[] = {Box::ContDiaEdit,  Box::ContOutEdit,  Box::ContHalfEdit,
                                    Box::ContAng1Edit, Box::ContFlowEdit, Box::ContTempEdit,
                                    Box::ContPressEdit};
inline constexpr Box ExpdCycle[] = {Box::ExpdDiaEdit,  Box::ExpdOutEdit,  Box::ExpdHalfEdit,
                                    Box::ExpdAng1Edit, Box::ExpdFlowEdit, Box::ExpdTempEdit,
                                    Box::ExpdPressEdit};
inline constexpr Box NozCycle[] = {Box::NozInDiaEdit, Box::NozLenEdit,  Box::NozFreeEdit,
                                   Box::NozAng1Edit,  Box::NozFlowEdit, Box::NozTempEdit,
                                   Box::NozPressEdit};
inline constexpr Box ShrCycle[] = {Box::ShrFreeEdit, Box::ShrAng1Edit, Box::ShrFlowEdit,
                                   Box::ShrTempEdit, Box::ShrPressEdit};

inline constexpr Box TubeWrite[] = {Box::TubeLenEdit,  Box::TubeAng1Edit, Box::TubeDiaEdit,
                                    Box::TubeFlowEdit, Box::TubeTempEdit, Box::TubePressEdit};
inline constexpr Box BendWrite[] = {Box::BendAngleEdit, Box::BendRadiusEdit, Box::BendOrientEdit,
                                    Box::BendAng1Edit,  Box::BendDiaEdit,    Box::BendFlowEdit,
                                    Box::BendTempEdit,  Box::BendPressEdit};
inline constexpr Box ContWrite[] = {Box::ContTempEdit, Box::ContPressEdit, Box::ContFlowEdit,
                                    Box::ContAng1Edit, Box::ContDiaEdit,   Box::ContOutEdit,
                                    Box::ContHalfEdit};
inline constexpr Box ExpdWrite[] = {Box::ExpdTempEdit, Box::ExpdPressEdit, Box::ExpdFlowEdit,
                                    Box::ExpdAng1Edit, Box::ExpdDiaEdit,   Box::ExpdOutEdit,
                                    Box::ExpdHalfEdit};
inline constexpr Box ShrWrite[] = {Box::ShrTempEdit, Box::ShrPressEdit, Box::ShrFlowEdit,
                                   Box::ShrAng1Edit, Box::ShrFreeEdit};
inline constexpr Box NozWrite[] = {Box::NozTempEdit,   Box::NozPressEdit, Box::NozFlowEdit,
                                   Box::NozAng1Edit,   Box::NozFreeEdit,  Box::NozInDiaEdit,
                                   Box::NozOutDiaEdit, Box::NozLenEdit};
} // namespace PageTables

inline constexpr std::array<PageInfo, 6> Pages{{
    {Page::Tube, "TubeItem", "Tube Properties", std::span(Boxes).subspan(0, 6),
     PageTables::TubeCycle, PageTables::TubeWrite},
    {Page::Bend, "BendItem", "Bend Properties", std::span(Boxes).subspan(6, 8),
     PageTables::BendCycle, PageTables::BendWrite},
    {Page::Contract, "ContractItem", "Contraction Properties", std::span(Boxes).subspan(14, 7),
     PageTables::ContCycle, PageTables::ContWrite},
    {Page::Expand, "ExpandItem", "Expansion Properties", std::span(Boxes).subspan(21, 7),
     PageTables::ExpdCycle, PageTables::ExpdWrite},
    {Page::Shroud, "ShroudItem", "Shrouded Probe Properties", std::span(Boxes).subspan(28, 5),
     PageTables::ShrCycle, PageTables::ShrWrite},
    {Page::Nozzle, "NozzleItem", "Nozzle Properties", std::span(Boxes).subspan(33, 8),
     PageTables::NozCycle, PageTables::NozWrite},
}};

// Page::None has no entry.
constexpr const PageInfo& InfoOf(Page p) {
    return Pages[static_cast<std::size_t>(p) - 1];
}

// The shrouded-probe choice: six radio buttons of one group, top to bottom.
struct ProbeButton {
    std::string_view Name;  // "RF2111RB"
    std::string_view Model; // NType of the probe, "RF2-111"
    std::string_view Text;  // button text, runs of blanks included
    std::string_view Note;  // Label8 text once chosen
};

inline constexpr std::array<ProbeButton, 6> ProbeButtons{{
    {"RF2111RB", "RF2-111", "RF2-111            (Dia Out = 34.9 mm)",
     "The exit diameter of this probe is 34.9 mm. If the next component's internal diameter is not "
     "34.9 mm, then either a Contraction or an Expansion must be the next component"},
    {"RF2112RB", "RF2-112", "RF2-112            (Dia Out = 34.9 mm)",
     "The exit diameter of this probe is 34.9 mm. If the next component's internal diameter is not "
     "34.9 mm, then either a Contraction or an Expansion must be the next component"},
    {"RF2113RB", "RF2-113", "RF2-113            (Dia Out = 38.2 mm)",
     "The exit diameter of this probe is 38.2 mm. If the next component's internal diameter is not "
     "38.2 mm, then either a Contraction or an Expansion must be the next component"},
    {"CmrMiRB", "CMR4CFM-MI", "CMR4CFM-MI  (Dia Out = 39.0 mm)",
     "The exit diameter of this probe is 39.0 mm. If the next component's internal diameter is not "
     "39.0 mm, then either a Contraction or an Expansion must be the next component"},
    {"CmrHiRB", "CMR4CFM-HI", "CMR4CFM-HI   (Dia Out = 39.0 mm)",
     "The exit diameter of this probe is 39.0 mm. If the next component's internal diameter is not "
     "39.0 mm, then either a Contraction or an Expansion must be the next component"},
    {"WippRB", "WIPP6CFM", "WIPP6CFM       (Dia Out = 51.0 mm)",
     "The exit diameter of this probe is 51.0 mm. If the next component's internal diameter is not "
     "51.0 mm, then either a Contraction or an Expansion must be the next component"},
}};
