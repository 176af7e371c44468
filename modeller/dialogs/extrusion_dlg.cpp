#include "modeller/dialogs/extrusion_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "model/vector_text.h"
#include "platform/field_exchange.h"
#include "platform/shell.h"

namespace modeller {

namespace {

QLineEdit* Edit(QWidget* parent, const char* name, const std::string& text) {
    auto* e = new QLineEdit(Qs(text), parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* text, bool on) {
    auto* c = new QCheckBox(Qs(text), parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setChecked(on);
    return c;
}

}  // namespace

CExtrusionDlg::CExtrusionDlg(ops::ExtrusionSettings& remembered, shell::Prompt& prompt,
                             HelpFunction help, QWidget* parent)
    : COpsDialog("立体化", kExtrusionHelpPage, prompt, std::move(help), parent),
      remembered_(remembered) {
    const ops::ExtrusionSettings& s = remembered;
    faces_ = Edit(this, "faceList", s.faceList);
    vector_ = Edit(this, "vector", s.vector);
    useLength_ = Check(this, "useLength", "ベクトルの長さを指定", s.useLength);
    length_ = Edit(this, "length", model::FormatNumber(s.length));
    divisions_ = Edit(this, "divisions", std::to_string(s.divisions));
    flipSource_ = Check(this, "flipSource", "元の面が裏返しになる場合ひっくり返す", s.flipSource);
    quads_ = Check(this, "quads", "面を四角形で作成", s.quads);
    cone_ = Check(this, "cone", "点ベクトルで錐を作る", s.cone);
    noJoin_ = Check(this, "noJoin", "点を結合しない", s.noJoin);
    faces_->setMinimumWidth(240);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Qs("面インデックス"), this), 0, 0);
    grid->addWidget(faces_, 0, 1);
    grid->addWidget(new QLabel(Qs("ベクトル"), this), 1, 0);
    grid->addWidget(vector_, 1, 1);
    grid->addWidget(useLength_, 2, 0);
    grid->addWidget(length_, 2, 1);
    grid->addWidget(new QLabel(Qs("分割数"), this), 3, 0);
    grid->addWidget(divisions_, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    for (QCheckBox* c : {flipSource_, quads_, cone_, noJoin_}) layout->addWidget(c);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CExtrusionDlg::accept() {
    // The field exchange first, in control order; then the operation's own checks.
    const std::optional<float> length = shell::ExchangeFloat(Text(length_));
    if (!length) {
        Refuse(shell::kNeedNumberText, length_);
        return;
    }
    const std::optional<uint32_t> divisions = shell::ExchangeUnsigned(Text(divisions_));
    if (!divisions) {
        Refuse(shell::kNeedUnsignedText, divisions_);
        return;
    }
    ops::ExtrusionSettings s;
    s.faceList = Text(faces_);
    s.vector = Text(vector_);
    s.useLength = useLength_->isChecked();
    s.length = *length;
    s.divisions = *divisions;
    s.flipSource = flipSource_->isChecked();
    s.quads = quads_->isChecked();
    s.cone = cone_->isChecked();
    s.noJoin = noJoin_->isChecked();
    if (const std::string message = ops::ValidateExtrusion(s); !message.empty()) {
        QLineEdit* field = s.faceList.empty()               ? faces_
                           : message == ops::kBadVectorText ? vector_
                                                            : divisions_;
        Refuse(message, field);
        return;
    }
    remembered_ = s;
    QDialog::accept();
}

}  // namespace modeller
