#include "report/core/EngineeringReport.h"

#include "analysis/CutSize.h"
#include "analysis/LimitFindings.h"
#include "analysis/SizeResolvedPenetration.h"
#include "model/NumberFormat.h"
#include "report/core/ReportTestLines.h"
#include "report/core/ResultsReport.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace EngReport;

const Source Here{"Stack 2", "/data/stack2.lxl", "2026-12-10 09:30 UTC"};

template <class T> std::vector<const T*> BlocksOf(const Report& r) {
    std::vector<const T*> out;
    for (const Block& b : r.Blocks)
        if (const T* t = std::get_if<T>(&b))
            out.push_back(t);
    return out;
}

std::vector<Verdict> Verdicts(const Report& r) {
    const auto lists = BlocksOf<VerdictList>(r);
    return lists.empty() ? std::vector<Verdict>{} : lists.front()->Items;
}

const Verdict* VerdictStarting(const Report& r, const std::string& check) {
    static std::vector<Verdict> keep;
    keep = Verdicts(r);
    for (const Verdict& v : keep)
        if (v.Check.starts_with(check))
            return &v;
    return nullptr;
}

std::string Text(const Report& r) {
    std::string s;
    for (const std::string& line : ReportText(r))
        s += line + "\n";
    return s;
}

TLodoComp Record(int code, const std::string& name, const std::string& type) {
    TLodoComp c;
    c.NTypeInt = code;
    c.Name = name;
    c.NType = type;
    c.TempUnit = c.PressUnit = c.LenUnit = c.Dia1Unit = c.Dia2Unit = c.FlowUnit = c.RadiusUnit =
        c.FStreamUnit = "Metric";
    c.Dia1 = c.Dia2 = 34.9;
    c.Flow = 57;
    c.FStream = 10;
    c.Temp = 25;
    c.Press = 101.325;
    c.TransM1 = c.TransM2 = c.TransM3 = c.TransM4 = 1;
    return c;
}

// A line of stored results, not evaluated: the report shows what the records hold.
LodoModel Stored(std::vector<TLodoComp> list, double systemTrans) {
    LodoModel m;
    m.List = std::move(list);
    m.Ctx.SystemTrans = systemTrans;
    return m;
}

TEST(EngineeringReport, HeaderParticlesAndConditionsWithUnits) {
    const LodoModel m = ReportTest::Load("stack-nozzle-line.lxl");
    const Report r = BuildReport(m, Here);
    EXPECT_EQ(r.Head.LineName, "Stack 2");
    EXPECT_EQ(r.Head.FilePath, "/data/stack2.lxl");
    EXPECT_EQ(r.Head.DateTime, "2026-12-10 09:30 UTC");
    EXPECT_EQ(r.Head.Program, "Lodo Calculator, Version 2.0 Beta");
    const std::string t = Text(r);
    for (const char* expected :
         {"Particles: one size: aerodynamic diameter 10 \u00B5m", "Sample flow rate: 113.30 L/min",
          "Temperature: 35.0 \u00B0C", "kPa absolute", "Free-stream velocity: 10.00 m/s",
          "Components: 6"})
        EXPECT_NE(t.find(expected), std::string::npos) << expected << "\n" << t;

    EXPECT_EQ(BuildReport(m, {"x", "", ""}).Head.FilePath, "not saved");
    // Figures of an edited line must not pass for the saved file's.
    EXPECT_EQ(BuildReport(m, {"x", "/data/stack2.lxl", "", true}).Head.FilePath,
              "/data/stack2.lxl (changed since it was saved)");
    EXPECT_EQ(BuildReport(m, {"x", "", "", true}).Head.FilePath, "not saved");

    // English entries keep their unit and show the working value beside it.
    const std::string english = Text(BuildReport(ReportTest::Load("english-units-line.lxl"), Here));
    for (const char* expected :
         {"Sample flow rate: 4.00 ft\u00B3/min (113.27 L/min)",
          "Temperature: 77.0 \u00B0F (25.0 \u00B0C)", "psi (101.33 kPa) absolute",
          "Free-stream velocity: 32.80 ft/s (10.00 m/s)", "L 1.20 in", "Di 1.37 in"})
        EXPECT_NE(english.find(expected), std::string::npos) << expected << "\n" << english;
}

TEST(EngineeringReport, SystemVerdictAgainstFiftyPercent) {
    struct Case {
        double trans;
        const char* value;
        Outcome outcome;
    } cases[] = {
        {0.8523, "85.23 %", Outcome::Pass},
        {0.5, "50.00 %", Outcome::Pass}, // exactly 50 % passes, as the totals' green
        {0.49996, "50.00 %", Outcome::Fail},
        {0.1324, "13.24 %", Outcome::Fail},
        {NAN, "invalid", Outcome::NotJudged},
    };
    for (const Case& c : cases) {
        const Report r = BuildReport(Stored({Record(NodeTube, "T-1", "Tube")}, c.trans), Here);
        const Verdict* v = VerdictStarting(r, "System penetration at 10 \u00B5m");
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->Value, c.value);
        EXPECT_EQ(v->Result, c.outcome) << c.trans;
        EXPECT_EQ(v->Limit, "above 50 %");
    }
}

