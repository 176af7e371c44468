// The colour picker (色の設定) of both programs: R, G, B and 不透明度 with sliders kept in
// step and a swatch; OK, Cancel and Help (F1). Its checks are platform/colour_fields.
#pragma once

#include <QDialog>
#include <QFrame>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

class QLineEdit;
class QSlider;

namespace shell {
class Prompt;
}

namespace qtshell {

using HelpFunction = std::function<void(std::string_view page)>;

// A patch of one colour (the alpha is not shown).
class CColourSwatch : public QFrame {
public:
    explicit CColourSwatch(QWidget* parent);
    void SetColour(uint32_t argb);
    uint32_t Colour() const { return argb_; }

private:
    uint32_t argb_ = 0;
};

class CColourPickerDlg : public QDialog {
public:
    // Without alpha the opacity field, its slider and its label are disabled. Refusals go
    // through `prompt`, or a message box when there is none.
    CColourPickerDlg(uint32_t argb, bool withAlpha, shell::Prompt* prompt, HelpFunction help,
                     QWidget* parent = nullptr);

    uint32_t Colour() const { return argb_; }
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SliderMoved(int channel, int value);
    void FieldLeft(int channel);
    void Repaint();
    void Refuse(std::string_view message, QLineEdit* field);

    uint32_t argb_;
    bool withAlpha_;
    shell::Prompt* prompt_;
    HelpFunction help_;
    QLineEdit* fields_[4];
    QSlider* sliders_[4];
    CColourSwatch* swatch_;
};

// Opens the picker; the chosen colour, or nothing on Cancel.
std::optional<uint32_t> PickColour(uint32_t argb, bool withAlpha, shell::Prompt* prompt,
                                   const HelpFunction& help, QWidget* parent);

}  // namespace qtshell
