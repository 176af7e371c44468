#include "modeller/dialogs/face_dlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "modeller/dialogs/group_dlg.h"
#include "platform/qt/colour_picker.h"

namespace modeller {

CFaceDlg::CFaceDlg(model::MeshModel& model, viewport::ModelRenderObjects& objects, int32_t face,
                   std::function<void()> textures, std::function<void()> groupsChanged,
                   shell::Prompt& prompt, HelpFunction help, QWidget* parent)
    : COpsDialog("面", settings::kFaceHelpPage, prompt, help, parent),
      model_(model),
      objects_(objects),
      start_(settings::FaceFieldsOf(model, face)),
      ownColour_(start_.colour) {
    index_ = NamedEdit(this, "index", std::to_string(face));
    index_->setReadOnly(true);
    swatch_ = new qtshell::CColourSwatch(this);
    swatch_->setObjectName(QStringLiteral("swatch"));
    auto* colour = new QPushButton(QStringLiteral("Color"), this);
    colour->setObjectName(QStringLiteral("colour"));
    own_ = new QRadioButton(Qs("独自の色を持つ"), this);
    own_->setObjectName(QStringLiteral("own"));
    group_ = new QRadioButton(Qs("グループの色に合わせる"), this);
    group_->setObjectName(QStringLiteral("group"));
    auto* choice = new QButtonGroup(this);
    choice->addButton(own_);
    choice->addButton(group_);
    (start_.ownColour ? own_ : group_)->setChecked(true);
    groups_ = new QComboBox(this);
    groups_->setObjectName(QStringLiteral("groups"));
    auto* properties = new QPushButton(Qs("プロパティ"), this);
    properties->setObjectName(QStringLiteral("properties"));
    auto* add = new QPushButton(Qs("追加"), this);
    add->setObjectName(QStringLiteral("add"));
    equation_ =
        NamedEdit(this, "equation",
                  objects.modelMesh ? settings::FaceEquationText(model, *objects.modelMesh, face)
                                    : std::string());
    equation_->setReadOnly(true);
    auto* texture = new QPushButton(Qs("テクスチャ"), this);
    texture->setObjectName(QStringLiteral("texture"));
    remove_ = NamedCheck(this, "remove", "この面を削除", false);
    for (QPushButton* b : {colour, properties, add, texture}) b->setAutoDefault(false);

    connect(colour, &QPushButton::clicked, this, [this, help] {
        if (auto c = qtshell::PickColour(swatch_->Colour(), true, &prompt_, help, this)) {
            ownColour_ = *c;
            own_->setChecked(true);
            ShowColour();
        }
    });
    connect(own_, &QRadioButton::toggled, this, [this] { ShowColour(); });
    connect(groups_, &QComboBox::currentIndexChanged, this, [this] { ShowColour(); });
    connect(properties, &QPushButton::clicked, this, [this, help, groupsChanged] {
        const int32_t g = SelectedGroup();
        if (g < 1) return;
        if (EditGroupProperties(model_.groups, objects_, g, prompt_, help, this) < 0) return;
        if (groupsChanged) groupsChanged();
        FillGroups(g);
    });
    connect(add, &QPushButton::clicked, this, [this, help, groupsChanged] {
        const auto next = static_cast<int32_t>(model_.groups.size());
        if (EditGroupProperties(model_.groups, objects_, next, prompt_, help, this) < 0) return;
        if (groupsChanged) groupsChanged();
        FillGroups(next);
    });
    connect(texture, &QPushButton::clicked, this, [textures] {
        if (textures) textures();
    });

    auto* grid = new QGridLayout;
    AddRow(grid, "インデックス", index_);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(swatch_);
    colourRow->addWidget(colour);
    grid->addLayout(colourRow, grid->rowCount(), 1);
    grid->addWidget(own_, grid->rowCount(), 1);
    grid->addWidget(group_, grid->rowCount(), 1);
    auto* groupRow = new QHBoxLayout;
    groupRow->addWidget(groups_, 1);
    groupRow->addWidget(properties);
    groupRow->addWidget(add);
    grid->addWidget(new QLabel(Qs("グループ"), this), grid->rowCount(), 0);
    grid->addLayout(groupRow, grid->rowCount() - 1, 1);
    auto* equationLabel = new QLabel(Qs("面方程式（ 面法線 、 面上の点 ）"), this);
    grid->addWidget(equationLabel, grid->rowCount(), 0, 1, 2);
    grid->addWidget(equation_, grid->rowCount(), 0, 1, 2);
    grid->addWidget(texture, grid->rowCount(), 0);
    grid->addWidget(remove_, grid->rowCount() - 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
    setMinimumWidth(420);

    FillGroups(start_.group);
    ShowColour();
    if (!start_.valid) {
        // Not a face: nothing to show, and OK changes nothing.
        for (QWidget* w : std::initializer_list<QWidget*>{colour, own_, group_, groups_, properties,
                                                          add, texture, remove_})
            w->setEnabled(false);
        equation_->clear();
    }
}

void CFaceDlg::FillGroups(int32_t selected) {
    QSignalBlocker block(groups_);
    groups_->clear();
    for (const std::string& name : settings::GroupNames(model_.groups))
        groups_->addItem(FromCp932(name));
    groups_->setCurrentIndex(selected >= 1 ? selected - 1 : -1);
    ShowColour();
}

int32_t CFaceDlg::SelectedGroup() const {
    return groups_->currentIndex() >= 0 ? groups_->currentIndex() + 1 : start_.group;
}

void CFaceDlg::ShowColour() {
    if (!start_.valid) return;
    swatch_->SetColour(own_->isChecked() ? ownColour_
                                         : settings::GroupColour(model_.groups, SelectedGroup()));
}

settings::FaceFields CFaceDlg::Fields() const {
    settings::FaceFields f = start_;
    f.colour = ownColour_;
    f.ownColour = own_->isChecked();
    f.group = SelectedGroup();
    f.remove = remove_->isChecked();
    return f;
}

}  // namespace modeller
