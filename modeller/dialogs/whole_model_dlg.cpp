#include "modeller/dialogs/whole_model_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/shell.h"

namespace modeller {

namespace {

QLineEdit* Edit(QWidget* parent, const char* name, const std::string& text) {
    auto* e = new QLineEdit(Qs(text), parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMinimumWidth(220);
    return e;
}

template <size_t N>
void Radios(QWidget* parent, QRadioButton* (&out)[N], const char* const (&texts)[N],
            const char* prefix) {
    auto* group = new QButtonGroup(parent);
    for (size_t i = 0; i < N; ++i) {
        out[i] = new QRadioButton(Qs(texts[i]), parent);
        out[i]->setObjectName(QString::fromLatin1(prefix) + QString::number(i));
        group->addButton(out[i], static_cast<int>(i));
    }
}

template <size_t N>
int32_t Checked(QRadioButton* const (&radios)[N]) {
    for (size_t i = 0; i < N; ++i)
        if (radios[i]->isChecked()) return static_cast<int32_t>(i);
    return -1;
}

}  // namespace

CWholeModelDlg::CWholeModelDlg(ops::WholeModelMemory& memory, shell::Prompt& prompt,
                               HelpFunction help, QWidget* parent)
    : COpsDialog("全体演算", kWholeModelHelpPage, prompt, std::move(help), parent),
      memory_(memory) {
    const ops::WholeModelFields f = ops::WholeModelFields::Open(memory);
    Radios(this, kind_, {"移動", "拡大・縮小", "回転", "反転"}, "kind");
    Radios(this, direction_, {"軸の先から見て時計回り", "反時計回り"}, "direction");
    Radios(this, plane_, {"左右", "上下", "前後"}, "plane");
    move_ = Edit(this, "moveText", f.moveText);
    scale_ = Edit(this, "scaleText", f.scaleText);
    axis_ = Edit(this, "axisText", f.axisText);
    angle_ = Edit(this, "angleText", f.angleText);
    kind_[f.kind]->setChecked(true);
    direction_[f.direction == 1 ? 1 : 0]->setChecked(true);
    plane_[f.plane]->setChecked(true);

    auto* grid = new QGridLayout;
    grid->addWidget(kind_[0], 0, 0);
    grid->addWidget(move_, 0, 1);
    grid->addWidget(kind_[1], 1, 0);
    grid->addWidget(scale_, 1, 1);
    grid->addWidget(kind_[2], 2, 0);
    auto* rotate = new QGridLayout;
    rotate->addWidget(new QLabel(Qs("軸"), this), 0, 0);
    rotate->addWidget(axis_, 0, 1);
    rotate->addWidget(new QLabel(Qs("角度"), this), 1, 0);
    rotate->addWidget(angle_, 1, 1);
    auto* directionBox = new QGroupBox(Qs("方向"), this);
    auto* directionLayout = new QVBoxLayout(directionBox);
    directionLayout->addWidget(direction_[0]);
    directionLayout->addWidget(direction_[1]);
    rotate->addWidget(directionBox, 2, 0, 1, 2);
    grid->addLayout(rotate, 2, 1);
    grid->addWidget(kind_[3], 3, 0);
    auto* planes = new QHBoxLayout;
    for (QRadioButton* p : plane_) planes->addWidget(p);
    grid->addLayout(planes, 3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ops::WholeModelFields CWholeModelDlg::Fields() const {
    ops::WholeModelFields f;
    f.kind = Checked(kind_);
    f.direction = std::max(Checked(direction_), 0);
    f.plane = std::max(Checked(plane_), 0);
    f.moveText = Text(move_);
    f.scaleText = Text(scale_);
    f.axisText = Text(axis_);
    f.angleText = Text(angle_);
    return f;
}

void CWholeModelDlg::accept() {
    const ops::WholeModelFields f = Fields();
    const ops::WholeModelCheck check = ops::ValidateWholeModel(f);
    if (!check.message.empty()) {
        QLineEdit* field = f.kind == ops::kWholeMove     ? move_
                           : f.kind == ops::kWholeRotate ? axis_
                                                         : nullptr;
        Refuse(check.message, field);
        return;
    }
    if (check.askZeroScale &&
        prompt_.Ask(ops::kZeroScaleQuestion, {}, shell::Buttons::YesNoCancel) != shell::Answer::Yes)
        return;
    ops::RememberWholeModel(f, memory_);
    operation_ = check.operation;
    QDialog::accept();
}

}  // namespace modeller
