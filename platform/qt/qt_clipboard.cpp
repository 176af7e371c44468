#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace qtshell {

std::string LineEndsToCrLf(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 16);
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) out.push_back('\r');
        out.push_back(s[i]);
    }
    return out;
}

std::string LineEndsToLf(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
        out.push_back(s[i]);
    }
    return out;
}

std::optional<std::string> QtClipboard::GetText() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasText()) return std::nullopt;
    QByteArray utf8 = data->text().toUtf8();
    // The old clipboard text ended at its first NUL.
    std::string_view text(utf8.constData(), size_t(utf8.size()));
    text = text.substr(0, text.find('\0'));
    return fromUtf8_(LineEndsToCrLf(text));
}

void QtClipboard::SetText(std::string_view cp932) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    if (cp932.empty()) {
        clipboard->clear();
        return;
    }
    std::string utf8 = LineEndsToLf(toUtf8_(cp932));
    clipboard->setText(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

}  // namespace qtshell
