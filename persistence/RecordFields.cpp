#include "persistence/RecordFields.h"

#include "model/NumberFormat.h"
#include "physics/LodoMath.h"

#include <fmt/format.h>

#include <cmath>
#include <limits>

namespace RecordFields {
namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char ch) { return (ch >= 'A' && ch <= 'Z') ? char(ch - 'A' + 'a') : ch; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Results of an evaluation that failed are kept as they were, so that a saved line
// opens again; evaluation recomputes them anyway.
std::optional<double> ParseNonFinite(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    if (EqualsNoCase(t, "NaN")) return std::numeric_limits<double>::quiet_NaN();
    if (EqualsNoCase(t, "INF") || EqualsNoCase(t, "+INF")) return std::numeric_limits<double>::infinity();
    if (EqualsNoCase(t, "-INF")) return -std::numeric_limits<double>::infinity();
    return std::nullopt;
}

}  // namespace

std::string Format(const TLodoComp& c, const Field& f) {
    return std::visit(Overloaded{
                          [&](TextMember m) { return c.*m; },
                          [&](IntegerMember m) { return std::to_string(c.*m); },
                          [&](NumberMember m) {
                              const double v = c.*m;
                              if (std::isnan(v)) return std::string("NaN");
                              if (std::isinf(v)) return std::string(v > 0 ? "INF" : "-INF");
                              std::string text = NumberFormat::General15(v);
                              // Rounding to 15 digits can carry a value next to the
                              // largest double past it; such a value is written exactly.
                              if (!NumberFormat::ParseNumber(text)) text = fmt::format("{}", v);
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
    return std::visit(Overloaded{
                          [&](TextMember m) -> std::optional<std::string> {
                              c.*m = std::string(text);
                              return std::nullopt;
                          },
                          [&](IntegerMember m) -> std::optional<std::string> {
                              const auto v = NumberFormat::ParseInteger(text);
                              if (!v) return "'" + std::string(text) + "' is not a valid integer value";
                              c.*m = *v;
                              return std::nullopt;
                          },
                          [&](NumberMember m) -> std::optional<std::string> {
                              auto v = NumberFormat::ParseNumber(text);
                              if (!v && f.IsResult) v = ParseNonFinite(text);
                              if (!v) return "'" + std::string(text) + "' is not a valid floating point value";
                              c.*m = *v;
                              return std::nullopt;
                          },
                      },
                      f.Member);
}

std::optional<std::string> CheckProbeModel(const TLodoComp& c) {
    if (c.NTypeInt != NodeShroud || LodoMath::FindProbe(c.NType)) return std::nullopt;
    return "'" + c.NType + "' is not a known shrouded-probe model";
}

}  // namespace RecordFields
