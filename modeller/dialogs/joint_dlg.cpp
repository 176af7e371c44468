#include "modeller/dialogs/joint_dlg.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace modeller {

CJointDlg::CJointDlg(const model::JointList& joints, shell::Prompt& prompt, HelpFunction help,
                     QWidget* parent)
    : COpsDialog("ジョイント", settings::kJointHelpPage, prompt, std::move(help), parent) {
    text_ = new QPlainTextEdit(Qs(settings::JointText(joints)), this);
    text_->setObjectName(QStringLiteral("joints"));
    text_->setMinimumSize(320, 200);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(MakeButtons());
}

model::JointList CJointDlg::Joints() const {
    return settings::JointsOfText(text_->toPlainText().toStdString());
}

}  // namespace modeller
