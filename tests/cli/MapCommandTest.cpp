// The map command of lodo-cli, run in-process on the example lines.
#include "cli/Commands.h"
#include "design/map/LineMap.h"

#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CliRun {
    int code;
    std::string out, err;
};

CliRun Map(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunMapCommand(args, out, err);
    return {code, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

const std::string Nozzle = LODO_EXAMPLES_DIR "/stack-nozzle-line.lxl";

} // namespace

TEST(MapCommand, CsvHasEveryGridPointThenTheBestPoint) {
    const CliRun r = Map({Nozzle, "--x", "flow:10:100", "--y", "diameter:5:40", "--points", "7x4",
                          "--log", "x", "--csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1u + 7 * 4 + 1);
    EXPECT_EQ(lines[0], "Point,Sample flow (L/min),Tube diameter (mm),Aspiration ratio,Transport "
                        "penetration,System penetration,Verdict,Margin,Worst component,Flow "
                        "regime,Reynolds number");
    EXPECT_EQ(lines[1].substr(0, 10), "grid,10,5,");
    EXPECT_EQ(lines[7].substr(0, 11), "grid,100,5,"); // x varies fastest
    EXPECT_EQ(lines[28].substr(0, 12), "grid,100,40,");
    EXPECT_EQ(lines[29].substr(0, 5), "best,");
}

TEST(MapCommand, JsonAndTextNameTheAxesCriteriaAndBestPoint) {
    const CliRun j = Map(
        {Nozzle, "--x", "stack-velocity:2:25", "--y", "flow:20:200", "--points", "5", "--json"});
    ASSERT_EQ(j.code, 0) << j.err;
    EXPECT_NE(j.out.find("\"Quantity\": \"stack-velocity\""), std::string::npos);
    EXPECT_NE(j.out.find("\"MinSystemPenetration\": 0.5"), std::string::npos);
    EXPECT_EQ(std::count(j.out.begin(), j.out.end(), '\n'), 5 * 5 + 10);
    EXPECT_TRUE(std::regex_search(j.out, std::regex("\"Best\": \\{\"X\": [0-9.e+-]+")));

    const CliRun t =
        Map({Nozzle, "--x", "stack-velocity:2:25", "--y", "flow:20:200", "--points", "5"});
    ASSERT_EQ(t.code, 0) << t.err;
    EXPECT_NE(t.out.find("x: stack-velocity 2 to 25 m/s, 5 points\n"), std::string::npos);
    EXPECT_NE(t.out.find("Widest margin: stack-velocity "), std::string::npos);
}

TEST(MapCommand, RefusesWhatItCannotMap) {
    const struct {
        std::vector<std::string> Args;
        int Code;
        std::string Says;
    } cases[] = {
        {{Nozzle, "--y", "flow:1:2"}, 2, "--x is required"},
        {{Nozzle, "--x", "speed:1:2", "--y", "flow:1:2"}, 2, "QUANTITY:MIN:MAX"},
        {{Nozzle, "--x", "flow:1", "--y", "diameter:1:2"}, 2, "QUANTITY:MIN:MAX"},
        {{Nozzle, "--x", "flow:1:2", "--y", "diameter:1:2", "--points", "1x5"}, 2, "2 to 400"},
        {{Nozzle, "--x", "flow:1:2", "--y", "diameter:1:2", "--log", "z"}, 2, "x, y or x,y"},
        {{Nozzle, "--x", "flow:1:2", "--y", "flow:3:4"}, 1, "different quantities"},
        {{Nozzle, "--x", "flow:0:2", "--y", "diameter:1:2", "--log", "x"}, 1, "above 0"},
        {{Nozzle, "--x", "flow:1:2", "--y", "diameter:1:2", "--csv", "--json"}, 2, ""},
        {{"missing.lxl", "--x", "flow:1:2", "--y", "diameter:1:2"}, 1, "missing.lxl"},
    };
    for (const auto& c : cases) {
        const CliRun r = Map(c.Args);
        EXPECT_EQ(r.code, c.Code) << c.Args[1] << " " << r.err;
        EXPECT_NE(r.err.find(c.Says), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}
