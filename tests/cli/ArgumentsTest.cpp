// The argument reader of lodo-cli: what a declared command line accepts and the first
// usage message it gives.
#include "cli/Arguments.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

// A command that declares one of each kind of argument.
struct Parsed {
    std::optional<std::string> error;
    bool strict = false;
    std::optional<int> count;
    std::string output, format, file;
    Cli::ParticleSpec particles;
};

Parsed Read(const std::vector<std::string>& args) {
    Parsed p;
    p.error = Cli::Parse({.Flags = {{"--strict", &p.strict}},
                          .Options = {{{"--count"}, Cli::PointCount(9, p.count)},
                                      {.Names = {"-o", "--output"},
                                       .Read =
                                           [&](std::string_view, const std::string& value) {
                                               p.output = value;
                                               return std::optional<std::string>();
                                           },
                                       .Needs = "the output file name",
                                       .Twice = "only one output file may be given"}},
                          .Formats = {"--json", "--csv"},
                          .Format = &p.format,
                          .Particles = &p.particles,
                          .File = &p.file},
                         args);
    return p;
}

TEST(Arguments, FirstUsageMessage) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } const cases[] = {
        {{}, "no FILE given"},
        {{"a.lxl", "b.lxl"}, "only one FILE may be given"},
        {{"a.lxl", "--frob"}, "unknown option '--frob'"},
        {{"a.lxl", "--\x1b[2J"}, "unknown option '--\\x1b[2J'"},
        {{"a.lxl", "--count"}, "--count needs a value"},
        {{"a.lxl", "--output"}, "--output needs the output file name"},
        {{"a.lxl", "--count", "3", "--count", "4"}, "--count given twice"},
        {{"a.lxl", "--count", "3", "--count"}, "--count needs a value"},
        {{"a.lxl", "-o", "x.lxl", "--output", "y.lxl"}, "only one output file may be given"},
        {{"a.lxl", "--strict", "--strict"}, "--strict given twice"},
        {{"a.lxl", "--count", "0"}, "--count must be a whole number from 1 to 9, not '0'"},
        {{"a.lxl", "--count", "2.5"}, "--count must be a whole number from 1 to 9, not '2.5'"},
        {{"a.lxl", "--json", "--csv"}, "give at most one of --json and --csv"},
        {{"a.lxl", "--csv", "--csv"}, "give at most one of --json and --csv"},
        {{"a.lxl", "--mono"}, "--mono needs the particle diameter DP"},
        {{"a.lxl", "--mono", "2000"},
         "--mono: the particle diameter must be a number from 0.001 to 1000 (um), not '2000'"},
        {{"a.lxl", "--lognormal", "5", "1"},
         "--lognormal: the geometric standard deviation must be a number above 1 and up to 1000, "
         "not '1'"},
        {{"a.lxl", "--mono", "3", "--lognormal", "5", "2"},
         "give only one of --mono and --lognormal"},
        // The first wrong argument speaks, even before the missing FILE.
        {{"--frob", "a.lxl", "b.lxl"}, "unknown option '--frob'"},
        {{"--count", "0"}, "--count must be a whole number from 1 to 9, not '0'"},
        // A value is taken as it stands, even when it looks like an option.
        {{"a.lxl", "-o", "--json", "--json", "--csv"}, "give at most one of --json and --csv"},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& a : c.args)
            joined += a + " ";
        EXPECT_EQ(Read(c.args).error, c.message) << joined;
    }
}

TEST(Arguments, StoresWhatIsGiven) {
    const Parsed p = Read({"--lognormal", "4", "2.5", "-", "--output", "--x.lxl", "--count", "9",
                           "--csv", "--strict"});
    ASSERT_EQ(p.error, std::nullopt) << *p.error;
    EXPECT_EQ(p.file, "-"); // a lone dash is a name, not an option
    EXPECT_EQ(p.output, "--x.lxl");
    EXPECT_EQ(p.count, 9);
    EXPECT_EQ(p.format, "--csv");
    EXPECT_TRUE(p.strict);
    EXPECT_TRUE(p.particles.LogNormal);
    EXPECT_FLOAT_EQ(p.particles.MDp, 4.0f);
    EXPECT_FLOAT_EQ(p.particles.DpSD, 2.5f);

    const Parsed bare = Read({"a.lxl"});
    ASSERT_EQ(bare.error, std::nullopt);
    EXPECT_EQ(bare.format, "");
    EXPECT_FALSE(bare.strict);
    EXPECT_FALSE(bare.count);
    EXPECT_FALSE(bare.particles.Given);
}

TEST(Arguments, CommandWithoutFile) {
    double value = 1.0;
    const auto parse = [&](const std::vector<std::string>& args) {
        return Cli::Parse(
            {.Options = {{{"--dia"},
                          Cli::NumberWithin(0.01, std::numeric_limits<double>::infinity(),
                                            "the inlet diameter (mm)", value)}}},
            args);
    };
    EXPECT_EQ(parse({}), std::nullopt);
    EXPECT_EQ(parse({"a.lxl"}), "unexpected argument 'a.lxl'");
    EXPECT_EQ(parse({"-"}), "unexpected argument '-'");
    EXPECT_EQ(parse({"--dia", "0"}),
              "--dia: the inlet diameter (mm) must be a number at least 0.01, not '0'");
    EXPECT_EQ(parse({"--mono", "3"}), "unknown option '--mono'");
    EXPECT_EQ(parse({"--dia", "5"}), std::nullopt);
    EXPECT_EQ(value, 5.0);
}

TEST(Arguments, ValueReaders) {
    struct Case {
        const char* value;
        std::optional<std::string> message; // nothing: the value is taken
    };
    std::optional<double> x;
    double bounded = 0.0;
    const struct {
        Cli::ValueReader read;
        std::vector<Case> cases;
    } readers[] = {
        {Cli::ParticleDiameter(x),
         {{"0.001", {}},
          {"1000", {}},
          {"1001", "--d: the particle diameter must be a number from 0.001 to 1000 (um), not "
                   "'1001'"},
          {"nan", "--d: the particle diameter must be a number from 0.001 to 1000 (um), not "
                  "'nan'"}}},
        {Cli::PositiveNumber(x),
         {{"1e-9", {}},
          {"0", "--d must be a positive number, not '0'"},
          {"abc", "--d must be a positive number, not 'abc'"}}},
        {Cli::NumberWithin(30, 90, "the angle (degrees)", bounded),
         {{"30", {}},
          {"90", {}},
          {"90.5", "--d: the angle (degrees) must be a number from 30 to 90, not '90.5'"}}},
    };
    for (const auto& r : readers)
        for (const Case& c : r.cases)
            EXPECT_EQ(r.read("--d", c.value), c.message) << c.value;
}

} // namespace
