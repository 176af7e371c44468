#include "studio/app/object_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <filesystem>

#include "platform/file_filters.h"
#include "studio/app/dialog_parts.h"
#include "studio/app/joint_dialogs.h"
#include "studio/app/scene_commands.h"

namespace studio {

CObjectDlg::CObjectDlg(CSceneDoc& doc, size_t index, shell::FileChooser& files,
                       std::function<void(std::string_view)> help, QWidget* parent)
    : QDialog(parent), doc_(doc), index_(index), files_(files), help_(std::move(help)) {
    setWindowTitle(Qs("オブジェクト"));
    setObjectName(QStringLiteral("ObjectDialog"));
    name_ = new QLineEdit(this);
    path_ = new QLineEdit(this);
    path_->setReadOnly(true);
    auto* choose = new QPushButton(Qs("再設定"), this);
    choose->setObjectName(QStringLiteral("ChooseModel"));
    connect(choose, &QPushButton::clicked, this, [this] { ChooseModel(); });
    position_ = new QLineEdit(this);
    direction_ = new QLineEdit(this);
    up_ = new QLineEdit(this);
    scale_ = new QLineEdit(this);
    positionLock_ = new QCheckBox(Qs("位置を固定する"), this);
    axisLock_ = new QButtonGroup(this);
    display_ = new QButtonGroup(this);
    flipX_ = new QCheckBox(Qs("左右反転"), this);
    flipY_ = new QCheckBox(Qs("上下反転"), this);
    flipZ_ = new QCheckBox(Qs("前後反転"), this);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(choose);
    auto* form = new QFormLayout;
    form->addRow(Qs("名前"), name_);
    form->addRow(Qs("モデル"), pathRow);
    form->addRow(Qs("位置"), position_);
    form->addRow(Qs("Ｚ軸の向き"), direction_);
    form->addRow(Qs("Ｙ軸の向き"), up_);
    form->addRow(Qs("拡大率"), scale_);

    auto* flips = new QHBoxLayout;
    flips->addWidget(flipX_);
    flips->addWidget(flipY_);
    flips->addWidget(flipZ_);
    auto* slider = new QPushButton(Qs("スライダー"), this);
    slider->setObjectName(QStringLiteral("Slider"));
    connect(slider, &QPushButton::clicked, this, [this] {
        CSliderDlg dialog(doc_, index_, help_, this);
        dialog.exec();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(RadioGroup("軸の固定", {"なし", "Y 軸", "Z 軸"}, axisLock_, this));
    layout->addWidget(positionLock_);
    layout->addWidget(RadioGroup(
        "表示", {"四角い", "丸い", "陰影をつけない", "線", "点", "表示しない"}, display_, this));
    layout->addLayout(flips);
    layout->addWidget(slider, 0, Qt::AlignLeft);
    AddDialogButtons(this, layout, kObjectHelpPage, help_);
    SetFields(ReadObjectFields(doc_, index_));
}

ObjectFields CObjectDlg::Fields() const {
    ObjectFields f;
    f.name = name_->text().toStdString();
    f.path = path_->text().toStdString();
    f.position = position_->text().toStdString();
    f.direction = direction_->text().toStdString();
    f.up = up_->text().toStdString();
    f.scale = scale_->text().toStdString();
    f.axisLock = std::max(0, axisLock_->checkedId());
    f.positionLock = positionLock_->isChecked();
    f.display = std::max(0, display_->checkedId());
    f.flipX = flipX_->isChecked();
    f.flipY = flipY_->isChecked();
    f.flipZ = flipZ_->isChecked();
    return f;
}

void CObjectDlg::SetFields(const ObjectFields& f) {
    name_->setText(QString::fromStdString(f.name));
    path_->setText(QString::fromStdString(f.path));
    position_->setText(QString::fromStdString(f.position));
    direction_->setText(QString::fromStdString(f.direction));
    up_->setText(QString::fromStdString(f.up));
    scale_->setText(QString::fromStdString(f.scale));
    if (QAbstractButton* b = axisLock_->button(f.axisLock))
        b->setChecked(true);
    else
        axisLock_->button(0)->setChecked(true);
    positionLock_->setChecked(f.positionLock);
    // Any other display value hides the object, as the last choice does.
    if (QAbstractButton* b = display_->button(f.display))
        b->setChecked(true);
    else
        display_->button(kShowHidden)->setChecked(true);
    flipX_->setChecked(f.flipX);
    flipY_->setChecked(f.flipY);
    flipZ_->setChecked(f.flipZ);
}

void CObjectDlg::ChooseModel() {
    shell::FileRequest request;
    // glTF and OBJ models load as objects too; they follow the program's own filter.
    request.filter = shell::WithFurtherFilters(kModelFilter, kInterchangeOpenFilters);
    request.defaultExtension = "mkl";
    const std::string current = path_->text().toStdString();
    std::error_code ec;
    if (!current.empty() && std::filesystem::is_regular_file(current, ec)) {
        request.fileName = current;
        request.initialDirectory = std::filesystem::path(current).parent_path().string();
    }
    if (auto chosen = files_.Choose(request)) path_->setText(QString::fromStdString(*chosen));
}

void CObjectDlg::accept() {
    ObjectEdit edit;
    const std::string message = CheckObjectFields(Fields(), edit);
    if (!message.empty()) {
        Refuse(this, message);
        return;
    }
    if (!ApplyObjectEdit(doc_, index_, edit)) {
        Refuse(this, kMsgError);
        return;
    }
    QDialog::accept();
}

}  // namespace studio
