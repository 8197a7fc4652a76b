#include "cli/SplitterJson.h"

#include "cli/CliCommon.h"

#include <string_view>

namespace Cli {
namespace {

struct Field {
    std::string_view Name;
    double Value;
    std::string_view Unit;
};

std::string Object(std::initializer_list<Field> fields, bool units) {
    std::string out = "{";
    bool first = true;
    for (const Field& f : fields) {
        out += first ? "" : ", ";
        out += JsonString(f.Name) + ": " + (units ? JsonString(f.Unit) : JsonNumber(f.Value));
        first = false;
    }
    return out + "}";
}

} // namespace

std::string SplitterJson(const Wye::WyeInputs& in, float PartSize, const Wye::WyeResults& r) {
    const std::initializer_list<Field> inputs = {
        {"YFlow", in.YFlow, "L/min"}, {"YAngle", in.YAngle, "deg"}, {"YDi", in.YDi, "mm"},
        {"YTemp", in.YTemp, "°C"},    {"YPress", in.YPress, "kPa"}, {"PartSize", PartSize, "µm"},
    };
    const std::initializer_list<Field> results = {
        {"YTrans", r.YTrans, "fraction"},
        {"YDo", r.YDo, "mm"},
        {"YLi", r.YLi, "mm"},
        {"YLo", r.YLo, "mm"},
        {"YVel", r.YVel, "m/s"},
        {"Stoke", r.Stoke, "-"},
        {"Reynolds", r.Reynolds, "-"},
    };
    std::string out = "{\n";
    out += "  \"Inputs\": " + Object(inputs, false) + ",\n";
    out += "  \"Results\": " + Object(results, false) + ",\n";
    out += "  \"InputUnits\": " + Object(inputs, true) + ",\n";
    out += "  \"ResultUnits\": " + Object(results, true) + ",\n";
    out += "  \"Limits\": [";
    bool first = true;
    for (const std::string& line : Wye::LimitsLines()) {
        out += (first ? "" : ", ") + JsonString(line);
        first = false;
    }
    return out + "]\n}\n";
}

} // namespace Cli
