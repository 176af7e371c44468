#include "studio/app/joint_dialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/text/cp932.h"
#include "studio/view/tree_icons.h"

namespace studio {

namespace {

void Check(QButtonGroup* group, int id) {
    if (QAbstractButton* b = group->button(id)) b->setChecked(true);
}

void FillItemCombo(QComboBox* combo, const CSceneDoc& doc) {
    combo->setIconSize(QSize(kTreeIconSize, kTreeIconSize));
    for (const SceneItem& item : doc.Items())
        combo->addItem(KindIcon(item.kind), QString::fromStdString(text::Cp932ToUtf8(item.name)));
}

}  // namespace

// --- joint

CJointDlg::CJointDlg(CSceneDoc& doc, int joint, HelpFunction help, QWidget* parent)
    : QDialog(parent), doc_(doc), joint_(joint) {
    setWindowTitle(Qs("ジョイント"));
    setObjectName(QStringLiteral("JointDialog"));
    owner_ = new QComboBox(this);
    owner_->setObjectName(QStringLiteral("Owner"));
    partner_ = new QComboBox(this);
    partner_->setObjectName(QStringLiteral("Partner"));
    FillItemCombo(owner_, doc_);
    partner_->setIconSize(QSize(kTreeIconSize, kTreeIconSize));
    partner_->addItem(KindIcon(kNoPartnerIcon), Qs(kNoPartnerText));
    for (const SceneItem& item : doc_.Items())
        partner_->addItem(KindIcon(item.kind),
                          QString::fromStdString(text::Cp932ToUtf8(item.name)));
    type_ = new QButtonGroup(this);
    target_ = new QButtonGroup(this);
    position_ = new QLineEdit(this);
    axis_ = new QLineEdit(this);

    auto* form = new QFormLayout;
    form->addRow(Qs("オーナー"), owner_);
    form->addRow(Qs("パートナー"), partner_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* choices = new QHBoxLayout;
    choices->addWidget(RadioGroup("タイプ", {"結合しない", "自由回転", "軸回転", "無回転"}, type_,
                                  this, Qt::Vertical));
    choices->addWidget(
        RadioGroup("回転させる側", {"オーナー", "パートナー"}, target_, this, Qt::Vertical));
    layout->addLayout(choices);
    auto* place = new QFormLayout;
    place->addRow(Qs("位置"), position_);
    place->addRow(Qs("軸"), axis_);
    layout->addLayout(place);
    AddDialogButtons(this, layout, kJointHelpPage, std::move(help));
    SetFields(ReadJointFields(doc_, joint_));
}

JointFields CJointDlg::Fields() const {
    JointFields f;
    f.owner = owner_->currentIndex();
    f.partnerEntry = partner_->currentIndex();
    f.type = std::max(0, type_->checkedId());
    f.target = std::max(0, target_->checkedId());
    f.position = Text(position_);
    f.axis = Text(axis_);
    return f;
}

void CJointDlg::SetFields(const JointFields& f) {
    owner_->setCurrentIndex(f.owner < owner_->count() ? f.owner : -1);
    partner_->setCurrentIndex(f.partnerEntry < partner_->count() ? f.partnerEntry : -1);
    Check(type_, f.type);
    Check(target_, f.target);
    SetText(position_, f.position);
    SetText(axis_, f.axis);
}

void CJointDlg::accept() {
    const JointFields f = Fields();
    const std::string message = CheckJointFields(doc_, f);
    if (!message.empty()) return Refuse(this, message);
    result_ = ApplyJointFields(doc_, joint_, f);
    QDialog::accept();
}

// --- joint management

CJointManageDlg::CJointManageDlg(CSceneDoc& doc, HelpFunction help, std::function<void()> changed,
                                 QWidget* parent)
    : QDialog(parent), doc_(doc), help_(std::move(help)), changed_(std::move(changed)) {
    setWindowTitle(Qs("ジョイントの管理"));
    setObjectName(QStringLiteral("JointManageDialog"));
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("JointTree"));
    tree_->setHeaderHidden(true);
    tree_->setIconSize(QSize(kTreeIconSize, kTreeIconSize));
    tree_->setMinimumSize(260, 240);
    auto* properties = new QPushButton(Qs("プロパティ"), this);
    auto* remove = new QPushButton(Qs("削除"), this);
    auto* create = new QPushButton(Qs("新規作成"), this);
    connect(properties, &QPushButton::clicked, this, [this] { Properties(); });
    connect(remove, &QPushButton::clicked, this, [this] { Delete(); });
    connect(create, &QPushButton::clicked, this, [this] { New(); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { Properties(); });

    auto* side = new QVBoxLayout;
    side->addWidget(properties);
    side->addWidget(remove);
    side->addWidget(create);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(tree_, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    AddDialogButtons(this, layout, kJointManageHelpPage, help_, true);
    Fill();
}

void CJointManageDlg::Fill() {
    tree_->clear();
    const std::vector<JointRows> rows = JointManagementRows(doc_);
    for (size_t i = 0; i < rows.size(); ++i) {
        auto* top = new QTreeWidgetItem(tree_);
        top->setText(0, QString::fromStdString(rows[i].owner.name));
        top->setIcon(0, KindIcon(static_cast<uint8_t>(rows[i].owner.icon)));
        top->setData(0, Qt::UserRole, static_cast<int>(i));
        auto* partner = new QTreeWidgetItem(top);
        partner->setText(0, QString::fromStdString(rows[i].partner.name));
        partner->setIcon(0, KindIcon(static_cast<uint8_t>(rows[i].partner.icon)));
        partner->setData(0, Qt::UserRole, static_cast<int>(i));
        top->setExpanded(true);
    }
}

int CJointManageDlg::SelectedJoint() const {
    const QTreeWidgetItem* row = tree_->currentItem();
    if (!row || !row->isSelected()) return -1;
    const int joint = row->data(0, Qt::UserRole).toInt();
    return joint >= 0 && static_cast<size_t>(joint) < doc_.Joints().size() ? joint : -1;
}

void CJointManageDlg::SelectJoint(int joint) {
    if (joint < 0 || joint >= tree_->topLevelItemCount()) return;
    QTreeWidgetItem* top = tree_->topLevelItem(joint);
    QTreeWidgetItem* row = top->childCount() ? top->child(0) : top;
    tree_->setCurrentItem(row);
    row->setSelected(true);
}

void CJointManageDlg::Properties() {
    const int joint = SelectedJoint();
    if (joint < 0) return;
    CJointDlg dialog(doc_, joint, help_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    Fill();
    SelectJoint(dialog.ResultJoint());
    if (changed_) changed_();
}

void CJointManageDlg::Delete() {
    const int joint = SelectedJoint();
    if (joint < 0) return;
    DeleteJoint(doc_, static_cast<size_t>(joint));
    Fill();
    if (changed_) changed_();
}

void CJointManageDlg::New() {
    CJointDlg dialog(doc_, -1, help_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    Fill();
    SelectJoint(tree_->topLevelItemCount() - 1);
    if (changed_) changed_();
}

// --- slider

CSliderDlg::CSliderDlg(CSceneDoc& doc, size_t item, HelpFunction help, QWidget* parent)
    : QDialog(parent), doc_(doc), item_(item) {
    setWindowTitle(Qs("スライダー"));
    setObjectName(QStringLiteral("SliderDialog"));
    kind_ = new QButtonGroup(this);
    stored_ = new QComboBox(this);
    given_ = new QComboBox(this);
    for (QComboBox* axes : {stored_, given_}) {
        axes->addItem(Qs("自座標"));
        axes->addItem(Qs("ワールド座標"));
    }
    vector_ = new QLineEdit(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup(
        "", {"スライダーを設定しない", "軸のスライダーを設定する", "平面のスライダーを設定する"},
        kind_, this, Qt::Vertical));
    auto* form = new QFormLayout;
    form->addRow(Qs("スライダーの種類"), stored_);
    form->addRow(Qs("ベクトルの指定"), given_);
    form->addRow(Qs("ベクトル"), vector_);
    layout->addLayout(form);
    AddDialogButtons(this, layout, kSliderHelpPage, std::move(help));
    connect(kind_, &QButtonGroup::idClicked, this, [this] { EnableForKind(); });
    SetFields(ReadSliderFields(doc_, item_));
}

SliderFields CSliderDlg::Fields() const {
    SliderFields f;
    f.kind = std::max(0, kind_->checkedId());
    f.storedAxes = std::max(0, stored_->currentIndex());
    f.givenAxes = std::max(0, given_->currentIndex());
    f.vector = Text(vector_);
    return f;
}

void CSliderDlg::SetFields(const SliderFields& f) {
    Check(kind_, f.kind >= 0 && f.kind <= 2 ? f.kind : 0);
    stored_->setCurrentIndex(f.storedAxes == 1 ? 1 : 0);
    given_->setCurrentIndex(f.givenAxes == 1 ? 1 : 0);
    SetText(vector_, f.vector);
    EnableForKind();
}

void CSliderDlg::EnableForKind() {
    const bool on = kind_->checkedId() > 0;
    for (QWidget* w : std::initializer_list<QWidget*>{stored_, given_, vector_}) w->setEnabled(on);
}

void CSliderDlg::accept() {
    const SliderFields f = Fields();
    const std::string message = CheckSliderFields(f);
    if (!message.empty()) return Refuse(this, message);
    ApplySliderFields(doc_, item_, f);
    QDialog::accept();
}

// --- group operation

CGroupDlg::CGroupDlg(CSceneDoc& doc, size_t folder, HelpFunction help, QWidget* parent)
    : QDialog(parent), doc_(doc), folder_(folder) {
    setWindowTitle(Qs("グループ"));
    setObjectName(QStringLiteral("GroupDialog"));
    name_ = new QLineEdit(this);
    move_ = new QLineEdit(this);
    scale_ = new QLineEdit(this);
    axis_ = new QLineEdit(this);
    angle_ = new QLineEdit(this);
    operation_ = new QButtonGroup(this);
    direction_ = new QButtonGroup(this);
    flip_ = new QButtonGroup(this);

    // Each operation's radio button with its fields beside it.
    auto* operations = new QGroupBox(Qs("演算"), this);
    auto* grid = new QFormLayout(operations);
    const auto radio = [&](const char* label, int id) {
        auto* b = new QRadioButton(Qs(label), operations);
        operation_->addButton(b, id);
        return b;
    };
    grid->addRow(radio("何もしない", kGroupNothing));
    grid->addRow(radio("移動", kGroupMove), move_);
    grid->addRow(radio("拡大・縮小", kGroupScale), scale_);
    auto* turn = new QFormLayout;
    turn->addRow(Qs("回転軸"), axis_);
    turn->addRow(Qs("回転角"), angle_);
    turn->addRow(RadioGroup("回転方向", {"軸の進行方向から見て時計回り", "反時計回り"}, direction_,
                            this, Qt::Vertical));
    grid->addRow(radio("回転", kGroupTurn), turn);
    grid->addRow(radio("反転", kGroupFlip), RadioGroup("", {"左右", "上下", "前後"}, flip_, this));

    auto* form = new QFormLayout;
    form->addRow(Qs("名前"), name_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(operations);
    AddDialogButtons(this, layout, kGroupHelpPage, std::move(help));
    SetFields(ReadGroupFields(doc_, folder_));
}

GroupFields CGroupDlg::Fields() const {
    GroupFields f;
    f.name = Text(name_);
    f.operation = std::max(0, operation_->checkedId());
    f.move = Text(move_);
    f.scale = Text(scale_);
    f.axis = Text(axis_);
    f.angle = Text(angle_);
    f.counterClockwise = direction_->checkedId() == 1;
    f.flip = std::max(0, flip_->checkedId());
    return f;
}

void CGroupDlg::SetFields(const GroupFields& f) {
    SetText(name_, f.name);
    Check(operation_, f.operation);
    SetText(move_, f.move);
    SetText(scale_, f.scale);
    SetText(axis_, f.axis);
    SetText(angle_, f.angle);
    Check(direction_, f.counterClockwise ? 1 : 0);
    Check(flip_, f.flip);
}

void CGroupDlg::accept() {
    GroupEdit edit;
    const std::string message = CheckGroupFields(Fields(), edit);
    if (!message.empty()) return Refuse(this, message);
    ApplyGroupOperation(doc_, folder_, edit);
    QDialog::accept();
}

}  // namespace studio
