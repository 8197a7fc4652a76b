#include "report/core/EngineeringReport.h"

#include "analysis/SizeResolvedPenetration.h"
#include "design/DesignVerdict.h"
#include "model/EvalTerms.h"
#include "model/NumberFormat.h"
#include "report/core/MassBalance.h"
#include "report/core/ReportFormat.h"
#include "report/core/ReportTestLines.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace EngReport;

Source Here() {
    Source s{"Stack 2", "lines/stack2.lxl", "2026-12-10 09:30 UTC"};
    s.Sha256 = std::string(64, 'a');
    return s;
}

template <class T> std::vector<const T*> BlocksOf(const Report& r) {
    std::vector<const T*> out;
    for (const Block& b : r.Blocks)
        if (const T* t = std::get_if<T>(&b))
            out.push_back(t);
    return out;
}

// The blocks before the first page break: page 1.
std::vector<Block> PageOne(const Report& r) {
    std::vector<Block> out;
    for (const Block& b : r.Blocks) {
        if (std::holds_alternative<PageBreak>(b))
            break;
        out.push_back(b);
    }
    return out;
}

std::string Text(const Report& r) {
    std::string s;
    for (const std::string& line : ReportText(r))
        s += line + "\n";
    return s;
}

const Table* TableAfter(const Report& r, const std::string& heading) {
    bool seen = false;
    for (const Block& b : r.Blocks) {
        if (const auto* h = std::get_if<Heading>(&b))
            seen = h->Text == heading;
        else if (const auto* t = std::get_if<Table>(&b); t && seen)
            return t;
    }
    return nullptr;
}

double Cell(const std::string& s) {
    return s == "\u2013" ? 100.0 : std::stod(s);
}

TEST(EngineeringReport, PageOneIsTheConclusion) {
    const LodoModel m = ReportTest::Load("stack-nozzle-line.lxl", 5.0f, 2.5f);
    Source s = Here();
    s.Design.Id = {"Plant 4",    "Main stack", "SL-12",      "A. Preparer",
                   "B. Checker", "C",          "2026-12-01", ""};
    s.ChangedSinceSaved = true;
    const Report r = BuildReport(m, s);
    Report one = r;
    one.Blocks = PageOne(r);
    const std::string t = Text(one);
    for (const std::string& expected :
         {std::string("Facility: Plant 4"), std::string("Stack or duct: Main stack"),
          std::string("Line identifier: SL-12"), std::string("Revision: C"),
          std::string("Input file: lines/stack2.lxl"), "SHA-256 of the file: " + s.Sha256,
          std::string("Edited since saved: yes"), "Program: " + ProgramVersion::Full(),
          std::string("Report made: 2026-12-10 09:30 UTC"),
          std::string("Design verdict: ANSI N13.1 at 10 \u00B5m"),
          std::string("No operating range is set"), std::string("Prepared by: A. Preparer"),
          std::string("Checked by: B. Checker"), std::string("Approved by: ")})
        EXPECT_NE(t.find(expected), std::string::npos) << expected << "\n" << t;
    EXPECT_EQ(r.Head.FilePath, "lines/stack2.lxl (edited since saved)");
    // The aerosol's figures are not on the conclusion page.
    EXPECT_EQ(t.find("specified method"), std::string::npos) << t;

    // The verdict is at 10 um whatever the description, with each criterion.
    const Design::Verdict v = Design::DesignVerdict(m.List, {}, {});
    const auto lists = BlocksOf<VerdictList>(one);
    ASSERT_EQ(lists.size(), 1u);
    const std::vector<Verdict>& rows = lists[0]->Items;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Value, NumberFormat::Fixed(*v.Nominal.AspirationRatio, 4));
    EXPECT_EQ(rows[1].Value, Format::PctUnit(v.Nominal.TransportPenetration));
    EXPECT_EQ(rows[2].Value, Format::PctUnit(*v.Nominal.SystemPenetration));
    for (const Verdict& row : rows)
        EXPECT_EQ(row.Result, v.Result() == Design::Outcome::Pass ? Outcome::Pass : row.Result);
    for (float dp : {1.0f, 10.0f}) {
        Report mono = BuildReport(ReportTest::Load("stack-nozzle-line.lxl", dp), s);
        const auto monoRows = BlocksOf<VerdictList>(mono).front()->Items;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(monoRows[i].Value, rows[i].Value) << dp;
            EXPECT_EQ(monoRows[i].Result, rows[i].Result) << dp;
        }
    }
}

