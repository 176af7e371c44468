// Program texts (UTF-8) into Qt's strings; the one conversion every window and dialog uses.
#pragma once

#include <QString>
#include <string_view>

namespace qtshell {

inline QString Qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace qtshell
