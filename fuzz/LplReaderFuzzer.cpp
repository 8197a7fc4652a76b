// Feeds arbitrary bytes to the legacy .lpl reader: all or nothing, never a crash.
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
    }
    return 0;
}
