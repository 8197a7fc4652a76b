#pragma once

#include <QString>
#include <string_view>

// The core's texts are UTF-8; this is how every window turns one into a QString.
inline QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
