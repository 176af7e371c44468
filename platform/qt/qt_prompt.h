// Message boxes over QMessageBox.
#pragma once

#include <QMessageBox>

#include "platform/shell.h"

class QWidget;

namespace qtshell {

QMessageBox::StandardButtons ToQtButtons(shell::Buttons buttons);
// The answer for the button that closed the box; a box closed without a button (the window
// was closed) answers as its Cancel, No or Ok would.
shell::Answer ToAnswer(QMessageBox::StandardButton pressed, shell::Buttons buttons);

class QtPrompt : public shell::Prompt {
public:
    explicit QtPrompt(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    shell::Answer Ask(std::string_view text, std::string_view caption,
                      shell::Buttons buttons) override;

private:
    QWidget* parent_;
};

}  // namespace qtshell
