#include "modeller/dialogs/axis_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "modeller/dialogs/settings_widgets.h"

namespace modeller {

CAxisDlg::CAxisDlg(const settings::AxisFields& f, shell::Prompt& prompt, HelpFunction help,
                   QWidget* parent)
    : COpsDialog("軸", settings::kAxisHelpPage, prompt, std::move(help), parent) {
    showAxis_ = NamedCheck(this, "showAxis", "軸を表示する", f.showAxis);
    showLetters_ = NamedCheck(this, "showLetters", "文字を表示する", f.showLetters);
    size_ = NamedEdit(this, "size", f.size);
    auto* grid = new QGridLayout;
    grid->addWidget(showAxis_, 0, 0, 1, 2);
    grid->addWidget(showLetters_, 1, 0, 1, 2);
    AddRow(grid, "軸の大きさ", size_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

settings::AxisFields CAxisDlg::Fields() const {
    return {showAxis_->isChecked(), showLetters_->isChecked(), Text(size_)};
}

void CAxisDlg::accept() {
    const std::string message = settings::ValidateAxis(Fields());
    if (!message.empty()) {
        Refuse(message, size_);
        return;
    }
    QDialog::accept();
}

}  // namespace modeller
