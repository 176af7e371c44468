// Small pieces the settings dialogs share (named fields come with the dialog base): a row of label
// and field, a colour swatch, and texts between the model's CP932 and the widgets.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "modeller/dialogs/ops_dialog.h"

class QGridLayout;

namespace modeller {

// Label in the first column, the field in the second, on the next free row.
void AddRow(QGridLayout* grid, std::string_view label, QWidget* field);

QString FromCp932(std::string_view cp932);
std::string ToCp932(const QString& text);

// A patch of one colour (the alpha is not shown).
class CColourSwatch : public QFrame {
public:
    explicit CColourSwatch(QWidget* parent);
    void SetColour(uint32_t argb);
    uint32_t Colour() const { return argb_; }

private:
    uint32_t argb_ = 0;
};

}  // namespace modeller
