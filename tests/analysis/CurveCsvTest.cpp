#include "analysis/CurveCsv.h"

#include "model/EvalContext.h"
#include "persistence/LineFile.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <variant>

using namespace Analysis;

namespace {

TEST(CurveCsv, HeaderQuotingAndNumbers) {
    PenetrationCurve c;
    c.Dp = {0.01f, 10.0f};
    c.Names = {"T-1", "odd, \"name\""};
    c.Trans = {0.5, 1.25, 0.1 + 0.2, NAN};
    c.System = {0.625, NAN};
    EXPECT_EQ(CurveCsv(c), "Dp_um,T-1,\"odd, \"\"name\"\"\",System\n"
                           "0.01,0.5,1.25,0.625\n"
                           "10,0.30000000000000004,nan,nan\n");

    // Names a spreadsheet would run as formulas stay text.
    c.Names = {"=HYPERLINK(\"x\")", "+1", "-2", "@A1"};
    c.Trans = {1, 1, 1, 1};
    c.Dp = {1.0f};
    c.System = {1};
    EXPECT_EQ(CurveCsv(c), "Dp_um,\"'=HYPERLINK(\"\"x\"\")\",'+1,'-2,'@A1,System\n1,1,1,1,1,1\n");
}

// Every number reads back as the value the curve holds, bit for bit.
TEST(CurveCsv, ReadsBackExactly) {
    const auto file = ReadLxlFile(LODO_EXAMPLES_DIR "/stack-nozzle-line.lxl", EvalContext{});
    ASSERT_TRUE(std::holds_alternative<LineFile>(file));
    const PenetrationCurve c =
        ComputePenetrationCurve(std::get<LineFile>(file).List, LogSpacedSizes());
    std::istringstream in(CurveCsv(c));
    std::string line;
    std::getline(in, line);
    for (std::size_t k = 0; k < c.Dp.size(); ++k) {
        ASSERT_TRUE(std::getline(in, line));
        std::istringstream cells(line);
        std::string cell;
        std::getline(cells, cell, ',');
        EXPECT_EQ(std::strtof(cell.c_str(), nullptr), c.Dp[k]);
        for (std::size_t i = 0; i <= c.Components(); ++i) {
            ASSERT_TRUE(std::getline(cells, cell, ','));
            const double expected = i < c.Components() ? c.At(k, i) : c.System[k];
            EXPECT_EQ(std::strtod(cell.c_str(), nullptr), expected);
        }
    }
    EXPECT_FALSE(std::getline(in, line));
}

} // namespace