TEST(EngineeringReport, InletAspirationRatioAgainstTheAnsiRange) {
    struct Case {
        int code;
        double asp;
        Outcome outcome;
    } cases[] = {
        {NodeNozzle, 0.79, Outcome::Fail},     {NodeNozzle, 0.8, Outcome::Pass},
        {NodeShroud, 1.5, Outcome::Pass},      {NodeShroud, 1.51, Outcome::Fail},
        {NodeNozzle, NAN, Outcome::NotJudged}, {NodeTube, 1.0, Outcome::NotJudged},
    };
    for (const Case& c : cases) {
        TLodoComp inlet = Record(c.code, "N-1 *", c.code == NodeShroud ? "WIPP6CFM" : "Nozzle");
        inlet.TransM2 = c.asp;
        const Report r = BuildReport(Stored({inlet}, 0.9), Here);
        const Verdict* v = VerdictStarting(r, "Inlet aspiration ratio");
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->Result, c.outcome) << c.asp;
        EXPECT_EQ(v->Limit, "0.8 to 1.5");
        if (c.code != NodeTube) {
            EXPECT_EQ(v->Check,
                      "Inlet aspiration ratio (N-1) at 10 \u00B5m"); // without the transition mark
        }
    }
}

TEST(EngineeringReport, BendsBelowCurvatureRatioThreeAreNamed) {
    const auto bend = [](const char* name, double radiusM, double diaMm) {
        TLodoComp b = Record(NodeBend, name, "Bend");
        b.Brd = radiusM;
        b.Dia1 = diaMm;
        return b;
    };
    // Ro = radius / diameter: 0.0524 m on 34.9 mm is 1.50; 0.1047 m is 3.0.
    const Report r =
        BuildReport(Stored({Record(NodeNozzle, "N-1", "Nozzle"), bend("B-1", 0.05235, 34.9),
                            bend("B-2", 0.1047, 34.9), bend("B-3 *", 0.1043, 34.9)},
                           0.9),
                    Here);
    const Verdict* v = VerdictStarting(r, "Bend curvature ratio");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Result, Outcome::Fail);
    EXPECT_EQ(v->Limit, "at least 3.0");
    EXPECT_EQ(v->Value, "lowest 1.50");
    EXPECT_EQ(v->Detail, "Below it (2 bends): B-1 (Ro 1.50), B-3 (Ro 2.99).");

    // English radius in inches, diameter in inches: 6 in on 1.374 in is 4.37.
    TLodoComp english = bend("B-1", 6, 1.374);
    english.RadiusUnit = english.Dia1Unit = "English";
    EXPECT_NEAR(ReportCurvatureRatio(english), 6 / 1.374, 1e-12);
    const Verdict* pass =
        VerdictStarting(BuildReport(Stored({english}, 0.9), Here), "Bend curvature ratio");
    ASSERT_NE(pass, nullptr);
    EXPECT_EQ(pass->Result, Outcome::Pass);

    const Verdict* none = VerdictStarting(
        BuildReport(Stored({Record(NodeTube, "T-1", "Tube")}, 0.9), Here), "Bend curvature ratio");
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->Result, Outcome::NotJudged);
    EXPECT_EQ(none->Detail, "The line has no bends.");
}

TEST(EngineeringReport, ComponentTableHasOneAlignedRowPerComponent) {
    const LodoModel m = ReportTest::LongLine(150, 10.0f, 0.0f, 7);
    const Report r = BuildReport(m, Here);
    const auto tables = BlocksOf<Table>(r);
    ASSERT_FALSE(tables.empty());
    const Table& t = *tables.front();
    ASSERT_EQ(t.Rows.size(), 150u);
    std::vector<std::string> titles;
    for (const Column& c : t.Columns)
        titles.push_back(c.Title);
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Node", "Component", "Type", "Penetration %", "Diffusion %",
                                        "Settling %", "Inertial %", "Aspiration ratio", "Wall loss",
                                        "Geometry", "Transition"}));
    EXPECT_EQ(t.Columns[3].Alignment, Align::Right);
    for (std::size_t i = 0; i < t.Rows.size(); ++i) {
        const auto& row = t.Rows[i];
        const TLodoComp& c = m.List[i];
        ASSERT_EQ(row.size(), t.Columns.size());
        EXPECT_EQ(row[0], std::to_string(i));
        EXPECT_EQ(row[1], EvalFrame::StripMark(c.Name));
        EXPECT_EQ(row[3], NumberFormat::Fixed(100 * c.TransM1, 2));
        EXPECT_EQ(row[10], c.Name.ends_with("*") ? "*" : "");
    }
    // A tube's three mechanisms, a nozzle's aspiration and wall loss, geometry with units.
    EXPECT_EQ(t.Rows[1][4], NumberFormat::Fixed(100 * m.List[1].TransM2, 2));
    EXPECT_EQ(t.Rows[0][7], NumberFormat::Fixed(m.List[0].TransM2, 4));
    EXPECT_EQ(t.Rows[1][9], "Di 34.90 mm, L 1.50 m, \u03A6 0.0\u00B0");
    EXPECT_NE(t.Rows[2][9].find("radius 0.1524 m, Ro 4.37"), std::string::npos) << t.Rows[2][9];

    // Bend 7 (row 17) is the tight one, and the verdict names it.
    const Verdict* v = VerdictStarting(r, "Bend curvature ratio");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Detail, "Below it: B-7 (Ro 1.43).");
}

