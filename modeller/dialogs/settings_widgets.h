// Small pieces the settings dialogs share (named fields come with the dialog base): a row of label
// and field, and texts between the model's CP932 and the widgets.
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "modeller/dialogs/ops_dialog.h"
#include "platform/qt/colour_picker.h"

class QGridLayout;

namespace modeller {

// Label in the first column, the field in the second, on the next free row.
void AddRow(QGridLayout* grid, std::string_view label, QWidget* field);

QString FromCp932(std::string_view cp932);
std::string ToCp932(const QString& text);

}  // namespace modeller
