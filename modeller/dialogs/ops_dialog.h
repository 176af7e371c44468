// What the operation dialogs share: OK, Cancel and Help buttons, F1 for the help page, and
// messages through the prompt with the refused field focused.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

#include "platform/qt/qt_text.h"

class QCheckBox;
class QDialogButtonBox;
class QRadioButton;

namespace shell {
class Prompt;
}

namespace modeller {

using HelpFunction = std::function<void(std::string_view page)>;

using qtshell::Qs;
using qtshell::Text;

// Controls named for the tests and laid out by the caller.
QLineEdit* NamedEdit(QWidget* parent, const char* name, std::string_view text);
QCheckBox* NamedCheck(QWidget* parent, const char* name, std::string_view text, bool on);
// Two exclusive radio buttons named prefix0 and prefix1, the second on when `second`.
void RadioPair(QWidget* parent, QRadioButton* (&out)[2], std::string_view first,
               std::string_view secondText, const char* prefix, bool second);

class COpsDialog : public QDialog {
public:
    COpsDialog(std::string_view caption, std::string_view helpPage, shell::Prompt& prompt,
               HelpFunction help, QWidget* parent);

protected:
    // OK, Cancel and Help in one row; OK goes to accept().
    QDialogButtonBox* MakeButtons();
    // Shows the message and, when given, selects the field it is about. Returns false.
    bool Refuse(std::string_view message, QLineEdit* field = nullptr);
    // A sweep's turn: the angle (−360 to 360 degrees), then the number of steps, read in that
    // order; false after refusing the first field that does not read.
    bool ExchangeTurn(QLineEdit* angle, QLineEdit* divisions, float& angleOut,
                      uint32_t& divisionsOut);
    void keyPressEvent(QKeyEvent* event) override;

    shell::Prompt& prompt_;

private:
    std::string helpPage_;
    HelpFunction help_;
};

}  // namespace modeller
