#include "modeller/dialogs/ops_dialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>

#include "platform/shell.h"

namespace modeller {

COpsDialog::COpsDialog(std::string_view caption, std::string_view helpPage, shell::Prompt& prompt,
                       HelpFunction help, QWidget* parent)
    : QDialog(parent), prompt_(prompt), helpPage_(helpPage), help_(std::move(help)) {
    setWindowTitle(Qs(caption));
    setModal(true);
}

QDialogButtonBox* COpsDialog::MakeButtons() {
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (help_) help_(helpPage_);
    });
    return buttons;
}

bool COpsDialog::Refuse(std::string_view message, QLineEdit* field) {
    prompt_.Tell(message);
    if (field) {
        field->setFocus();
        field->selectAll();
    }
    return false;
}

void COpsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (help_) help_(helpPage_);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace modeller
