// Runs the built lodo-cli as a user would and checks what reaches the terminal.
#include "version/ProgramVersion.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
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
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Short: messages cut what they echo of a path after about 60 characters.
        static int n = 0;
        dir = fs::temp_directory_path() /
              ("lc-" + std::to_string(::getpid()) + "-" + std::to_string(++n));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    CliRun Cli(const std::vector<std::string>& args) {
        std::string cmd = Quote(LODO_CLI);
        for (const auto& a : args)
            cmd += " " + Quote(a);
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

// The keys of a JSON text, the findings inside each "Limits" list left out.
std::vector<std::string> Keys(const std::string& text) {
    const std::string json =
        std::regex_replace(text, std::regex(R"("Limits": \[[^\]]*\])"), "\"Limits\": []");
    std::vector<std::string> keys;
    const std::regex key("\"([A-Za-z0-9]+)\":");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), key);
         it != std::sregex_iterator(); ++it)
        keys.push_back((*it)[1]);
    return keys;
}

std::vector<std::string> ExpectedKeys(std::size_t components, bool invalidFirst = false) {
    std::vector<std::string> keys = {"LineName", "DType", "Components"};
    for (std::size_t i = 0; i < components; ++i) {
        for (const char* k :
             {"Index",   "Name",     "NType",  "NTypeInt",  "TransM1",  "TransM2",  "TransM3",
              "TransM4", "PTrans",   "MTrans", "Dia1",      "Dia1Unit", "Dia2",     "Dia2Unit",
              "Flow",    "FlowUnit", "Press",  "PressUnit", "Limits",   "Structure"})
            keys.push_back(k);
        if (invalidFirst && i == 0)
            keys.push_back("Invalid");
    }
    for (const char* k : {"System", "SystemTrans", "MassTrans", "PartTrans", "NewHighV"})
        keys.push_back(k);
    if (invalidFirst)
        keys.push_back("Invalid");
    for (const char* k : {"SizeResolved", "D50", "MassPenetration", "NumberPenetration",
                          "PenetratedMMAD", "Components"})
        keys.push_back(k);
    for (std::size_t i = 0; i < components; ++i)
        for (const char* k :
             {"Index", "Name", "MassPenetration", "NumberPenetration", "MassDeposited"})
            keys.push_back(k);
    for (const char* k : {"Verdict", "ReferenceSize", "Criteria", "MinAspirationRatio",
                          "MaxAspirationRatio", "MinTransportPenetration", "MinSystemPenetration",
                          "Default", "AspirationRatio", "TransportPenetration", "SystemPenetration",
                          "Result", "Pass", "Failed", "Reason", "Range"})
        keys.push_back(k);
    keys.push_back("Warnings");
    return keys;
}

TEST_F(CliTest, EvaluateJsonHasExactlyTheKeysAndNullsInMonoMode) {
    const CliRun r = Cli({"evaluate", Examples + "/stack-nozzle-line.lxl", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Keys(r.out), ExpectedKeys(6));
    EXPECT_NE(r.out.find("\"DType\": \"Mono\""), std::string::npos);
    EXPECT_NE(r.out.find("\"PTrans\": null, \"MTrans\": null"), std::string::npos);
    EXPECT_NE(r.out.find("\"MassTrans\": null, \"PartTrans\": null, \"NewHighV\": null}"),
              std::string::npos);
    EXPECT_EQ(r.out.find("Invalid"), std::string::npos);
}

TEST_F(CliTest, EvaluateLogNormalFillsTheDistributionValues) {
    const CliRun r = Cli(
        {"evaluate", Examples + "/shrouded-probe-line.lxl", "--lognormal", "5", "2.5", "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Keys(r.out), ExpectedKeys(6));
    EXPECT_NE(r.out.find("\"DType\": \"LogNormal\""), std::string::npos);
    EXPECT_EQ(r.out.find("null"), std::string::npos) << r.out;
}

// The particle properties reach the evaluation, are named in the output, and are held
// to their rules; without them the output keeps exactly its keys (above).
TEST_F(CliTest, ParticlePropertiesAreTakenAndNamed) {
    const std::string line = Examples + "/stack-nozzle-line.lxl";
    const CliRun plain = Cli({"evaluate", line, "--mono", "0.05"});
    const CliRun dense =
        Cli({"evaluate", line, "--mono", "0.05", "--density", "2500", "--shape-factor", "1.2",
             "--size-type", "physical", "--thermal-conductivity", "0.3"});
    ASSERT_EQ(dense.code, 0) << dense.err;
    EXPECT_NE(dense.out.find("Particle properties: density 2500 kg/m\u00B3, dynamic shape factor "
                             "1.2, volume-equivalent diameters, thermal conductivity 0.3 W/(m K)"),
              std::string::npos)
        << dense.out;
    EXPECT_EQ(plain.out.find("Particle properties"), std::string::npos);
    EXPECT_NE(plain.out, dense.out);

    const CliRun json = Cli({"evaluate", line, "--density", "2500", "--json"});
    ASSERT_EQ(json.code, 0) << json.err;
    EXPECT_NE(json.out.find("\"Particle\": {\"Density\": 2500, \"ShapeFactor\": 1, "
                            "\"SizeType\": \"aerodynamic\", \"ThermalConductivity\": 1.4}"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"DiffusionDiameter\": "), std::string::npos);

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--density", "50"},
                                                {"--shape-factor", "0.9"},
                                                {"--size-type", "optical"},
                                                {"--thermal-conductivity", "0"},
                                                {"--density"},
                                                {"--density", "2000", "--density", "2000"}}) {
        std::vector<std::string> args{"evaluate", line};
        args.insert(args.end(), bad.begin(), bad.end());
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 2) << bad[0] << ": " << r.err;
    }
}

