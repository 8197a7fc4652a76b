#pragma once

#include <string>

// One version everywhere: the window title, About, the reports, --version and the
// package all take it from here, and it comes from the project version.
namespace ProgramVersion {

// The project version: "2.0.0".
std::string Number();

// The version as the program shows it: "2.0 Beta".
std::string Shown();

// "Lodo Calculator, Version 2.0 Beta".
std::string Title();

// The commit the program was built from ("+modified" when the checkout had
// uncommitted changes); empty when it was not built from a checkout.
std::string BuildId();

// Title and build: "Lodo Calculator, Version 2.0 Beta (2.0.0, build 1a2b3c4d5e6f)".
std::string Full();

// What `program --version` prints: "lodo-cli 2.0.0 (Version 2.0 Beta, build ...)".
std::string VersionLine(const std::string& program);

} // namespace ProgramVersion
