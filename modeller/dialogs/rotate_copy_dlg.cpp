#include "modeller/dialogs/rotate_copy_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/vector_text.h"
#include "modeller/ops/revolution.h"
#include "platform/field_exchange.h"

namespace modeller {

CRotateCopyDlg::CRotateCopyDlg(ops::RotateCopySettings& remembered, const model::MeshModel& model,
                               shell::Prompt& prompt, HelpFunction help, QWidget* parent)
    : COpsDialog("回転コピー", kRotateCopyHelpPage, prompt, std::move(help), parent),
      remembered_(remembered),
      model_(model) {
    const ops::RotateCopySettings s = ops::OpenRotateCopy(remembered);
    faces_ = NamedEdit(this, "faceList", s.faceList);
    axis_ = NamedEdit(this, "axis", s.axis);
    RadioPair(this, direction_, "軸の進行方向から見て時計回り", "反時計回り", "direction",
              s.counterClockwise);
    angle_ = NamedEdit(this, "angle", model::FormatNumber(s.angle));
    divisions_ = NamedEdit(this, "divisions", std::to_string(s.divisions));
    backFaces_ = NamedCheck(this, "backFaces", "裏面を作成", s.backFaces);
    newGroup_ = NamedCheck(this, "newGroup", "新しくグループを作成", s.newGroup);
    groupName_ = NamedEdit(this, "groupName", s.groupName);
    noJoin_ = NamedCheck(this, "noJoin", "点を結合しない", s.noJoin);
    faces_->setMinimumWidth(240);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Qs("面インデックス"), this), 0, 0);
    grid->addWidget(faces_, 0, 1);
    grid->addWidget(new QLabel(Qs("回転軸"), this), 1, 0);
    grid->addWidget(axis_, 1, 1);
    grid->addWidget(direction_[0], 2, 1);
    grid->addWidget(direction_[1], 3, 1);
    grid->addWidget(new QLabel(Qs("回転角"), this), 4, 0);
    grid->addWidget(angle_, 4, 1);
    grid->addWidget(new QLabel(Qs("分割数"), this), 5, 0);
    grid->addWidget(divisions_, 5, 1);
    auto* group = new QHBoxLayout;
    group->addWidget(newGroup_);
    group->addWidget(new QLabel(Qs("名前"), this));
    group->addWidget(groupName_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(backFaces_);
    layout->addLayout(group);
    layout->addWidget(noJoin_);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CRotateCopyDlg::accept() {
    // The field exchange first, in control order; then the operation's own checks.
    float angle = 0;
    uint32_t divisions = 0;
    if (!ExchangeTurn(angle_, divisions_, angle, divisions)) return;
    ops::RotateCopySettings s;
    s.faceList = Text(faces_);
    s.axis = Text(axis_);
    s.counterClockwise = direction_[1]->isChecked();
    s.angle = angle;
    s.divisions = divisions;
    s.backFaces = backFaces_->isChecked();
    s.newGroup = newGroup_->isChecked();
    s.groupName = Text(groupName_);
    s.noJoin = noJoin_->isChecked();
    if (const std::string message = ops::ValidateRotateCopy(model_, s); !message.empty()) {
        QLineEdit* field = message == ops::kGroupAlreadyExistsText ? groupName_
                           : message == ops::kNoFaceListText       ? faces_
                           : message == ops::kZeroAngleText        ? angle_
                                                                   : axis_;
        Refuse(message, field);
        return;
    }
    remembered_ = s;
    QDialog::accept();
}

}  // namespace modeller