// The size-resolved values follow the specified totals, in the table and in the JSON;
// the curve at one size is the monodisperse evaluation at that size, digit for digit.
TEST_F(CliTest, SizeResolvedResultAndCurve) {
    const std::string file = Examples + "/stack-nozzle-line.lxl";
    const CliRun table = Cli({"evaluate", file, "--lognormal", "5", "2.5"});
    ASSERT_EQ(table.code, 0) << table.err;
    const std::size_t totals = table.out.find("Largest particle transmitted:");
    const std::size_t sized = table.out.find("Size-resolved mass penetration: 75.5");
    ASSERT_NE(totals, std::string::npos);
    ASSERT_NE(sized, std::string::npos) << table.out;
    EXPECT_LT(totals, sized);
    EXPECT_NE(table.out.find("Cut size d50: 12.3 \u00B5m\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("Size-resolved number penetration: 98.4"), std::string::npos)
        << table.out;

    const CliRun json = Cli({"evaluate", file, "--lognormal", "5", "2.5", "--json"});
    ASSERT_EQ(json.code, 0) << json.err;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(
        json.out, m,
        std::regex("\"SizeResolved\": \\{\"D50\": ([0-9.]+), \"MassPenetration\": ([0-9.]+)")))
        << json.out;
    EXPECT_NEAR(std::stod(m[1]), 12.34, 0.01);
    EXPECT_NEAR(std::stod(m[2]), 0.755, 1e-3);

    const CliRun csv = Cli({"curve", file, "--csv"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    EXPECT_TRUE(csv.out.starts_with("Dp_um,N-1,T-1,B-1,T-2,B-2,T-3,System\n0.01,"))
        << csv.out.substr(0, 200);
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 201);

    const CliRun one = Cli({"curve", file, "--from", "10", "--points", "1", "--json"});
    const CliRun mono = Cli({"evaluate", file, "--mono", "10", "--json"});
    ASSERT_EQ(one.code, 0) << one.err;
    ASSERT_TRUE(std::regex_search(mono.out, m, std::regex("\"SystemTrans\": ([^,}]+)")))
        << mono.out;
    EXPECT_NE(one.out.find("\"System\": [" + m[1].str() + "]"), std::string::npos)
        << one.out << m[1];
}

// A one-point flow study at the line's own flow (113.3 L/min) records the size-resolved mass
// penetration that evaluate reports for the line; the specified value without the option.
TEST_F(CliTest, StudySizeResolvedRecordsTheExactMassPenetration) {
    const std::string file = Examples + "/stack-nozzle-line.lxl";
    const std::vector<std::string> study = {"study",       file,   "--vary", "Flow",     "--from",
                                            "113.3",       "--to", "113.3",  "--points", "1",
                                            "--lognormal", "5",    "2.5",    "--json"};
    std::vector<std::string> exact = study;
    exact.push_back("--size-resolved");
    const CliRun plain = Cli(study), sized = Cli(exact);
    const CliRun json = Cli({"evaluate", file, "--lognormal", "5", "2.5", "--json"});
    ASSERT_EQ(sized.code, 0) << sized.err;
    std::smatch m;
    const std::regex penetration("\"Penetration\": ([0-9.e+-]+)");
    ASSERT_TRUE(std::regex_search(sized.out, m, penetration)) << sized.out;
    const double recorded = std::stod(m[1]);
    ASSERT_TRUE(std::regex_search(plain.out, m, penetration)) << plain.out;
    const double specified = std::stod(m[1]);
    ASSERT_TRUE(std::regex_search(json.out, m,
                                  std::regex("\"SizeResolved\": \\{\"D50\": [0-9.]+, "
                                             "\"MassPenetration\": ([0-9.e+-]+)")));
    EXPECT_NEAR(recorded, std::stod(m[1]), 1e-9);
    ASSERT_TRUE(std::regex_search(json.out, m, std::regex("\"SystemTrans\": ([0-9.e+-]+)")));
    EXPECT_NEAR(specified, std::stod(m[1]), 1e-9);
    EXPECT_GT(recorded - specified, 0.5);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"study", file, "--vary", "Flow", "--from", "10", "--to", "20",
                                   "--points", "2", "--size-resolved"},
          {"study", file, "--vary", "Particle", "--from", "1", "--to", "20", "--points", "2",
           "--lognormal", "5", "2.5", "--size-resolved"}}) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 2) << args[3];
        EXPECT_NE(r.err.find("--size-resolved"), std::string::npos) << r.err;
    }
}

