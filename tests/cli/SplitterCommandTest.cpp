// The splitter command of lodo-cli, run in-process.
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CliRun {
    int code;
    std::string out, err;
};

CliRun Splitter(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunSplitterCommand(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(SplitterCommand, StartValuesAsTheWindowShowsThem) {
    const CliRun r = Splitter({});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "Component Transmission (%): 98.944\n"
                     "Do: Theoretical Outlet Tube Dia (mm): 26.67\n"
                     "Li: Minimum Inlet Tube Length (mm): 400.05\n"
                     "Lo: Minimum outlet Tube Length (mm): 495.3\n"
                     "Stokes Number: 0.0134\n"
                     "Reynolds Number: 2045.4\n"
                     "Model Limitations\n"
                     "0.034 \u2264 Stk \u2264 1.248\n"
                     "30\u00b0 \u2264 \u03b8 \u2264 90\u00b0\n"
                     "2560 \u2264 Re \u2264 13,600\n");
    // Naming the start values changes nothing.
    EXPECT_EQ(Splitter({"--flow", "57", "--angle", "30", "--dia", "38.1", "--temp", "25", "--press",
                        "101.325", "--dp", "10"})
                  .out,
              r.out);
}

TEST(SplitterCommand, OptionsReachTheCalculation) {
    struct Case {
        std::vector<std::string> args;
        std::string firstLine;
    };
    const Case cases[] = {
        {{"--angle", "90"}, "Component Transmission (%): 98.246"},
        {{"--dia", "100"}, "Component Transmission (%): "},
    };
    for (const Case& c : cases) {
        const CliRun r = Splitter(c.args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out.substr(0, c.firstLine.size()), c.firstLine);
    }
    EXPECT_NE(Splitter({"--dia", "100"}).out.find("Do: Theoretical Outlet Tube Dia (mm): 70\n"),
              std::string::npos);
    EXPECT_NE(Splitter({"--dp", "20"}).out, Splitter({}).out);
}

TEST(SplitterCommand, OutOfRangeOrMalformedValuesAreRefused) {
    const std::vector<std::vector<std::string>> cases = {
        {"--flow", "0"},
        {"--flow", "200.1"},
        {"--angle", "29.9"},
        {"--angle", "91"},
        {"--dia", "0.001"},
        {"--temp", "0"},
        {"--press", "1001"},
        {"--press", "abc"},
        {"--dp", "0"},
        {"--flow"},
        {"--flow", "57", "--flow", "60"},
        {"--speed", "3"},
        {"57"},
        {"--dp", "inf"},
    };
    for (const auto& args : cases) {
        const CliRun r = Splitter(args);
        EXPECT_EQ(r.code, Cli::ExitUsage) << args[0];
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST(SplitterCommand, AResultThatOverflowsIsPrintedButNotValid) {
    // The lengths are 15 and 13 inlet diameters: past the largest number.
    for (const char* format : {"--json", ""}) {
        std::vector<std::string> args = {"--dia", "1e308"};
        if (*format)
            args.push_back(format);
        const CliRun r = Splitter(args);
        EXPECT_EQ(r.code, Cli::ExitInvalid) << format;
        EXPECT_NE(r.out, "");
        EXPECT_EQ(r.err, "lodo-cli: no valid result: the minimum inlet tube length is not a finite "
                         "number\n");
    }
    EXPECT_EQ(Splitter({"--dia", "1e306"}).code, Cli::ExitOk);
}

TEST(SplitterCommand, Help) {
    const CliRun r = Splitter({"-h"});
    EXPECT_EQ(r.code, 0);
    for (const char* option : {"--flow", "--angle", "--dia", "--temp", "--press", "--dp"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
}

TEST(SplitterCommand, JsonCarriesTheShownResultsAsNumbers) {
    const CliRun text = Splitter({"--dp", "3", "--angle", "45"});
    const CliRun json = Splitter({"--dp", "3", "--angle", "45", "--json"});
    ASSERT_EQ(json.code, 0) << json.err;
    EXPECT_EQ(json.err, "");
    const auto number = [&](const std::string& key) {
        const auto at = json.out.find("\"" + key + "\": ");
        EXPECT_NE(at, std::string::npos) << key;
        return std::stod(json.out.substr(at + key.size() + 4));
    };
    EXPECT_EQ(number("YAngle"), 45.0);
    EXPECT_EQ(number("PartSize"), 3.0);
    // The window's penetration text is the same number, rounded.
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.3f", 100.0 * number("YTrans"));
    EXPECT_NE(text.out.find(std::string("Component Transmission (%): ") + shown), std::string::npos)
        << text.out;
    EXPECT_NE(json.out.find(R"("YDi": "mm")"), std::string::npos);
    EXPECT_NE(json.out.find("\"Limits\": [\"0.034 \u2264 Stk \u2264 1.248\""), std::string::npos);
    EXPECT_EQ(Splitter({"--json", "--json"}).code, Cli::ExitUsage);
}

} // namespace
