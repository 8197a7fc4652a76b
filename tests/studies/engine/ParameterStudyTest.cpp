#include "studies/engine/ParameterStudy.h"

#include "StudyLines.h"
#include "TestPrecision.h"
#include "model/LodoError.h"
#include "model/NumberFormat.h"
#include "model/Units.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace StudyLines;

std::size_t Tabs(const std::string& s) {
    return std::count(s.begin(), s.end(), '\t');
}

// What must come back unchanged from a study.
struct Snapshot {
    LodoList List;
    std::uint32_t DpBits;
    Distribution DType;
    explicit Snapshot(const LodoModel& m)
        : List(m.List), DpBits(std::bit_cast<std::uint32_t>(m.Ctx.Dp)), DType(m.Ctx.DType) {}
};

void ExpectUnchanged(const LodoModel& m, const Snapshot& before) {
    EXPECT_EQ(m.List, before.List) << "the line, its units or its results changed";
    EXPECT_EQ(std::bit_cast<std::uint32_t>(m.Ctx.Dp), before.DpBits) << "Dp changed";
    EXPECT_EQ(m.Ctx.DType, before.DType);
}

// Every study on a line that suits it, in both particle modes.
struct StudyCase {
    const char* what;
    StudyKind kind;
    std::function<LodoList()> line;
    std::string_view header;
    int points;
    double from, to;
    std::size_t tabs;
};

void PrintTo(const StudyCase& c, std::ostream* os) {
    *os << c.what;
}

class EveryStudy : public ::testing::TestWithParam<std::tuple<StudyCase, const char*>> {};

TEST_P(EveryStudy, RowsLinesAndTheLineGivenBack) {
    const auto& [c, dtype] = GetParam();
    LodoModel m = Prepared(c.line(), dtype);
    m.Ctx.RefNum = Operation::Moving; // as the study dialog used to leave it
    const Snapshot before(m);

    const StudyOutcome o = RunStudy(m, c.kind, c.points, c.from, c.to);

    ASSERT_TRUE(o.Ran()) << o.Error->Text;
    EXPECT_EQ(o.Kind, c.kind);
    ASSERT_EQ(o.Rows.size(), static_cast<std::size_t>(c.points));
    ASSERT_EQ(o.Lines.size(), static_cast<std::size_t>(c.points) + 1);
    EXPECT_EQ(o.Lines.front(), c.header);
    EXPECT_DOUBLE_EQ(o.Rows.front().Value, c.from);
    EXPECT_REL_NEAR(o.Rows.back().Value, c.to, 1e-12);
    for (std::size_t k = 0; k < o.Rows.size(); ++k) {
        const StudyRow& row = o.Rows[k];
        // An over-aspirating inlet may pass more than 100 %; never less than nothing.
        EXPECT_TRUE(std::isfinite(row.Pent) && row.Pent >= 0.0) << "point " << k + 1;
        EXPECT_EQ(Tabs(o.Lines[k + 1]), c.tabs);
        EXPECT_EQ(o.Lines[k + 1].substr(0, o.Lines[k + 1].find('\t')),
                  NumberFormat::General15(row.Value));
    }
    // The export holds the penetration as a fraction.
    const std::string& last = o.Lines.back();
    const std::string pent = last.substr(last.find('\t') + 1);
    EXPECT_REL_NEAR(std::stod(pent), o.Rows.back().Pent / 100.0, 1e-13);
    EXPECT_EQ(m.Ctx.RefNum, Operation::Adding);
    ExpectUnchanged(m, before);
}

const StudyCase kStudies[] = {
    {"flow", StudyKind::Flow, TubeLine, FlowHeader, 12, 5.0, 120.0, 1},
    {"diameter", StudyKind::Diameter, TubeLine, DiaHeader, 7, 10.0, 40.0, 1},
    {"diameter behind a nozzle", StudyKind::Diameter, NozzleLine, DiaHeader, 5, 15.0, 50.0, 1},
    {"diameter of a contraction", StudyKind::Diameter, ContractionLine, DiaHeader, 4, 10.0, 40.0,
     1},
    {"particle", StudyKind::Particle, TubeLine, PartHeader, 50, 1.0, 50.0, 1},
    {"particle, downwards", StudyKind::Particle, NozzleLine, PartHeader, 9, 30.0, 0.5, 1},
    {"free stream, nozzle", StudyKind::FreeStream, NozzleLine, FreeStreamHeader, 6, 2.0, 20.0, 2},
    {"free stream, probe", StudyKind::FreeStream, ProbeLine, FreeStreamHeader, 3, 5.0, 15.0, 2},
};

