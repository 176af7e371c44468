#include "modeller/dialogs/texture_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "modeller/settings_ops/texture_list.h"

namespace modeller {

CTextureDlg::CTextureDlg(TextureContext& context, QWidget* parent)
    : COpsDialog("テクスチャ", settings::kTextureHelpPage, context.prompt, context.help, parent),
      context_(context) {
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("list"));
    auto* add = new QPushButton(Qs("追加"), this);
    add->setObjectName(QStringLiteral("add"));
    auto* properties = new QPushButton(Qs("プロパティ"), this);
    properties->setObjectName(QStringLiteral("properties"));
    auto* remove = new QPushButton(Qs("削除"), this);
    remove->setObjectName(QStringLiteral("delete"));
    for (QPushButton* b : {add, properties, remove}) b->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(properties, &QPushButton::clicked, this, [this] { OnProperties(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OnProperties(); });
    connect(remove, &QPushButton::clicked, this, [this] { OnDelete(); });

    auto* side = new QVBoxLayout;
    side->addWidget(add);
    side->addWidget(properties);
    side->addWidget(remove);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(list_);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(MakeButtons());
    Fill();
}

void CTextureDlg::Fill() {
    const int row = list_->currentRow();
    list_->clear();
    for (const model::TextureEntry& e : context_.model.textures) list_->addItem(FromCp932(e.name));
    list_->setCurrentRow(std::min(row, list_->count() - 1));
}

void CTextureDlg::OnAdd() {
    const int32_t index = settings::ChooseAndAddTexture(
        context_.model, context_.objects, context_.settings, context_.chooser, &context_.prompt);
    if (index < 0) return;
    changed_ = true;
    Fill();
    list_->setCurrentRow(index);
    list_->scrollToItem(list_->item(index));
}

void CTextureDlg::OnProperties() {
    if (list_->currentRow() < 0) return;
    if (EditTextureProperties(context_, list_->currentRow(), this)) changed_ = true;
    Fill();
}

void CTextureDlg::OnDelete() {
    if (!settings::DeleteTextureEntry(context_.model, context_.objects, list_->currentRow()))
        return;
    changed_ = true;
    Fill();
}

}  // namespace modeller
