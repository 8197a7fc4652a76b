#include "analysis/SizeResolved.h"

#include "AnalysisTestLines.h"
#include "TestPrecision.h"
#include "analysis/CutSize.h"
#include "analysis/PenetrationCurve.h"
#include "analysis/SizeResolvedPenetration.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Analysis;

namespace {

struct Aerosol {
    double MMAD, GSD;
};
constexpr Aerosol Aerosols[] = {{5.0, 2.5}, {1.0, 1.5}, {20.0, 3.5}, {0.3, 2.0}};

// An independent integration: Simpson's rule on 60,000 intervals over eight GSDs
// either side of the medians; its median by linear interpolation of the cumulative
// mass. Fine enough that the models' jumps in size (bends) cost it less than 2e-5.
// The per-size values come from the curve, which is the Mono evaluation bit for bit
// (PenetrationCurveTest).
struct BruteForce {
    double Mass, Number, MMAD;
};
BruteForce Integrate(const LodoModel& m, double MMAD, double GSD) {
    const double s = std::log(GSD);
    const double xm = std::log(MMAD), xn = xm - 3 * s * s;
    const double lo = std::max(std::log(0.001), xn - 8 * s);
    const double hi = std::min(std::log(1000.0), xm + 8 * s);
    const int n = 60000;
    const double h = (hi - lo) / n;
    std::vector<float> sizes;
    for (int k = 0; k <= n; ++k)
        sizes.push_back(static_cast<float>(std::exp(lo + h * k)));
    const PenetrationCurve curve = ComputePenetrationCurve(m.List, sizes);
    double min = 0, mout = 0, nin = 0, nout = 0;
    std::vector<double> cum(n + 1);
    for (int k = 0; k <= n; ++k) {
        const double x = lo + h * k;
        const double w = (k == 0 || k == n) ? 1 : (k % 2 ? 4 : 2);
        const double P = curve.System[static_cast<std::size_t>(k)];
        const double fm = std::exp(-(x - xm) * (x - xm) / (2 * s * s));
        const double fn = std::exp(-(x - xn) * (x - xn) / (2 * s * s));
        min += w * fm;
        mout += w * fm * P;
        nin += w * fn;
        nout += w * fn * P;
        cum[k] = (k ? cum[k - 1] : 0) + fm * P;
    }
    double median = NAN;
    for (int k = 1; k <= n; ++k)
        if (cum[k] >= cum[n] / 2) {
            const double t = (cum[n] / 2 - cum[k - 1]) / (cum[k] - cum[k - 1]);
            median = std::exp(lo + h * (k - 1 + t));
            break;
        }
    return {mout / min, nout / nin, median};
}

TEST(SizeResolved, CountMedianIsHatchChoate) {
    // Hatch & Choate's (1929) conversion for a log-normal distribution, MMAD 5 um,
    // GSD 2.5: CMD = 5 exp(-3 ln^2 2.5) = 0.402795 um.
    EXPECT_NEAR(CountMedian(5.0, 2.5), 0.402795, 5e-6);
    EXPECT_DOUBLE_EQ(CountMedian(7.0, 1.0), 7.0);
}

TEST(SizeResolved, AgreesWithBruteForceIntegration) {
    for (const std::string& name : AnalysisTest::Examples) {
        const LodoModel m = AnalysisTest::LoadExample(name);
        for (const Aerosol& a : Aerosols) {
            SCOPED_TRACE(name + " MMAD " + std::to_string(a.MMAD) + " GSD " +
                         std::to_string(a.GSD));
            const auto r = ComputeSizeResolved(m.List, a.MMAD, a.GSD);
            ASSERT_TRUE(r.has_value());
            const BruteForce b = Integrate(m, a.MMAD, a.GSD);
            EXPECT_NEAR(r->MassPenetration, b.Mass, 1e-4);
            EXPECT_NEAR(r->NumberPenetration, b.Number, 1e-4);
            if (b.Mass > 1e-3) {
                EXPECT_REL_NEAR(r->PenetratedMMAD, b.MMAD, 2e-3);
            }
        }
    }
}

// The figures first found for the stack-nozzle example at the ICRP default aerosol
// (ICRP Publication 66: 5 um AMAD, GSD 2.5) by evaluating it size by size (--mono) and
// integrating by hand: 75.5 % of the mass, 98.4 % of the number (a coarser
// integration; 1e-3).
TEST(SizeResolved, ExampleFiguresAtDefaultAerosol) {
    const auto r =
        ComputeSizeResolved(AnalysisTest::LoadExample("stack-nozzle-line.lxl").List, 5.0, 2.5);
    ASSERT_TRUE(r.has_value());
    EXPECT_NEAR(r->MassPenetration, 0.755, 1e-3);
    EXPECT_NEAR(r->NumberPenetration, 0.984, 1e-3);
}

TEST(SizeResolved, NarrowDistributionTendsToMonodisperse) {
    for (const std::string& name : AnalysisTest::Examples) {
        const LodoModel m = AnalysisTest::LoadExample(name);
        for (double mmad : {0.5, 5.0, 15.0}) {
            const auto r = ComputeSizeResolved(m.List, mmad, 1.01);
            ASSERT_TRUE(r.has_value());
            const double mono = AnalysisTest::MonoSystem(m, static_cast<float>(mmad));
            EXPECT_NEAR(r->MassPenetration, mono, 1e-3) << name << " " << mmad;
            EXPECT_NEAR(r->NumberPenetration, mono, 1e-3) << name << " " << mmad;
            // GSD 1 is the monodisperse aerosol itself.
            const auto one = ComputeSizeResolved(m.List, mmad, 1.0);
            ASSERT_TRUE(one.has_value());
            EXPECT_EQ(one->MassPenetration, mono);
            EXPECT_EQ(one->NumberPenetration, mono);
        }
    }
}

// The components' values are of the aerosol that reaches each one, so they multiply
// to the system's; deposits and what leaves account for all the mass that entered.
TEST(SizeResolved, ComponentsMultiplyToSystemAndMassBalances) {
    std::vector<LodoModel> lines;
    for (const std::string& name : AnalysisTest::Examples)
        lines.push_back(AnalysisTest::LoadExample(name));
    lines.push_back(AnalysisTest::MixedLine());
    LodoModel noInlet = AnalysisTest::MixedLine();
    noInlet.List.erase(noInlet.List.begin());
    lines.push_back(noInlet);
    for (const LodoModel& m : lines) {
        for (const Aerosol& a : Aerosols) {
            const auto r = ComputeSizeResolved(m.List, a.MMAD, a.GSD);
            ASSERT_TRUE(r.has_value());
            ASSERT_EQ(r->Components.size(), m.List.size());
            double mass = 1, number = 1, deposited = 0;
            for (const ComponentSizeResolved& c : r->Components) {
                mass *= c.MassPenetration;
                number *= c.NumberPenetration;
                deposited += c.MassDeposited;
            }
            EXPECT_REL_NEAR(mass, r->MassPenetration, 1e-12);
            EXPECT_REL_NEAR(number, r->NumberPenetration, 1e-12);
            const bool inlet = m.List.front().NTypeInt >= NodeNozzle;
            if (!inlet)
                EXPECT_NEAR(deposited + r->MassPenetration, 1.0, 1e-12);
            else
                EXPECT_LE(deposited, 1.0 + 1e-12);
        }
    }
}

TEST(SizeResolved, TwoIdenticalTubes) {
    using namespace TestLines;
    const TLodoComp tube = Tube(6.0, 4.0, 5.0, 0.0);
    const auto one = ComputeSizeResolved(LodoList{tube}, 2.0, 2.0);
    const auto two = ComputeSizeResolved(LodoList{tube, tube}, 2.0, 2.0);
    ASSERT_TRUE(one && two);
    // The second tube meets an aerosol the first has already thinned of what it
    // catches best, so it lets more of it through than the first did.
    EXPECT_GT(two->Components[1].MassPenetration, one->MassPenetration);
    EXPECT_LT(two->MassPenetration, one->MassPenetration);
    EXPECT_NEAR(two->Components[0].MassPenetration, one->MassPenetration,
                1e-4); // to the integration's accuracy
}

// GSDs nearer 1 than a float can be: the lattice's panels could not advance (a hang)
// or had no width (NaN). They are the monodisperse aerosol.
TEST(SizeResolved, SpreadNarrowerThanAFloatIsMonodisperse) {
    const LodoModel m = AnalysisTest::MixedLine();
    for (double gsd : {std::nextafter(1.0, 2.0), 1 + 3e-16, 1 + 1e-15, 1 - 1e-15})
        for (double mmad : {0.001, 10.0, 999.0, 1000.0}) {
            const auto r = ComputeSizeResolved(m.List, mmad, gsd);
            ASSERT_TRUE(r.has_value());
            EXPECT_EQ(r->MassPenetration, ComputeSizeResolved(m.List, mmad, 1.0)->MassPenetration)
                << gsd - 1 << " " << mmad;
        }
}

TEST(SizeResolved, GsdBelowOneIsItsInverse) {
    const LodoModel m = AnalysisTest::LoadExample("stack-nozzle-line.lxl");
    const auto a = ComputeSizeResolved(m.List, 5.0, 2.5);
    const auto b = ComputeSizeResolved(m.List, 5.0, 1 / 2.5);
    ASSERT_TRUE(a && b);
    EXPECT_NEAR(a->MassPenetration, b->MassPenetration, 1e-12);
}

TEST(SizeResolved, RefusesWhatIsNotADistribution) {
    const LodoList l = AnalysisTest::MixedLine().List;
    for (Aerosol a : {Aerosol{0.0, 2.0}, Aerosol{-1.0, 2.0}, Aerosol{NAN, 2.0}, Aerosol{5.0, 0.0},
                      Aerosol{5.0, -2.0}, Aerosol{5.0, INFINITY}, Aerosol{1e9, 1.1}})
        EXPECT_FALSE(ComputeSizeResolved(l, a.MMAD, a.GSD).has_value()) << a.MMAD << " " << a.GSD;
}

TEST(SizeResolved, NothingLeavesAFullBlock) {
    TLodoComp block = TestLines::Base("X-1", "Other", 0);
    block.TransM1 = 0;
    const auto r = ComputeSizeResolved(LodoList{block, TestLines::Tube(6.0, 1.0, 5.0)}, 5.0, 2.5);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->MassPenetration, 0.0);
    EXPECT_TRUE(std::isnan(r->PenetratedMMAD));
    EXPECT_TRUE(std::isnan(r->Components[1].MassPenetration)); // nothing arrives
    EXPECT_DOUBLE_EQ(r->Components[0].MassDeposited, 1.0);
    EXPECT_EQ(r->Components[1].MassDeposited, 0.0);
}

} // namespace

