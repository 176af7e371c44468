#include "tools/terminal_prompt.h"

#include <unistd.h>

#include <iostream>
#include <string>

namespace tools {

namespace {

shell::Answer SafeDefault(shell::Buttons buttons) {
    switch (buttons) {
        case shell::Buttons::Ok:
            return shell::Answer::Ok;
        case shell::Buttons::OkCancel:
            return shell::Answer::Cancel;
        case shell::Buttons::YesNo:
        case shell::Buttons::YesNoCancel:
            return shell::Answer::No;
    }
    return shell::Answer::Cancel;
}

}  // namespace

shell::Answer TerminalPrompt::Ask(std::string_view text, std::string_view caption,
                                  shell::Buttons buttons) {
    told_.emplace_back(text);
    std::cerr << "mokkel-tool: ";
    if (!subject.empty()) std::cerr << subject << ": ";
    if (!caption.empty()) std::cerr << caption << ": ";
    std::cerr << text << '\n';
    if (buttons == shell::Buttons::Ok) return shell::Answer::Ok;
    const shell::Answer fallback = SafeDefault(buttons);
    if (!isatty(STDIN_FILENO)) return fallback;
    const bool hasCancel = buttons != shell::Buttons::YesNo;
    const bool yesNo = buttons != shell::Buttons::OkCancel;
    std::cerr << (yesNo ? (hasCancel ? "[y/N/c] " : "[y/N] ") : "[o/C] ") << std::flush;
    std::string reply;
    if (!std::getline(std::cin, reply) || reply.empty()) return fallback;
    switch (reply[0]) {
        case 'y':
        case 'Y':
            return yesNo ? shell::Answer::Yes : fallback;
        case 'n':
        case 'N':
            return yesNo ? shell::Answer::No : fallback;
        case 'o':
        case 'O':
            return yesNo ? fallback : shell::Answer::Ok;
        case 'c':
        case 'C':
            return hasCancel ? shell::Answer::Cancel : fallback;
        default:
            return fallback;
    }
}

bool TerminalPrompt::Told(std::string_view text) const {
    for (const std::string& t : told_)
        if (t == text) return true;
    return false;
}

}  // namespace tools
