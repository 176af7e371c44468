#include "platform/qt/file_filter.h"

namespace qtshell {

QStringList ToQtNameFilters(std::string_view filter) {
    QStringList parts =
        QString::fromUtf8(filter.data(), qsizetype(filter.size())).split(u'|', Qt::KeepEmptyParts);
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& caption = parts[i];
        if (caption.isEmpty()) break;  // the "||" that ends the list
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            QString pattern = p.trimmed();
            if (pattern.isEmpty()) continue;
            patterns << (pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
        }
        if (patterns.isEmpty()) continue;
        out << caption + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return out;
}

std::string ApplyDefaultExtension(std::string_view path, std::string_view extension) {
    while (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    std::string result(path);
    if (extension.empty() || path.empty()) return result;
    size_t slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.empty() || name.find('.') != std::string_view::npos) return result;
    result += '.';
    result += extension;
    return result;
}

}  // namespace qtshell
