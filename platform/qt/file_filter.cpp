#include "platform/qt/file_filter.h"

#include "platform/file_filters.h"

namespace qtshell {

QStringList ToQtNameFilters(std::string_view filter) {
    QStringList out;
    for (const shell::FileFilterEntry& entry : shell::ParseFileFilters(filter)) {
        QStringList patterns;
        for (const std::string& p : entry.patterns)
            patterns << (p == "*.*" ? QStringLiteral("*") : QString::fromStdString(p));
        out << QString::fromStdString(entry.caption) + QStringLiteral(" (") + patterns.join(u' ') +
                   u')';
    }
    return out;
}

}  // namespace qtshell
