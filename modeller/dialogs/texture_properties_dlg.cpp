#include "modeller/dialogs/texture_properties_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "modeller/settings_ops/texture_list.h"

namespace modeller {

CTexturePropertiesDlg::CTexturePropertiesDlg(TextureContext& context, int32_t index,
                                             QWidget* parent)
    : COpsDialog("テクスチャのプロパティ", settings::kTexturePropertiesHelpPage, context.prompt,
                 context.help, parent),
      context_(context),
      index_(index) {
    const settings::TexturePropertyFields f =
        settings::TexturePropertyFieldsOf(context.model, context.objects, index);
    name_ = new QLabel(this);
    name_->setObjectName(QStringLiteral("name"));
    path_ = new QLabel(this);
    path_->setObjectName(QStringLiteral("path"));
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("state"));
    auto* rechoose = new QPushButton(Qs("再設定"), this);
    rechoose->setObjectName(QStringLiteral("rechoose"));
    rechoose->setAutoDefault(false);
    connect(rechoose, &QPushButton::clicked, this, [this] { Rechoose(); });
    transparent_ = NamedCheck(this, "transparent", "透明色を設定", f.transparent);
    colour_ = NamedEdit(this, "colour", f.colour);

    auto* grid = new QGridLayout;
    AddRow(grid, "名前", name_);
    AddRow(grid, "パス", path_);
    grid->addWidget(state_, grid->rowCount(), 1);
    grid->addWidget(rechoose, grid->rowCount() - 1, 0);
    grid->addWidget(transparent_, grid->rowCount(), 0, 1, 2);
    AddRow(grid, "指定の色", colour_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
    setMinimumWidth(400);
    Show();
}

void CTexturePropertiesDlg::Show() {
    const settings::TexturePropertyFields f =
        settings::TexturePropertyFieldsOf(context_.model, context_.objects, index_);
    name_->setText(Qs(f.name));
    path_->setText(Qs(f.path));
    state_->setText(Qs(f.valid ? settings::kValidText : settings::kInvalidText));
}

void CTexturePropertiesDlg::Rechoose() {
    shell::FileRequest request = settings::TextureFileRequest(context_.settings);
    const settings::TexturePropertyFields f =
        settings::TexturePropertyFieldsOf(context_.model, context_.objects, index_);
    const size_t slash = f.path.find_last_of('/');
    if (slash != std::string::npos) {
        request.initialDirectory = f.path.substr(0, slash);
        request.fileName = f.path.substr(slash + 1);
    }
    const std::optional<std::string> path = context_.chooser.Choose(request);
    if (!path) return;
    switch (settings::RechooseTextureFile(context_.model, context_.objects, index_, *path,
                                          context_.prompt)) {
        case settings::RechooseResult::Renamed:
            Show();
            break;
        case settings::RechooseResult::Merged:
            merged_ = true;
            QDialog::accept();
            break;
        case settings::RechooseResult::Unchanged:
            break;
    }
}

settings::TexturePropertyFields CTexturePropertiesDlg::Fields() const {
    settings::TexturePropertyFields f;
    f.index = index_;
    f.transparent = transparent_->isChecked();
    f.colour = Text(colour_);
    return f;
}

bool EditTextureProperties(TextureContext& context, int32_t index, QWidget* parent) {
    if (index < 0 || static_cast<size_t>(index) >= context.model.textures.size()) return false;
    CTexturePropertiesDlg dlg(context, index, parent);
    const int result = dlg.exec();
    if (dlg.Merged()) return true;
    if (result != QDialog::Accepted) return false;
    settings::ApplyTextureProperties(dlg.Fields(), context.model, context.objects, &context.prompt);
    return true;
}

}  // namespace modeller
