#include "cli/StudyOutput.h"

#include <cmath>
#include <fmt/format.h>
#include <string_view>

namespace Cli {
namespace {

struct VariedQuantity {
    std::string_view Name; // for people
    std::string_view Unit;
    std::string_view CsvColumn; // one token, unit included
};

VariedQuantity Quantity(StudyKind kind) {
    switch (kind) {
    case StudyKind::Flow:
        return {"Flow rate", "L/min", "Flow_L_min"};
    case StudyKind::Diameter:
        return {"Tube diameter", "mm", "Diameter_mm"};
    case StudyKind::Particle:
        return {"Particle size", "µm", "Dp_um"};
    case StudyKind::FreeStream:
        return {"Free-stream velocity", "m/s", "Free_Stream_m_s"};
    }
    return {};
}

std::string CsvNumber(double x) {
    return std::isfinite(x) ? JsonNumber(x) : std::string();
}

// The description's sizes are single precision: print them as they were given.
std::string FloatNumber(float x) {
    return std::isfinite(x) ? fmt::format("{}", x) : std::string("null");
}

std::string ParticlesJson(const StudyDescription& s) {
    const ParticleSpec& p = s.Particles;
    if (s.Kind == StudyKind::Particle)
        return R"({"DType": "Mono", "Dp": null, "MMAD": null, "GSD": null})";
    if (p.LogNormal)
        return R"({"DType": "LogNormal", "Dp": null, "MMAD": )" + FloatNumber(p.MDp) +
               ", \"GSD\": " + FloatNumber(p.DpSD) + "}";
    return R"({"DType": "Mono", "Dp": )" + FloatNumber(p.Dp) + R"(, "MMAD": null, "GSD": null})";
}

} // namespace

std::string StudyJson(const StudyDescription& study, const StudyOutcome& outcome) {
    const VariedQuantity q = Quantity(study.Kind);
    const bool withAspiration = study.Kind == StudyKind::FreeStream;
    std::string out = "{\n";
    out += "  \"LineName\": " + JsonString(study.LineName) + ",\n";
    out += "  \"Vary\": " + JsonString(VaryTypeText(study.Kind)) + ",\n";
    out += "  \"Quantity\": " + JsonString(q.Name) + ",\n";
    out += "  \"Unit\": " + JsonString(q.Unit) + ",\n";
    out += "  \"Particles\": " + ParticlesJson(study) + ",\n";
    out += "  \"Points\": [";
    for (std::size_t i = 0; i < outcome.Rows.size(); ++i) {
        const StudyRow& r = outcome.Rows[i];
        out += i == 0 ? "\n" : ",\n";
        out += "    {\"Value\": " + JsonNumber(r.Value) +
               ", \"Penetration\": " + JsonNumber(r.Pent / 100.0) + ", \"AspirationRatio\": " +
               (withAspiration ? JsonNumber(r.Asp) : std::string("null")) + "}";
    }
    out += outcome.Rows.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

std::string StudyCsv(const StudyDescription& study, const StudyOutcome& outcome) {
    const bool withAspiration = study.Kind == StudyKind::FreeStream;
    std::string out = std::string(Quantity(study.Kind).CsvColumn) + ",Penetration";
    out += withAspiration ? ",AspirationRatio\n" : "\n";
    for (const StudyRow& r : outcome.Rows) {
        out += CsvNumber(r.Value) + "," + CsvNumber(r.Pent / 100.0);
        out += withAspiration ? "," + CsvNumber(r.Asp) + "\n" : "\n";
    }
    return out;
}

} // namespace Cli
