// The clipboard over QClipboard. The program's text is CP932 with rows joined by CR LF; the
// desktop's is Unicode with LF line ends, so both are converted at this boundary.
#pragma once

#include <string>

#include "platform/shell.h"

namespace qtshell {

// LF-only line ends (as other programs put them) become CR LF; CR LF stays; a lone CR stays.
std::string LineEndsToCrLf(std::string_view s);
// CR LF becomes LF; a lone CR or LF stays.
std::string LineEndsToLf(std::string_view s);

class QtClipboard : public shell::Clipboard {
public:
    // Nothing when the clipboard holds no text.
    std::optional<std::string> GetText() override;
    // Empty text empties the clipboard.
    void SetText(std::string_view cp932) override;
};

}  // namespace qtshell
