#include "persistence/RecordFields.h"

#include "model/InputRules.h"
#include "model/NumberFormat.h"
#include "model/TextSafety.h"
#include "physics/LodoMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace RecordFields {
namespace {

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char ch) {
            return (ch >= 'A' && ch <= 'Z') ? char(ch - 'A' + 'a') : ch;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// Results of an evaluation that failed are kept as they were, so that a saved line
// opens again; evaluation recomputes them anyway.
std::optional<double> ParseNonFinite(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    if (EqualsNoCase(t, "NaN"))
        return std::numeric_limits<double>::quiet_NaN();
    if (EqualsNoCase(t, "INF") || EqualsNoCase(t, "+INF"))
        return std::numeric_limits<double>::infinity();
    if (EqualsNoCase(t, "-INF"))
        return -std::numeric_limits<double>::infinity();
    return std::nullopt;
}

} // namespace

std::string Format(const TLodoComp& c, const Field& f, bool exact) {
    return std::visit(Overloaded{
                          [&](TextMember m) { return c.*m; },
                          [&](IntegerMember m) { return std::to_string(c.*m); },
                          [&](NumberMember m) {
                              const double v = c.*m;
                              if (std::isnan(v))
                                  return std::string("NaN");
                              if (std::isinf(v))
                                  return std::string(v > 0 ? "INF" : "-INF");
                              std::string text = NumberFormat::General15(v);
                              // A value that 15 digits do not give back (a diameter a
                              // fitting's ratio carried, a converted unit) is written with
                              // all its digits: a saved line reopens to the same bits.
                              if (exact && NumberFormat::ParseNumber(text) != v)
                                  text = NumberFormat::General(v, 17);
                              return text;
                          },
                      },
                      f.Member);
}

bool IsUnstorable(const TLodoComp& c, const Field& f) {
    const auto* m = std::get_if<NumberMember>(&f.Member);
    return m && !f.IsResult && !std::isfinite(c.**m);
}

std::optional<std::string> Set(TLodoComp& c, const Field& f, std::string_view text) {
    return std::visit(
        Overloaded{
            [&](TextMember m) -> std::optional<std::string> {
                c.*m = std::string(text);
                return std::nullopt;
            },
            [&](IntegerMember m) -> std::optional<std::string> {
                const auto v = NumberFormat::ParseInteger(text);
                if (!v)
                    return "'" + TextSafety::Echo(text) + "' is not a valid integer value";
                c.*m = *v;
                return std::nullopt;
            },
            [&](NumberMember m) -> std::optional<std::string> {
                auto v = NumberFormat::ParseNumber(text);
                if (!v && f.IsResult)
                    v = ParseNonFinite(text);
                if (!v)
                    return "'" + TextSafety::Echo(text) + "' is not a valid floating point value";
                c.*m = *v;
                return std::nullopt;
            },
        },
        f.Member);
}

std::optional<std::string> CheckComponentType(const TLodoComp& c) {
    // The shrouded probe's text is its model name (CheckProbeModel).
    static constexpr std::array<std::string_view, 6> Types{"Tube",      "Bend",   "Contraction",
                                                           "Expansion", "Nozzle", "Shrouded probe"};
    if (c.NTypeInt < NodeTube || c.NTypeInt > NodeShroud)
        return "type \"" + TextSafety::Echo(c.NType) + "\" with type code " +
               std::to_string(c.NTypeInt) +
               " is not a component type (1 Tube, 2 Bend, 3 Contraction, 4 Expansion, 5 Nozzle, 6 "
               "Shrouded probe)";
    const std::string_view expected = Types[static_cast<std::size_t>(c.NTypeInt - 1)];
    if (c.NTypeInt != NodeShroud && c.NType != expected)
        return "type \"" + TextSafety::Echo(c.NType) + "\" does not match its type code " +
               std::to_string(c.NTypeInt) + ", which is \"" + std::string(expected) + "\"";
    return std::nullopt;
}

std::optional<std::string> CheckProbeModel(const TLodoComp& c) {
    if (c.NTypeInt != NodeShroud || LodoMath::FindProbe(c.NType))
        return std::nullopt;
    return "'" + TextSafety::Echo(c.NType) + "' is not a known shrouded-probe model";
}

std::string ComponentLabel(std::size_t index, const std::string& name) {
    return "Component " + std::to_string(index + 1) + " (Index " + std::to_string(index) +
           (name.empty() ? std::string() : ", " + TextSafety::Echo(name)) + ")";
}

std::optional<std::string> CheckInputRules(const TLodoComp& c) {
    const auto breach = InputRules::CheckComponent(c);
    if (!breach)
        return std::nullopt;
    const InputRules::FieldRule& f = *breach->Field;
    std::string value = NumberFormat::General15(breach->Value);
    if (f.Unit) {
        const std::string& unit = c.*f.Unit;
        value += InputRules::IsUnitText(unit)
                     ? " (" + unit + ")"
                     : " (unit '" + TextSafety::Echo(unit) + "', read as English)";
    }
    return "field \"" + std::string(f.Field) + "\" is " + value + ": " +
           std::string(InputRules::RuleOf(f.Rule).Message);
}

void AddUnitWarnings(const TLodoComp& c, const std::string& label,
                     std::vector<std::string>& warnings,
                     const std::vector<std::string_view>& skip) {
    for (const auto& [name, member] : InputRules::UnitFields) {
        const std::string& unit = c.*member;
        if (InputRules::IsUnitText(unit) || std::find(skip.begin(), skip.end(), name) != skip.end())
            continue;
        warnings.push_back(label + ", field \"" + std::string(name) + "\": '" +
                           TextSafety::Echo(unit) +
                           "' is neither \"Metric\" nor \"English\"; read as English");
    }
}

} // namespace RecordFields
