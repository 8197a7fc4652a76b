// Identities every valid line obeys, over random lines (seeded, so a failure repeats):
// penetrations are fractions, the system is the product of its components, the unit
// system of the file changes nothing, a longer tube never transmits more, the
// size-resolved mass penetration lies within the curve, and d50 is the first crossing.
#include "AnalysisTestLines.h"
#include "analysis/CutSize.h"
#include "analysis/PenetrationCurve.h"
#include "analysis/SizeResolvedPenetration.h"
#include "model/LineStructure.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

using namespace TestLines;

constexpr int Lines = 300;

// A line that breaks no input or structure rule: an inlet (or none), then two to
// six tubes, bends and cones, one air and one flow.
LodoList RandomLine(std::mt19937& rng) {
    const auto uni = [&](double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(rng);
    };
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const double T = uni(-20, 150), P = uni(60, 200), Q = uni(5, 120);
    double d = uni(6, 60);
    LodoList l;
    switch (pick(3)) {
    case 0:
        l.push_back(Nozzle(uni(4, d), d, uni(5, 50), Q, uni(2, 20)));
        break;
    case 1:
        l.push_back(Shroud("RF2-111", Q, uni(2, 20)));
        l.back().Dia2 = d;
        break;
    default:
        break;
    }
    const int n = 2 + pick(5);
    for (int i = 0; i < n; ++i) {
        switch (pick(4)) {
        case 0:
            l.push_back(Tube(d, uni(0, 5), Q, uni(-90, 90)));
            break;
        case 1:
            l.push_back(Bend(d, uni(d / 2000, 0.5), Q, uni(0, 180)));
            break;
        case 2: {
            const double out = d * uni(0.4, 1.0);
            l.push_back(Cone(false, d, out, Q, uni(5, 90)));
            d = out;
            break;
        }
        default: {
            const double out = d * uni(1.0, 2.5);
            l.push_back(Cone(true, d, out, Q, uni(5, 90)));
            d = out;
            break;
        }
        }
    }
    for (std::size_t i = 0; i < l.size(); ++i) {
        l[i].Temp = T;
        l[i].Press = P;
        l[i].Name = "X-" + std::to_string(i + 1);
    }
    return l;
}

// The same line with every value in English units.
LodoList InEnglish(LodoList l) {
    for (TLodoComp& c : l) {
        c.Temp = c.Temp * 1.8 + 32;
        c.Press /= Units::PConv;
        c.Flow /= Units::FConv;
        c.FStream /= Units::UConv;
        c.Dia1 /= Units::DConv;
        c.Dia2 /= Units::DConv;
        c.Brd /= Units::RConv;
        c.Len /= c.NTypeInt == NodeNozzle ? Units::DConv : Units::LConv;
        c.TempUnit = c.PressUnit = c.LenUnit = c.Dia1Unit = c.Dia2Unit = c.FlowUnit = c.RadiusUnit =
            c.FStreamUnit = Units::English;
    }
    return l;
}

LodoModel Evaluated(const LodoList& l, float dp) {
    LodoModel m = Model(l, "Mono", dp);
    AlignList(m, 0);
    return m;
}

bool Near(double a, double b, double rel) {
    return std::fabs(a - b) <= rel * std::max(std::fabs(a), std::fabs(b)) ||
           (std::isnan(a) && std::isnan(b));
}

TEST(PropertyTest, RandomValidLinesObeyTheIdentities) {
    std::mt19937 rng(20261211);
    for (int k = 0; k < Lines; ++k) {
        const LodoList line = RandomLine(rng);
        ASSERT_TRUE(LineStructure::Findings(line).empty()) << k;
        const float dp = static_cast<float>(
            std::exp(std::uniform_real_distribution<double>(std::log(0.01), std::log(100.0))(rng)));
        const LodoModel m = Evaluated(line, dp);

        // Fractions, and the system as the product of its components.
        double product = 1;
        for (std::size_t i = 0; i < m.List.size(); ++i) {
            const TLodoComp& c = m.List[i];
            product *= c.TransM1;
            if (c.NTypeInt == NodeNozzle || c.NTypeInt == NodeShroud)
                continue;
            EXPECT_GE(c.TransM1, 0.0) << k << " row " << i;
            EXPECT_LE(c.TransM1, 1.0) << k << " row " << i;
        }
        EXPECT_TRUE(Near(m.Ctx.SystemTrans, product, 1e-12)) << k;

        // The English file of the line gives the same results.
        const LodoModel e = Evaluated(InEnglish(line), dp);
        for (std::size_t i = 0; i < m.List.size(); ++i)
            EXPECT_TRUE(Near(e.List[i].TransM1, m.List[i].TransM1, 1e-12))
                << k << " row " << i << ": " << e.List[i].TransM1 << " vs " << m.List[i].TransM1;

        // A longer tube transmits no more, nor does the line.
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i].NTypeInt != NodeTube)
                continue;
            LodoList longer = line;
            longer[i].Len *= 1.5;
            const LodoModel l2 = Evaluated(longer, dp);
            EXPECT_LE(l2.List[i].TransM1, m.List[i].TransM1 * (1 + 1e-12)) << k << " row " << i;
            EXPECT_LE(l2.Ctx.SystemTrans, m.Ctx.SystemTrans * (1 + 1e-12)) << k << " row " << i;
            break;
        }
    }
}

TEST(PropertyTest, SizeResolvedAndCutSizeAgreeWithTheCurve) {
    std::mt19937 rng(7);
    const std::vector<float> sizes = Analysis::LogSpacedSizes(0.001, 1000, 301);
    for (int k = 0; k < Lines / 3; ++k) {
        const LodoList line = RandomLine(rng);
        const LodoModel m = Evaluated(line, 10.0f);
        const Analysis::PenetrationCurve curve = Analysis::ComputePenetrationCurve(m.List, sizes);
        const auto [lo, hi] = std::minmax_element(curve.System.begin(), curve.System.end());
        const double mmad = std::uniform_real_distribution<double>(0.5, 20)(rng);
        const double gsd = std::uniform_real_distribution<double>(1.2, 3)(rng);
        const auto r = Analysis::ComputeSizeResolved(m.List, mmad, gsd);
        ASSERT_TRUE(r.has_value()) << k;
        EXPECT_GE(r->MassPenetration, *lo * (1 - 1e-9)) << k;
        EXPECT_LE(r->MassPenetration, *hi * (1 + 1e-9)) << k;

        // d50: above the maximum, the curve stays above 50 % until d50 and is at or
        // below it just after.
        const auto d50 = Analysis::CutSizeD50(m.List);
        if (!d50)
            continue;
        const std::size_t top = static_cast<std::size_t>(hi - curve.System.begin());
        for (std::size_t s = top; s < sizes.size() && sizes[s] < *d50 * (1 - 1e-3); ++s)
            EXPECT_GT(curve.System[s], 0.5) << k << " at " << sizes[s] << ", d50 " << *d50;
        EXPECT_LE(AnalysisTest::MonoSystem(m, static_cast<float>(*d50 * (1 + 1e-3))), 0.5) << k;
    }
}

} // namespace
