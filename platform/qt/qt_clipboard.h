// The clipboard over QClipboard. The program's text is CP932 with rows joined by CR LF; the
// desktop's is Unicode with LF line ends, so both are converted at this boundary. The code
// page conversion itself is handed in by the program (this layer uses no other of ours).
#pragma once

#include <string>
#include <string_view>

#include "platform/shell.h"

namespace qtshell {

// LF-only line ends (as other programs put them) become CR LF; CR LF stays; a lone CR stays.
std::string LineEndsToCrLf(std::string_view s);
// CR LF becomes LF; a lone CR or LF stays.
std::string LineEndsToLf(std::string_view s);

// Converts text between the program's code page and UTF-8.
using TextConversion = std::string (*)(std::string_view);

class QtClipboard : public shell::Clipboard {
public:
    QtClipboard(TextConversion toUtf8, TextConversion fromUtf8)
        : toUtf8_(toUtf8), fromUtf8_(fromUtf8) {}
    // Nothing when the clipboard holds no text.
    std::optional<std::string> GetText() override;
    // Empty text empties the clipboard.
    void SetText(std::string_view cp932) override;

private:
    TextConversion toUtf8_, fromUtf8_;
};

}  // namespace qtshell
