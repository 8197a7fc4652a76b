#include "persistence/DesignElement.h"

#include "model/DesignCaseRules.h"
#include "model/InputRules.h"
#include "model/NumberFormat.h"
#include "model/TextSafety.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace DesignElement {
namespace {

using InputRules::RuleId;

// The shortest text that reads back to the same double.
std::string ExactText(double v) {
    std::string text = NumberFormat::General15(v);
    if (NumberFormat::ParseNumber(text) != v)
        text = NumberFormat::General(v, 17);
    return text;
}

// The shortest text that reads back to the same float (the description is single
// precision: that decides the sizes the evaluation visits).
std::string ExactText(float v) {
    for (int digits = 6; digits <= 9; ++digits) {
        std::string text = NumberFormat::General(v, digits);
        const auto back = NumberFormat::ParseNumber(text);
        if (back && static_cast<float>(*back) == v)
            return text;
    }
    return NumberFormat::General(v, 17);
}

// A sentence of a rule or a check as part of a warning: no full stop, "The" in lower case.
std::string Clause(std::string s) {
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    if (s.starts_with("The "))
        s[0] = 't';
    return s;
}

// The number a text holds if the rule allows it, else why not.
template <class T>
std::optional<std::string> ParseInto(T& into, std::string_view text, RuleId rule) {
    const auto v = NumberFormat::ParseNumber(text);
    if (!v)
        return "'" + TextSafety::Echo(text) + "' is not a valid floating point value";
    // Checked before narrowing (no float holds 1e300) and after (1.00000001 is 1).
    if (!InputRules::Allows(rule, *v) || !InputRules::Allows(rule, static_cast<T>(*v)))
        return "'" + TextSafety::Echo(text) +
               "' is refused: " + Clause(std::string(InputRules::RuleOf(rule).Message));
    into = static_cast<T>(*v);
    return std::nullopt;
}

struct IdField {
    const char* Name;
    std::string Design::Identification::*Member;
};

const IdField IdFields[] = {
    {"Facility", &Design::Identification::Facility},
    {"Stack", &Design::Identification::Stack},
    {"LineId", &Design::Identification::LineId},
    {"PreparedBy", &Design::Identification::PreparedBy},
    {"CheckedBy", &Design::Identification::CheckedBy},
    {"Revision", &Design::Identification::Revision},
    {"Date", &Design::Identification::Date},
    {"Notes", &Design::Identification::Notes},
};

// One stored value of the particle description: its element, its text, and how it
// is read back (the reason when it cannot be). A new property of the aerosol is one
// more row.
struct ParticleField {
    const char* Name;
    std::string (*Write)(const DistributionSetting&);
    std::optional<std::string> (*Read)(DistributionSetting&, std::string_view);
};

template <float DistributionSetting::*Member, RuleId Rule>
constexpr ParticleField FloatField(const char* name) {
    return {
        name, [](const DistributionSetting& s) { return ExactText(s.*Member); },
        [](DistributionSetting& s, std::string_view t) { return ParseInto(s.*Member, t, Rule); }};
}

const ParticleField ParticleFields[] = {
    {"TypeDist",
     [](const DistributionSetting& s) { return std::string(DistributionText(s.TypeDist)); },
     [](DistributionSetting& s, std::string_view t) -> std::optional<std::string> {
         const auto d = DistributionFromText(t);
         if (!d)
             return "'" + TextSafety::Echo(t) + "' is neither \"Mono\" nor \"LogNormal\"";
         s.TypeDist = *d;
         return std::nullopt;
     }},
    FloatField<&DistributionSetting::PartSize, RuleId::ParticleSize>("PartSize"),
    FloatField<&DistributionSetting::MeanPart, RuleId::ParticleSize>("MeanPart"),
    FloatField<&DistributionSetting::PartSD, RuleId::Gsd>("PartSD"),
};

// The particle properties (density, shape, size type, thermal conductivity): written,
// all four, only when they are not the unit-density spheres, so that a description
// without them is stored as before; a missing one reads as its default.
template <double LodoMath::ParticleProperties::*Member, RuleId Rule>
constexpr ParticleField PropertyField(const char* name) {
    return {name, [](const DistributionSetting& s) { return ExactText(s.Particle.*Member); },
            [](DistributionSetting& s, std::string_view t) {
                return ParseInto(s.Particle.*Member, t, Rule);
            }};
}

const ParticleField PropertyFields[] = {
    PropertyField<&LodoMath::ParticleProperties::Density, RuleId::ParticleDensity>("Density"),
    PropertyField<&LodoMath::ParticleProperties::ShapeFactor, RuleId::ShapeFactor>("ShapeFactor"),
    {"SizeType",
     [](const DistributionSetting& s) {
         return std::string(s.Particle.Sizes == LodoMath::SizeType::Physical ? "Physical"
                                                                             : "Aerodynamic");
     },
     [](DistributionSetting& s, std::string_view t) -> std::optional<std::string> {
         if (t == "Aerodynamic")
             s.Particle.Sizes = LodoMath::SizeType::Aerodynamic;
         else if (t == "Physical")
             s.Particle.Sizes = LodoMath::SizeType::Physical;
         else
             return "'" + TextSafety::Echo(t) + "' is neither \"Aerodynamic\" nor \"Physical\"";
         return std::nullopt;
     }},
    PropertyField<&LodoMath::ParticleProperties::ThermalConductivity, RuleId::ThermalConductivity>(
        "ThermalConductivity"),
};

constexpr const char* IdElement = "Identification";
constexpr const char* ParticlesElement = "Particles";
constexpr const char* CriteriaElement = "Criteria";
constexpr const char* RangeElement = "OperatingRange";

void AppendText(pugi::xml_node parent, const char* name, const std::string& text) {
    auto el = parent.append_child(name);
    if (!text.empty())
        el.text().set(text.c_str());
}

std::string Where(const std::string& path) {
    return "Design case, element \"" + path + "\": ";
}

// Elements of `parent` this program does not write are named and passed over.
template <class Names>
void WarnUnknown(pugi::xml_node parent, const std::string& path, const Names& known,
                 std::vector<std::string>& warnings) {
    for (const auto& el : parent.children()) {
        if (el.type() != pugi::node_element)
            continue;
        const std::string_view name = el.name();
        if (std::none_of(std::begin(known), std::end(known),
                         [&](std::string_view k) { return k == name; }))
            warnings.push_back("Design case: unknown element \"" + path + "/" +
                               TextSafety::Echo(name) + "\" ignored");
    }
}

std::string TextOf(pugi::xml_node el, const std::string& path, std::vector<std::string>& warnings) {
    bool replaced = false;
    std::string t = TextSafety::ValidUtf8(el.text().get(), &replaced);
    if (replaced)
        warnings.push_back(Where(path) + "bytes that are not UTF-8 were read as U+FFFD");
    return t;
}

Design::Identification ReadIdentification(pugi::xml_node id, std::vector<std::string>& warnings) {
    Design::Identification out;
    std::vector<std::string_view> known;
    for (const IdField& f : IdFields) {
        known.push_back(f.Name);
        const std::string path = std::string(IdElement) + "/" + f.Name;
        out.*f.Member = TextOf(id.child(f.Name), path, warnings);
    }
    WarnUnknown(id, IdElement, known, warnings);
    return out;
}

// Taken whole or not at all: a description with one value missing or refused
// would be an aerosol nobody described.
std::optional<DistributionSetting> ReadParticles(pugi::xml_node p,
                                                 std::vector<std::string>& warnings) {
    DistributionSetting s;
    bool whole = true;
    std::vector<std::string_view> known;
    const std::string notTaken = "; the saved particle description is not used";
    for (const ParticleField& f : ParticleFields) {
        known.push_back(f.Name);
        const std::string path = std::string(ParticlesElement) + "/" + f.Name;
        const auto el = p.child(f.Name);
        if (!el) {
            warnings.push_back("Design case: no \"" + path + "\" element" + notTaken);
            whole = false;
        } else if (auto why = f.Read(s, TextOf(el, path, warnings))) {
            warnings.push_back(Where(path) + *why + notTaken);
            whole = false;
        }
    }
    for (const ParticleField& f : PropertyFields) {
        known.push_back(f.Name);
        const std::string path = std::string(ParticlesElement) + "/" + f.Name;
        if (const auto el = p.child(f.Name)) {
            if (auto why = f.Read(s, TextOf(el, path, warnings))) {
                warnings.push_back(Where(path) + *why + notTaken);
                whole = false;
            }
        }
    }
    WarnUnknown(p, ParticlesElement, known, warnings);
    return whole ? std::optional(s) : std::nullopt;
}

Design::Criteria ReadCriteria(pugi::xml_node c, std::vector<std::string>& warnings) {
    Design::Criteria out;
    std::vector<std::string_view> known;
    for (const DesignCaseRules::CriterionField& f : DesignCaseRules::CriteriaFields) {
        known.push_back(f.Name);
        const std::string path = std::string(CriteriaElement) + "/" + std::string(f.Name);
        const std::string keep =
            "; the default " + NumberFormat::General15(out.*f.Member) + " is used";
        const auto el = c.child(std::string(f.Name).c_str());
        if (!el)
            warnings.push_back("Design case: no \"" + path + "\" element" + keep);
        else if (auto why = ParseInto(out.*f.Member, TextOf(el, path, warnings), f.Rule))
            warnings.push_back(Where(path) + *why + keep);
    }
    if (out.MinAspirationRatio > out.MaxAspirationRatio) {
        const Design::Criteria standard;
        warnings.push_back("Design case: the least aspiration ratio " +
                           NumberFormat::General15(out.MinAspirationRatio) +
                           " is above the greatest, " +
                           NumberFormat::General15(out.MaxAspirationRatio) + "; the defaults " +
                           NumberFormat::General15(standard.MinAspirationRatio) + " to " +
                           NumberFormat::General15(standard.MaxAspirationRatio) + " are used");
        out.MinAspirationRatio = standard.MinAspirationRatio;
        out.MaxAspirationRatio = standard.MaxAspirationRatio;
    }
    WarnUnknown(c, CriteriaElement, known, warnings);
    return out;
}

Design::OperatingRange ReadRange(pugi::xml_node r, std::vector<std::string>& warnings) {
    Design::OperatingRange out;
    std::vector<std::string_view> known;
    for (const DesignCaseRules::RangeField& f : DesignCaseRules::RangeFields) {
        known.push_back(f.Name);
        const auto q = r.child(std::string(f.Name).c_str());
        if (!q)
            continue;
        const std::string path = std::string(RangeElement) + "/" + std::string(f.Name);
        const std::string notTaken = "; the line has no " + std::string(f.What) + " range";
        Design::Interval i;
        bool whole = true;
        for (const auto& [end, member] :
             {std::pair{"Min", &Design::Interval::Min}, std::pair{"Max", &Design::Interval::Max}}) {
            const std::string endPath = path + "/" + end;
            const auto el = q.child(end);
            if (!el) {
                warnings.push_back("Design case: no \"" + endPath + "\" element" + notTaken);
                whole = false;
            } else if (auto why = ParseInto(i.*member, TextOf(el, endPath, warnings), f.Rule)) {
                warnings.push_back(Where(endPath) + *why + notTaken);
                whole = false;
            }
        }
        WarnUnknown(q, path, std::array<std::string_view, 2>{"Min", "Max"}, warnings);
        if (!whole)
            continue;
        if (auto why = DesignCaseRules::CheckInterval(f, i)) {
            warnings.push_back("Design case: " + Clause(*why) + notTaken);
            continue;
        }
        out.*f.Member = i;
    }
    WarnUnknown(r, RangeElement, known, warnings);
    return out;
}

} // namespace