INSTANTIATE_TEST_SUITE_P(
    Studies, EveryStudy,
    ::testing::Combine(::testing::ValuesIn(kStudies), ::testing::Values("Mono", "LogNormal")),
    [](const auto& info) {
        std::string name =
            std::string(std::get<0>(info.param).what) + "_" + std::get<1>(info.param);
        std::replace_if(
            name.begin(), name.end(),
            [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); }, '_');
        return name;
    });

TEST(FlowAnalysis, TenToHundredInTenPoints) {
    LodoModel m = Prepared(TubeLine());
    const StudyOutcome o = FlowAnalysis(m, 10, 10.0, 100.0);
    ASSERT_EQ(o.Lines.size(), 11u);
    EXPECT_EQ(o.Lines[0], "Flow Rate (LPM)\tTransmission Ratio");
    EXPECT_EQ(o.Lines[1].substr(0, 3), "10\t");
    EXPECT_EQ(o.Lines[10].substr(0, 4), "100\t");
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(o.Rows[k].Value, 10.0 * (k + 1));
}

// A measure replaces what each point records: it sees the evaluated line at that
// point, and the row the penetration starts from (1 behind an inlet in a diameter study).
TEST(StudyMeasure, RecordsWhatTheMeasureReturns) {
    for (StudyKind kind : {StudyKind::Flow, StudyKind::Diameter, StudyKind::FreeStream}) {
        LodoModel m = Prepared(NozzleLine(), "LogNormal");
        LodoModel specified = m;
        const StudyOutcome plain = RunStudy(specified, kind, 3, 20.0, 40.0);
        std::vector<std::size_t> firsts;
        const StudyOutcome o =
            RunStudy(m, kind, 3, 20.0, 40.0, [&](const LodoModel& at, std::size_t first) {
                firsts.push_back(first);
                return SpecifiedPenetration(at, first) / 2;
            });
        ASSERT_TRUE(o.Ran());
        ASSERT_EQ(o.Rows.size(), 3u);
        EXPECT_EQ(firsts, std::vector<std::size_t>(3, kind == StudyKind::Diameter ? 1 : 0));
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_DOUBLE_EQ(o.Rows[k].Pent, plain.Rows[k].Pent / 2);
        EXPECT_EQ(m.List, specified.List); // the line comes back as it was
    }
}

// The penetration a study point must report, from a fresh copy of the line with
// the input set by hand.
double PentWithInput(const LodoList& line, int CR, const std::function<void(LodoList&)>& set) {
    LodoModel fresh = Prepared(line);
    set(fresh.List);
    AlignList(fresh, CR);
    return fresh.Ctx.SystemTrans * 100.0;
}

TEST(FlowAnalysis, EachPointIsTheLineAtThatFlowInLitresPerMinute) {
    LodoList line = TubeLine();
    for (TLodoComp& c : line)
        c.FlowUnit = Units::English; // ft3/min on entry
    LodoModel m = Prepared(line);
    const StudyOutcome o = FlowAnalysis(m, 3, 20.0, 80.0);
    ASSERT_TRUE(o.Ran());
    for (const StudyRow& row : o.Rows) {
        const double expected = PentWithInput(line, 0, [&](LodoList& l) {
            l[0].Flow = row.Value;
            l[0].FlowUnit = Units::Metric;
        });
        EXPECT_REL_NEAR(row.Pent, expected, 1e-12) << row.Value << " L/min";
    }
    EXPECT_EQ(m.List[2].FlowUnit, Units::English);
}

