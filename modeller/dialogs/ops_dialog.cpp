#include "modeller/dialogs/ops_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QRadioButton>

#include "modeller/ops/revolution.h"
#include "platform/field_exchange.h"
#include "platform/shell.h"

namespace modeller {

QLineEdit* NamedEdit(QWidget* parent, const char* name, std::string_view text) {
    auto* e = new QLineEdit(Qs(text), parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QCheckBox* NamedCheck(QWidget* parent, const char* name, std::string_view text, bool on) {
    auto* c = new QCheckBox(Qs(text), parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setChecked(on);
    return c;
}

void RadioPair(QWidget* parent, QRadioButton* (&out)[2], std::string_view first,
               std::string_view secondText, const char* prefix, bool second) {
    auto* group = new QButtonGroup(parent);
    const std::string_view texts[] = {first, secondText};
    for (int i = 0; i < 2; ++i) {
        out[i] = new QRadioButton(Qs(texts[i]), parent);
        out[i]->setObjectName(QString::fromLatin1(prefix) + QString::number(i));
        group->addButton(out[i], i);
    }
    out[second ? 1 : 0]->setChecked(true);
}

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

bool COpsDialog::ExchangeTurn(QLineEdit* angle, QLineEdit* divisions, float& angleOut,
                              uint32_t& divisionsOut) {
    std::string refusal;
    const auto a = shell::ExchangeFloatInRange(Text(angle), -ops::kMaxRevolutionAngle,
                                               ops::kMaxRevolutionAngle, refusal);
    if (!a) return Refuse(refusal, angle);
    const auto d = shell::ExchangeUnsigned(Text(divisions), refusal);
    if (!d) return Refuse(refusal, divisions);
    angleOut = *a;
    divisionsOut = *d;
    return true;
}

void COpsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (help_) help_(helpPage_);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace modeller
