#include "platform/qt/colour_picker.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QVBoxLayout>
#include <string>

#include "platform/colour_fields.h"
#include "platform/field_exchange.h"
#include "platform/qt/qt_text.h"
#include "platform/shell.h"

namespace qtshell {

namespace {

constexpr const char* kLabels[4] = {"R", "G", "B", "不透明度"};
constexpr const char* kNames[4] = {"red", "green", "blue", "opacity"};

}  // namespace

CColourSwatch::CColourSwatch(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setMinimumSize(48, 24);
    setAutoFillBackground(true);
    SetColour(0xFFFFFFFF);
}

void CColourSwatch::SetColour(uint32_t argb) {
    argb_ = argb;
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor::fromRgb(argb & 0x00FFFFFF));
    setPalette(p);
    update();
}

CColourPickerDlg::CColourPickerDlg(uint32_t argb, bool withAlpha, shell::Prompt* prompt,
                                   HelpFunction help, QWidget* parent)
    : QDialog(parent), argb_(argb), withAlpha_(withAlpha), prompt_(prompt), help_(std::move(help)) {
    setWindowTitle(Qs("色の設定"));
    const shell::ColourFields f = shell::ColourFieldsOf(argb, withAlpha);
    const std::string* texts[4] = {&f.red, &f.green, &f.blue, &f.opacity};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(Qs(kLabels[i]), this);
        fields_[i] = new QLineEdit(Qs(*texts[i]), this);
        fields_[i]->setObjectName(QString::fromLatin1(kNames[i]));
        fields_[i]->setMaximumWidth(60);
        sliders_[i] = new QSlider(Qt::Horizontal, this);
        sliders_[i]->setObjectName(QString::fromLatin1(kNames[i]) + QStringLiteral("Slider"));
        sliders_[i]->setRange(0, 255);
        sliders_[i]->setValue(shell::ExchangeInt(*texts[i]).value_or(0));
        sliders_[i]->setMinimumWidth(160);
        grid->addWidget(label, i, 0);
        grid->addWidget(fields_[i], i, 1);
        grid->addWidget(sliders_[i], i, 2);
        connect(sliders_[i], &QSlider::valueChanged, this,
                [this, i](int value) { SliderMoved(i, value); });
        connect(fields_[i], &QLineEdit::editingFinished, this, [this, i] { FieldLeft(i); });
        if (i == 3 && !withAlpha) {
            label->setEnabled(false);
            fields_[i]->setEnabled(false);
            sliders_[i]->setEnabled(false);
        }
    }
    swatch_ = new CColourSwatch(this);
    swatch_->setObjectName(QStringLiteral("swatch"));
    swatch_->setMinimumSize(64, 64);
    swatch_->SetColour(argb);
    auto* top = new QHBoxLayout;
    top->addLayout(grid);
    top->addWidget(swatch_);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (help_) help_(shell::kColourHelpPage);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CColourPickerDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        if (help_) help_(shell::kColourHelpPage);
        return;
    }
    QDialog::keyPressEvent(event);
}

void CColourPickerDlg::SliderMoved(int channel, int value) {
    if (fields_[channel]->text() != QString::number(value))
        fields_[channel]->setText(QString::number(value));
    Repaint();
}

void CColourPickerDlg::FieldLeft(int channel) {
    const std::optional<int32_t> v = shell::ExchangeInt(Text(fields_[channel]));
    if (v && *v >= 0 && *v <= 255 && sliders_[channel]->value() != *v)
        sliders_[channel]->setValue(*v);
    Repaint();
}

void CColourPickerDlg::Repaint() {
    const shell::ColourFields f{Text(fields_[0]), Text(fields_[1]), Text(fields_[2]),
                                Text(fields_[3]), withAlpha_};
    if (shell::ValidateColour(f).empty()) swatch_->SetColour(shell::ColourOf(f, argb_));
}

void CColourPickerDlg::Refuse(std::string_view message, QLineEdit* field) {
    if (prompt_)
        prompt_->Tell(message);
    else
        QMessageBox::warning(this, QApplication::applicationName(), Qs(message));
    if (field) {
        field->setFocus();
        field->selectAll();
    }
}

void CColourPickerDlg::accept() {
    const shell::ColourFields f{Text(fields_[0]), Text(fields_[1]), Text(fields_[2]),
                                Text(fields_[3]), withAlpha_};
    const std::string message = shell::ValidateColour(f);
    if (!message.empty()) {
        // The field that failed: the first one the checks refuse on their own.
        QLineEdit* failed = nullptr;
        for (int i = 0; i < (withAlpha_ ? 4 : 3) && !failed; ++i) {
            shell::ColourFields one = shell::ColourFieldsOf(0, false);
            one.red = Text(fields_[i]);
            if (!shell::ValidateColour(one).empty()) failed = fields_[i];
        }
        Refuse(message, failed);
        return;
    }
    argb_ = shell::ColourOf(f, argb_);
    QDialog::accept();
}

std::optional<uint32_t> PickColour(uint32_t argb, bool withAlpha, shell::Prompt* prompt,
                                   const HelpFunction& help, QWidget* parent) {
    CColourPickerDlg dlg(argb, withAlpha, prompt, help, parent);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.Colour();
}

}  // namespace qtshell