TEST(DiaAnalysis, ContractionKeepsItsRatio) {
    struct Case {
        const char* what;
        std::string inletUnit;
        double inlet;
    };
    // 20 mm to 10 mm, the inlet once in millimetres and once in inches.
    const Case cases[] = {{"metric", Units::Metric, 20.0},
                          {"inlet in inches", Units::English, 20.0 / 25.4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LodoList line = ContractionLine();
        line[0].Dia1 = c.inlet;
        line[0].Dia1Unit = c.inletUnit;
        LodoModel m = Prepared(line);
        const Snapshot before(m);
        const StudyOutcome o = DiaAnalysis(m, 4, 10.0, 40.0);
        ASSERT_TRUE(o.Ran());
        EXPECT_TRUE(o.Notices.empty());
        for (const StudyRow& row : o.Rows) {
            const double expected = PentWithInput(line, 0, [&](LodoList& l) {
                l[0].Dia1 = row.Value;
                l[0].Dia2 = row.Value / 2.0;
                l[0].Dia1Unit = l[0].Dia2Unit = Units::Metric;
            });
            EXPECT_REL_NEAR(row.Pent, expected, 1e-9) << row.Value << " mm";
        }
        ExpectUnchanged(m, before);
    }
}

TEST(DiaAnalysis, InletIsLeftOutOfTheStudy) {
    struct Case {
        const char* what;
        std::function<LodoList()> line;
        std::string_view notice;
    };
    const Case cases[] = {{"nozzle", NozzleLine, NozzleNotice}, {"probe", ProbeLine, ProbeNotice}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LodoList line = c.line();
        LodoModel m = Prepared(line);
        // Known before the study runs, so that the window can show it first; only the
        // diameter study brings it, and a refused study none.
        const auto notices = StudyNotices(m, StudyKind::Diameter, 3, 12.0, 30.0);
        EXPECT_TRUE(StudyNotices(m, StudyKind::Flow, 3, 12.0, 30.0).empty());
        EXPECT_TRUE(StudyNotices(m, StudyKind::Diameter, 0, 12.0, 30.0).empty());
        const StudyOutcome o = DiaAnalysis(m, 3, 12.0, 30.0);
        ASSERT_TRUE(o.Ran());
        ASSERT_EQ(o.Notices.size(), 1u);
        EXPECT_EQ(o.Notices[0], c.notice);
        EXPECT_EQ(notices, o.Notices);
        for (const StudyRow& row : o.Rows) {
            // Varies the component behind the inlet; reports the line without the inlet.
            LodoModel fresh = Prepared(line);
            fresh.List[1].Dia1 = fresh.List[1].Dia2 = row.Value;
            AlignList(fresh, 1);
            double behindInlet = 1.0;
            for (std::size_t i = 1; i < fresh.List.size(); ++i)
                behindInlet *= fresh.List[i].TransM1;
            EXPECT_REL_NEAR(row.Pent, behindInlet * 100.0, 1e-9) << row.Value << " mm";
        }
    }
}

TEST(DiaAnalysis, InletOnlyLineHasNothingToVary) {
    for (NodeTypeCode inlet : {NodeNozzle, NodeShroud}) {
        LodoModel m = Prepared({Comp(inlet, 20.0, 34.9)});
        const Snapshot before(m);
        EXPECT_TRUE(StudyNotices(m, StudyKind::Diameter, 5, 10.0, 20.0).empty());
        const StudyOutcome o = DiaAnalysis(m, 5, 10.0, 20.0);
        ASSERT_FALSE(o.Ran());
        EXPECT_EQ(o.Error->Text, "There are no components after the inlet to vary.");
        EXPECT_TRUE(o.Notices.empty());
        EXPECT_TRUE(o.Lines.empty());
        ExpectUnchanged(m, before);
    }
}

TEST(Studies, RefuseWhatTheyCannotRun) {
    struct Case {
        const char* what;
        StudyKind kind;
        LodoList line;
        int points;
        int number;
        std::string_view text;
    };
    const Case cases[] = {
        {"empty, flow", StudyKind::Flow, {}, 5, 9, LodoErrorText(9)},
        {"empty, diameter", StudyKind::Diameter, {}, 5, 9, LodoErrorText(9)},
        {"empty, particle", StudyKind::Particle, {}, 5, 9, LodoErrorText(9)},
        {"empty, free stream", StudyKind::FreeStream, {}, 5, 9, LodoErrorText(9)},
        {"free stream on tubes", StudyKind::FreeStream, TubeLine(), 5, 12, LodoErrorText(12)},
        {"no points", StudyKind::Flow, TubeLine(), 0, 0,
         "The number of points must be from 1 to 50."},
        {"51 points", StudyKind::Particle, TubeLine(), 51, 0,
         "The number of points must be from 1 to 50."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LodoModel m = Prepared(c.line);
        m.Ctx.RefNum = Operation::Moving;
        const Snapshot before(m);
        const StudyOutcome o = RunStudy(m, c.kind, c.points, 1.0, 10.0);
        ASSERT_FALSE(o.Ran());
        EXPECT_EQ(o.Error->Number, c.number);
        EXPECT_EQ(o.Error->Text, c.text);
        EXPECT_TRUE(o.Rows.empty());
        EXPECT_TRUE(o.Lines.empty());
        ExpectUnchanged(m, before);
    }
    EXPECT_EQ(LodoErrorText(12), "The first component must be a probe or nozzle for this analysis");
    EXPECT_EQ(LodoErrorText(9), "There are no components in sample system.");
}

TEST(Studies, OnePointEvaluatesTheStartValue) {
    LodoModel m = Prepared(TubeLine());
    for (StudyKind kind : {StudyKind::Flow, StudyKind::Diameter, StudyKind::Particle}) {
        const StudyOutcome o = RunStudy(m, kind, 1, 7.5, 30.0);
        ASSERT_TRUE(o.Ran());
        ASSERT_EQ(o.Rows.size(), 1u);
        EXPECT_EQ(o.Rows[0].Value, 7.5);
        ASSERT_EQ(o.Lines.size(), 2u);
        EXPECT_EQ(o.Lines[1].substr(0, 4), "7.5\t");
        EXPECT_TRUE(std::isfinite(o.Rows[0].Pent));
    }
}

TEST(PartAnalysis, MonodisperseAtSinglePrecisionSizesAndDistributionKept) {
    LodoModel m = Prepared(NozzleLine(), "LogNormal");
    m.Ctx.Dp = 3.3f; // whatever the last evaluation left
    const Snapshot before(m);
    const StudyOutcome o = PartAnalysis(m, 4, 0.1, 30.0);
    ASSERT_TRUE(o.Ran());
    EXPECT_EQ(o.Rows[0].Value, 0.1); // the table keeps the exact value
    for (const StudyRow& row : o.Rows) {
        LodoModel mono = Prepared(NozzleLine());
        mono.Ctx.Dp = static_cast<float>(row.Value);
        for (int j = 0; j < static_cast<int>(mono.List.size()); ++j)
            CalcNodeTrans(mono, j);
        EXPECT_REL_NEAR(row.Pent, mono.Ctx.SystemTrans * 100.0, 1e-12) << row.Value << " um";
    }
    ExpectUnchanged(m, before);
}

TEST(FreeStreamAnalysis, ThirdColumnIsTheInletAspirationRatio) {
    const LodoList line = NozzleLine();
    LodoModel m = Prepared(line);
    const StudyOutcome o = FreeStreamAnalysis(m, 3, 1.0, 9.0);
    ASSERT_TRUE(o.Ran());
    for (std::size_t k = 0; k < o.Rows.size(); ++k) {
        LodoModel fresh = Prepared(line);
        fresh.List[0].FStream = o.Rows[k].Value;
        AlignList(fresh, 0);
        EXPECT_REL_NEAR(o.Rows[k].Asp, fresh.List[0].TransM2, 1e-12);
        EXPECT_REL_NEAR(o.Rows[k].Pent, fresh.Ctx.SystemTrans * 100.0, 1e-12);
        EXPECT_EQ(o.Lines[k + 1], NumberFormat::General15(o.Rows[k].Value) + "\t" +
                                      NumberFormat::General15(o.Rows[k].Pent / 100.0) + "\t" +
                                      NumberFormat::General15(o.Rows[k].Asp));
    }
}

TEST(Studies, NonFiniteResultsLeaveNoChangedInputBehind) {
    // A zero diameter has no flow area, a zero flow no velocity: the evaluation
    // divides by zero.
    LodoModel m = Prepared(TubeLine());
    const Snapshot before(m);
    const StudyOutcome o = DiaAnalysis(m, 2, 0.0, 0.0);
    ASSERT_TRUE(o.Ran());
    ExpectUnchanged(m, before);

    LodoModel f = Prepared(NozzleLine());
    const Snapshot fBefore(f);
    ASSERT_TRUE(FlowAnalysis(f, 2, 0.0, 1e6).Ran());
    ExpectUnchanged(f, fBefore);
}

TEST(Studies, LineNotAlignedBeforeComesBackAsItWas) {
    // Re-alignment at the end of a study must not become an edit of the user's line.
    LodoModel m;
    m.List = ContractionLine();
    m.List[1].Flow = 30.0;
    m.List[2].Dia1 = m.List[2].Dia2 = 12.0;
    for (int j = 0; j < 3; ++j)
        CalcNodeTrans(m, j);
    const Snapshot before(m);
    for (StudyKind kind : {StudyKind::Flow, StudyKind::Diameter, StudyKind::Particle}) {
        ASSERT_TRUE(RunStudy(m, kind, 3, 10.0, 20.0).Ran());
        ExpectUnchanged(m, before);
    }
}

// The progress callback hears every point and may stop the study; a stopped study
// has no result and gives the line back as a whole study does.
TEST(Studies, ProgressHearsEveryPointAndCanCancel) {
    for (StudyKind kind :
         {StudyKind::Flow, StudyKind::Diameter, StudyKind::Particle, StudyKind::FreeStream}) {
        SCOPED_TRACE(VaryTypeText(kind));
        const LodoList line = NozzleLine();
        LodoModel quiet = Prepared(line);
        const StudyOutcome plain = RunStudy(quiet, kind, 6, 2.0, 20.0);
        ASSERT_TRUE(plain.Ran());

        LodoModel m = Prepared(line);
        std::vector<std::pair<int, int>> heard;
        const StudyOutcome told = RunStudy(m, kind, 6, 2.0, 20.0, {}, [&](int done, int total) {
            heard.emplace_back(done, total);
            return true;
        });
        EXPECT_EQ(told.Lines, plain.Lines);
        ASSERT_EQ(heard.size(), 6u);
        EXPECT_EQ(heard.front(), std::make_pair(1, 6));
        EXPECT_EQ(heard.back(), std::make_pair(6, 6));

        LodoModel c = Prepared(line);
        const Snapshot before(c);
        int calls = 0;
        const StudyOutcome stopped =
            RunStudy(c, kind, 6, 2.0, 20.0, {}, [&](int, int) { return ++calls < 3; });
        EXPECT_TRUE(stopped.Cancelled);
        EXPECT_FALSE(stopped.Ran());
        EXPECT_FALSE(stopped.Error.has_value());
        EXPECT_EQ(calls, 3);
        EXPECT_EQ(stopped.Rows.size(), 3u);
        ExpectUnchanged(c, before);
        EXPECT_EQ(c.Ctx.SystemTrans, quiet.Ctx.SystemTrans);
    }
}

TEST(StudyFileName, ExtensionReplacedByTheStudyWord) {
    struct Case {
        std::string_view file;
        StudyKind kind;
        std::string_view name;
    };
    const Case cases[] = {
        {"line.lxl", StudyKind::Flow, "lineFlow"},
        {"/home/u/line.lxl", StudyKind::Diameter, "/home/u/lineTube"},
        {"C:\\data\\line.v2.lxl", StudyKind::Particle, "C:\\data\\line.v2PSiz"},
        {"/home/u.d/line", StudyKind::FreeStream, "/home/u.d/lineFree_Stream"},
        {"", StudyKind::Flow, "Flow"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StudyFileName(c.file, c.kind), c.name) << c.file;
}

TEST(StudyKindText, RoundTripsTheVaryTypes) {
    for (StudyKind k :
         {StudyKind::Flow, StudyKind::Diameter, StudyKind::Particle, StudyKind::FreeStream})
        EXPECT_EQ(StudyKindFromVaryType(VaryTypeText(k)), k);
    EXPECT_EQ(VaryTypeText(StudyKind::FreeStream), "Free_Stream");
    EXPECT_FALSE(StudyKindFromVaryType("flow").has_value());
}

TEST(StoreRows, OverwritesOnlyTheStudysRows) {
    DataPass data;
    data.DArr[3] = {99, 99, 99};
    LodoModel m = Prepared(TubeLine());
    const StudyOutcome o = DiaAnalysis(m, 3, 10.0, 30.0);
    StoreRows(data, o);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(data.DArr[k], o.Rows[k]);
    EXPECT_EQ(data.DArr[3], (StudyRow{99, 99, 99}));
    EXPECT_EQ(data.FArr[0], StudyRow{});
}

TEST(DataPassDefaults, StartUpValues) {
    const DataPass d;
    EXPECT_EQ(d.InitialVal, 1.0f);
    EXPECT_EQ(d.FinalVal, 50.0f);
    EXPECT_EQ(d.NoOfSteps, 50);
    EXPECT_EQ(d.VaryType, "Diameter");
    const DistributionSetting dist;
    EXPECT_EQ(dist.PartSize, 10.0f);
    EXPECT_EQ(dist.MeanPart, 5.0f);
    EXPECT_EQ(dist.PartSD, 2.5f);
    EXPECT_EQ(dist.TypeDist, Distribution::Mono);
}

} // namespace
