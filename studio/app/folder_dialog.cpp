#include "studio/app/folder_dialog.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace studio {

CFolderDlg::CFolderDlg(HelpFunction help, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Qs("フォルダの作成"));
    setObjectName(QStringLiteral("FolderDialog"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("name"));
    name_->setMinimumWidth(240);
    auto* form = new QFormLayout;
    form->addRow(Qs("名前"), name_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    AddDialogButtons(this, layout, kFolderHelpPage, std::move(help));
}

std::string CFolderDlg::Name() const {
    return Text(name_);
}

}  // namespace studio