TEST_F(CliTest, CurveRefusesWrongOptions) {
    const std::string file = Examples + "/stack-nozzle-line.lxl";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"curve", file, "--points", "0"},
          {"curve", file, "--from", "0"},
          {"curve", file, "--to", "2000"},
          {"curve", file, "--csv", "--json"},
          {"curve", file, "--mono", "5"},
          {"curve"}}) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.code, 2) << args.back();
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("lodo-cli curve --help"), std::string::npos) << r.err;
    }
}

TEST_F(CliTest, TableAndReportAgreeOnTheSystemPenetration) {
    const CliRun table = Cli({"evaluate", Examples + "/english-units-line.lxl"});
    ASSERT_EQ(table.code, 0) << table.err;
    std::smatch m;
    ASSERT_TRUE(std::regex_search(table.out, m, std::regex("System penetration: ([0-9.]+) %\n")))
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
    ASSERT_EQ(json.code, 4) << json.err;
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
    EXPECT_NE(ok.out.find("aspiration ratio 1.0767 (within 0.8 to 1.5)"), std::string::npos)
        << ok.out;
    // Sampling far slower than the free stream over-aspirates large particles.
    std::string text = Slurp(Examples + "/shrouded-probe-line.lxl");
    text.replace(text.find("<FStream>12</FStream>"), 21, "<FStream>40</FStream>");
    std::ofstream(dir / "fast-stream.lxl") << text;
    const CliRun fast = Cli({"evaluate", (dir / "fast-stream.lxl").string()});
    ASSERT_EQ(fast.code, 0) << fast.err;
    EXPECT_NE(fast.out.find("(outside 0.8 to 1.5)"), std::string::npos) << fast.out;
}

// Model-limit findings: under their row in the table, per component in the JSON, and
// an exit status only with --strict.
TEST_F(CliTest, EvaluateReportsModelLimits) {
    // The stack line's bends run at Re 4187 on their laminar branch, measured up to 1000.
    const std::string file = Examples + "/stack-nozzle-line.lxl";
    const CliRun json = Cli({"evaluate", file, "--json"});
    ASSERT_EQ(json.code, 0) << json.err;
    const std::string bend = "\"Limits\": [{\"Model\": \"laminar bend model\", \"Quantity\": "
                             "\"Reynolds number\", \"Value\": 4187.";
    std::size_t at = json.out.find(bend);
    ASSERT_NE(at, std::string::npos) << json.out;
    EXPECT_NE(json.out.find(
                  "\"Min\": 100, \"Max\": 1000, \"Source\": \"Pui, Romay-Novas & Liu 1987\"}]", at),
              std::string::npos);
    // The two bends, and no other component.
    const std::regex withFindings(R"("Limits": \[\{)");
    EXPECT_EQ(std::distance(std::sregex_iterator(json.out.begin(), json.out.end(), withFindings),
                            std::sregex_iterator()),
              2);
    EXPECT_NE(json.out.find(bend, at + 1), std::string::npos);
    EXPECT_NE(json.out.find("\"PressUnit\": \"Metric\", \"Limits\": [], \"Structure\": []}"),
              std::string::npos);

    const CliRun table = Cli({"evaluate", file});
    ASSERT_EQ(table.code, 0);
    EXPECT_NE(table.out.find(
                  "3  B-1   Bend         97.75 %\n"
                  "   ! Reynolds number 4187 is outside 100 to 1000, the range of the laminar bend "
                  "model (Pui, Romay-Novas & Liu 1987)\n4  T-2"),
              std::string::npos)
        << table.out;
    EXPECT_EQ(table.out.find("mass median"), std::string::npos);

    const CliRun strict = Cli({"evaluate", file, "--strict"});
    EXPECT_EQ(strict.code, 3);
    EXPECT_EQ(strict.out, table.out); // the results are printed as always
    EXPECT_EQ(strict.err, "");
    EXPECT_EQ(Cli({"evaluate", file, "--json", "--strict"}).code, 3);

    // In log-normal mode the table says where the quantities were taken.
    const CliRun ln = Cli({"evaluate", file, "--lognormal", "5", "2.5"});
    EXPECT_NE(ln.out.find("\nThe model-limit quantities of a log-normal distribution are taken at "
                          "the mass median "
                          "diameter.\n"),
              std::string::npos)
        << ln.out;

    // A line inside every range passes --strict.
    const CliRun clean =
        Cli({"evaluate", Examples + "/contraction-expansion-line.lxl", "--strict", "--json"});
    EXPECT_EQ(clean.code, 0) << clean.out;
    EXPECT_EQ(clean.out.find("\"Limits\": [{"), std::string::npos);
}