namespace {

TEST(SizeResolvedOf, DistributionOnlyInLogNormalMode) {
    LodoModel m = AnalysisTest::LoadExample("stack-nozzle-line.lxl");
    const Analysis::SizeResolvedSummary mono = Analysis::SizeResolvedOf(m);
    EXPECT_TRUE(mono.D50.has_value());
    EXPECT_FALSE(mono.Distribution.has_value());
    m.Ctx.DType = m.Ctx.TypeDist = Distribution::LogNormal;
    m.Ctx.MDp = 3.0f;
    m.Ctx.DpSD = 1.8f;
    const Analysis::SizeResolvedSummary ln = Analysis::SizeResolvedOf(m);
    EXPECT_EQ(ln.D50, mono.D50); // the cut size does not depend on the aerosol
    ASSERT_TRUE(ln.Distribution.has_value());
    EXPECT_EQ(ln.Distribution->MassPenetration,
              Analysis::ComputeSizeResolved(m.List, 3.0f, 1.8f)->MassPenetration);
}

// What a study records: the line's mass penetration, or that of the rows from
// `first` of the aerosol reaching them; nothing for a monodisperse line.
TEST(SizeResolvedMassPenetration, OfTheRowsFromFirstAndOnlyForADistribution) {
    LodoModel m = AnalysisTest::LoadExample("stack-nozzle-line.lxl");
    m.Ctx.DType = m.Ctx.TypeDist = Distribution::LogNormal;
    const auto r = Analysis::ComputeSizeResolved(m.List, m.Ctx.MDp, m.Ctx.DpSD);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(Analysis::SizeResolvedMassPenetration(m, 0), r->MassPenetration);
    EXPECT_REL_NEAR(Analysis::SizeResolvedMassPenetration(m, 1),
                    r->MassPenetration / r->Components[0].MassPenetration, 1e-12);
    EXPECT_TRUE(std::isnan(Analysis::SizeResolvedMassPenetration(m, m.List.size() + 1)));
    m.Ctx.DType = m.Ctx.TypeDist = Distribution::Mono;
    EXPECT_TRUE(std::isnan(Analysis::SizeResolvedMassPenetration(m, 0)));
    EXPECT_TRUE(std::isnan(Analysis::SizeResolvedMassPenetration(m, 1)));
}

} // namespace

