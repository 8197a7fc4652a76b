#include "cli/CliCommon.h"

#include "cli/Arguments.h"
#include "model/InputRules.h"
#include "model/NumberFormat.h"
#include "persistence/ReaderWarnings.h"
#include "persistence/RecordFields.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fmt/format.h>
#include <ostream>

namespace Cli {
namespace {

// One line of a message: nothing in it can move the cursor or change the terminal.
std::string OneLine(std::string_view message) {
    return TextSafety::Echo(message, 2000);
}

bool IsLegacyPath(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return ext == ".lpl";
}

} // namespace

bool ParseParticleOption(const std::vector<std::string>& args, std::size_t& i,
                         ParticleSpec& particles, std::string& error) {
    const std::string& option = args[i];
    if (option != "--mono" && option != "--lognormal")
        return false;
    if (particles.Given) {
        error = "give only one of --mono and --lognormal";
        return true;
    }
    particles.Given = true;
    if (option == "--mono") {
        if (i + 1 >= args.size()) {
            error = "--mono needs the particle diameter DP";
            return true;
        }
        std::optional<double> dp;
        if (auto e = ParticleDiameter(dp)(option, args[++i])) {
            error = std::move(*e);
            return true;
        }
        particles.LogNormal = false;
        particles.Dp = static_cast<float>(*dp);
        return true;
    }
    if (i + 2 >= args.size()) {
        error = "--lognormal needs MMAD and GSD";
        return true;
    }
    std::optional<double> mmad;
    if (auto e = ParticleDiameter(mmad, "the mass median diameter")(option, args[++i])) {
        error = std::move(*e);
        return true;
    }
    const auto gsd = NumberFormat::ParseNumber(args[++i]);
    // A deviation of 1 has no width to integrate over; below 1 the size range turns over.
    if (!gsd || !InputRules::Allows(InputRules::RuleId::Gsd, *gsd) ||
        static_cast<float>(*gsd) <= 1.0f) {
        error = "--lognormal: the geometric standard deviation must be a number above 1 and up to "
                "1000, not '" +
                Quote(args[i]) + "'";
        return true;
    }
    particles.LogNormal = true;
    particles.MDp = static_cast<float>(*mmad);
    particles.DpSD = static_cast<float>(*gsd);
    return true;
}

bool ParseParticleProperty(const std::vector<std::string>& args, std::size_t& i,
                           ParticleSpec& particles, std::string& error) {
    using InputRules::RuleId;
    struct Numeric {
        std::string_view Name;
        double LodoMath::ParticleProperties::*Value;
        RuleId Rule;
    };
    static constexpr Numeric Numbers[] = {
        {"--density", &LodoMath::ParticleProperties::Density, RuleId::ParticleDensity},
        {"--shape-factor", &LodoMath::ParticleProperties::ShapeFactor, RuleId::ShapeFactor},
        {"--thermal-conductivity", &LodoMath::ParticleProperties::ThermalConductivity,
         RuleId::ThermalConductivity},
    };
    const std::string& option = args[i];
    const Numeric* numeric = nullptr;
    for (const Numeric& n : Numbers)
        if (option == n.Name)
            numeric = &n;
    if (!numeric && option != "--size-type")
        return false;
    // Each option once per command line: remember the ones read for this `particles`.
    auto& seen = particles.PropertiesSeen;
    if (std::find(seen.begin(), seen.end(), option) != seen.end()) {
        error = option + " given twice";
        return true;
    }
    seen.push_back(option);
    if (i + 1 >= args.size()) {
        error = option + (numeric ? " needs a number" : " needs aerodynamic or physical");
        return true;
    }
    const std::string& text = args[++i];
    if (!numeric) {
        if (text == "aerodynamic")
            particles.Properties.Sizes = LodoMath::SizeType::Aerodynamic;
        else if (text == "physical")
            particles.Properties.Sizes = LodoMath::SizeType::Physical;
        else
            error = "--size-type must be aerodynamic or physical, not '" + Quote(text) + "'";
        return true;
    }
    const InputRules::Rule& rule = InputRules::RuleOf(numeric->Rule);
    const auto x = NumberFormat::ParseNumber(text);
    if (!x || !InputRules::Allows(rule, *x)) {
        error = option + ": " + std::string(rule.Message) + " (given '" + Quote(text) + "')";
        return true;
    }
    particles.Properties.*(numeric->Value) = *x;
    return true;
}

namespace {
DistributionSetting SettingOf(const ParticleSpec& particles) {
    DistributionSetting s{particles.Dp, particles.MDp, particles.DpSD,
                          particles.LogNormal ? Distribution::LogNormal : Distribution::Mono};
    s.Particle = particles.Properties;
    return s;
}
} // namespace

void ApplyParticle(EvalContext& ctx, const ParticleSpec& particles) {
    ApplyDistribution(ctx, SettingOf(particles));
}

std::variant<LoadedLine, std::string> LoadLine(const std::string& path,
                                               const ParticleSpec& particles, FileKind kind) {
    LoadedLine line;
    EvalContext& ctx = line.Model.Ctx;
    const bool legacy = kind == FileKind::Legacy || IsLegacyPath(path);
    ReadResult read = legacy ? ReadLplFile(path, ctx) : ReadLxlFile(path, ctx);
    if (auto* e = std::get_if<FileError>(&read))
        return Quote(path) + ": " + e->Message;
    LineFile& file = std::get<LineFile>(read);
    line.Path = path;
    line.Warnings = std::move(file.Warnings);
    line.Model.List = std::move(file.List);
    line.LineName = file.LineName.value_or("");
    ctx.TINo = file.Counters.TINo;
    ctx.BINo = file.Counters.BINo;
    ctx.CINo = file.Counters.CINo;
    ctx.EINo = file.Counters.EINo;
    ctx.NINo = file.Counters.NINo;
    ctx.SINo = file.Counters.SINo;
    line.Design = file.Design;
    // A line saved with its particle description is evaluated with it unless an option
    // says otherwise.
    line.Particles =
        !particles.Given && file.Design.Particles ? *file.Design.Particles : SettingOf(particles);
    ApplyDistribution(ctx, line.Particles);
    const LodoList asRead = line.Model.List;
    line.Align = AlignList(line.Model, 0);
    for (std::string& w : ReaderWarnings::AlignmentChanges(asRead, line.Model.List))
        line.Warnings.push_back(std::move(w));
    return line;
}

bool WantsHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& a) { return a == "--help" || a == "-h"; });
}