// A line the program cannot evaluate honestly still opens, with a finding on the
// component in the table, the JSON and the warnings, and --strict's status; what the
// alignment replaced is said.
TEST_F(CliTest, StructureFindingsAndAlignmentChangesAreSaid) {
    std::string text = Slurp(Examples + "/contraction-expansion-line.lxl");
    const std::size_t tube = text.find("<Name>T-1</Name>");
    ASSERT_NE(tube, std::string::npos);
    text.replace(text.find("<Temp>25</Temp>", tube), 15, "<Temp>2000</Temp>");
    text.replace(text.find("<Dia1>34.9</Dia1>", tube), 17, "<Dia1>0.001</Dia1>");
    std::ofstream(dir / "hot.lxl") << text;
    const std::string file = (dir / "hot.lxl").string();

    const CliRun table = Cli({"evaluate", file});
    EXPECT_EQ(table.code, 0) << table.err;
    EXPECT_NE(table.out.find("   ! T-1: the temperature lies outside -103.15 to 1626.85 °C"),
              std::string::npos)
        << table.out;
    EXPECT_NE(table.err.find("warning: " + file +
                             ": Component 2 (Index 1, T-1): the temperature lies outside"),
              std::string::npos)
        << table.err;
    EXPECT_NE(table.err.find("warning: " + file +
                             ": Component 2 (Index 1, T-1), \"Dia1\": 0.001 mm in the file, "
                             "34.9 mm used"),
              std::string::npos)
        << table.err;
    EXPECT_EQ(Cli({"evaluate", file, "--strict"}).code, 3);
    const CliRun json = Cli({"evaluate", file, "--json", "--strict"});
    EXPECT_EQ(json.code, 3);
    EXPECT_NE(json.out.find("\"Structure\": [\"T-1: the temperature lies outside"),
              std::string::npos)
        << json.out;
}

