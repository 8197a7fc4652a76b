// What opening a file changed or found is said: the values the alignment replaced,
// the structure findings, and no more than twenty of them at once.
#include "persistence/ReaderWarnings.h"

#include "model/LodoModel.h"
#include "model/Units.h"

#include <gtest/gtest.h>

namespace {

TLodoComp Comp(const char* name, int code, double d1, double d2) {
    TLodoComp c;
    c.Name = name;
    c.NTypeInt = code;
    c.NType = code == NodeTube ? "Tube" : code == NodeContraction ? "Contraction" : "Nozzle";
    c.Temp = 20;
    c.Press = 101.325;
    c.Flow = 57;
    c.Len = 1;
    c.Dia1 = d1;
    c.Dia2 = d2;
    c.FStream = 10;
    c.Ang2 = 45;
    c.TempUnit = c.PressUnit = c.LenUnit = c.Dia1Unit = c.Dia2Unit = c.FlowUnit = c.RadiusUnit =
        c.FStreamUnit = Units::Metric;
    return c;
}

TEST(ReaderWarningsTest, EveryValueTheAlignmentReplacedIsNamedWithBothValues) {
    LodoModel m;
    m.List = {Comp("T-1", NodeTube, 34.9, 34.9), Comp("T-2", NodeTube, 0.001, 0.001),
              Comp("T-3", NodeTube, 34.9, 34.9)};
    m.List[2].Flow = 2.5;
    m.List[2].FlowUnit = Units::English; // 2.5 ft3/min is not 57 L/min
    const LodoList asRead = m.List;
    AlignList(m, 0);
    const auto w = ReaderWarnings::AlignmentChanges(asRead, m.List);
    ASSERT_EQ(w.size(), 3u) << (w.empty() ? "" : w[0]);
    EXPECT_TRUE(w[0].starts_with("Component 2 (Index 1, T-2), \"Dia1\": 0.001 mm in the file, "
                                 "34.9 mm used"))
        << w[0];
    EXPECT_TRUE(w[1].starts_with("Component 2 (Index 1, T-2), \"Dia2\": 0.001 mm in the file"))
        << w[1];
    EXPECT_TRUE(w[2].starts_with("Component 3 (Index 2, T-3), \"Flow\": 2.5 ft\u00B3/min in the "
                                 "file, 57 L/min used"))
        << w[2];
    // An aligned line changes nothing more.
    EXPECT_TRUE(ReaderWarnings::AlignmentChanges(m.List, m.List).empty());
}

TEST(ReaderWarningsTest, StructureFindingsAreWarningsToo) {
    const LodoList line = {Comp("T-1", NodeTube, 34.9, 34.9),
                           Comp("C-1", NodeContraction, 34.9, 60)};
    const auto w = ReaderWarnings::StructureFindings(line);
    ASSERT_EQ(w.size(), 1u);
    EXPECT_TRUE(w[0].starts_with("Component 2 (Index 1, C-1): a contraction whose outlet is "
                                 "wider"))
        << w[0];
}

TEST(ReaderWarningsTest, AtMostTwentyThenHowManyMore) {
    std::vector<std::string> w;
    for (int i = 0; i < 25; ++i)
        w.push_back("w" + std::to_string(i));
    const auto shown = ReaderWarnings::Capped(w);
    ASSERT_EQ(shown.size(), 21u);
    EXPECT_EQ(shown[19], "w19");
    EXPECT_EQ(shown[20], "and 5 more");
    w.resize(20);
    EXPECT_EQ(ReaderWarnings::Capped(w), w);
}

} // namespace
