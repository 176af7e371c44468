// A Prompt for tests: records every message and answers from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace testing_support {

class ScriptedPrompt : public shell::Prompt {
public:
    struct Shown {
        std::string text, caption;
        shell::Buttons buttons;
    };

    std::vector<Shown> shown;
    std::deque<shell::Answer> answers;  // used in order; Ok/No when empty

    shell::Answer Ask(std::string_view text, std::string_view caption,
                      shell::Buttons buttons) override {
        shown.push_back({std::string(text), std::string(caption), buttons});
        if (!answers.empty()) {
            shell::Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == shell::Buttons::Ok ? shell::Answer::Ok : shell::Answer::No;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const Shown& s : shown) t.push_back(s.text);
        return t;
    }
};

}  // namespace testing_support
