// The study command of lodo-cli, run in-process on the example lines.
#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "studies/engine/ParameterStudy.h"
#include "studies/engine/StudyLines.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code;
    std::string out, err;
};

CliRun Study(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunStudyCommand(args, out, err);
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
const std::string Legacy = LODO_PERSISTENCE_DATA_DIR "/stack-line.lpl";

TEST(StudyCommand, FlowTenToHundredPrintsTheExport) {
    const CliRun r =
        Study({Nozzle, "--vary", "Flow", "--from", "10", "--to", "100", "--points", "10"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "Flow Rate (LPM)\tTransmission Ratio");
    EXPECT_EQ(lines[1].substr(0, 3), "10\t");
    EXPECT_EQ(lines[10].substr(0, 4), "100\t");
}

TEST(StudyCommand, PrintsExactlyWhatTheStudyExports) {
    struct Case {
        std::vector<std::string> args;
        StudyKind kind;
        int points;
        double from, to;
        Cli::ParticleSpec particle;
        std::string notice;
    };
    Cli::ParticleSpec logNormal;
    logNormal.LogNormal = true;
    logNormal.MDp = 3.0f;
    logNormal.DpSD = 2.0f;
    Cli::ParticleSpec mono;
    mono.Dp = 4.0f;
    const Case cases[] = {
        {{Nozzle, "--vary", "diameter", "--from", "12", "--to", "40", "--points", "5"},
         StudyKind::Diameter,
         5,
         12,
         40,
         {},
         "lodo-cli study: This anaylsis will not include the nozzle component.\n"},
        {{Legacy, "--vary", "Particle", "--from", "20", "--to", "1", "--points", "7"},
         StudyKind::Particle,
         7,
         20,
         1,
         {},
         ""},
        {{"--lognormal", "3", "2", Nozzle, "--vary", "Free_Stream", "--from", "2.5", "--to", "25",
          "--points", "50"},
         StudyKind::FreeStream,
         50,
         2.5,
         25,
         logNormal,
         ""},
        {{Nozzle, "--points", "1", "--vary", "Flow", "--to", "90", "--from", "30", "--mono", "4"},
         StudyKind::Flow,
         1,
         30,
         90,
         mono,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[2]);
        const CliRun r = Study(c.args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, c.notice);

        auto loaded = Cli::LoadLine(c.args[0] == "--lognormal" ? Nozzle : c.args[0], c.particle);
        LodoModel& m = std::get<Cli::LoadedLine>(loaded).Model;
        const StudyOutcome o = RunStudy(m, c.kind, c.points, c.from, c.to);
        std::string expected;
        for (const std::string& line : o.Lines)
            expected += line + "\n";
        EXPECT_EQ(r.out, expected);
    }
}

// The export prints 15 significant digits; the machine-readable forms carry the same
// values at full precision.
std::string G15(double x) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", x);
    return text;
}

TEST(StudyCommand, JsonAndCsvCarryTheExportedPointsAsNumbers) {
    struct Case {
        std::vector<std::string> extra;
        std::string vary, unit, particles;
    };
    const Case cases[] = {
        {{"--vary", "Free_Stream", "--from", "1", "--to", "10", "--points", "4"},
         "Free_Stream",
         "m/s",
         R"("Particles": {"DType": "Mono", "Dp": 10, "MMAD": null, "GSD": null})"},
        {{"--vary", "Flow", "--from", "5", "--to", "50", "--points", "3", "--lognormal", "5",
          "2.5"},
         "Flow",
         "L/min",
         R"("Particles": {"DType": "LogNormal", "Dp": null, "MMAD": 5, "GSD": 2.5})"},
        {{"--vary", "Particle", "--from", "0.3", "--to", "30", "--points", "5"},
         "Particle",
         "µm",
         R"("Particles": {"DType": "Mono", "Dp": null, "MMAD": null, "GSD": null})"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{Nozzle};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliRun exported = Study(args);
        ASSERT_EQ(exported.code, 0) << exported.err;
        auto exportLines = Lines(exported.out);
        exportLines.erase(exportLines.begin()); // the header

        args.push_back("--json");
        const CliRun json = Study(args);
        ASSERT_EQ(json.code, 0) << json.err;
        EXPECT_NE(json.out.find("\"Vary\": \"" + c.vary + "\""), std::string::npos) << json.out;
        EXPECT_NE(json.out.find("\"Unit\": \"" + c.unit + "\""), std::string::npos) << json.out;
        EXPECT_NE(json.out.find(c.particles), std::string::npos) << json.out;
        EXPECT_NE(json.out.find("\"LineName\": \"Main stack, 4 cfm nozzle line\""),
                  std::string::npos);
        const std::regex point(
            R"re(\{"Value": ([^,]+), "Penetration": ([^,]+), "AspirationRatio": ([^}]+)\})re");
        std::vector<std::string> fromJson;
        for (auto m = std::sregex_iterator(json.out.begin(), json.out.end(), point);
             m != std::sregex_iterator(); ++m) {
            std::string line = G15(std::stod((*m)[1])) + "\t" + G15(std::stod((*m)[2]));
            if (c.vary == "Free_Stream")
                line += "\t" + G15(std::stod((*m)[3]));
            else
                EXPECT_EQ((*m)[3], "null");
            fromJson.push_back(line);
        }
        EXPECT_EQ(fromJson, exportLines);

        args.back() = "--csv";
        const CliRun csv = Study(args);
        ASSERT_EQ(csv.code, 0) << csv.err;
        auto csvLines = Lines(csv.out);
        ASSERT_EQ(csvLines.size(), exportLines.size() + 1);
        EXPECT_EQ(csvLines[0].find(','), csvLines[0].find(",Penetration"));
        for (std::size_t i = 1; i < csvLines.size(); ++i) {
            std::string line;
            std::istringstream cells(csvLines[i]);
            for (std::string cell; std::getline(cells, cell, ',');)
                line += (line.empty() ? "" : "\t") + G15(std::stod(cell));
            EXPECT_EQ(line, exportLines[i - 1]);
        }
    }
}

TEST(StudyCommand, WrongCommandLinesGiveOneLineAndExitCode2) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {Nozzle, "--from", "1", "--to", "2", "--points", "3"},
        {Nozzle, "--vary", "Speed", "--from", "1", "--to", "2", "--points", "3"},
        {Nozzle, "--vary", "Flow", "--to", "2", "--points", "3"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--points", "3"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--to", "2"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--to", "2", "--points", "0"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--to", "2", "--points", "51"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--to", "2", "--points", "2.5"},
        {Nozzle, "--vary", "Flow", "--from", "-1", "--to", "2", "--points", "3"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--to", "0", "--points", "3"},
        {Nozzle, "--vary", "Flow", "--from", "abc", "--to", "2", "--points", "3"},
        {Nozzle, "--vary", "Flow", "--from", "nan", "--to", "2", "--points", "3"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--to", "2", "--points", "3", "--from", "4"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--to", "2", "--points"},
        {Nozzle, Nozzle, "--vary", "Flow", "--from", "1", "--to", "2", "--points", "3"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--to", "2", "--points", "3", "--fast"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--to", "2", "--points", "3", "--mono", "5",
         "--lognormal", "5", "2"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--to", "2", "--points", "3", "--lognormal", "5",
         "1"},
        {Nozzle, "--vary", "Flow", "--from", "1", "--to", "2", "--points", "3", "--json", "--csv"},
    };
    for (const auto& args : cases) {
        const CliRun r = Study(args);
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        EXPECT_EQ(r.code, Cli::ExitUsage) << joined;
        EXPECT_EQ(r.out, "") << joined;
        EXPECT_EQ(Lines(r.err).size(), 1u) << joined << "\n" << r.err;
    }
}

TEST(StudyCommand, StudiesTheLineCannotRunFailWithTheirMessage) {
    const fs::path dir =
        fs::temp_directory_path() / ("lodo-study-cli-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path tubes = dir / "tubes.lxl";
    const fs::path inlet = dir / "inlet.lxl";
    ASSERT_FALSE(WriteLxlFile(tubes, StudyLines::TubeLine(), "Tubes"));
    ASSERT_FALSE(WriteLxlFile(inlet, {StudyLines::Comp(NodeNozzle, 20, 34.9)}, "Inlet"));
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{tubes.string(), "--vary", "Free_Stream", "--from", "1", "--to", "2", "--points", "3"},
         "The first component must be a probe or nozzle for this analysis"},
        {{inlet.string(), "--vary", "Diameter", "--from", "1", "--to", "2", "--points", "3"},
         "There are no components after the inlet to vary."},
        {{(dir / "missing.lxl").string(), "--vary", "Flow", "--from", "1", "--to", "2", "--points",
          "3"},
         "missing.lxl"},
    };
    for (const Case& c : cases) {
        const CliRun r = Study(c.args);
        EXPECT_EQ(r.code, Cli::ExitFailure);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    fs::remove_all(dir);
}

TEST(StudyCommand, HelpNamesEveryOption) {
    const CliRun r = Study({"--help"});
    EXPECT_EQ(r.code, 0);
    for (const char* option : {"--vary", "--from", "--to", "--points", "--mono", "--lognormal",
                               "--json", "--csv", "Free_Stream", "Particle", "Diameter", "Flow"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
}

} // namespace
