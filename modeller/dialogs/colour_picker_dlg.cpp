#include "modeller/dialogs/colour_picker_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "modeller/dialogs/field_exchange.h"
#include "modeller/settings_ops/colour_values.h"

namespace modeller {

namespace {

constexpr const char* kLabels[4] = {"R", "G", "B", "不透明度"};
constexpr const char* kNames[4] = {"red", "green", "blue", "opacity"};

}  // namespace

CColourPickerDlg::CColourPickerDlg(uint32_t argb, bool withAlpha, shell::Prompt& prompt,
                                   HelpFunction help, QWidget* parent)
    : COpsDialog("色の設定", settings::kColourHelpPage, prompt, std::move(help), parent),
      argb_(argb),
      withAlpha_(withAlpha) {
    const settings::ColourFields f = settings::ColourFieldsOf(argb, withAlpha);
    const std::string* texts[4] = {&f.red, &f.green, &f.blue, &f.opacity};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(Qs(kLabels[i]), this);
        fields_[i] = NamedEdit(this, kNames[i], *texts[i]);
        fields_[i]->setMaximumWidth(60);
        sliders_[i] = new QSlider(Qt::Horizontal, this);
        sliders_[i]->setObjectName(QString::fromLatin1(kNames[i]) + QStringLiteral("Slider"));
        sliders_[i]->setRange(0, 255);
        sliders_[i]->setValue(ExchangeInt(*texts[i]).value_or(0));
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
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CColourPickerDlg::SliderMoved(int channel, int value) {
    if (fields_[channel]->text() != QString::number(value))
        fields_[channel]->setText(QString::number(value));
    Repaint();
}

void CColourPickerDlg::FieldLeft(int channel) {
    const std::optional<int32_t> v = ExchangeInt(Text(fields_[channel]));
    if (v && *v >= 0 && *v <= 255 && sliders_[channel]->value() != *v)
        sliders_[channel]->setValue(*v);
    Repaint();
}

void CColourPickerDlg::Repaint() {
    const settings::ColourFields f{Text(fields_[0]), Text(fields_[1]), Text(fields_[2]),
                                   Text(fields_[3]), withAlpha_};
    if (settings::ValidateColour(f).empty()) swatch_->SetColour(settings::ColourOf(f, argb_));
}

void CColourPickerDlg::accept() {
    const settings::ColourFields f{Text(fields_[0]), Text(fields_[1]), Text(fields_[2]),
                                   Text(fields_[3]), withAlpha_};
    const std::string message = settings::ValidateColour(f);
    if (!message.empty()) {
        // The field that failed: the first one the checks refuse on their own.
        for (int i = 0; i < (withAlpha_ ? 4 : 3); ++i) {
            settings::ColourFields one = settings::ColourFieldsOf(0, false);
            one.red = Text(fields_[i]);
            if (!settings::ValidateColour(one).empty()) {
                Refuse(message, fields_[i]);
                return;
            }
        }
        Refuse(message);
        return;
    }
    argb_ = settings::ColourOf(f, argb_);
    QDialog::accept();
}

std::optional<uint32_t> PickColour(uint32_t argb, bool withAlpha, shell::Prompt& prompt,
                                   const HelpFunction& help, QWidget* parent) {
    CColourPickerDlg dlg(argb, withAlpha, prompt, help, parent);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.Colour();
}

}  // namespace modeller
