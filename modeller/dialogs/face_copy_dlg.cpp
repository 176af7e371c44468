#include "modeller/dialogs/face_copy_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/field_exchange.h"

namespace modeller {

CFaceCopyDlg::CFaceCopyDlg(ops::FaceCopySettings& remembered, shell::Prompt& prompt,
                           HelpFunction help, QWidget* parent)
    : COpsDialog("面のコピー", kFaceCopyHelpPage, prompt, std::move(help), parent),
      remembered_(remembered) {
    const ops::FaceCopySettings& s = remembered;
    faces_ = NamedEdit(this, "faceList", s.faceList);
    vector_ = NamedEdit(this, "vector", s.vector);
    divisions_ = NamedEdit(this, "divisions", std::to_string(s.divisions));
    backFaces_ = NamedCheck(this, "backFaces", "裏面を作成する", s.backFaces);
    noJoin_ = NamedCheck(this, "noJoin", "点を結合しない", s.noJoin);
    faces_->setMinimumWidth(240);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Qs("面インデックス"), this), 0, 0);
    grid->addWidget(faces_, 0, 1);
    grid->addWidget(new QLabel(Qs("移動ベクトル"), this), 1, 0);
    grid->addWidget(vector_, 1, 1);
    grid->addWidget(new QLabel(Qs("分割数"), this), 2, 0);
    grid->addWidget(divisions_, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(backFaces_);
    layout->addWidget(noJoin_);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CFaceCopyDlg::accept() {
    std::string refusal;
    const auto divisions = shell::ExchangeUnsigned(Text(divisions_), refusal);
    if (!divisions) {
        Refuse(refusal, divisions_);
        return;
    }
    ops::FaceCopySettings s;
    s.faceList = Text(faces_);
    s.vector = Text(vector_);
    s.divisions = *divisions;
    s.backFaces = backFaces_->isChecked();
    s.noJoin = noJoin_->isChecked();
    if (const std::string message = ops::ValidateFaceCopy(s); !message.empty()) {
        QLineEdit* field = message == ops::kNeedDivisionsText ? divisions_
                           : message == ops::kNoFaceListText  ? faces_
                                                              : vector_;
        Refuse(message, field);
        return;
    }
    remembered_ = s;
    QDialog::accept();
}

}  // namespace modeller
