#include "analysis/PenetrationCurve.h"

#include "AnalysisTestLines.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Analysis;

namespace {

std::vector<LodoModel> Lines() {
    std::vector<LodoModel> lines;
    for (const std::string& name : AnalysisTest::Examples)
        lines.push_back(AnalysisTest::LoadExample(name));
    lines.push_back(AnalysisTest::MixedLine());
    lines.push_back(AnalysisTest::ShroudLine());
    return lines;
}

TEST(LogSpacedSizes, EndsAndSpacing) {
    const std::vector<float> s = LogSpacedSizes();
    ASSERT_EQ(s.size(), 200u);
    EXPECT_EQ(s.front(), 0.01f);
    EXPECT_EQ(s.back(), 100.0f);
    for (std::size_t k = 1; k < s.size(); ++k)
        EXPECT_NEAR(std::log(s[k] / s[k - 1]), std::log(1e4) / 199, 1e-6);
    EXPECT_EQ(LogSpacedSizes(3.0, 7.0, 1), std::vector<float>{3.0f});
    EXPECT_TRUE(LogSpacedSizes(0.0, 7.0, 10).empty());
    EXPECT_TRUE(LogSpacedSizes(1.0, NAN, 10).empty());
    EXPECT_TRUE(LogSpacedSizes(1.0, 10.0, 0).empty());
}

// Each value is what the monodisperse evaluation gives at that size, bit for bit, and
// the line the curve was computed from is left exactly as it was.
TEST(PenetrationCurve, BitIdenticalToMonoEvaluation) {
    std::vector<float> sizes = LogSpacedSizes(0.001, 1000.0, 61);
    for (float d : {0.01f, 0.3f, 1.0f, 2.5f, 5.0f, 10.0f, 12.3f, 50.0f, 100.0f})
        sizes.push_back(d);
    for (const LodoModel& m : Lines()) {
        const LodoModel before = m;
        const PenetrationCurve curve = ComputePenetrationCurve(m.List, sizes);
        EXPECT_EQ(m.List, before.List);
        ASSERT_EQ(curve.Components(), m.List.size());
        ASSERT_EQ(curve.System.size(), sizes.size());
        for (std::size_t i = 0; i < m.List.size(); ++i)
            EXPECT_EQ(curve.Names[i], m.List[i].Name);
        for (std::size_t k = 0; k < sizes.size(); ++k) {
            const LodoModel mono = AnalysisTest::MonoAt(m, sizes[k]);
            for (std::size_t i = 0; i < m.List.size(); ++i) {
                EXPECT_EQ(curve.At(k, i), mono.List[i].TransM1)
                    << m.List[i].Name << " at " << sizes[k] << " um";
            }
            EXPECT_EQ(curve.System[k], mono.Ctx.SystemTrans) << "system at " << sizes[k] << " um";
        }
    }
}

// Particles that are not unit-density spheres: the curve still is the monodisperse
// evaluation at each size, bit for bit, both ways of giving sizes; the tubes lose more to
// diffusion below 0.5 um (the volume-equivalent size diffuses faster), the inertial
// mechanisms see the aerodynamic size.
TEST(PenetrationCurve, RealParticlesBitIdenticalToMonoEvaluation) {
    const std::vector<float> sizes = LogSpacedSizes(0.01, 30.0, 17);
    for (const LodoMath::SizeType type :
         {LodoMath::SizeType::Aerodynamic, LodoMath::SizeType::Physical}) {
        LodoMath::ParticleProperties pp;
        pp.Density = 2500;
        pp.ShapeFactor = 1.3;
        pp.Sizes = type;
        for (LodoModel m : Lines()) {
            m.Ctx.Particle = pp;
            const PenetrationCurve curve = ComputePenetrationCurve(m.List, sizes, pp);
            for (std::size_t k = 0; k < sizes.size(); ++k) {
                const LodoModel mono = AnalysisTest::MonoAt(m, sizes[k]);
                for (std::size_t i = 0; i < m.List.size(); ++i)
                    EXPECT_EQ(curve.At(k, i), mono.List[i].TransM1)
                        << m.List[i].Name << " at " << sizes[k] << " um";
            }
        }
    }
    // A 5 m tube of 4 mm at 0.05 um aerodynamic: density 2500 diffuses faster.
    using namespace TestLines;
    const LodoList tube{Tube(4.0, 5.0, 2.0, 0.0)};
    const float small[] = {0.05f};
    LodoMath::ParticleProperties dense;
    dense.Density = 2500;
    EXPECT_LT(ComputePenetrationCurve(tube, small, dense).System[0],
              ComputePenetrationCurve(tube, small).System[0]);
}

// The curve is the monodisperse one whatever the line's particle description.
TEST(PenetrationCurve, IndependentOfTheParticleDescription) {
    LodoModel m = AnalysisTest::LoadExample("stack-nozzle-line.lxl");
    const std::vector<float> sizes = LogSpacedSizes(0.1, 50.0, 20);
    const PenetrationCurve mono = ComputePenetrationCurve(m.List, sizes);
    m.Ctx.DType = m.Ctx.TypeDist = Distribution::LogNormal;
    AlignList(m, 0);
    EXPECT_EQ(ComputePenetrationCurve(m.List, sizes).System, mono.System);
}

// An inlet sampling faster than isokinetic aspirates more than its share of large
// particles: the curve carries that, above 1.
TEST(PenetrationCurve, InletAspirationMayExceedOne) {
    using namespace TestLines;
    LodoList l{Nozzle(10.0, 10.0, 1.0, 10.0, 12.0)};
    const PenetrationCurve c = ComputePenetrationCurve(l, LogSpacedSizes(1.0, 20.0, 5));
    EXPECT_GT(c.System.back(), 1.0);
}

TEST(PenetrationCurve, TwoIdenticalTubesSquareOne) {
    using namespace TestLines;
    const TLodoComp tube = Tube(6.0, 4.0, 5.0, 0.0);
    const std::vector<float> sizes = LogSpacedSizes();
    const PenetrationCurve one = ComputePenetrationCurve(LodoList{tube}, sizes);
    const PenetrationCurve two = ComputePenetrationCurve(LodoList{tube, tube}, sizes);
    for (std::size_t k = 0; k < sizes.size(); ++k)
        EXPECT_EQ(two.System[k], one.System[k] * one.System[k]) << sizes[k];
}

TEST(PenetrationCurve, EmptyLineTransmitsEverything) {
    const PenetrationCurve c = ComputePenetrationCurve(LodoList{}, LogSpacedSizes(1.0, 2.0, 3));
    EXPECT_EQ(c.Components(), 0u);
    EXPECT_EQ(c.System, (std::vector<double>{1.0, 1.0, 1.0}));
}

} // namespace