TEST(EngineeringReport, VerdictWithoutAnInletAndOverARange) {
    // No inlet: the aspiration criterion cannot be shown, so it cannot pass.
    LodoModel tubes = ReportTest::Load("stack-nozzle-line.lxl");
    tubes.List.erase(tubes.List.begin());
    AlignList(tubes, 0);
    const Report noInlet = BuildReport(tubes, Here());
    const auto rows = BlocksOf<VerdictList>(noInlet).front()->Items;
    EXPECT_EQ(rows[0].Result, Outcome::Fail);
    EXPECT_NE(rows[0].Detail.find(Design::NoInletText), std::string::npos);

    Source s = Here();
    s.Design.Range.StackVelocity = Design::Interval{5, 22};
    const LodoModel m = ReportTest::Load("stack-nozzle-line.lxl");
    const Report r = BuildReport(m, s);
    const Table* t = TableAfter(r, "Operating range");
    ASSERT_NE(t, nullptr);
    const Design::Verdict v = Design::DesignVerdict(m.List, s.Design);
    ASSERT_TRUE(v.Range && v.Range->WorstSystem);
    ASSERT_EQ(t->Rows.size(), v.Range->Points.size());
    const std::vector<std::string>& worst = t->Rows[*v.Range->WorstSystem];
    EXPECT_NE(worst.back().find("system"), std::string::npos);
    EXPECT_EQ(worst[6], Format::Pct(*v.Range->Points[*v.Range->WorstSystem].SystemPenetration));
    // The aspiration fails at 22 m/s (over-sampling), and the page says so.
    EXPECT_NE(Text(r).find("over the operating range: FAIL"), std::string::npos) << Text(r);
}

// Lines and particle descriptions the figure tests run over.
struct LineCase {
    const char* file;
    float dp, gsd;
};
constexpr LineCase Lines[] = {
    {"stack-nozzle-line.lxl", 10, 0},          {"stack-nozzle-line.lxl", 5, 2.5},
    {"shrouded-probe-line.lxl", 1, 0},         {"shrouded-probe-line.lxl", 20, 3},
    {"contraction-expansion-line.lxl", 10, 0}, {"english-units-line.lxl", 5, 2.5},
};

TEST(EngineeringReport, ARowsPenetrationIsTheProductOfItsMechanisms) {
    for (const LineCase& c : Lines) {
        const LodoModel m = ReportTest::Load(c.file, c.dp, c.gsd);
        const Report r = BuildReport(m, Here());
        const Table* t = TableAfter(r, "Components: penetration by mechanism");
        ASSERT_NE(t, nullptr);
        ASSERT_EQ(t->Rows.size(), m.List.size());
        for (std::size_t i = 0; i < m.List.size(); ++i) {
            const std::vector<std::string>& row = t->Rows[i];
            const TLodoComp& comp = m.List[i];
            // Mono: the line's own results, as lodo-cli's JSON gives them; log-normal:
            // the component at the MMAD alone.
            const double expected = c.gsd > 1 ? TermsAt(comp, c.dp).Trans : comp.TransM1;
            EXPECT_EQ(row[3], NumberFormat::Fixed(100 * expected, 2)) << c.file << " " << i;
            double product = 1;
            for (int k = 4; k <= 7; ++k)
                product *= Cell(row[k]) / 100;
            if (row[8] != "\u2013")
                product *= std::stod(row[8]);
            product *= Cell(row[9]) / 100;
            // Each factor is rounded to 0.005 %: the product to within their sum.
            EXPECT_NEAR(100 * product, Cell(row[3]), 0.02 + 0.01 * product) << c.file << " " << i;
        }
    }
}

