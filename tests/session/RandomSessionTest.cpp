// Randomized editing sessions (fixed seeds): after every operation the line keeps
// its invariants, a cancelled question changes nothing, and at the end undo walks
// back through every step exactly and redo forward again.
#include "SessionFixture.h"

#include <cmath>
#include <random>
#include <set>

namespace {

bool SameNumber(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool SameLine(const LodoList& a, const LodoList& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        TLodoComp x = a[i], y = b[i];
        for (double TLodoComp::*r : {&TLodoComp::TransM1, &TLodoComp::TransM2, &TLodoComp::TransM3,
                                     &TLodoComp::TransM4, &TLodoComp::PTrans, &TLodoComp::MTrans})
            if (SameNumber(x.*r, y.*r))
                x.*r = y.*r = 0;
        if (!(x == y))
            return false;
    }
    return true;
}

struct State {
    LodoList List;
    std::string LineName;
    NameCounters Counters;
    int CurrRow;
    Operation RefNum;
    Page Visible;
    std::string Heading;
    std::optional<Box> Focus;
    DistributionSetting Dist;

    bool operator==(const State& o) const {
        return SameLine(List, o.List) && LineName == o.LineName && Counters == o.Counters &&
               CurrRow == o.CurrRow && RefNum == o.RefNum && Visible == o.Visible &&
               Heading == o.Heading && Dist == o.Dist;
    }
};

const char* const Texts[] = {"2.5", "0",   "-1",  "360",  "181",  "1.2.3",   "",
                             "-",   "1,5", "-40", "-300", "1e-9", "12",      "90",
                             "45",  "0.5", "57",  "1e5",  "-0",   "34.92345"};

} // namespace

class RandomSessionTest : public SessionTest {
protected:
    State Now() const {
        return {s.List(),        s.LineName(),  s.Counters(),   s.Ctx().CurrRow, s.Ctx().RefNum,
                s.VisiblePage(), s.NodeNameL(), s.FocusedBox(), s.Distribution()};
    }

    void CheckInvariants(const std::string& where) {
        std::set<std::string> names;
        for (int i = 0; i < s.Count(); ++i) {
            EXPECT_TRUE(names.insert(Base(At(i).Name)).second) << where << ": " << At(i).Name;
            const bool inlet = At(i).NTypeInt == NodeNozzle || At(i).NTypeInt == NodeShroud;
            EXPECT_FALSE(i > 0 && inlet) << where << ": an inlet at " << i;
            for (int c = 0; c < static_cast<int>(GridColumns.size()); ++c)
                EXPECT_FALSE(s.Grid1GetValue(c, i).empty()) << where;
        }
        if (const std::optional<Box> focus = s.FocusedBox()) {
            EXPECT_EQ(InfoOf(*focus).OnPage, s.VisiblePage()) << where;
        }
        if (s.VisiblePage() != Page::None) {
            ASSERT_GE(s.Ctx().CurrRow, 1) << where;
            ASSERT_LE(s.Ctx().CurrRow, s.Count()) << where;
            EXPECT_EQ(s.NodeNameL(), "Component: " + Edited().Name) << where;
        }
    }
};

TEST_F(RandomSessionTest, EveryStepKeepsTheLineSoundAndUndoesExactly) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        StartAfresh();
        std::mt19937 rng(seed);
        const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        std::vector<State> before, after;
        for (int step = 0; step < 150; ++step) {
            ui.ClearRecord();
            ui.Answers.clear();
            ui.Selections.clear();
            const State pre = Now();
            const std::size_t done = s.History().Index();
            const std::string where =
                "seed " + std::to_string(seed) + " step " + std::to_string(step);
            bool cancelled = false;
            switch (pick(14)) {
            case 0:
                (s.*std::array{&LodoSession::TubeMenuClick, &LodoSession::BendMenuClick,
                               &LodoSession::ContractMenuClick, &LodoSession::ExpandMenuClick,
                               &LodoSession::ShroudMenuClick,
                               &LodoSession::NozzleMenuClick}[pick(6)])();
                break;
            case 1:
            case 2:
            case 3:
            case 4:
                if (s.VisiblePage() != Page::None) {
                    const auto rows = InfoOf(s.VisiblePage()).Rows;
                    const Box b = rows[pick(static_cast<int>(rows.size()))].Id;
                    s.FocusBox(b);
                    s.SetBoxText(b, Texts[pick(std::size(Texts))]);
                    if (pick(2))
                        s.BoxKey(b, static_cast<EditKey>(pick(3)));
                    else
                        s.FocusBox(std::nullopt);
                }
                break;
            case 5:
                s.SwitchUnit(static_cast<Quantity>(pick(9)),
                             pick(2) ? UnitChoice::English : UnitChoice::Metric);
                break;
            case 6:
                s.ProbeSelect(pick(6));
                break;
            case 7:
                s.EditComp(pick(s.Count() + 1));
                break;
            case 8:
            case 9: {
                ui.Selections.push_back(
                    {true, pick(std::max(s.Count(), 1)), pick(std::max(s.Count(), 1))});
                if (pick(2))
                    s.MenuItemMoveCompClick();
                else
                    s.MenuItemDelCompClick();
                break;
            }
            case 10:
                s.SetLineName(std::array{"Stack 3", "Sample Line 1", ""}[pick(3)]);
                break;
            case 11: {
                DistributionSetting d;
                d.TypeDist = pick(2) ? Distribution::LogNormal : Distribution::Mono;
                d.PartSize = static_cast<float>(1 + pick(20));
                d.MeanPart = static_cast<float>(1 + pick(8));
                s.ApplyDistribution(d);
                break;
            }
            case 12:
                // Asked only with unsaved changes; otherwise a new line starts the history.
                ui.Answers.push_back(Answer::Cancel);
                cancelled = !s.NewLineClick();
                if (!cancelled) {
                    before.clear();
                    after.clear();
                    continue;
                }
                break;
            case 13:
                ui.Answers.push_back(Answer::Cancel);
                cancelled = !s.MenuItemExitClick();
                break;
            }
            CheckInvariants(where);
            if (cancelled) {
                EXPECT_TRUE(Now() == pre) << where;
                EXPECT_EQ(Now().Focus, pre.Focus) << where;
            }
            const std::size_t now = s.History().Index();
            ASSERT_LE(now, done + 1) << where;
            if (now == done + 1) {
                before.push_back(pre);
                after.push_back(Now());
            } else {
                EXPECT_TRUE(SameLine(s.List(), pre.List)) << where << ": a change without a step";
            }
            if (::testing::Test::HasFailure())
                return;
        }
        ASSERT_EQ(s.History().Index(), before.size());
        for (std::size_t k = before.size(); k-- > 0;) {
            ASSERT_TRUE(s.Undo());
            ASSERT_TRUE(Now() == before[k]) << "seed " << seed << ": undo of step " << k;
        }
        EXPECT_FALSE(s.CanUndo());
        for (std::size_t k = 0; k < after.size(); ++k) {
            ASSERT_TRUE(s.Redo());
            ASSERT_TRUE(Now() == after[k]) << "seed " << seed << ": redo of step " << k;
        }
        EXPECT_FALSE(s.CanRedo());
    }
}
