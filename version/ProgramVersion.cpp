#include "version/ProgramVersion.h"

#include "LodoBuildId.h"
#include "LodoVersion.h"

namespace ProgramVersion {
namespace {

std::string Build() {
    const std::string id = BuildId();
    return id.empty() ? std::string("no build id: not built from a checkout") : "build " + id;
}

} // namespace

std::string Number() {
    return LODO_VERSION;
}

std::string Shown() {
    const std::string stage = LODO_VERSION_STAGE;
    return std::to_string(LODO_VERSION_MAJOR) + "." + std::to_string(LODO_VERSION_MINOR) +
           (stage.empty() ? "" : " " + stage);
}

std::string Title() {
    return "Lodo Calculator, Version " + Shown();
}

std::string BuildId() {
    return LODO_BUILD_ID;
}

std::string Full() {
    return Title() + " (" + Number() + ", " + Build() + ")";
}

std::string VersionLine(const std::string& program) {
    return program + " " + Number() + " (Lodo Calculator, Version " + Shown() + ", " + Build() +
           ")";
}

} // namespace ProgramVersion
