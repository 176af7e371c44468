#include "modeller/dialogs/texture_set_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "modeller/settings_ops/texture_list.h"
#include "platform/field_exchange.h"

namespace modeller {

CTextureSetDlg::CTextureSetDlg(TextureContext& context, int32_t face, QWidget* parent)
    : COpsDialog("テクスチャのセット", settings::kTextureSetHelpPage, context.prompt, context.help,
                 parent),
      context_(context) {
    const settings::TextureSetFields f =
        settings::TextureSetFieldsOf(context.model, *context.objects.modelMesh, face);
    face_ = NamedEdit(this, "face", f.face);
    connect(face_, &QLineEdit::editingFinished, this, [this] { FaceChanged(); });
    texture_ = new QComboBox(this);
    texture_->setObjectName(QStringLiteral("texture"));
    auto* add = new QPushButton(Qs("テクスチャの追加"), this);
    add->setObjectName(QStringLiteral("add"));
    auto* properties = new QPushButton(Qs("プロパティ"), this);
    properties->setObjectName(QStringLiteral("properties"));
    for (QPushButton* b : {add, properties}) b->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, [this] {
        const int32_t index =
            settings::ChooseAndAddTexture(context_.model, context_.objects, context_.settings,
                                          context_.chooser, &context_.prompt);
        if (index >= 0) FillTextures(context_.model.textures[static_cast<size_t>(index)].name);
    });
    connect(properties, &QPushButton::clicked, this, [this] {
        const std::string name = ToCp932(texture_->currentText());
        EditTextureProperties(context_, model::FindTexture(context_.model.textures, name), this);
        FillTextures(name);
    });
    coords_ = new QPlainTextEdit(Qs(f.coords), this);
    coords_->setObjectName(QStringLiteral("coords"));
    coords_->setMinimumHeight(140);

    auto* grid = new QGridLayout;
    AddRow(grid, "面インデックス", face_);
    auto* textureRow = new QHBoxLayout;
    textureRow->addWidget(texture_, 1);
    textureRow->addWidget(add);
    textureRow->addWidget(properties);
    grid->addWidget(new QLabel(Qs("テクスチャ"), this), grid->rowCount(), 0);
    grid->addLayout(textureRow, grid->rowCount() - 1, 1);
    grid->addWidget(new QLabel(Qs("u, v"), this), grid->rowCount(), 0, Qt::AlignTop);
    grid->addWidget(coords_, grid->rowCount() - 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
    setMinimumWidth(420);
    FillTextures(f.texture);
}

void CTextureSetDlg::FillTextures(const std::string& selected) {
    texture_->clear();
    for (const model::TextureEntry& e : context_.model.textures)
        texture_->addItem(FromCp932(e.name));
    texture_->setCurrentIndex(texture_->findText(FromCp932(selected)));
    if (texture_->currentIndex() < 0 && texture_->count() > 0) texture_->setCurrentIndex(0);
}

void CTextureSetDlg::FaceChanged() {
    // Another face: its vertices' coordinates as they are now.
    const std::optional<int32_t> face = shell::ExchangeInt(Text(face_));
    if (!face) return;
    coords_->setPlainText(
        Qs(settings::CoordText(context_.model, *context_.objects.modelMesh, *face)));
}

settings::TextureSetFields CTextureSetDlg::Fields() const {
    return {Text(face_), ToCp932(texture_->currentText()), coords_->toPlainText().toStdString()};
}

void CTextureSetDlg::accept() {
    const std::string message =
        settings::ValidateTextureSet(Fields(), context_.model, *context_.objects.modelMesh);
    if (!message.empty()) {
        Refuse(message, message == shell::kNeedIntegerText ? face_ : nullptr);
        return;
    }
    QDialog::accept();
}

}  // namespace modeller