TEST(EngineeringReport, LogNormalModeNamesBothResults) {
    const LodoModel m = ReportTest::Load("stack-nozzle-line.lxl", 5.0f, 2.5f);
    const Report r = BuildReport(m, Here);
    const std::string t = Text(r);
    EXPECT_NE(t.find("Particles: log-normal distribution: mass median aerodynamic diameter (MMAD) "
                     "5 \u00B5m, "
                     "geometric standard deviation (GSD) 2.5"),
              std::string::npos);
    const Verdict* v =
        VerdictStarting(r, "System penetration (product of the component transmissions)");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Value, NumberFormat::Fixed(100 * m.Ctx.SystemTrans, 2) + " %");
    EXPECT_EQ(v->Result, 100 * m.Ctx.SystemTrans >= 50 ? Outcome::Pass : Outcome::Fail);
    // The inlet's ratio as the log-normal evaluation takes it: at the mass median diameter.
    EXPECT_NE(VerdictStarting(r, "Inlet aspiration ratio (N-1) at 5 \u00B5m"), nullptr);
    EXPECT_NE(t.find("Particle (number) penetration, specified method: " +
                     NumberFormat::Fixed(100 * m.Ctx.PartTrans, 2) + " %"),
              std::string::npos);
    EXPECT_NE(t.find("Mass penetration, specified method: " +
                     NumberFormat::Fixed(100 * m.Ctx.MassTrans, 2) + " %"),
              std::string::npos);
}

TEST(EngineeringReport, SizeResolvedResultsTenMicronVerdictAndTheCurve) {
    const LodoModel ln = ReportTest::LongLine(150, 5.0f, 2.5f);
    const Report r = BuildReport(ln, Here);

    // At 10 um the curve is the monodisperse evaluation at 10 um, whatever the mode.
    const LodoModel mono = ReportTest::LongLine(150, 10.0f);
    const Verdict* ten = VerdictStarting(r, "Penetration at 10 \u00B5m aerodynamic diameter");
    ASSERT_NE(ten, nullptr);
    EXPECT_EQ(ten->Value, NumberFormat::Fixed(100 * mono.Ctx.SystemTrans, 2) + " %");

    const auto sr = Analysis::ComputeSizeResolved(ln.List, ln.Ctx.MDp, ln.Ctx.DpSD);
    ASSERT_TRUE(sr);
    const Verdict* exact = VerdictStarting(r, "Size-resolved mass penetration");
    ASSERT_NE(exact, nullptr);
    EXPECT_EQ(exact->Value, NumberFormat::Fixed(100 * sr->MassPenetration, 2) + " %");
    EXPECT_EQ(exact->Result, sr->MassPenetration >= 0.5 ? Outcome::Pass : Outcome::Fail);

    // Where the mass goes: the ten largest deposits by name, the rest together.
    const auto charts = BlocksOf<ShareChart>(r);
    ASSERT_EQ(charts.size(), 1u);
    const auto& bars = charts.front()->Bars;
    ASSERT_EQ(bars.size(), 11u);
    EXPECT_EQ(bars.back().Label, "the other 140 components");
    double all = 0, shown = 0;
    for (const auto& c : sr->Components)
        all += 100 * c.MassDeposited;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        shown += bars[i].Percent;
        if (i > 0 && i < 10) {
            EXPECT_LE(bars[i].Percent, bars[i - 1].Percent);
        }
    }
    EXPECT_NEAR(shown, all, 1e-9);

    // The curve with its cut size; a monodisperse report has no log-normal part.
    const auto curves = BlocksOf<CurveChart>(r);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_EQ(curves.front()->D50, Analysis::CutSizeD50(ln.List));
    EXPECT_NEAR(curves.front()->Dp.front(), 0.01, 1e-6);
    EXPECT_NEAR(curves.front()->Dp.back(), 100, 1e-4);
    const Report m = BuildReport(mono, Here);
    EXPECT_TRUE(BlocksOf<ShareChart>(m).empty());
    EXPECT_EQ(VerdictStarting(m, "Size-resolved"), nullptr);
    EXPECT_EQ(Text(m).find("Log-normal results"), std::string::npos);
}

