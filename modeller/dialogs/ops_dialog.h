// What the operation dialogs share: OK, Cancel and Help buttons, F1 for the help page, and
// messages through the prompt with the refused field focused.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QDialogButtonBox;

namespace shell {
class Prompt;
}

namespace modeller {

using HelpFunction = std::function<void(std::string_view page)>;

inline QString Qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string Text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

class COpsDialog : public QDialog {
public:
    COpsDialog(std::string_view caption, std::string_view helpPage, shell::Prompt& prompt,
               HelpFunction help, QWidget* parent);

protected:
    // OK, Cancel and Help in one row; OK goes to accept().
    QDialogButtonBox* MakeButtons();
    // Shows the message and, when given, selects the field it is about. Returns false.
    bool Refuse(std::string_view message, QLineEdit* field = nullptr);
    void keyPressEvent(QKeyEvent* event) override;

    shell::Prompt& prompt_;

private:
    std::string helpPage_;
    HelpFunction help_;
};

}  // namespace modeller