std::optional<FileError> Append(pugi::xml_node node, const Design::DesignCase& design) {
    if (design.IsEmpty())
        return std::nullopt;
    // What the file holds reads back without a warning.
    if (auto why = DesignCaseRules::Check(design))
        return FileError{"Design case: " + *why};
    for (const IdField& f : IdFields)
        if ((design.Id.*f.Member).find('\0') != std::string::npos)
            return FileError{Where(std::string(IdElement) + "/" + f.Name) +
                             "the text holds a NUL character, which a file cannot store"};
    auto el = node.append_child(Name);
    if (design.Id != Design::Identification{}) {
        auto id = el.append_child(IdElement);
        for (const IdField& f : IdFields)
            AppendText(id, f.Name, design.Id.*f.Member);
    }
    if (design.Particles) {
        auto p = el.append_child(ParticlesElement);
        for (const ParticleField& f : ParticleFields)
            AppendText(p, f.Name, f.Write(*design.Particles));
        if (!(design.Particles->Particle == LodoMath::ParticleProperties{}))
            for (const ParticleField& f : PropertyFields)
                AppendText(p, f.Name, f.Write(*design.Particles));
    }
    if (!design.Limits.IsDefault()) {
        auto c = el.append_child(CriteriaElement);
        for (const DesignCaseRules::CriterionField& f : DesignCaseRules::CriteriaFields)
            AppendText(c, std::string(f.Name).c_str(), ExactText(design.Limits.*f.Member));
    }
    if (!design.Range.IsEmpty()) {
        auto r = el.append_child(RangeElement);
        for (const DesignCaseRules::RangeField& f : DesignCaseRules::RangeFields) {
            const auto& i = design.Range.*f.Member;
            if (!i)
                continue;
            auto q = r.append_child(std::string(f.Name).c_str());
            AppendText(q, "Min", ExactText(i->Min));
            AppendText(q, "Max", ExactText(i->Max));
        }
    }
    return std::nullopt;
}

Design::DesignCase Read(pugi::xml_node design, std::vector<std::string>& warnings) {
    Design::DesignCase out;
    if (!design)
        return out;
    if (const auto id = design.child(IdElement))
        out.Id = ReadIdentification(id, warnings);
    if (const auto p = design.child(ParticlesElement))
        out.Particles = ReadParticles(p, warnings);
    if (const auto c = design.child(CriteriaElement))
        out.Limits = ReadCriteria(c, warnings);
    if (const auto r = design.child(RangeElement))
        out.Range = ReadRange(r, warnings);
    WarnUnknown(
        design, Name,
        std::array<std::string_view, 4>{IdElement, ParticlesElement, CriteriaElement, RangeElement},
        warnings);
    return out;
}

} // namespace DesignElement