// The cut size reads as lodo-cli and the main window print it: a d50 just below
// 1000 um once read "1e+03".
TEST(EngineeringReport, CutSizeAsTheOtherFrontEndsWriteIt) {
    LodoModel m = ReportTest::Load("stack-nozzle-line.lxl");
    // A short wide horizontal tube: settling cuts at 999.7 um.
    TLodoComp tube = m.List[1];
    tube.Dia1 = tube.Dia2 = 100.0;
    tube.Len = 0.0025825;
    tube.Flow = 100.0;
    tube.Ang1 = 0.0;
    tube.Dia1Unit = tube.Dia2Unit = tube.LenUnit = tube.FlowUnit = Units::Metric;
    m.List = {tube};
    AlignList(m, 0);
    const auto d50 = Analysis::CutSizeD50(m.List);
    ASSERT_TRUE(d50.has_value());
    ASSERT_GT(*d50, 999.5);
    const Report r = BuildReport(m, Here);
    const auto curves = BlocksOf<CurveChart>(r);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_TRUE(curves.front()->Caption.starts_with("Cut size d50 = 1000 \u00B5m."))
        << curves.front()->Caption;
}

TEST(EngineeringReport, ModelLimitFindingsOfEveryComponent) {
    // The tight bend is outside the bend models' curvature range; every finding of
    // the line is listed under its component, in line order.
    for (const float gsd : {0.0f, 2.5f}) {
        const LodoModel m = ReportTest::LongLine(150, 5.0f, gsd, 7);
        const Report r = BuildReport(m, Here);
        std::vector<std::vector<std::string>> expected;
        const auto findings = ModelLimits::LineFindings(m);
        for (std::size_t i = 0; i < findings.size(); ++i)
            for (const std::string& text : ModelLimits::FindingTexts(findings[i]))
                expected.push_back({std::to_string(i), EvalFrame::StripMark(m.List[i].Name), text});
        ASSERT_FALSE(expected.empty());
        const auto tables = BlocksOf<Table>(r);
        const auto limits = std::find_if(tables.begin(), tables.end(), [](const Table* t) {
            return t->Columns.back().Title == "Finding";
        });
        ASSERT_NE(limits, tables.end());
        EXPECT_EQ((*limits)->Rows, expected);
        const bool bendNamed = std::any_of(expected.begin(), expected.end(), [](const auto& row) {
            return row[1] == "B-7" && row[2].find("urvature ratio") != std::string::npos;
        });
        EXPECT_TRUE(bendNamed);
        EXPECT_EQ(Text(r).find(std::string(ModelLimits::LogNormalNote)) != std::string::npos,
                  gsd > 0);
    }

    // A line within every range says so, and has no findings table.
    const LodoModel quiet = ReportTest::Load("contraction-expansion-line.lxl");
    ASSERT_FALSE(ModelLimits::AnyFinding(quiet));
    const Report r = BuildReport(quiet, Here);
    EXPECT_NE(Text(r).find("Model limits\n\n" + std::string(ModelLimits::NoFindingsText) + ".\n"),
              std::string::npos);
    for (const Table* t : BlocksOf<Table>(r))
        EXPECT_NE(t->Columns.back().Title, "Finding");
}

TEST(EngineeringReport, KeepsTheSpecifiedNotesAndNomenclature) {
    const LodoModel m = ReportTest::Load("stack-nozzle-line.lxl");
    const std::string t = Text(BuildReport(m, Here));
    const auto lines = std::get<std::vector<std::string>>(BuildPr(m.List, "Stack 2", "= 1.00"));
    const auto notes = std::find(lines.begin(), lines.end(), "Notes:");
    ASSERT_NE(notes, lines.end());
    std::size_t at = 0;
    for (auto it = notes + 1; it != lines.end(); ++it) {
        if (*it == " " || *it == "Nomenclature:")
            continue;
        const std::size_t found = t.find(*it + "\n", at);
        ASSERT_NE(found, std::string::npos) << *it;
        at = found;
    }
}

TEST(EngineeringReport, EmptyLineSaysSo) {
    const Report empty = BuildReport(LodoModel{}, Here);
    EXPECT_NE(Text(empty).find("There are no components in sample system."), std::string::npos);
    EXPECT_TRUE(BlocksOf<VerdictList>(empty).empty());
}

} // namespace
