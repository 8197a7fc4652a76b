#include "splitter/core/Wye.h"

#include "TestPrecision.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(WyeCalcT, StartValuesShowTheReferenceResults) {
    // The splitter's start values with the start-up particle size of 10 um; 0.98944 is
    // the empirical wye correlation as defined, evaluated independently to five digits.
    const Wye::WyeResults r = Wye::CalcT(Wye::WyeInputs{}, 10.0f);
    EXPECT_EQ(r.Label1, "98.944");
    EXPECT_EQ(r.Label7, "Do: Theoretical Outlet Tube Dia (mm): 26.67");
    EXPECT_EQ(r.Label9, "Li: Minimum Inlet Tube Length (mm): 400.05");
    EXPECT_EQ(r.Label10, "Lo: Minimum outlet Tube Length (mm): 495.3");
    EXPECT_EQ(r.Label15, "Stokes Number: 0.0134");
    EXPECT_EQ(r.Label16, "Reynolds Number: 2045.4");
    EXPECT_REL_NEAR(r.YTrans, 0.98944, TestPrecision::FiveDigits);
}

TEST(WyeCalcT, GeometryScalesWithTheInletDiameterOnly) {
    Wye::WyeInputs wide;
    wide.YDi = 100;
    const Wye::WyeResults r = Wye::CalcT(wide, 10.0f);
    EXPECT_EQ(r.Label7, "Do: Theoretical Outlet Tube Dia (mm): 70");
    EXPECT_EQ(r.Label9, "Li: Minimum Inlet Tube Length (mm): 1050");
    EXPECT_EQ(r.Label10, "Lo: Minimum outlet Tube Length (mm): 1300");
}

TEST(WyeCalcT, WiderAngleLosesMore) {
    Wye::WyeInputs right;
    right.YAngle = 90;
    const Wye::WyeResults r = Wye::CalcT(right, 10.0f);
    EXPECT_EQ(r.Label1, "98.246");
    // The angle enters the penetration only.
    const Wye::WyeResults start = Wye::CalcT(Wye::WyeInputs{}, 10.0f);
    EXPECT_EQ(r.Label15, start.Label15);
    EXPECT_EQ(r.Label16, start.Label16);
}

TEST(WyeCalcT, LargerParticlesPenetrateLess) {
    const Wye::WyeResults small = Wye::CalcT(Wye::WyeInputs{}, 5.0f);
    const Wye::WyeResults large = Wye::CalcT(Wye::WyeInputs{}, 20.0f);
    EXPECT_GT(small.YTrans, large.YTrans);
    EXPECT_GT(large.Stoke, small.Stoke);
}

TEST(WyeLimits, ThreeLinesWithTheirSymbols) {
    const auto lines = Wye::LimitsLines();
    EXPECT_EQ(lines[0], "0.034 \u2264 Stk \u2264 1.248");
    EXPECT_EQ(lines[1], "30\u00b0 \u2264 \u03b8 \u2264 90\u00b0");
    EXPECT_EQ(lines[2], "2560 \u2264 Re \u2264 13,600");
    EXPECT_EQ(Wye::LimitsText(), lines[0] + "\n" + lines[1] + "\n" + lines[2]);
}

TEST(WyeGeneralDigits, ShortestTextWithinTheDigits) {
    struct Case {
        double x;
        int digits;
        const char* text;
    };
    const Case cases[] = {
        {0.0, 5, "0"},
        {98.94449, 5, "98.944"},
        {26.67, 5, "26.67"},
        {495.3, 5, "495.3"},
        {100.0, 3, "100"},
        {12345.0, 5, "12345"},
        {-0.5, 3, "-0.5"},
        {0.013449, 3, "0.0134"},
        {2045.401, 6, "2045.4"},
        {0.00001234, 3, "0.0000123"}, // at or above 1E-5: still fixed
        {1.5e-7, 5, "1.5E-7"},        // below 1E-5: scientific
        {123456.7, 5, "1.2346E5"},    // integer part longer than the digits
        {99999.7, 5, "1E5"},          // rounding carries into a sixth digit
        {-2.5e-9, 3, "-2.5E-9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Wye::GeneralDigits(c.x, c.digits), c.text) << c.x << " with " << c.digits;
    }
}

TEST(WyeGeneralDigits, NonFiniteIsNeverAPlausibleNumber) {
    EXPECT_EQ(Wye::GeneralDigits(std::nan(""), 5), "NaN");
    EXPECT_EQ(Wye::GeneralDigits(HUGE_VAL, 5), "INF");
    EXPECT_EQ(Wye::GeneralDigits(-HUGE_VAL, 5), "-INF");
}

TEST(WyeCheckInput, OutOfRangeIsRefusedNamingTheRange) {
    struct Case {
        Wye::Input which;
        double value;
        const char* message; // nullptr: accepted
    } const cases[] = {
        {Wye::Input::Flow, 500, "Inlet flow rate must be between 0.001 and 200 LPM."},
        {Wye::Input::Flow, 200, nullptr},
        {Wye::Input::Flow, 0, "Inlet flow rate must be between 0.001 and 200 LPM."},
        {Wye::Input::Angle, 29.9, "Bifurcation angle must be between 30 and 90 degrees."},
        {Wye::Input::Angle, 90, nullptr},
        {Wye::Input::Di, 0, "Inlet internal diameter must be at least 0.01 mm."},
        {Wye::Input::Di, 0.01, nullptr},
        {Wye::Input::Di, 1e6, nullptr},
        {Wye::Input::Temp, -5, "Temperature must be between 0.01 and 1000 C."},
        {Wye::Input::Press, 1000.5, "Pressure must be between 0.01 and 1000 kPa."},
        {Wye::Input::Press, 101.325, nullptr},
    };
    for (const Case& c : cases) {
        const auto m = Wye::CheckInput(c.which, c.value);
        if (!c.message)
            EXPECT_FALSE(m) << c.value << ": " << *m;
        else
            EXPECT_EQ(m.value_or("(accepted)"), c.message) << c.value;
    }
}

TEST(WyeCalcT, ResultsOutsideTheModelLimitationsAreMarked) {
    // The start values are outside already: Stk 0.0134 < 0.034, Re 2045.4 < 2560.
    const Wye::WyeResults start = Wye::CalcT(Wye::WyeInputs{}, 10.0f);
    EXPECT_TRUE(start.StokesOutside);
    EXPECT_TRUE(start.ReynoldsOutside);
    EXPECT_EQ(start.LimitsNote,
              "Outside the model limitations (Stk 0.0134, Re 2045.4): the penetration "
              "is an extrapolation of the correlation.");
    // 150 L/min through 25 mm at 10 um: Re and Stk both within.
    Wye::WyeInputs inside;
    inside.YFlow = 150;
    inside.YDi = 25;
    const Wye::WyeResults r = Wye::CalcT(inside, 10.0f);
    EXPECT_FALSE(r.StokesOutside) << r.Stoke;
    EXPECT_FALSE(r.ReynoldsOutside) << r.Reynolds;
    EXPECT_EQ(r.LimitsNote, "");
}

TEST(WyeParticleSize, SaysWhichSizeIsUsed) {
    EXPECT_EQ(Wye::ParticleSizeText(10.0f, false),
              "Particle size: 10 \u00b5m, the monodisperse size of the distribution window.");
    EXPECT_EQ(
        Wye::ParticleSizeText(3.5f, true),
        "Particle size: 3.5 \u00b5m, the monodisperse size of the distribution window (the line is "
        "evaluated for the log-normal distribution; this splitter model takes one size).");
}

} // namespace
