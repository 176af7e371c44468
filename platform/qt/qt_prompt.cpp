#include "platform/qt/qt_prompt.h"

#include <QGuiApplication>
#include <QString>

namespace qtshell {

QMessageBox::StandardButtons ToQtButtons(shell::Buttons buttons) {
    switch (buttons) {
        case shell::Buttons::Ok:
            return QMessageBox::Ok;
        case shell::Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case shell::Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case shell::Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

shell::Answer ToAnswer(QMessageBox::StandardButton pressed, shell::Buttons buttons) {
    switch (pressed) {
        case QMessageBox::Ok:
            return shell::Answer::Ok;
        case QMessageBox::Cancel:
            return shell::Answer::Cancel;
        case QMessageBox::Yes:
            return shell::Answer::Yes;
        case QMessageBox::No:
            return shell::Answer::No;
        default:
            break;
    }
    switch (buttons) {
        case shell::Buttons::Ok:
            return shell::Answer::Ok;
        case shell::Buttons::YesNo:
            return shell::Answer::No;
        default:
            return shell::Answer::Cancel;
    }
}

shell::Answer QtPrompt::Ask(std::string_view text, std::string_view caption,
                            shell::Buttons buttons) {
    QString title = caption.empty() ? QGuiApplication::applicationDisplayName()
                                    : QString::fromUtf8(caption.data(), qsizetype(caption.size()));
    // Questions get the question mark, plain messages the exclamation mark, as the old
    // framework's message boxes did.
    bool question = buttons == shell::Buttons::YesNo || buttons == shell::Buttons::YesNoCancel;
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::Warning, title,
                    QString::fromUtf8(text.data(), qsizetype(text.size())), ToQtButtons(buttons),
                    parent_);
    int result = box.exec();
    return ToAnswer(static_cast<QMessageBox::StandardButton>(result), buttons);
}

}  // namespace qtshell
