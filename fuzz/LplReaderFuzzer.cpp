// Feeds arbitrary bytes to the legacy .lpl reader: all or nothing, never a crash, and
// what it imports opens again from the sample-line file unchanged.
#include "persistence/LineFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const EvalContext defaults;
    const ReadResult result = ReadLplBytes(bytes, defaults);
    if (const auto* file = std::get_if<LineFile>(&result)) {
        // Every imported component has a legacy line again.
        for (int row = 0; row < static_cast<int>(file->List.size()); ++row)
            (void)ConvertToStr(file->List, row);
        (void)LegacySnapshot(file->List, file->Counters, file->LineName.value_or(""));
        // What import -o writes opens as the same line.
        const auto written = BuildLxlText(file->List, file->LineName.value_or(""));
        if (const auto* text = std::get_if<std::string>(&written)) {
            const ReadResult reread = ReadLxlText(*text, defaults);
            const auto* again = std::get_if<LineFile>(&reread);
            if (!again || again->List.size() != file->List.size())
                __builtin_trap();
            if (!file->List.empty() && again->LineName != file->LineName)
                __builtin_trap();
            for (int row = 0; row < static_cast<int>(file->List.size()); ++row)
                if (ConvertToStr(again->List, row) != ConvertToStr(file->List, row))
                    __builtin_trap();
        }
    }
    return 0;
}
