// What the studio's dialogs share: texts to and from Qt, the OK / Cancel / ヘルプ row with F1,
// rows of radio buttons, the "Color" button and the message box of a refused field.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include "platform/qt/qt_text.h"

class QBoxLayout;
class QButtonGroup;
class QDialog;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace studio {

using HelpFunction = std::function<void(std::string_view)>;

using qtshell::Qs;
using qtshell::Text;
void SetText(QLineEdit* edit, const std::string& text);

// F1 anywhere in a dialog presses its Help button, as in the modeller's dialogs.
class HelpKey : public QObject {
public:
    HelpKey(QDialog* dialog, QPushButton* helpButton);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* helpButton_;
};

// OK, Cancel (unless `okOnly`: OK alone) and ヘルプ at the bottom of `layout`; ヘルプ and F1
// open `page`.
void AddDialogButtons(QDialog* dialog, QBoxLayout* layout, std::string_view page, HelpFunction help,
                      bool okOnly = false);
// A titled row (or column) of exclusive radio buttons with ids 0, 1, ...
QGroupBox* RadioGroup(std::string_view title, std::initializer_list<const char*> labels,
                      QButtonGroup* group, QWidget* parent,
                      Qt::Orientation orientation = Qt::Horizontal);
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets);
// The "Color" button beside a field of three numbers 0 to 1: the colour picker over them.
QPushButton* ColorButton(QWidget* parent, QLineEdit* field, HelpFunction help);
// A refused field's message, captioned with the program's name.
void Refuse(QWidget* parent, std::string_view message);

}  // namespace studio
