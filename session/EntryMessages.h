#pragma once

#include "model/LodoError.h"

#include <string>
#include <string_view>

// What a number box says when it refuses an entry: the numbered message of the
// rule, and for a comma the note that numbers take "." (a comma is never dropped,
// which would turn 2,5 into 25).
inline constexpr std::string_view CommaNote =
    "Type \".\" as the decimal separator, as in 2.5: a comma is not a decimal point here.";

inline std::string EntryMessage(int cv, std::string_view text) {
    std::string m(LodoErrorText(cv));
    if (text.find(',') != std::string_view::npos)
        m += "\n" + std::string(CommaNote);
    return m;
}
