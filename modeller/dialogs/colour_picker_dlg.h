// The colour picker (色の設定): R, G, B and 不透明度 with sliders kept in step and a swatch.
#pragma once

#include <optional>

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/dialogs/settings_widgets.h"

class QSlider;

namespace modeller {

class CColourPickerDlg : public COpsDialog {
public:
    // Without alpha the opacity field, its slider and its label are disabled.
    CColourPickerDlg(uint32_t argb, bool withAlpha, shell::Prompt& prompt, HelpFunction help,
                     QWidget* parent = nullptr);

    uint32_t Colour() const { return argb_; }
    void accept() override;

private:
    void SliderMoved(int channel, int value);
    void FieldLeft(int channel);
    void Repaint();

    uint32_t argb_;
    bool withAlpha_;
    QLineEdit* fields_[4];
    QSlider* sliders_[4];
    CColourSwatch* swatch_;
};

// Opens the picker; the chosen colour, or nothing on Cancel.
std::optional<uint32_t> PickColour(uint32_t argb, bool withAlpha, shell::Prompt& prompt,
                                   const HelpFunction& help, QWidget* parent);

}  // namespace modeller
