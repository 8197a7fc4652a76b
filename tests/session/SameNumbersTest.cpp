// Same line, same numbers: whatever was done before (edits, undo and redo, studies,
// distribution changes), the figures on show are those of a fresh evaluation of the
// saved file, to the bit, in both modes.
#include "SessionFixture.h"

#include <bit>
#include <random>

namespace {

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Every field of the two records, numbers to the bit (a NaN result matches itself).
::testing::AssertionResult SameRecords(const LodoList& a, const LodoList& b) {
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << a.size() << " components against " << b.size();
    for (std::size_t i = 0; i < a.size(); ++i) {
        TLodoComp x = a[i], y = b[i];
        for (double TLodoComp::*m :
             {&TLodoComp::TransM1, &TLodoComp::TransM2, &TLodoComp::TransM3, &TLodoComp::TransM4,
              &TLodoComp::PTrans, &TLodoComp::MTrans, &TLodoComp::Temp, &TLodoComp::Press,
              &TLodoComp::Len, &TLodoComp::Brd, &TLodoComp::Dia1, &TLodoComp::Dia2,
              &TLodoComp::Dia3, &TLodoComp::Ang1, &TLodoComp::Ang2, &TLodoComp::Ang3,
              &TLodoComp::Flow, &TLodoComp::FStream}) {
            if (!SameBits(x.*m, y.*m))
                return ::testing::AssertionFailure() << "component " << i << " (" << x.Name
                                                     << "): " << x.*m << " against " << y.*m;
            x.*m = y.*m = 0;
        }
        if (!(x == y))
            return ::testing::AssertionFailure() << "component " << i << " differs in a text";
    }
    return ::testing::AssertionSuccess();
}

// What is on show: a property page's note (the curvature ratio, an inlet's aspiration)
// is seen only on the page of its own component, the one shown.
DisplaySink OnShow(DisplaySink d, const LodoList& list) {
    const int code = d.ShownRow >= 0 && d.ShownRow < static_cast<int>(list.size())
                         ? list[static_cast<std::size_t>(d.ShownRow)].NTypeInt
                         : 0;
    if (code != NodeBend) {
        d.CurveR = {};
        d.CRErrorVisible = false;
    }
    if (code != NodeNozzle)
        d.LabelNozAsp = {};
    if (code != NodeShroud)
        d.LabelShrAsp = {};
    return d;
}

class SameNumbersTest : public SessionTest {
protected:
    // Saves the line as the user would and evaluates the file afresh, showing the
    // row the session shows; the figures must be the session's.
    // False when there was nothing to compare: an empty line, or one the structure
    // input rules refuse to save (a random entry widens a contraction).
    bool ExpectFreshEvaluationOfTheSavedFile(const std::string& where) {
        if (s.Count() == 0)
            return false;
        const auto path = dir / "saved.lxl";
        ui.SaveFiles.push_back(path);
        const bool saved = s.MenuItemSaveAsClick1();
        bool refused = false;
        for (const auto* texts : {&ui.Errors, &ui.Messages})
            for (const std::string& t : *texts)
                refused = refused || t.find(" must ") != std::string::npos;
        const std::string said =
            ui.Errors.empty() ? (ui.Messages.empty() ? "" : ui.Messages.back()) : ui.Errors.back();
        ui.ClearRecord();
        ui.SaveFiles.clear();
        if (!saved && refused)
            return false;
        EXPECT_TRUE(saved) << where << ": " << said;
        if (!saved)
            return false;
        ReadResult read = ReadLxlFile(path, EvalContext{});
        EXPECT_TRUE(std::holds_alternative<LineFile>(read)) << where;
        if (!std::holds_alternative<LineFile>(read))
            return false;
        const LineFile& file = std::get<LineFile>(read);
        LodoModel fresh;
        fresh.List = file.List;
        ApplyDistribution(fresh.Ctx, file.Design.Particles.value_or(DistributionSetting{}));
        EvaluateLine(fresh, s.Model().Display.ShownRow);

        EXPECT_TRUE(SameRecords(s.List(), fresh.List)) << where;
        const EvalContext &now = s.Ctx(), &then = fresh.Ctx;
        EXPECT_TRUE(SameBits(now.SystemTrans, then.SystemTrans)) << where;
        EXPECT_TRUE(SameBits(now.MassTrans, then.MassTrans)) << where;
        EXPECT_TRUE(SameBits(now.PartTrans, then.PartTrans)) << where;
        EXPECT_EQ(OnShow(s.Model().Display, s.List()), OnShow(fresh.Display, fresh.List))
            << where << ": " << s.Model().Display.SystemT.Text << " against "
            << fresh.Display.SystemT.Text << ", " << s.Model().Display.MaxPartSize << " against "
            << fresh.Display.MaxPartSize;
        return true;
    }
};

const char* const Texts[] = {"2.5", "0.3", "12", "90", "45", "0.5", "57", "20", "34.92345", "3"};

TEST_F(SameNumbersTest, AfterAnyHistoryTheFiguresAreThoseOfTheSavedFile) {
    int logNormalChecks = 0, monoChecks = 0;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        StartAfresh();
        std::mt19937 rng(seed);
        const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        // An inlet and a few components, so that studies and log-normal steps bite.
        s.NozzleMenuClick();
        for (const auto add : {&LodoSession::TubeMenuClick, &LodoSession::BendMenuClick,
                               &LodoSession::ContractMenuClick, &LodoSession::TubeMenuClick})
            (s.*add)();
        for (int step = 0; step < 120; ++step) {
            ui.Answers.clear();
            ui.Selections.clear();
            const std::string where =
                "seed " + std::to_string(seed) + " step " + std::to_string(step);
            switch (pick(12)) {
            case 0:
                (s.*std::array{&LodoSession::TubeMenuClick, &LodoSession::BendMenuClick,
                               &LodoSession::ContractMenuClick,
                               &LodoSession::ExpandMenuClick}[pick(4)])();
                break;
            case 1:
            case 2:
                if (s.VisiblePage() != Page::None) {
                    const auto rows = InfoOf(s.VisiblePage()).Rows;
                    Enter(rows[pick(static_cast<int>(rows.size()))].Id,
                          Texts[pick(std::size(Texts))]);
                }
                break;
            case 3:
                s.SwitchUnit(static_cast<Quantity>(pick(9)),
                             pick(2) ? UnitChoice::English : UnitChoice::Metric);
                break;
            case 4:
                s.EditComp(pick(s.Count()));
                break;
            case 5:
                ui.Selections.push_back(
                    {true, pick(s.Count()), 1 + pick(std::max(s.Count() - 1, 1))});
                if (pick(2))
                    s.MenuItemMoveCompClick();
                else
                    s.MenuItemDelCompClick();
                break;
            case 6: {
                DistributionSetting d;
                d.TypeDist = pick(2) ? Distribution::LogNormal : Distribution::Mono;
                d.PartSize = static_cast<float>(1 + pick(20));
                d.MeanPart = static_cast<float>(1 + pick(8));
                d.PartSD = 1.5f + static_cast<float>(pick(3));
                s.ApplyDistribution(d);
                break;
            }
            case 7: {
                const auto kind = static_cast<StudyKind>(pick(4));
                s.RunStudy(kind, 1 + pick(6), kind == StudyKind::Diameter ? 10.0 : 2.0, 40.0);
                break;
            }
            case 8:
            case 9:
                s.Undo();
                break;
            case 10:
                s.Redo();
                break;
            case 11:
                s.EditComp(s.Count() - 1);
                break;
            }
            if (step % 20 == 19 && ExpectFreshEvaluationOfTheSavedFile(where))
                (s.Distribution().TypeDist == Distribution::LogNormal ? logNormalChecks
                                                                      : monoChecks)++;
            if (::testing::Test::HasFailure())
                return;
        }
    }
    // Both modes were met along the way.
    EXPECT_GT(logNormalChecks, 5);
    EXPECT_GT(monoChecks, 5);
}

