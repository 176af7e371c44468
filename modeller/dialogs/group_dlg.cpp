#include "modeller/dialogs/group_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/field_exchange.h"
#include "platform/qt/colour_picker.h"
#include "platform/shell.h"

namespace modeller {

CGroupPropertiesDlg::CGroupPropertiesDlg(const settings::GroupPropertyFields& f,
                                         const model::GroupTable& groups, shell::Prompt& prompt,
                                         HelpFunction help, QWidget* parent)
    : COpsDialog("グループのプロパティ", settings::kGroupPropertiesHelpPage, prompt, help, parent),
      groups_(groups),
      number_(f.number) {
    auto* number = new QLabel(QString::number(f.number), this);
    number->setObjectName(QStringLiteral("number"));
    name_ = new QLineEdit(FromCp932(f.name), this);
    name_->setObjectName(QStringLiteral("name"));
    colour_ = new qtshell::CColourSwatch(this);
    colour_->setObjectName(QStringLiteral("colourSwatch"));
    colour_->SetColour(f.colour);
    auto* colourButton = new QPushButton(Qs("カラー"), this);
    colourButton->setObjectName(QStringLiteral("colour"));
    colourButton->setAutoDefault(false);
    connect(colourButton, &QPushButton::clicked, this, [this, help] {
        if (auto c = qtshell::PickColour(colour_->Colour(), true, &prompt_, help, this))
            colour_->SetColour(*c);
    });
    hasMaterial_ = NamedCheck(this, "hasMaterial", "マテリアルを設定", f.hasMaterial);
    power_ = NamedEdit(this, "power", f.power);
    specular_ = NamedEdit(this, "specular", f.specular);
    emissive_ = NamedEdit(this, "emissive", f.emissive);
    ambient_ = NamedEdit(this, "ambient", f.ambient);

    auto* grid = new QGridLayout;
    AddRow(grid, "グループ", number);
    AddRow(grid, "名前", name_);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colour_);
    colourRow->addWidget(colourButton);
    grid->addLayout(colourRow, grid->rowCount(), 1);
    grid->addWidget(hasMaterial_, grid->rowCount(), 0, 1, 2);
    AddRow(grid, "反射指数", power_);
    AddRow(grid, "反射色 ( RGB 0 ～ 1 )", specular_);
    AddRow(grid, "放射色 ( RGB 0 ～ 1 )", emissive_);
    AddRow(grid, "環境色 ( RGB 0 ～ 1 )", ambient_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
    setMinimumWidth(360);
}

settings::GroupPropertyFields CGroupPropertiesDlg::Fields() const {
    settings::GroupPropertyFields f;
    f.number = number_;
    f.name = ToCp932(name_->text());
    f.colour = colour_->Colour();
    f.hasMaterial = hasMaterial_->isChecked();
    f.power = Text(power_);
    f.specular = Text(specular_);
    f.emissive = Text(emissive_);
    f.ambient = Text(ambient_);
    return f;
}

void CGroupPropertiesDlg::accept() {
    const std::string message = settings::ValidateGroupProperties(Fields(), groups_);
    if (!message.empty()) {
        Refuse(message, message == shell::kNeedNumberText ? power_ : name_);
        return;
    }
    QDialog::accept();
}

int32_t EditGroupProperties(model::GroupTable& groups, viewport::ModelRenderObjects& objects,
                            int32_t number, shell::Prompt& prompt, const HelpFunction& help,
                            QWidget* parent) {
    CGroupPropertiesDlg dlg(settings::GroupPropertyFieldsOf(groups, number), groups, prompt, help,
                            parent);
    if (dlg.exec() != QDialog::Accepted) return -1;
    return settings::ApplyGroupProperties(dlg.Fields(), groups, objects);
}

CGroupDlg::CGroupDlg(model::MeshModel& model, viewport::ModelRenderObjects& objects,
                     const settings::GroupChoice& choice, std::function<void()> changed,
                     shell::Prompt& prompt, HelpFunction help, QWidget* parent)
    : COpsDialog("グループ", settings::kGroupHelpPage, prompt, help, parent),
      model_(model),
      objects_(objects),
      choice_(choice),
      changed_(std::move(changed)),
      help_(help) {
    current_ = new QComboBox(this);
    current_->setObjectName(QStringLiteral("current"));
    newFaces_ = new QComboBox(this);
    newFaces_->setObjectName(QStringLiteral("newFaces"));
    auto* properties = new QPushButton(Qs("プロパティ"), this);
    properties->setObjectName(QStringLiteral("properties"));
    auto* add = new QPushButton(Qs("追加"), this);
    add->setObjectName(QStringLiteral("add"));
    auto* remove = new QPushButton(Qs("削除"), this);
    remove->setObjectName(QStringLiteral("delete"));
    for (QPushButton* b : {properties, add, remove}) b->setAutoDefault(false);
    connect(properties, &QPushButton::clicked, this, [this] { OnProperties(); });
    connect(add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(remove, &QPushButton::clicked, this, [this] { OnDelete(); });

    auto* grid = new QGridLayout;
    AddRow(grid, "グループ", current_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(properties);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    grid->addLayout(buttons, grid->rowCount(), 1);
    AddRow(grid, "新たに作成する面のグループ", newFaces_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Fill();
}

void CGroupDlg::Fill() {
    for (QComboBox* combo : {current_, newFaces_}) {
        combo->clear();
        for (const std::string& name : settings::GroupNames(model_.groups))
            combo->addItem(FromCp932(name));
    }
    // Groups 1..n sit at rows 0..n-1.
    current_->setCurrentIndex(choice_.current - 1);
    newFaces_->setCurrentIndex(choice_.newFaces - 1);
}

void CGroupDlg::ReadChoice() {
    choice_.current = current_->currentIndex() >= 0 ? current_->currentIndex() + 1 : 1;
    choice_.newFaces = newFaces_->currentIndex() >= 0 ? newFaces_->currentIndex() + 1 : 1;
}

void CGroupDlg::OnProperties() {
    ReadChoice();
    if (current_->currentIndex() < 0) return;
    if (EditGroupProperties(model_.groups, objects_, choice_.current, prompt_, help_, this) < 0)
        return;
    if (changed_) changed_();
    Fill();
}

void CGroupDlg::OnAdd() {
    ReadChoice();
    const auto next = static_cast<int32_t>(model_.groups.size());
    if (EditGroupProperties(model_.groups, objects_, next, prompt_, help_, this) < 0) return;
    if (changed_) changed_();
    Fill();
    current_->setCurrentIndex(next - 1);
}

void CGroupDlg::OnDelete() {
    ReadChoice();
    const int32_t group = choice_.current;
    if (current_->currentIndex() < 0 || !settings::CanDeleteGroup(model_.groups, group)) return;
    if (prompt_.Ask(settings::DeleteGroupQuestion(model_.groups, group), {},
                    shell::Buttons::OkCancel) != shell::Answer::Ok)
        return;
    settings::DeleteGroup(model_, objects_, group, choice_);
    if (changed_) changed_();
    Fill();
}

void CGroupDlg::accept() {
    ReadChoice();
    QDialog::accept();
}

}  // namespace modeller
