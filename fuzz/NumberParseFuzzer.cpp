// Number parsing of file fields and entries: never a crash, never a non-finite
// value accepted, and a parsed value written back reads as the same value.
#include "model/NumberFormat.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto value = NumberFormat::ParseNumber(text)) {
        if (!std::isfinite(*value))
            __builtin_trap();
        const auto again = NumberFormat::ParseNumber(NumberFormat::General15(*value));
        if (!again)
            __builtin_trap();
        // 15 significant digits: the same value to within the last digits.
        if (std::fabs(*again - *value) > 1e-14 * std::fabs(*value))
            __builtin_trap();
    }
    if (const auto integer = NumberFormat::ParseInteger(text)) {
        const auto again = NumberFormat::ParseNumber(NumberFormat::General15(*integer));
        if (!again || *again != *integer)
            __builtin_trap();
    }
    return 0;
}
