#include "studio/app/dialog_parts.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/colour_picker.h"
#include "studio/app/environment_edit.h"

namespace studio {

void SetText(QLineEdit* edit, const std::string& text) {
    edit->setText(QString::fromStdString(text));
}

HelpKey::HelpKey(QDialog* dialog, QPushButton* helpButton)
    : QObject(dialog), helpButton_(helpButton) {
    dialog->installEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        helpButton_->click();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void AddDialogButtons(QDialog* dialog, QBoxLayout* layout, std::string_view page, HelpFunction help,
                      bool okOnly) {
    auto* buttons = new QDialogButtonBox(
        okOnly ? QDialogButtonBox::Ok : QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QPushButton* helpButton = buttons->addButton(Qs("ヘルプ"), QDialogButtonBox::HelpRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto open = [page, help = std::move(help)] {
        if (help) help(page);
    };
    QObject::connect(helpButton, &QPushButton::clicked, dialog, open);
    new HelpKey(dialog, helpButton);
    layout->addWidget(buttons);
}

QGroupBox* RadioGroup(std::string_view title, std::initializer_list<const char*> labels,
                      QButtonGroup* group, QWidget* parent, Qt::Orientation orientation) {
    auto* box = new QGroupBox(Qs(title), parent);
    QBoxLayout* layout = orientation == Qt::Horizontal
                             ? static_cast<QBoxLayout*>(new QHBoxLayout(box))
                             : static_cast<QBoxLayout*>(new QVBoxLayout(box));
    int id = 0;
    for (const char* label : labels) {
        auto* button = new QRadioButton(Qs(label), box);
        group->addButton(button, id++);
        layout->addWidget(button);
    }
    return box;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* w : widgets) row->addWidget(w);
    return row;
}

QPushButton* ColorButton(QWidget* parent, QLineEdit* field, HelpFunction help) {
    auto* button = new QPushButton(QStringLiteral("Color"), parent);
    QObject::connect(button, &QPushButton::clicked, parent, [parent, field, help] {
        const uint32_t current = ParseColor(Text(field)).value_or(0xFF000000u);
        if (auto chosen = qtshell::PickColour(current, false, nullptr, help, parent))
            SetText(field, FormatColor(*chosen));
    });
    return button;
}

void Refuse(QWidget* parent, std::string_view message) {
    QMessageBox::warning(parent, Qs("Stagora"), Qs(message));
}

}  // namespace studio
