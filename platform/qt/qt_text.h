// Program texts (UTF-8) to and from Qt's strings; the one conversion every window and dialog uses.
#pragma once

#include <QLineEdit>
#include <QString>
#include <string>
#include <string_view>

namespace qtshell {

inline QString Qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// What the user typed into a field, as UTF-8.
inline std::string Text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

}  // namespace qtshell