namespace {

// One table serves the curve, the size-resolved result and the cut size: most of the
// latter two's sizes are the curve's, and each result is the one computed alone.
TEST(SizeTable, SharedByCurveDistributionAndCutSize) {
    const LodoModel m = AnalysisTest::LoadExample("shrouded-probe-line.lxl");
    Analysis::SizeTable alone(m.List);
    const auto d = Analysis::ComputeSizeResolved(alone, 5.0, 2.5);
    const std::size_t distributionSizes = alone.Evaluated();

    Analysis::SizeTable shared(m.List);
    const std::vector<float> sizes = Analysis::LogSpacedSizes();
    const Analysis::PenetrationCurve curve =
        Analysis::ComputePenetrationCurve(m.List, sizes, shared);
    EXPECT_EQ(shared.Evaluated(), sizes.size());
    const auto d2 = Analysis::ComputeSizeResolved(shared, 5.0, 2.5);
    EXPECT_LT(shared.Evaluated() - sizes.size(), distributionSizes / 2);
    ASSERT_TRUE(d && d2);
    EXPECT_EQ(d->MassPenetration, d2->MassPenetration);
    EXPECT_EQ(Analysis::CutSizeD50(shared), Analysis::CutSizeD50(m.List));
    EXPECT_EQ(curve.System, Analysis::ComputePenetrationCurve(m.List, sizes).System);
}

} // namespace
