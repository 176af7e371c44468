#include "modeller/dialogs/wrap_dlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "modeller/settings_ops/texture_list.h"

namespace modeller {

CWrapDlg::CWrapDlg(TextureContext& context, const settings::WrapFields& f,
                   std::function<std::string(const settings::WrapFields&)> apply, QWidget* parent)
    : COpsDialog("ラップ", settings::kWrapHelpPage, context.prompt, context.help, parent),
      context_(context),
      apply_(std::move(apply)),
      fileKind_(f.kind) {
    texture_ = new QComboBox(this);
    texture_->setObjectName(QStringLiteral("texture"));
    auto* add = new QPushButton(Qs("テクスチャの追加"), this);
    add->setObjectName(QStringLiteral("add"));
    add->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, [this] {
        const int32_t index =
            settings::ChooseAndAddTexture(context_.model, context_.objects, context_.settings,
                                          context_.chooser, &context_.prompt);
        if (index >= 0) FillTextures(context_.model.textures[static_cast<size_t>(index)].name);
    });

    auto* kindBox = new QGroupBox(this);
    auto* kindLayout = new QHBoxLayout(kindBox);
    auto* kinds = new QButtonGroup(this);
    const char* texts[3] = {"平面", "円筒", "球状"};
    for (int i = 0; i < 3; ++i) {
        kind_[i] = new QRadioButton(Qs(texts[i]), kindBox);
        kind_[i]->setObjectName(QStringLiteral("kind") + QString::number(i));
        kinds->addButton(kind_[i], i);
        kindLayout->addWidget(kind_[i]);
    }
    if (f.kind >= 0 && f.kind <= 2) kind_[f.kind]->setChecked(true);

    origin_ = NamedEdit(this, "origin", f.origin);
    direction_ = NamedEdit(this, "direction", f.direction);
    up_ = NamedEdit(this, "up", f.up);
    texOrigin_ = NamedEdit(this, "texOrigin", f.texOrigin);
    texScale_ = NamedEdit(this, "texScale", f.texScale);
    disable_ = NamedCheck(this, "disable", "ラップを無効にする", f.disable);

    auto* grid = new QGridLayout;
    auto* imageRow = new QHBoxLayout;
    imageRow->addWidget(texture_, 1);
    imageRow->addWidget(add);
    grid->addWidget(new QLabel(Qs("画像"), this), 0, 0);
    grid->addLayout(imageRow, 0, 1);
    grid->addWidget(kindBox, 1, 0, 1, 2);
    AddRow(grid, "ラップの原点", origin_);
    AddRow(grid, "ラップのＺ軸", direction_);
    AddRow(grid, "ラップのＹ軸", up_);
    AddRow(grid, "テクスチャの原点", texOrigin_);
    AddRow(grid, "テクスチャの拡大率", texScale_);
    grid->addWidget(disable_, grid->rowCount(), 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
    setMinimumWidth(420);
    FillTextures(f.texture);
}

void CWrapDlg::FillTextures(const std::string& selected) {
    texture_->clear();
    for (const model::TextureEntry& e : context_.model.textures)
        texture_->addItem(FromCp932(e.name));
    texture_->setCurrentIndex(texture_->findText(FromCp932(selected)));
}

settings::WrapFields CWrapDlg::Fields() const {
    settings::WrapFields f;
    f.texture = texture_->currentIndex() >= 0 ? ToCp932(texture_->currentText()) : "";
    f.kind = fileKind_;
    for (int i = 0; i < 3; ++i)
        if (kind_[i]->isChecked()) f.kind = i;
    f.origin = Text(origin_);
    f.direction = Text(direction_);
    f.up = Text(up_);
    f.texOrigin = Text(texOrigin_);
    f.texScale = Text(texScale_);
    f.disable = disable_->isChecked();
    return f;
}

void CWrapDlg::accept() {
    const settings::WrapFields f = Fields();
    std::string message = settings::ValidateWrap(f, context_.model, context_.objects);
    if (message.empty() && apply_) message = apply_(f);
    if (!message.empty()) {
        Refuse(message);
        return;
    }
    QDialog::accept();
}

}  // namespace modeller