TEST(EngineeringReport, WhereTheMassGoesBalancesOnTheStacksMass) {
    LodoModel overSampling = ReportTest::Load("stack-nozzle-line.lxl");
    overSampling.List[0].FStream = 22;
    AlignList(overSampling, 0);
    std::vector<LodoModel> models;
    for (const LineCase& c : Lines)
        models.push_back(ReportTest::Load(c.file, c.dp, c.gsd));
    models.push_back(overSampling);
    for (const LodoModel& m : models) {
        const bool ln = EvalFrame::IsLogNormal(m.Ctx);
        const auto sr =
            Analysis::ComputeSizeResolved(m.List, ln ? m.Ctx.MDp : m.Ctx.Dp, ln ? m.Ctx.DpSD : 1.0);
        ASSERT_TRUE(sr);
        const MassBalance b = BalanceOf(*sr, std::vector<std::string>(m.List.size(), "x"));
        EXPECT_NEAR(b.Sum(), 1.0, 1e-9);
        if (!ln)
            EXPECT_NEAR(b.Leaving.Fraction, m.Ctx.SystemTrans, 1e-12);
        const auto report = BuildReport(m, Here());
        const Table* t = TableAfter(report, "Where the mass goes");
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->Rows.back().back(), "100.00");
    }
    const auto sr = Analysis::ComputeSizeResolved(overSampling.List, 10.0, 1.0);
    const MassBalance b = BalanceOf(*sr, {});
    EXPECT_LT(b.NotAspirated.Fraction, 0);
    EXPECT_NE(b.NotAspirated.Label.find("over-aspirated"), std::string::npos);
}

TEST(EngineeringReport, NumbersAsEnteredAndNeverHuge) {
    EXPECT_EQ(Format::Entered(101.325), "101.325");
    EXPECT_EQ(Format::Entered(1.374), "1.374");
    EXPECT_EQ(Format::Entered(57), "57");
    EXPECT_LT(Format::Num(1e300, 1).size(), 12u);
    EXPECT_EQ(Format::Num(NAN, 2), "invalid");
    const std::string english =
        Text(BuildReport(ReportTest::Load("english-units-line.lxl"), Here()));
    for (const char* expected : {"(101.325 kPa) absolute", "Di 1.374 in"})
        EXPECT_NE(english.find(expected), std::string::npos) << expected << "\n" << english;
}

TEST(EngineeringReport, AFindingIsListedOnceWithTheComponentsItConcerns) {
    const LodoModel m = ReportTest::LongLine(150, 10.0f, 0.0f, 7);
    const Report r = BuildReport(m, Here());
    const Table* findings = TableAfter(r, "Findings");
    ASSERT_NE(findings, nullptr);
    std::vector<std::string> texts;
    for (const auto& row : findings->Rows)
        texts.push_back(row[0]);
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(std::adjacent_find(texts.begin(), texts.end()), texts.end());
    const auto bends = std::count_if(m.List.begin(), m.List.end(),
                                     [](const TLodoComp& c) { return c.NTypeInt == NodeBend; });
    bool all = false;
    for (const auto& row : findings->Rows)
        all = all || row[1].starts_with(std::to_string(bends) + " components");
    EXPECT_TRUE(all);
    // The tight bend fails the curvature ratio and is named.
    EXPECT_NE(Text(r).find("Below it: B-7 (Ro 1.43)."), std::string::npos);
    // Every component in each component table.
    EXPECT_EQ(TableAfter(r, "Components: flow and particles")->Rows.size(), 150u);
}

TEST(EngineeringReport, BendsNotApplicableAndEmptyLine) {
    const Report r = BuildReport(ReportTest::Load("contraction-expansion-line.lxl"), Here());
    bool found = false;
    for (const VerdictList* l : BlocksOf<VerdictList>(r))
        for (const Verdict& v : l->Items)
            if (v.Check.starts_with("Bend curvature ratio")) {
                found = true;
                EXPECT_EQ(v.Result, Outcome::NotApplicable);
                EXPECT_EQ(v.Detail, "The line has no bends.");
            }
    EXPECT_TRUE(found);
    const Report empty = BuildReport(LodoModel{}, Here());
    ASSERT_EQ(empty.Blocks.size(), 1u);
    EXPECT_EQ(std::get<Paragraph>(empty.Blocks[0]).Text,
              "There are no components in sample system.");
}

} // namespace