TEST_F(CliTest, ReaderWarningsStopAfterTwenty) {
    std::string text = Slurp(Examples + "/contraction-expansion-line.lxl");
    std::string unknown;
    for (int i = 0; i < 30; ++i)
        unknown += "<Odd" + std::to_string(i) + "/>";
    text.replace(text.find("<Name>T-1</Name>"), 0, unknown);
    std::ofstream(dir / "odd.lxl") << text;
    const CliRun r = Cli({"evaluate", (dir / "odd.lxl").string()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 21) << r.err;
    EXPECT_TRUE(r.err.ends_with("lodo-cli: warning: and 10 more\n")) << r.err;
}

TEST_F(CliTest, LongPathsAreCutWhereEchoed) {
    const std::string name(200, 'n');
    const CliRun r = Cli({"evaluate", (dir / (name + ".lxl")).string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_LT(r.err.size(), 200u) << r.err;
    EXPECT_NE(r.err.find("... ("), std::string::npos) << r.err;
}

// A command is refused beyond the work one command may do, saying the bound.
TEST_F(CliTest, WorkBeyondTheBoundIsRefusedNamingIt) {
    std::string text = Slurp(Examples + "/contraction-expansion-line.lxl");
    const std::size_t from = text.find("<Node>", text.find("<Name>T-1</Name>") - 200);
    const std::size_t to = text.find("</Node>", from) + 7;
    const std::string tube = text.substr(from, to - from);
    std::string many;
    for (int i = 0; i < 2000; ++i)
        many += tube;
    text.insert(to, many);
    std::ofstream(dir / "long.lxl") << text;
    const std::string file = (dir / "long.lxl").string();
    const CliRun curve = Cli({"curve", file, "--points", "10000"});
    EXPECT_EQ(curve.code, 1);
    EXPECT_EQ(curve.out, "");
    EXPECT_NE(curve.err.find("curve would evaluate 2006 components x 10400 particle sizes x 1 "
                             "point, more than the 10000000 component evaluations one command "
                             "makes"),
              std::string::npos)
        << curve.err;
    const CliRun study = Cli({"study", file, "--vary", "Flow", "--from", "10", "--to", "100",
                              "--points", "50", "--lognormal", "5", "2.5", "--size-resolved"});
    EXPECT_EQ(study.code, 1);
    EXPECT_NE(study.err.find("study would evaluate 2006 components x 400 particle sizes x 50"),
              std::string::npos)
        << study.err;
    // Within the bound the same line is evaluated.
    EXPECT_EQ(Cli({"curve", file, "--points", "100"}).code, 0);
}

TEST_F(CliTest, ErrorsPrintOneLineAndNothingElse) {
    std::ofstream(dir / "broken.lxl") << "<Nodes><Node><Dia1>abc</Dia1></Node></Nodes>";
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err; // start of the one line on stderr
    } cases[] = {
        {{"evaluate", (dir / "missing.lxl").string()},
         1,
         "lodo-cli: " + (dir / "missing.lxl").string() + ": Cannot open"},
        {{"evaluate", (dir / "broken.lxl").string(), "--json"},
         1,
         "lodo-cli: " + (dir / "broken.lxl").string() +
             ": Component 1 (Index 0), element \"NTypeInt\""},
        {{"evaluate", Examples + "/stack-nozzle-line.lxl", "--lognormal", "5", "1"},
         2,
         "lodo-cli evaluate: --lognormal"},
        {{"evaluate", Examples + "/stack-nozzle-line.lxl", "--lognormal", "0", "2"},
         2,
         "lodo-cli evaluate: --lognormal"},
        {{"evaluate", Examples + "/stack-nozzle-line.lxl", "--mono", "-3"},
         2,
         "lodo-cli evaluate: --mono"},
        {{"evaluate", Examples + "/stack-nozzle-line.lxl", "--mono"},
         2,
         "lodo-cli evaluate: --mono needs"},
        {{"evaluate", Examples + "/stack-nozzle-line.lxl", "--mono", "3", "--lognormal", "5", "2"},
         2,
         "lodo-cli evaluate: give only one"},
        {{"evaluate"}, 2, "lodo-cli evaluate: no FILE given"},
        {{"evaluate", "a.lxl", "b.lxl"}, 2, "lodo-cli evaluate: only one FILE"},
        {{"evaluate", "a.lxl", "--frobnicate"},
         2,
         "lodo-cli evaluate: unknown option '--frobnicate'"},
        {{"import", Legacy, "-o"}, 2, "lodo-cli import: -o needs"},
        {{"import", Legacy, "-o", (dir / "no-such-folder" / "x.lxl").string()}, 1, "lodo-cli: "},
        {{"report", Examples + "/stack-nozzle-line.lxl", "--json"},
         2,
         "lodo-cli report: unknown option"},
        {{"frobnicate"}, 2, "lodo-cli: unknown command 'frobnicate'"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        std::string what;
        for (const auto& a : c.args)
            what += a + " ";
        EXPECT_EQ(r.code, c.code) << what;
        EXPECT_EQ(r.out, "") << what;
        EXPECT_TRUE(r.err.starts_with(c.err)) << what << "\n" << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << what << "\n" << r.err;
    }
}

TEST_F(CliTest, EmptyLineHasNoReportNorEvaluation) {
    std::ofstream(dir / "empty.lxl") << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Nodes />\n";
    const CliRun report = Cli({"report", (dir / "empty.lxl").string()});
    EXPECT_EQ(report.code, 1);
    EXPECT_EQ(report.out, "");
    EXPECT_EQ(report.err, "lodo-cli: " + (dir / "empty.lxl").string() +
                              ": There are no components in sample system.\n");
    // Nothing to evaluate is no result either, as for report and study.
    for (const char* format : {"--json", "--strict"}) {
        const CliRun evaluate = Cli({"evaluate", (dir / "empty.lxl").string(), format});
        EXPECT_EQ(evaluate.code, 1);
        EXPECT_EQ(evaluate.out, "");
        EXPECT_EQ(evaluate.err, report.err);
    }
}

// Every occurrence replaced.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    EXPECT_NE(text.find(from), std::string::npos) << from;
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST_F(CliTest, ExitStatusSaysWhetherTheResultIsValid) {
    const std::string nozzle = Slurp(Examples + "/stack-nozzle-line.lxl");
    const std::string probe = Slurp(Examples + "/shrouded-probe-line.lxl");
    std::ofstream(dir / "still-air.lxl")
        << Replaced(probe, "<FStream>12</FStream>", "<FStream>0</FStream>");
    std::ofstream(dir / "negative-flow.lxl")
        << Replaced(nozzle, "<Flow>113.3</Flow>", "<Flow>-20</Flow>");
    std::ofstream(dir / "bend-minus-90.lxl")
        << Replaced(nozzle, "<Ang2>90</Ang2>", "<Ang2>-90</Ang2>");
    std::ofstream(dir / "lower-case.lxl")
        << Replaced(nozzle, "<TempUnit>Metric</TempUnit>", "<TempUnit>metric</TempUnit>");
    const std::string file = (dir / "x").string();
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err; // start of stderr ("" : nothing)
        bool printed;    // the result is on stdout
    } cases[] = {
        {{"evaluate", Examples + "/stack-nozzle-line.lxl"}, 0, "", true},
        // A FAIL verdict is a valid result.
        {{"evaluate", Examples + "/stack-nozzle-line.lxl", "--mono", "1000"}, 0, "", true},
        {{"evaluate", (dir / "still-air.lxl").string(), "--json"},
         4,
         "lodo-cli: " + (dir / "still-air.lxl").string() +
             ": no valid result: Component 1 (Index 0, N-1)",
         true},
        {{"report", (dir / "still-air.lxl").string()}, 4, "lodo-cli: ", true},
        {{"evaluate", (dir / "negative-flow.lxl").string()},
         1,
         "lodo-cli: " + (dir / "negative-flow.lxl").string() +
             ": Component 1 (Index 0, N-1), field \"Flow\" is -20 (Metric): Flow rate must be "
             "greater than 0\n",
         false},
        {{"evaluate", (dir / "bend-minus-90.lxl").string()}, 1, "lodo-cli: ", false},
        {{"evaluate", (dir / "lower-case.lxl").string()},
         0,
         "lodo-cli: warning: " + (dir / "lower-case.lxl").string() +
             ": Component 1 (Index 0, N-1), field \"TempUnit\"",
         true},
        {{"study", Examples + "/stack-nozzle-line.lxl", "--vary", "Flow", "--from", "1e308", "--to",
          "1.7e308", "--points", "2"},
         4,
         "lodo-cli: " + Examples + "/stack-nozzle-line.lxl: no valid result at point 1 (1E308)",
         true},
        {{"study", Examples + "/stack-nozzle-line.lxl", "--vary", "Particle", "--from", "0.0001",
          "--to", "10", "--points", "2"},
         2,
         "lodo-cli study: --from 0.0001: Particle diameter must be from 0.001 to 1000",
         false},
        {{"study", Examples + "/stack-nozzle-line.lxl", "--vary", "Particle", "--from", "1", "--to",
          "5000", "--points", "2"},
         2,
         "lodo-cli study: --to 5000: Particle diameter",
         false},
        {{"import", Legacy, "-o", Legacy},
         1,
         "lodo-cli: " + Legacy + ": the output is the file being imported",
         false},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        std::string what;
        for (const auto& a : c.args)
            what += a + " ";
        EXPECT_EQ(r.code, c.code) << what << "\n" << r.err;
        if (c.err.empty()) {
            EXPECT_EQ(r.err, "") << what;
        } else {
            EXPECT_TRUE(r.err.starts_with(c.err)) << what << "\n" << r.err;
        }
        EXPECT_EQ(!r.out.empty(), c.printed) << what << "\n" << r.out;
    }
    // The legacy file was left as it was.
    EXPECT_TRUE(Slurp(Legacy).starts_with("4")) << Slurp(Legacy).substr(0, 40);
}

TEST_F(CliTest, VerdictNamesTheCriteriaThatFailed) {
    const CliRun ok = Cli({"evaluate", Examples + "/stack-nozzle-line.lxl"});
    EXPECT_NE(ok.out.find("System penetration: 64.46 %\n"
                          "Design verdict: ANSI N13.1 at 10 \u00B5m: PASS \u2014 aspiration ratio "
                          "1.000 (0.8 to 1.5), transport 64.5 % (\u2265 50 %), system 64.5 % "
                          "(\u2265 50 %)\n"),
              std::string::npos)
        << ok.out;
    // Large particles sampled slowly by a nozzle alone: it over-aspirates, so the
    // penetration exceeds 100 % and only the aspiration criterion tells the truth.
    std::string nozzleOnly = Slurp(Examples + "/stack-nozzle-line.lxl");
    nozzleOnly = nozzleOnly.substr(0, nozzleOnly.find("</Node>") + 7) + "\n</Nodes>\n";
    std::ofstream(dir / "slow.lxl")
        << Replaced(nozzleOnly, "<Flow>113.3</Flow>", "<Flow>0.1</Flow>");
    const CliRun slow = Cli({"evaluate", (dir / "slow.lxl").string(), "--mono", "1000"});
    ASSERT_EQ(slow.code, 0) << slow.err;
    std::smatch m;
    ASSERT_TRUE(
        std::regex_search(slow.out, m, std::regex("System penetration: ([0-9.]+) %\n(.*)\n")))
        << slow.out;
    EXPECT_GT(std::stod(m[1]), 100.0) << slow.out;
    EXPECT_TRUE(m[2].str().starts_with(
        "Design verdict: ANSI N13.1 at 10 \u00B5m: FAIL (aspiration ratio) \u2014"))
        << slow.out;
    // The verdict is the one at 10 um, whatever size the penetration is printed for.
    const CliRun line =
        Cli({"evaluate", Examples + "/english-units-line.lxl", "--lognormal", "1", "1.5"});
    EXPECT_NE(line.out.find("Design verdict: ANSI N13.1 at 10 \u00B5m: FAIL (transport "
                            "penetration, system penetration) \u2014"),
              std::string::npos)
        << line.out;
}

// check: 0 when the design passes (over its range), 5 when it does not, the other
// statuses as every command has them.
TEST_F(CliTest, CheckExitStatusIsTheDesignVerdict) {
    const std::string nozzle = Examples + "/stack-nozzle-line.lxl";
    std::ofstream(dir / "still-air.lxl")
        << Replaced(Slurp(Examples + "/shrouded-probe-line.lxl"), "<FStream>12</FStream>",
                    "<FStream>0</FStream>");
    // The nozzle again behind the last tube.
    std::string text = Slurp(nozzle);
    const std::size_t first = text.find("  <Node>"), end = text.find("</Node>") + 8;
    std::string second = text.substr(first, end - first);
    second.replace(second.find("<Name>N-1</Name>"), 16, "<Name>N-2</Name>");
    text.insert(text.rfind("</Nodes>"), second);
    std::ofstream(dir / "second-inlet.lxl") << text;
    const struct {
        std::vector<std::string> args;
        int code;
        std::string verdict; // the last line of the report
    } cases[] = {
        {{"check", nozzle}, 0, "Design verdict: PASS"},
        {{"check", nozzle, "--stack-velocity", "5:20"},
         0,
         "Design verdict: PASS over the operating range (3 points)"},
        {{"check", nozzle, "--stack-velocity", "5:22", "--flow", "80:140", "--temperature",
          "10:60"},
         5,
         "Design verdict: FAIL over the operating range (27 points)"},
        // The selected description does not move the verdict off 10 um.
        {{"check", nozzle, "--stack-velocity", "5:22", "--mono", "1"},
         5,
         "Design verdict: FAIL over the operating range (3 points)"},
        {{"check", Examples + "/english-units-line.lxl"}, 5, "Design verdict: FAIL"},
        {{"check", (dir / "still-air.lxl").string()}, 4, ""},
        {{"check", (dir / "second-inlet.lxl").string()},
         5,
         "Design verdict: no verdict \u2014 the line's geometry is inconsistent: N-2: an inlet can "
         "only be the first component of the line"},
        {{"check", nozzle, "--flow", "140:80"}, 2, ""},
        {{"check", nozzle, "--temperature", "20"}, 2, ""},
        {{"check", (dir / "missing.lxl").string()}, 1, ""},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        const std::string what = c.args.size() > 2 ? c.args[2] : c.args[1];
        EXPECT_EQ(r.code, c.code) << what << "\n" << r.out << r.err;
        if (!c.verdict.empty()) {
            EXPECT_TRUE(r.out.ends_with("\n" + c.verdict + "\n")) << r.out;
        }
    }
    const CliRun json = Cli({"check", nozzle, "--json", "--stack-velocity", "5:22"});
    EXPECT_EQ(json.code, 5);
    EXPECT_NE(json.out.find("\"Result\": \"FAIL\", \"Pass\": false, \"Failed\": "
                            "[\"AspirationRatio\"]"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("{\"StackVelocity\": 22, \"Flow\": 113.3, \"Temperature\": 35"),
              std::string::npos)
        << json.out;
}

// The design case saved with a line: its particle description (unless an option gives
// one), its identification and its operating range (unless an option replaces it).
TEST_F(CliTest, FileDesignCaseIsUsed) {
    const std::string design =
        "<Design><Identification><Facility>Plant A</Facility><Stack>Main stack</Stack>"
        "</Identification><Particles><TypeDist>LogNormal</TypeDist><PartSize>10</PartSize>"
        "<MeanPart>5</MeanPart><PartSD>2.5</PartSD></Particles><OperatingRange><StackVelocity>"
        "<Min>5</Min><Max>20</Max></StackVelocity></OperatingRange></Design>";
    std::string text = Slurp(Examples + "/stack-nozzle-line.lxl");
    text.insert(text.find("  </Node>"), "    " + design + "\n");
    const std::string file = (dir / "designed.lxl").string();
    std::ofstream(file) << text;

    const CliRun evaluated = Cli({"evaluate", file});
    ASSERT_EQ(evaluated.code, 0) << evaluated.err;
    EXPECT_EQ(evaluated.err, "");
    EXPECT_NE(evaluated.out.find("Particles: log-normal, mass median diameter 5 \u00B5m"),
              std::string::npos)
        << evaluated.out;
    EXPECT_NE(evaluated.out.find("Design verdict over the operating range: PASS, worst system "
                                 "penetration 59.0 % at 5 m/s\n"),
              std::string::npos)
        << evaluated.out;
    EXPECT_NE(Cli({"evaluate", file, "--mono", "10"})
                  .out.find("Particles: one size, aerodynamic diameter 10 \u00B5m"),
              std::string::npos);

    const CliRun checked = Cli({"check", file});
    EXPECT_EQ(checked.code, 0) << checked.err;
    EXPECT_NE(checked.out.find("Design case:\n  Facility:      Plant A\n  Stack or duct: Main "
                               "stack\n"),
              std::string::npos)
        << checked.out;
    EXPECT_TRUE(checked.out.ends_with("Design verdict: PASS over the operating range (3 points)\n"))
        << checked.out;
    EXPECT_EQ(Cli({"check", file, "--stack-velocity", "5:22"}).code, 5);
}

TEST_F(CliTest, LogNormalFiguresAreNotAVerdict) {
    const CliRun r =
        Cli({"evaluate", Examples + "/stack-nozzle-line.lxl", "--lognormal", "5", "2.5"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("System penetration: 1.29 %\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Design verdict: ANSI N13.1 at 10 \u00B5m: PASS"), std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("FAIL"), std::string::npos) << r.out;
}

bool IsUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80         ? 1
                              : (c >> 5) == 6  ? 2
                              : (c >> 4) == 14 ? 3
                              : (c >> 3) == 30 ? 4
                                               : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

TEST_F(CliTest, OutputIsValidUtf8AndMessagesStayShort) {
    const std::string nozzle = Slurp(Examples + "/stack-nozzle-line.lxl");
    std::ofstream(dir / "latin1.lxl")
        << Replaced(nozzle, "<LineName>Main stack", "<LineName>Z\xFCrich \x1b[2J stack");
    const CliRun json = Cli({"evaluate", (dir / "latin1.lxl").string(), "--json"});
    ASSERT_EQ(json.code, 0) << json.err;
    EXPECT_TRUE(IsUtf8(json.out));
    EXPECT_NE(json.out.find("\"LineName\": \"Z\xEF\xBF\xBDrich \\u001b[2J stack"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("bytes that are not UTF-8 were read as U+FFFD"), std::string::npos)
        << json.out;
    const CliRun table = Cli({"evaluate", (dir / "latin1.lxl").string()});
    EXPECT_EQ(table.out.find('\x1b'), std::string::npos);
    EXPECT_TRUE(IsUtf8(table.out));

    std::ofstream(dir / "huge.lxl") << Replaced(
        nozzle, "<Dia1>15.5</Dia1>", "<Dia1>" + std::string(100000, '9') + "\x1b</Dia1>");
    const CliRun huge = Cli({"evaluate", (dir / "huge.lxl").string()});
    EXPECT_EQ(huge.code, 1);
    EXPECT_LT(huge.err.size(), 300u) << huge.err.substr(0, 300);
    EXPECT_EQ(huge.err.find('\x1b'), std::string::npos);
    const CliRun arg = Cli({"evaluate", Examples + "/stack-nozzle-line.lxl", "--mono",
                            std::string(5000, '1') + "\x1b"});
    EXPECT_EQ(arg.code, 2);
    EXPECT_LT(arg.err.size(), 300u);
    EXPECT_EQ(arg.err.find('\x1b'), std::string::npos);
}

// Every table and the report: names from the file cannot reach the terminal as
// control sequences, and a column stays aligned whatever its bytes.
TEST_F(CliTest, TerminalOutputEscapesNamesAndKeepsColumns) {
    const std::string nozzle = Slurp(Examples + "/stack-nozzle-line.lxl");
    std::ofstream(dir / "escape.lxl")
        << Replaced(Replaced(nozzle, "<Name>N-1</Name>", "<Name>N-1 &#27;]0;title&#7;</Name>"),
                    "<LineName>Main stack", "<LineName>&#27;[2J stack");
    const std::string file = (dir / "escape.lxl").string();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"evaluate", file, "--lognormal", "5", "2.5"},
          {"report", file},
          {"curve", file, "--points", "3"}}) {
        const CliRun r = Cli(args);
        ASSERT_EQ(r.code, 0) << args[0] << r.err;
        EXPECT_EQ(r.out.find_first_of("\x1b\x07"), std::string::npos) << args[0] << r.out;
        EXPECT_NE(r.out.find("N-1 \\x1b]0;title\\x07"), std::string::npos) << args[0] << r.out;
    }
    // The curve's header ("Dp (\u00B5m)", two bytes for one character) and its rows.
    const CliRun curve = Cli({"curve", Examples + "/stack-nozzle-line.lxl", "--points", "3"});
    std::istringstream lines(curve.out);
    std::string l;
    std::vector<std::size_t> widths;
    for (std::getline(lines, l), std::getline(lines, l); std::getline(lines, l) && !l.empty();)
        widths.push_back(static_cast<std::size_t>(std::count_if(l.begin(), l.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        })));
    ASSERT_EQ(widths.size(), 4u) << curve.out;
    EXPECT_EQ(std::count(widths.begin(), widths.end(), widths[0]), 4) << curve.out;
}

TEST_F(CliTest, AnOutputThatCannotBeWrittenIsAFailure) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    for (const std::string& args :
         {"evaluate " + Quote(Examples + "/stack-nozzle-line.lxl") + " --json",
          std::string("--help"), std::string("splitter")}) {
        const std::string cmd =
            Quote(LODO_CLI) + " " + args + " >/dev/full 2>" + Quote((dir / "err").string());
        const int status = std::system(cmd.c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << args;
        EXPECT_EQ(Slurp(dir / "err"),
                  "lodo-cli: cannot write the output: No space left on device\n")
            << args;
    }
}

TEST_F(CliTest, ImportRefusesAReadOnlyOutput) {
    const fs::path out = dir / "protected.lxl";
    std::ofstream(out) << "keep me";
    fs::permissions(out, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const CliRun r = Cli({"import", Legacy, "-o", out.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "lodo-cli: " + out.string() + ": Cannot write the file: it is read-only\n");
    EXPECT_EQ(Slurp(out), "keep me");
}

TEST_F(CliTest, Help) {
    const CliRun top = Cli({"--help"});
    EXPECT_EQ(top.code, 0);
    EXPECT_NE(top.out.find("Exit status:"), std::string::npos);
    for (const char* status : {"\n  0  ", "\n  1  ", "\n  2  ", "\n  3  ", "\n  4  ", "\n  5  "})
        EXPECT_NE(top.out.find(status), std::string::npos) << status;
    for (const char* command : {"evaluate", "report", "import", "study", "splitter"}) {
        EXPECT_NE(top.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
        const CliRun help = Cli({command, "--help"});
        EXPECT_EQ(help.code, 0) << command;
        EXPECT_TRUE(help.out.starts_with(std::string("Usage: lodo-cli ") + command)) << help.out;
        EXPECT_NE(help.out.find("Exit status:\n  0  the result is valid"), std::string::npos)
            << command;
        EXPECT_NE(
            help.out.find("\n  4  the output is printed, but a result is not a finite number"),
            std::string::npos);
    }
    // One version everywhere: the project's, with the build id beside it.
    const CliRun version = Cli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, ProgramVersion::VersionLine("lodo-cli") + "\n");
    EXPECT_TRUE(version.out.starts_with("lodo-cli 2.0.0 (Lodo Calculator, Version 2.0 Beta, "))
        << version.out;
    const CliRun none = Cli({});
    EXPECT_EQ(none.code, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_TRUE(none.err.starts_with("Usage: lodo-cli COMMAND"));
}

} // namespace
