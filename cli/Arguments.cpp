#include "cli/Arguments.h"

#include "model/InputRules.h"
#include "model/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace Cli {
namespace {

std::string NotANumber(std::string_view name, std::string_view what, std::string_view range,
                       const std::string& value) {
    return std::string(name) + ": " + std::string(what) + " must be a number " +
           std::string(range) + ", not '" + Quote(value) + "'";
}

std::string OneOf(const std::vector<std::string_view>& names) {
    std::string text;
    for (std::size_t k = 0; k < names.size(); ++k)
        text += (k == 0 ? "" : k + 1 == names.size() ? " and " : ", ") + std::string(names[k]);
    return text;
}

} // namespace

std::optional<std::string> Parse(const ArgumentSpec& spec, const std::vector<std::string>& args) {
    std::vector<bool> flagSeen(spec.Flags.size()), optionSeen(spec.Options.size());
    bool formatSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (spec.Particles) {
            std::string error;
            if (ParseParticleOption(args, i, *spec.Particles, error) ||
                ParseParticleProperty(args, i, *spec.Particles, error)) {
                if (!error.empty())
                    return error;
                continue;
            }
        }
        const auto flag = std::ranges::find(spec.Flags, a, &Flag::Name);
        if (flag != spec.Flags.end()) {
            if (flagSeen[flag - spec.Flags.begin()])
                return a + " given twice";
            flagSeen[flag - spec.Flags.begin()] = true;
            *flag->Set = true;
            continue;
        }
        if (std::ranges::find(spec.Formats, a) != spec.Formats.end()) {
            if (formatSeen)
                return "give at most one of " + OneOf(spec.Formats);
            formatSeen = true;
            *spec.Format = a;
            continue;
        }
        const auto option = std::ranges::find_if(spec.Options, [&](const ValuedOption& o) {
            return std::ranges::find(o.Names, a) != o.Names.end();
        });
        if (option != spec.Options.end()) {
            if (i + 1 >= args.size())
                return a + " needs " + std::string(option->Needs);
            if (optionSeen[option - spec.Options.begin()])
                return option->Twice.empty() ? a + " given twice" : std::string(option->Twice);
            optionSeen[option - spec.Options.begin()] = true;
            if (auto error = option->Read(a, args[++i]))
                return error;
            continue;
        }
        // A lone "-" is a name, not an option.
        if (a.starts_with("-") && a != "-")
            return "unknown option '" + Quote(a) + "'";
        if (!spec.File)
            return "unexpected argument '" + Quote(a) + "'";
        if (!spec.File->empty())
            return "only one FILE may be given";
        *spec.File = a;
    }
    if (spec.File && spec.File->empty())
        return "no FILE given";
    return std::nullopt;
}

ValueReader ParticleDiameter(std::optional<double>& value, std::string_view what) {
    return [&value, what](std::string_view name, const std::string& text) {
        const auto x = NumberFormat::ParseNumber(text);
        if (!x || !InputRules::Allows(InputRules::RuleId::ParticleSize, *x))
            return std::optional(NotANumber(name, what, "from 0.001 to 1000 (um)", text));
        value = *x;
        return std::optional<std::string>();
    };
}

ValueReader PositiveNumber(std::optional<double>& value) {
    return [&value](std::string_view name, const std::string& text) {
        const auto x = NumberFormat::ParseNumber(text);
        if (!x || !(*x > 0.0))
            return std::optional(std::string(name) + " must be a positive number, not '" +
                                 Quote(text) + "'");
        value = *x;
        return std::optional<std::string>();
    };
}

ValueReader PointCount(int max, std::optional<int>& value) {
    return [max, &value](std::string_view name, const std::string& text) {
        const auto n = NumberFormat::ParseInteger(text);
        if (!n || *n < 1 || *n > max)
            return std::optional(std::string(name) + " must be a whole number from 1 to " +
                                 std::to_string(max) + ", not '" + Quote(text) + "'");
        value = *n;
        return std::optional<std::string>();
    };
}

ValueReader NumberWithin(double min, double max, std::string_view what, double& value) {
    const std::string range = std::isinf(max) ? "at least " + NumberFormat::General15(min)
                                              : "from " + NumberFormat::General15(min) + " to " +
                                                    NumberFormat::General15(max);
    return [min, max, what, range, &value](std::string_view name, const std::string& text) {
        const auto x = NumberFormat::ParseNumber(text);
        if (!x || *x < min || *x > max)
            return std::optional(NotANumber(name, what, range, text));
        value = *x;
        return std::optional<std::string>();
    };
}

} // namespace Cli
