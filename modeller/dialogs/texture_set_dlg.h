// The texture set dialog (テクスチャのセット).
#pragma once

#include "modeller/dialogs/texture_properties_dlg.h"
#include "modeller/settings_ops/texture_set.h"

class QComboBox;
class QPlainTextEdit;

namespace modeller {

class CTextureSetDlg : public COpsDialog {
public:
    CTextureSetDlg(TextureContext& context, int32_t face, QWidget* parent = nullptr);
    settings::TextureSetFields Fields() const;
    void accept() override;

private:
    void FillTextures(const std::string& selected);
    void FaceChanged();

    TextureContext& context_;
    QLineEdit* face_;
    QComboBox* texture_;
    QPlainTextEdit* coords_;
};

}  // namespace modeller
