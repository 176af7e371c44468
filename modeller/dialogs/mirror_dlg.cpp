#include "modeller/dialogs/mirror_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/vector_text.h"
#include "platform/field_exchange.h"

namespace modeller {

CMirrorDlg::CMirrorDlg(const model::MirrorSettings& current, shell::Prompt& prompt,
                       HelpFunction help, QWidget* parent)
    : COpsDialog("ミラー", kMirrorHelpPage, prompt, std::move(help), parent), setting_(current) {
    auto* box = new QGroupBox(Qs("ミラー"), this);
    auto* boxLayout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(this);
    const char* texts[] = {"設定しない", "左右", "上下", "前後"};
    for (int i = 0; i < 4; ++i) {
        axis_[i] = new QRadioButton(Qs(texts[i]), box);
        axis_[i]->setObjectName(QStringLiteral("axis") + QString::number(i));
        group->addButton(axis_[i], i);
        boxLayout->addWidget(axis_[i]);
    }
    const int32_t axis = current.mirrorAxis;
    axis_[axis >= 0 && axis <= 3 ? axis : 0]->setChecked(true);
    position_ = new QLineEdit(Qs(model::FormatNumber(current.mirrorPosition)), this);
    position_->setObjectName(QStringLiteral("position"));
    auto* positionRow = new QHBoxLayout;
    positionRow->addWidget(new QLabel(Qs("鏡面の位置"), this));
    positionRow->addWidget(position_);

    auto* bake = new QPushButton(Qs("データを下ろす"), this);
    bake->setObjectName(QStringLiteral("bake"));
    bake->setAutoDefault(false);
    connect(bake, &QPushButton::clicked, this, [this] { done(kBake); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(positionRow);
    layout->addWidget(bake);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CMirrorDlg::accept() {
    const std::optional<float> position = shell::ExchangeFloat(Text(position_));
    if (!position) {
        Refuse(shell::kNeedNumberText, position_);
        return;
    }
    for (int i = 0; i < 4; ++i)
        if (axis_[i]->isChecked()) setting_.mirrorAxis = i;
    setting_.mirrorPosition = *position;
    QDialog::accept();
}

}  // namespace modeller
