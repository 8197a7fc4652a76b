#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the transport models stop: the published validity ranges of the
// correlations, and the findings of one evaluated component against them. A finding
// only reports; it never changes a number.
namespace ModelLimits {

// The quantities the ranges are stated in, as the evaluation computes them.
enum class Quantity : std::uint8_t {
    EntranceStokes,    // nozzle: StkNo(T, P, Dp, Uo, Din), free stream on the inlet diameter [-]
    VelocityRatio,     // nozzle: Uo / Vi [-]
    SettlingParameter, // tube: Vts sin|theta| / (2 U), settling along the axis over the centre-line
                       // velocity [-]
    Reynolds,          // tube or bend Reynolds number [-]
    CurvatureRatio,    // bend: radius of curvature / tube radius [-]
    ContractionPx,     // contraction: (1 - Ao/Ai) Stk [-]
    HalfAngle,         // contraction: cone half angle [deg]
    Mach,              // fastest mean velocity of the component / speed of sound [-]
    ParticleReynolds,  // tube: particle Reynolds number of the Stokes settling velocity [-]
    ExpansionPx,       // expansion: (1 - Ai/Ao) Stk, the fit's Stokes parameter [-]
    HeatReynolds, // tube or bend with a wall temperature cooled by Gnielinski's correlation: its
                  // Reynolds number [-]
};
inline constexpr std::size_t QuantityCount =
    static_cast<std::size_t>(Quantity::HeatReynolds) + 1; // the last

// The branch of its model a component's result came from: a tube by its flow regime
// (Re <= 2100 and exactly 4000 laminar, strictly between transition, above 4000
// turbulent), a bend by the branch its model chose. Other components have none.
enum Branch : std::uint8_t {
    NoBranch = 0,
    Laminar = 1u << 0,
    Transition = 1u << 1,
    Turbulent = 1u << 2,
};
inline constexpr std::uint8_t AnyBranch = Laminar | Transition | Turbulent;

constexpr std::uint8_t TypeBit(int nodeTypeCode) {
    return static_cast<std::uint8_t>(1u << nodeTypeCode);
}
inline constexpr std::uint8_t TubeType = TypeBit(1), BendType = TypeBit(2),
                              ContractionType = TypeBit(3), ExpansionType = TypeBit(4),
                              NozzleType = TypeBit(5), ShroudType = TypeBit(6);
inline constexpr std::uint8_t AnyType =
    TubeType | BendType | ContractionType | ExpansionType | NozzleType | ShroudType;

// One published range. Min and Max are the bounds as published (none where the
// publication gives none). A side where the model tends to a physically exact
// limit (aspiration 1, full transmission as the Stokes number vanishes) is safe:
// it is shown with the range but raises no finding.
struct LimitRange {
    std::string_view Model; // "nozzle aspiration correlation"
    std::string_view Name;  // the quantity in words: "Stokes number"
    Quantity Of;
    std::optional<double> Min;
    std::optional<double> Max;
    bool WarnBelow;             // a value below Min is a finding
    bool WarnAbove;             // a value above Max is a finding
    std::string_view Source;    // short citation shown with every finding
    std::string_view Reference; // the full citation (user guide, window)
    std::uint8_t Types;         // TypeBit of every component type it applies to
    std::uint8_t Branches;      // Branch bits it applies to
    int Decimals;               // decimals of the value in the texts
    std::string_view Unit;      // appended to value and bounds ("°"), usually empty
    // A band, not a range: a value from Min to Max is the finding (a model's switch
    // between two branches lies there); WarnBelow and WarnAbove are then false.
    bool WarnInside = false;
    std::string_view Why = {}; // what a value inside the band means (band rows only)
};

inline constexpr std::array<LimitRange, 13> LimitTable{{
    {"nozzle aspiration correlation", "Stokes number", Quantity::EntranceStokes, 0.05, 2.03, false,
     true, "Stevens 1986",
     "Stevens 1986 (J. Aerosol Sci. 17:729, a review of thin-walled nozzle aspiration), as used "
     "for the Belyaev–Levin family of correlations; Hinds 1999 (Aerosol Technology, eq. 10.7) "
     "states 0.18 to 2.03",
     NozzleType, AnyBranch, 2, ""},
    {"nozzle aspiration correlation", "Velocity ratio", Quantity::VelocityRatio, 0.17, 5.6, true,
     true, "Belyaev & Levin 1974", "Belyaev & Levin 1974, as given by Hinds 1999", NozzleType,
     AnyBranch, 2, ""},
    {"laminar settling model", "Settling parameter", Quantity::SettlingParameter, std::nullopt, 0.1,
     false, true, "Heyder & Gebhart 1977",
     "Heyder & Gebhart 1977, J. Aerosol Sci. 8:289 (\"Gravitational deposition of particles "
     "from laminar aerosol flow through inclined circular tubes\"); the model needs the "
     "parameter much less than 1",
     TubeType, Laminar | Transition, 3, ""},
    {"turbulent inertial deposition model", "Reynolds number", Quantity::Reynolds, std::nullopt,
     15600.0, false, true, "Liu–Agarwal / Lee–Gieseke deposition data",
     "the deposition data behind the Liu–Agarwal / Lee–Gieseke V+ form span Re 1800 to 15 600 "
     "and 0.035–1.3 µm (as summarised in the literature)",
     TubeType, Turbulent, 0, ""},
    {"laminar bend model", "Reynolds number", Quantity::Reynolds, 100.0, 1000.0, true, true,
     "Pui, Romay-Novas & Liu 1987",
     "Pui, Romay-Novas & Liu 1987, Aerosol Sci. Technol. 7:301 (measured at Re 100 and 1000)",
     BendType, Laminar, 0, ""},
    {"turbulent bend model", "Reynolds number", Quantity::Reynolds, 6000.0, 10000.0, true, true,
     "Pui, Romay-Novas & Liu 1987", "Pui, Romay-Novas & Liu 1987 (measured at Re 6000 and 10 000)",
     BendType, Turbulent, 0, ""},
    {"bend models", "Curvature ratio", Quantity::CurvatureRatio, 4.0, std::nullopt, true, false,
     "the program's own bend note",
     "the program's own bend note; Pui et al. used curvature ratios near 5.6", BendType, AnyBranch,
     2, ""},
    {"contraction model", "Stokes parameter Px", Quantity::ContractionPx, 0.001, 100.0, false, true,
     "Muyshondt, McFarland & Anand 1996",
     "Muyshondt, McFarland & Anand 1996, \"Deposition of aerosol particles in contraction "
     "fittings\", Aerosol Sci. Technol. 24:205",
     ContractionType, AnyBranch, 3, ""},
    {"contraction model", "Half angle", Quantity::HalfAngle, 12.0, 90.0, true, true,
     "Muyshondt, McFarland & Anand 1996", "Muyshondt, McFarland & Anand 1996", ContractionType,
     AnyBranch, 1, "°"},
    {"turbulent heat-transfer correlation (thermophoresis)", "Reynolds number",
     Quantity::HeatReynolds, 3000.0, 5.0e6, true, true, "Gnielinski 1976",
     "Gnielinski 1976, Int. Chem. Eng. 16:359 (stated for 3000 to 5 000 000 and Prandtl "
     "numbers 0.5 to 2000; the laminar branch is Hausen's entrance form of Nu = 3.66, which "
     "has no such bound)",
     TubeType | BendType, AnyBranch, 0, ""},
    {"incompressible flow every model assumes", "Mach number", Quantity::Mach, std::nullopt, 0.3,
     false, true, "textbook fluid mechanics",
     "textbook fluid mechanics: Mach = V / sqrt(1.4 · 287.05 · Tk)", AnyType, AnyBranch, 3, ""},
    // Not a published range: the settling velocity is the Stokes value below a particle
    // Reynolds number of 1 and the drag iteration from 1, and the two differ by about
    // 15 % there, so penetration jumps across that size. The band is where they differ
    // by 10 % or more on either side.
    {"settling model", "Particle Reynolds number", Quantity::ParticleReynolds, 0.5, 2.0, false,
     false, "the program's settling model",
     "the program's settling model: the Stokes velocity with slip below a particle Reynolds "
     "number of 1, the Schiller–Naumann drag iteration from 1",
     TubeType, AnyBranch, 2, "", true,
     "near 1, where the settling velocity switches from the Stokes branch to the drag "
     "iteration: the settling penetration jumps across this size"},
    // Not a published range either (none is known for the expansion fit): the fit's
    // loss is greatest at Px = 0.5518 and falls again above it.
    {"expansion fit", "Stokes parameter Px", Quantity::ExpansionPx, std::nullopt, 0.5518, false,
     true, "the program's expansion fit",
     "the program's expansion fit, whose loss is greatest at Px = 0.5518; no published range "
     "is known for it",
     ExpansionType, AnyBranch, 3, ""},
}};

// What one evaluation computed for one component: its type code, the branch its
// model took and the quantities above (NaN where the component has none).
struct ComponentQuantities {
    int NTypeInt = 0;
    std::uint8_t ModelBranch = NoBranch;
    std::array<double, QuantityCount> Value;
    ComponentQuantities();
    double& operator[](Quantity q) { return Value[static_cast<std::size_t>(q)]; }
    double operator[](Quantity q) const { return Value[static_cast<std::size_t>(q)]; }
};

struct Finding {
    const LimitRange* Range = nullptr; // a row of LimitTable
    double Value = 0;
    bool operator==(const Finding&) const = default;
};

// The rows of LimitTable the component's quantities fall outside of, in table
// order. A quantity that is not a finite number raises none (its result is shown
// as invalid already).
std::vector<Finding> FindLimits(const ComponentQuantities& q);

// "Stokes number 3.10 is outside 0.05 to 2.03, the range of the nozzle aspiration
// correlation (Stevens 1986)". The value gets as many decimals as it needs to
// differ visibly from the bound it crosses.
std::string FindingText(const Finding& f);

// "0.05 to 2.03", "up to 0.3", "at least 4": the published range in words.
std::string RangeText(const LimitRange& r);

// The value as FindingText writes it, without the unit.
std::string ValueText(const Finding& f);

// Said wherever findings of a log-normal evaluation are shown.
inline constexpr std::string_view LogNormalNote =
    "The model-limit quantities of a log-normal distribution are taken at the mass median "
    "diameter.";

// Said when a line has no findings.
inline constexpr std::string_view NoFindingsText =
    "All components are within the published ranges of their models";

} // namespace ModelLimits
