// Runs the built lodo-cli as a user would and checks what reaches the terminal.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code = -1;
    std::string out, err;
};

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lodo-cli-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    CliRun Cli(const std::vector<std::string>& args) {
        std::string cmd = Quote(LODO_CLI);
        for (const auto& a : args) cmd += " " + Quote(a);
        cmd += " >" + Quote((dir / "out").string()) + " 2>" + Quote((dir / "err").string());
        CliRun r;
        const int status = std::system(cmd.c_str());
        r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = Slurp(dir / "out");
        r.err = Slurp(dir / "err");
        return r;
    }

    fs::path dir;
};

const std::string Examples = LODO_EXAMPLES_DIR;
const std::string Legacy = LODO_PERSISTENCE_DATA_DIR "/stack-line.lpl";

std::vector<std::string> Keys(const std::string& json) {
    std::vector<std::string> keys;
    const std::regex key("\"([A-Za-z0-9]+)\":");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), key); it != std::sregex_iterator(); ++it)
        keys.push_back((*it)[1]);
    return keys;
}

std::vector<std::string> ExpectedKeys(std::size_t components, bool invalidFirst = false) {
    std::vector<std::string> keys = {"LineName", "DType", "Components"};
    for (std::size_t i = 0; i < components; ++i) {
        for (const char* k : {"Index", "Name", "NType", "NTypeInt", "TransM1", "TransM2", "TransM3", "TransM4",
                              "PTrans", "MTrans", "Dia1", "Dia1Unit", "Dia2", "Dia2Unit", "Flow", "FlowUnit",
                              "Press", "PressUnit"})
            keys.push_back(k);
        if (invalidFirst && i == 0) keys.push_back("Invalid");
    }
    for (const char* k : {"System", "SystemTrans", "MassTrans", "PartTrans", "NewHighV"}) keys.push_back(k);
    if (invalidFirst) keys.push_back("Invalid");
    return keys;
}

