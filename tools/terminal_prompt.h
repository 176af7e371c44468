// Message boxes for the command line: texts go to stderr; questions are answered on the
// terminal when there is one, else with the safe default (No, or Cancel).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/shell.h"

namespace tools {

class TerminalPrompt : public shell::Prompt {
public:
    // The file being worked on, named before each text when set.
    std::string subject;

    shell::Answer Ask(std::string_view text, std::string_view caption,
                      shell::Buttons buttons) override;
    // Whether `text` was shown.
    bool Told(std::string_view text) const;

private:
    std::vector<std::string> told_;
};

}  // namespace tools