int Fail(std::ostream& err, std::string_view message, int code) {
    err << "lodo-cli: " << OneLine(message) << '\n';
    return code;
}

int UsageError(std::ostream& err, std::string_view command, std::string_view message) {
    err << "lodo-cli " << command << ": " << OneLine(message) << " (see 'lodo-cli " << command
        << " --help')\n";
    return ExitUsage;
}

void PrintWarnings(std::ostream& err, const LoadedLine& line) {
    // A file of thousands of oddities would bury the result under them.
    const std::vector<std::string> shown = ReaderWarnings::Capped(line.Warnings);
    for (std::size_t i = 0; i < shown.size(); ++i)
        err << "lodo-cli: warning: "
            << (i < ReaderWarnings::MaxPrinted ? OneLine(Quote(line.Path) + ": " + shown[i])
                                               : OneLine(shown[i]))
            << '\n';
}

std::optional<std::string> InvalidReason(const LoadedLine& line) {
    const LodoList& list = line.Model.List;
    const bool logNormal = line.Model.Ctx.DType == Distribution::LogNormal;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (HasInvalidResult(list[i], logNormal))
            return RecordFields::ComponentLabel(i, list[i].Name) +
                   " has a result that is not a finite number; the inputs lie outside what its "
                   "model can evaluate";
    }
    if (!list.empty() && HasInvalidSystem(line.Model.Ctx))
        return std::string("a system total is not a finite number");
    return std::nullopt;
}

int Finish(std::ostream& err, const LoadedLine& line) {
    if (const auto reason = InvalidReason(line))
        return Fail(err, line.Path + ": no valid result: " + *reason, ExitInvalid);
    return ExitOk;
}

std::string JsonNumber(double x) {
    if (!std::isfinite(x))
        return "null";
    return fmt::format("{}", x);
}

} // namespace Cli
