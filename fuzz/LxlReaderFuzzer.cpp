// Feeds arbitrary bytes to the .lxl reader. A file either reads into a whole line
// or gives an error; whatever it reads must also write back out and read back the same.
#include "persistence/LineFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const EvalContext defaults;
    const ReadResult result = ReadLxlText(text, defaults);
    if (const auto* file = std::get_if<LineFile>(&result)) {
        // Anything accepted must survive the writer and a second read.
        const auto written = BuildLxlText(file->List, file->LineName.value_or(""));
        if (const auto* again = std::get_if<std::string>(&written)) {
            const ReadResult reread = ReadLxlText(*again, defaults);
            if (std::holds_alternative<FileError>(reread))
                __builtin_trap();
            const LineFile& second = std::get<LineFile>(reread);
            if (second.List.size() != file->List.size())
                __builtin_trap();
            // And come back as it was: every stored field and the line name.
            if (!file->List.empty() && second.LineName != file->LineName)
                __builtin_trap();
            for (std::size_t i = 0; i < file->List.size(); ++i)
                if (ConvertToStr(second.List, int(i)) != ConvertToStr(file->List, int(i)))
                    __builtin_trap();
        }
    }
    return 0;
}
