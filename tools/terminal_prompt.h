// Message boxes for the command line: texts go to stderr; questions are answered on the
// terminal when there is one, else with the safe default (No, or Cancel).
#pragma once

#include "platform/shell.h"

namespace tools {

class TerminalPrompt : public shell::Prompt {
public:
    shell::Answer Ask(std::string_view text, std::string_view caption,
                      shell::Buttons buttons) override;
};

}  // namespace tools