// The fault as a user met it: editing a drawing-only angle of a bend changed the
// log-normal totals, and undo and redo toggled between two figures.
TEST_F(SameNumbersTest, EditingABendsOrientationLeavesTheLogNormalTotals) {
    ASSERT_TRUE(s.OpenFile(LODO_EXAMPLES_DIR "/stack-nozzle-line.lxl"));
    DistributionSetting d;
    d.TypeDist = Distribution::LogNormal;
    d.MeanPart = 5;
    d.PartSD = 2.5f;
    s.ApplyDistribution(d);
    const std::string opened = s.Model().Display.SystemT.Text;
    const std::string mass = s.Model().Display.MassPent;
    s.EditComp(2); // B-1
    ASSERT_EQ(s.VisiblePage(), Page::Bend);
    ASSERT_TRUE(Enter(Box::BendOrientEdit, "45"));
    EXPECT_EQ(s.Model().Display.SystemT.Text, opened);
    EXPECT_EQ(s.Model().Display.MassPent, mass);
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(s.Model().Display.SystemT.Text, opened);
    ASSERT_TRUE(s.Redo());
    EXPECT_EQ(s.Model().Display.SystemT.Text, opened);
    ExpectFreshEvaluationOfTheSavedFile("after the edit");
}

} // namespace
