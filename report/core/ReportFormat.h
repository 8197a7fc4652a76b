#pragma once

#include <string>

// How the engineering report writes its numbers: "invalid" for a value that is not a
// number, never a 300-digit text for a huge one, an entered value with the digits
// it was entered with.
namespace EngReport::Format {

inline const std::string Micro = "\u00B5m";
inline const std::string Dash = "\u2013";
inline const std::string Deg = "\u00B0";

// Fixed with `decimals`; scientific once the magnitude reaches 1e9.
std::string Num(double x, int decimals);

// A fraction as a percentage with two decimals: Pct(0.8523) == "85.23".
std::string Pct(double fraction);

// The same with " %"; "invalid" alone.
std::string PctUnit(double fraction);

// An entered value as entered: up to 7 significant digits, none invented
// (101.325, 1.374, 57); scientific for a magnitude that needs it.
std::string Entered(double x);

// A particle size: "10 µm", "2.5 µm".
std::string Size(double um);

// A computed value with three significant digits, whole numbers whole: "0.998",
// "2.45", "12345".
std::string Sig3(double x);

} // namespace EngReport::Format
