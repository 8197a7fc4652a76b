#include "report/core/ResultsReport.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(FixedPD, RoundsToPrecisionThenToDigits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double x;
        int p, d;
        const char* expected;
    } cases[] = {
        {95.37, 3, 1, "95.4"},        {100.0, 3, 1, "100.0"},
        {99.96, 3, 1, "100.0"},       {5.678, 3, 1, "5.7"},
        {5.678, 2, 2, "5.70"},        {0.04, 3, 1, "0.0"},
        {57, 4, 2, "57.00"},          {1234.567, 4, 2, "1235.00"},
        {12345.6, 4, 2, "1.235E+04"}, {0.00004, 4, 2, "0.00"},
        {-45, 6, 1, "-45.0"},         {-0.01, 6, 1, "0.0"},
        {0.123456, 8, 2, "0.12"},     {0, 4, 1, "0.0"},
        {nan, 4, 2, "invalid"},       {1e300, 4, 2, "1.000E+300"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FixedPD(c.x, c.p, c.d), c.expected) << c.x << " " << c.p << " " << c.d;
}

TLodoComp Comp(const char* name, const char* type, int code, double t1, double t2, double t3) {
    TLodoComp c;
    c.Name = name;
    c.NType = type;
    c.NTypeInt = code;
    c.TransM1 = t1;
    c.TransM2 = t2;
    c.TransM3 = t3;
    c.TransM4 = 1;
    c.Temp = 25;
    c.Press = 101.325;
    c.Len = 1;
    c.Brd = 0.1016;
    c.Dia1 = 34.9;
    c.Dia2 = 34.9;
    c.Ang1 = 0;
    c.Ang2 = 90;
    c.Flow = 57;
    c.FStream = 10;
    c.TempUnit = c.PressUnit = c.LenUnit = c.Dia1Unit = c.Dia2Unit = c.FlowUnit = c.RadiusUnit =
        c.FStreamUnit = "Metric";
    return c;
}

TEST(BuildPr, EveryComponentTypeWithItsTail) {
    LodoList line;
    line.push_back(Comp("N-1", "Nozzle", 5, 0.9537, 1.0234, 0.0123));
    line.back().Ang1 = -90;
    line.push_back(Comp("T-1 *", "Tube", 1, 1.0, 0.99, 0.98));
    line.back().Len = 2.5;
    line.push_back(Comp("B-1", "Bend", 2, 0.9, 1, 1));
    line.back().Brd = 6; // in: 0.1524 m over 34.9 mm
    line.back().RadiusUnit = "English";
    line.push_back(Comp("C-1", "Contraction", 3, 0.999, 1, 1));
    line.back().Dia2 = 23.2667;
    line.back().Ang2 = 45;
    line.push_back(Comp("E-1", "Expansion", 4, 0.5, 1, 1));
    line.back().Dia1 = 0.916;
    line.back().Dia1Unit = "English";
    line.back().Dia2 = 52.35;
    line.push_back(Comp("X-1", "Unknown", 0, 0.5, 1, 1));
    line.push_back(Comp("N-2", "RF2-111", 6, 0.8123, 1.1, 0.95));
    line.back().Ang1 = 12.26;

    const ReportResult r = BuildPr(line, "Stack 3", "= 32.41");
    ASSERT_TRUE(std::holds_alternative<std::vector<std::string>>(r));
    const std::vector<std::string> expected = {
        "Results Report",
        "Sample Line Name: Stack 3",
        "Total System Penetration = 32.41",
        "Sample Flow Rate = 57.00 LPM",
        "Free Stream Velocity = 10.00 m/s",
        "Node  Penetration   Component",
        " N-1        95.4 %        Nozzle; Di= 34.90 mm; Ae= 1.02; WL= 0.01; \u03A6 = -90.0 \u00B0",
        " T-1 *        100.0 %      Tube; Di = 34.90 mm; L = 2.50 m; \u03A6 = 0.0 \u00B0",
        " B-1        90.0 %        Bend; \u0398 = 90.0 \u00B0; Ro= 4.4; \u03A6 = 0.0 \u00B0",
        " C-1        99.9 %        Contraction; Di = 34.90 mm; Do = 23.27 mm; \u03A6 = 0.0 \u00B0",
        " E-1        50.0 %        Expansion; Di = 0.92 in; Do = 52.35 mm; \u03A6 = 0.0 \u00B0",
        " N-2        81.2 %        RF2-111; Ae = 1.10; WL = 0.95; \u03A6 =12.3 \u00B0",
        " ",
        "Notes:",
        "1) The values of % Penetration are estimates based upon correlations.",
        "2) Calculations were made with the best possible extrapolations of the models.",
        "3) ANSI N13.1-2011 states that the Curvature Ratio (Ro) shall be at least 3.0",
        "4) The flow in Components with an \"*\" is in the transition range. The Transmission "
        "calculated for such components is an estimate based on selecting the best transmission "
        "using both the Laminar and the Turbulent models.",
        " ",
        "Nomenclature:",
        "Di = Inlet Diameter          Do = Outlet Diameter",
        "\u0398 = Bend Angle               \u03A6 = Inclination from Horizontal",
        "Ae = Aspiration ratio       WL = Wall Loss Fraction",
        "L = Length",
        "Ro = Curvature Ratio = Radius of Curvature/Tube Diameter",
    };
    EXPECT_EQ(std::get<std::vector<std::string>>(r), expected);
}

TEST(BuildPr, HeaderFollowsTheFirstComponentOnly) {
    LodoList line = {Comp("T-1", "Tube", 1, 0.5, 1, 1), Comp("T-2", "Tube", 1, 0.5, 1, 1)};
    line[0].FlowUnit = "English";
    line[0].Flow = 2.013;
    line[0].FStreamUnit = ""; // anything but Metric is English
    line[0].FStream = 32.8084;
    const auto lines = std::get<std::vector<std::string>>(BuildPr(line, "", ""));
    EXPECT_EQ(lines[1], "Sample Line Name: ");
    EXPECT_EQ(lines[2], "Total System Penetration ");
    EXPECT_EQ(lines[3], "Sample Flow Rate = 2.01 CFM");
    EXPECT_EQ(lines[4], "Free Stream Velocity = 32.81 ft/s");
}

TEST(BuildPr, InvalidResultsAreNotShownAsNumbers) {
    LodoList line = {Comp("N-1", "RF2-111", 6, std::numeric_limits<double>::quiet_NaN(), 1, 1)};
    const auto lines = std::get<std::vector<std::string>>(BuildPr(line, "L", "= nan"));
    EXPECT_EQ(lines[6],
              " N-1        invalid %      RF2-111; Ae = 1.00; WL = 1.00; \u03A6 =0.0 \u00B0");
}

TEST(BuildPr, EmptyLineIsNotReported) {
    const ReportResult r = BuildPr({}, "Sample Line 1", "");
    ASSERT_TRUE(std::holds_alternative<ReportNotice>(r));
    EXPECT_EQ(std::get<ReportNotice>(r).MessageNo, 9);
    EXPECT_EQ(std::get<ReportNotice>(r).Text, "There are no components in sample system.");
}

} // namespace