TEST_F(CliTest, EvaluateJsonHasExactlyTheKeysAndNullsInMonoMode) {
    const CliRun r = Cli({"evaluate", Examples + "/stack-nozzle-line.lxl", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Keys(r.out), ExpectedKeys(6));
    EXPECT_NE(r.out.find("\"DType\": \"Mono\""), std::string::npos);
    EXPECT_NE(r.out.find("\"PTrans\": null, \"MTrans\": null"), std::string::npos);
    EXPECT_NE(r.out.find("\"MassTrans\": null, \"PartTrans\": null, \"NewHighV\": null}"), std::string::npos);
    EXPECT_EQ(r.out.find("Invalid"), std::string::npos);
}

TEST_F(CliTest, EvaluateLogNormalFillsTheDistributionValues) {
    const CliRun r = Cli({"evaluate", Examples + "/shrouded-probe-line.lxl", "--lognormal", "5", "2.5", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Keys(r.out), ExpectedKeys(6));
    EXPECT_NE(r.out.find("\"DType\": \"LogNormal\""), std::string::npos);
    EXPECT_EQ(r.out.find("null"), std::string::npos) << r.out;
}

TEST_F(CliTest, TableAndReportAgreeOnTheSystemPenetration) {
    const CliRun table = Cli({"evaluate", Examples + "/english-units-line.lxl"});
    ASSERT_EQ(table.code, 0) << table.err;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(table.out, m, std::regex("System penetration: ([0-9.]+) %  (PASS|FAIL)")))
        << table.out;
    const CliRun report = Cli({"report", Examples + "/english-units-line.lxl"});
    ASSERT_EQ(report.code, 0) << report.err;
    EXPECT_TRUE(report.out.starts_with("Results Report\nSample Line Name: Stack 2 (English units)\n"
                                       "Total System Penetration = " +
                                       m[1].str() + "\nSample Flow Rate = 4.00 CFM\n"))
        << report.out;
    EXPECT_EQ(std::count(report.out.begin(), report.out.end(), '\n'), 6 + 6 + 13);
}

TEST_F(CliTest, ImportWritesALineThatEvaluatesAsTheLegacyFileDoes) {
    const std::string out = (dir / "imported.lxl").string();
    const CliRun import = Cli({"import", Legacy, "-o", out});
    ASSERT_EQ(import.code, 0) << import.err;
    EXPECT_EQ(import.out, "Imported 4 components into " + out + "\n");
    const CliRun fromLegacy = Cli({"evaluate", Legacy, "--json"});
    const CliRun fromXml = Cli({"evaluate", out, "--json"});
    ASSERT_EQ(fromXml.code, 0) << fromXml.err;
    EXPECT_EQ(fromXml.out, fromLegacy.out);
    EXPECT_NE(fromXml.out.find("\"LineName\": \"Stack 3, east duct\""), std::string::npos);
}

TEST_F(CliTest, NonFiniteResultsAreReportedInvalid) {
    // A shrouded probe with no free-stream velocity has no defined aspiration.
    std::string text = Slurp(Examples + "/shrouded-probe-line.lxl");
    text.replace(text.find("<FStream>12</FStream>"), 21, "<FStream>0</FStream>");
    std::ofstream(dir / "still-air.lxl") << text;
    const CliRun json = Cli({"evaluate", (dir / "still-air.lxl").string(), "--json"});
    ASSERT_EQ(json.code, 0) << json.err;
    EXPECT_EQ(Keys(json.out), ExpectedKeys(6, true)) << json.out;
    const CliRun table = Cli({"evaluate", (dir / "still-air.lxl").string()});
    EXPECT_NE(table.out.find("invalid"), std::string::npos) << table.out;
    EXPECT_EQ(table.out.find("PASS"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("aspiration ratio invalid (outside 0.8 to 1.5)"), std::string::npos)
        << table.out;
}

TEST_F(CliTest, TableGivesTheInletAspirationVerdict) {
    const CliRun ok = Cli({"evaluate", Examples + "/shrouded-probe-line.lxl"});
    ASSERT_EQ(ok.code, 0) << ok.err;
    EXPECT_NE(ok.out.find("aspiration ratio 1.0767 (within 0.8 to 1.5)"), std::string::npos) << ok.out;
    // Sampling far slower than the free stream over-aspirates large particles.
    std::string text = Slurp(Examples + "/shrouded-probe-line.lxl");
    text.replace(text.find("<FStream>12</FStream>"), 21, "<FStream>40</FStream>");
    std::ofstream(dir / "fast-stream.lxl") << text;
    const CliRun fast = Cli({"evaluate", (dir / "fast-stream.lxl").string()});
    ASSERT_EQ(fast.code, 0) << fast.err;
    EXPECT_NE(fast.out.find("(outside 0.8 to 1.5)"), std::string::npos) << fast.out;
}

TEST_F(CliTest, ErrorsPrintOneLineAndNothingElse) {
    std::ofstream(dir / "broken.lxl") << "<Nodes><Node><Dia1>abc</Dia1></Node></Nodes>";
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;  // start of the one line on stderr
    } cases[] = {
        {{"evaluate", (dir / "missing.lxl").string()}, 1, "lodo-cli: " + (dir / "missing.lxl").string() + ": Cannot open"},
        {{"evaluate", (dir / "broken.lxl").string(), "--json"}, 1,
         "lodo-cli: " + (dir / "broken.lxl").string() + ": Component 1, element \"NTypeInt\""},
        {{"evaluate", Examples + "/stack-nozzle-line.lxl", "--lognormal", "5", "1"}, 2, "lodo-cli evaluate: --lognormal"},
        {{"evaluate", Examples + "/stack-nozzle-line.lxl", "--lognormal", "0", "2"}, 2, "lodo-cli evaluate: --lognormal"},
        {{"evaluate", Examples + "/stack-nozzle-line.lxl", "--mono", "-3"}, 2, "lodo-cli evaluate: --mono"},
        {{"evaluate", Examples + "/stack-nozzle-line.lxl", "--mono"}, 2, "lodo-cli evaluate: --mono needs"},
        {{"evaluate", Examples + "/stack-nozzle-line.lxl", "--mono", "3", "--lognormal", "5", "2"}, 2,
         "lodo-cli evaluate: give only one"},
        {{"evaluate"}, 2, "lodo-cli evaluate: no FILE given"},
        {{"evaluate", "a.lxl", "b.lxl"}, 2, "lodo-cli evaluate: only one FILE"},
        {{"evaluate", "a.lxl", "--frobnicate"}, 2, "lodo-cli evaluate: unknown option '--frobnicate'"},
        {{"import", Legacy, "-o"}, 2, "lodo-cli import: -o needs"},
        {{"import", Legacy, "-o", (dir / "no-such-folder" / "x.lxl").string()}, 1, "lodo-cli: "},
        {{"report", Examples + "/stack-nozzle-line.lxl", "--json"}, 2, "lodo-cli report: unknown option"},
        {{"frobnicate"}, 2, "lodo-cli: unknown command 'frobnicate'"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        std::string what;
        for (const auto& a : c.args) what += a + " ";
        EXPECT_EQ(r.code, c.code) << what;
        EXPECT_EQ(r.out, "") << what;
        EXPECT_TRUE(r.err.starts_with(c.err)) << what << "\n" << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << what << "\n" << r.err;
    }
}

TEST_F(CliTest, EmptyLineHasNoReport) {
    std::ofstream(dir / "empty.lxl") << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Nodes />\n";
    const CliRun report = Cli({"report", (dir / "empty.lxl").string()});
    EXPECT_EQ(report.code, 1);
    EXPECT_EQ(report.out, "");
    EXPECT_EQ(report.err, "lodo-cli: " + (dir / "empty.lxl").string() + ": There are no components in sample system.\n");
    const CliRun json = Cli({"evaluate", (dir / "empty.lxl").string(), "--json"});
    EXPECT_EQ(json.code, 0);
    EXPECT_EQ(Keys(json.out), ExpectedKeys(0));
}

TEST_F(CliTest, Help) {
    const CliRun top = Cli({"--help"});
    EXPECT_EQ(top.code, 0);
    for (const char* command : {"evaluate", "report", "import"}) {
        EXPECT_NE(top.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
        const CliRun help = Cli({command, "--help"});
        EXPECT_EQ(help.code, 0) << command;
        EXPECT_TRUE(help.out.starts_with(std::string("Usage: lodo-cli ") + command)) << help.out;
    }
    const CliRun none = Cli({});
    EXPECT_EQ(none.code, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_TRUE(none.err.starts_with("Usage: lodo-cli COMMAND"));
}

}  // namespace
