#include "modeller/dialogs/plane_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/vector_text.h"
#include "platform/field_exchange.h"

namespace modeller {

namespace {

QLineEdit* Edit(QWidget* parent, const char* name, const std::string& text) {
    auto* e = new QLineEdit(Qs(text), parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMinimumWidth(260);
    return e;
}

QRadioButton* Radio(QWidget* parent, const char* name, const char* text, bool on) {
    auto* r = new QRadioButton(Qs(text), parent);
    r->setObjectName(QString::fromLatin1(name));
    r->setChecked(on);
    return r;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* text, bool on) {
    auto* c = new QCheckBox(Qs(text), parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setChecked(on);
    return c;
}

}  // namespace

CPlanePaintDlg::CPlanePaintDlg(const ops::PlanePaintState& state, shell::Prompt& prompt,
                               HelpFunction help, QWidget* parent)
    : COpsDialog("平面ペイント", kPlanePaintHelpPage, prompt, std::move(help), parent) {
    planeEdit_ = Edit(this, "plane", ops::PlaneText(state));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Qs("平面式 （ 面法線 ， 面上の点 ）"), this));
    layout->addWidget(planeEdit_);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CPlanePaintDlg::accept() {
    // Six numbers and a normal that is not zero: anything less is no plane to draw on.
    const std::optional<ops::PlaneEquation> plane = ops::ParsePlaneText(Text(planeEdit_));
    if (!plane) {
        Refuse(ops::kCannotConvertText, planeEdit_);
        return;
    }
    plane_ = *plane;
    QDialog::accept();
}

CPlaneFigureDlg::CPlaneFigureDlg(shell::Prompt& prompt, HelpFunction help, QWidget* parent)
    : COpsDialog("平面図形", kPlaneFigureHelpPage, prompt, std::move(help), parent) {
    firstEdit_ = Edit(this, "first", "");
    secondEdit_ = Edit(this, "second", "");
    auto* box = new QGroupBox(Qs("隅の点"), this);
    auto* inner = new QVBoxLayout(box);
    inner->addWidget(firstEdit_);
    inner->addWidget(secondEdit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CPlaneFigureDlg::accept() {
    const std::optional<model::Vertex> a = model::ParseVector(Text(firstEdit_));
    const std::optional<model::Vertex> b = model::ParseVector(Text(secondEdit_));
    if (!a || !b) {
        Refuse(ops::kCannotConvertText, a ? secondEdit_ : firstEdit_);
        return;
    }
    first_ = *a;
    second_ = *b;
    QDialog::accept();
}

CPlaneOptionsDlg::CPlaneOptionsDlg(const ops::PlaneFigureOptions& o, shell::Prompt& prompt,
                                   HelpFunction help, QWidget* parent)
    : COpsDialog("平面図形のオプション", kPlaneOptionsHelpPage, prompt, std::move(help), parent),
      options_(o) {
    rectangle_ =
        Radio(this, "rectangle", "四角を描く", o.shape != ops::PlaneFigureOptions::kCircle);
    circle_ = Radio(this, "circle", "円を描く", o.shape == ops::PlaneFigureOptions::kCircle);
    divisions_ = new QLineEdit(QString::number(o.divisions), this);
    divisions_->setObjectName(QStringLiteral("divisions"));
    equalRatio_ = Check(this, "equalRatio", "縦と横の比率を同じにする", o.equalRatio);
    triangles_ = Check(this, "splitTriangles", "三角形に分断する", o.splitTriangles);
    half_ = Check(this, "splitHalf", "半分に分断する", o.splitHalf);
    const char* axisNames[3] = {"axisY", "axisZ", "axisX"};
    const char* axisTexts[3] = {"y", "z", "x"};
    auto* axisBox = new QGroupBox(Qs("平面図形の軸の基準"), this);
    auto* axisRow = new QHBoxLayout(axisBox);
    auto* axisGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        axis_[i] = Radio(axisBox, axisNames[i], axisTexts[i], o.axis == i);
        axisGroup->addButton(axis_[i]);
        axisRow->addWidget(axis_[i]);
    }
    if (o.axis < 0 || o.axis > 2) axis_[0]->setChecked(true);

    auto* shapeBox = new QGroupBox(this);
    auto* shapeRows = new QFormLayout(shapeBox);
    auto* shapeGroup = new QButtonGroup(this);
    shapeGroup->addButton(rectangle_);
    shapeGroup->addButton(circle_);
    shapeRows->addRow(rectangle_);
    shapeRows->addRow(circle_, new QWidget(shapeBox));
    shapeRows->addRow(Qs("円の分割数"), divisions_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(shapeBox);
    for (QCheckBox* c : {equalRatio_, triangles_, half_}) layout->addWidget(c);
    layout->addWidget(axisBox);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CPlaneOptionsDlg::accept() {
    const std::optional<uint32_t> divisions = shell::ExchangeUnsigned(Text(divisions_));
    if (!divisions) {
        Refuse(shell::kNeedUnsignedText, divisions_);
        return;
    }
    options_.shape = circle_->isChecked() ? ops::PlaneFigureOptions::kCircle
                                          : ops::PlaneFigureOptions::kRectangle;
    options_.divisions = *divisions;
    options_.equalRatio = equalRatio_->isChecked();
    options_.splitTriangles = triangles_->isChecked();
    options_.splitHalf = half_->isChecked();
    for (int i = 0; i < 3; ++i)
        if (axis_[i]->isChecked()) options_.axis = i;
    QDialog::accept();
}

}  // namespace modeller
