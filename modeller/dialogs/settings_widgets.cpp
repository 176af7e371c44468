#include "modeller/dialogs/settings_widgets.h"

#include <QGridLayout>
#include <QLabel>

#include "modeller/dialogs/ops_dialog.h"
#include "platform/text/cp932.h"

namespace modeller {

void AddRow(QGridLayout* grid, std::string_view label, QWidget* field) {
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(Qs(label), field->parentWidget()), row, 0);
    grid->addWidget(field, row, 1);
}

QString FromCp932(std::string_view cp932) {
    return QString::fromStdString(text::Cp932ToUtf8(cp932));
}

std::string ToCp932(const QString& text) {
    return text::Utf8ToCp932(text.toStdString());
}

}  // namespace modeller
