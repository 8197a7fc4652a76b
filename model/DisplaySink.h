#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The texts evaluation shows, written here instead of onto widgets; the GUI
// copies them onto its labels.
namespace Argb {
inline constexpr std::uint32_t Red = 0xFFFF0000;
inline constexpr std::uint32_t Green = 0xFF008000;
inline constexpr std::uint32_t DarkBlue = 0xFF00008B;
inline constexpr std::uint32_t Black = 0xFF000000;
inline constexpr std::uint32_t Crimson = 0xFFDC143C;
inline constexpr std::uint32_t Blue = 0xFF0000FF; // a note flashes red and blue
} // namespace Argb

struct StyledText {
    std::string Text;
    std::uint32_t Colour = Argb::Black;
    bool Underline = false;
    bool operator==(const StyledText&) const = default;
};

struct PanelRow {
    StyledText Name;  // IVNn
    StyledText Value; // IVRn
    bool operator==(const PanelRow&) const = default;
};

struct DisplaySink {
    std::array<PanelRow, 24> IV{}; // IV[0] is row 1 (IVN1 / IVR1)
    // Rows below the 24: the particle's two diameters when it is no unit-density
    // sphere, and thermophoresis where a wall temperature is given. Empty otherwise.
    std::vector<PanelRow> Extra;
    std::string Cun_slip, Flow_in, AirVisLabel, AirDensityLabel, AirMeanFreePathLabel;
    StyledText SystemT;
    std::string MassPent;
    std::string MaxPartSize;
    StyledText CurveR;
    bool CRErrorVisible = false;
    StyledText LabelNozAsp;
    StyledText LabelShrAsp;
    int ShownRow = -1; // the row the panel and the common outputs describe; -1 before any
    bool operator==(const DisplaySink&) const = default;
};
