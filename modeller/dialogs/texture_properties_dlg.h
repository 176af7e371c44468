// The texture properties dialog (テクスチャのプロパティ), and what the texture dialogs share.
#pragma once

#include "modeller/app/settings.h"
#include "modeller/dialogs/ops_dialog.h"
#include "modeller/dialogs/settings_widgets.h"
#include "modeller/settings_ops/texture_properties.h"

class QLabel;

namespace modeller {

// What the texture dialogs work on.
struct TextureContext {
    model::MeshModel& model;
    viewport::ModelRenderObjects& objects;
    ModellerSettings& settings;
    shell::FileChooser& chooser;
    shell::Prompt& prompt;
    HelpFunction help;
};

class CTexturePropertiesDlg : public COpsDialog {
public:
    CTexturePropertiesDlg(TextureContext& context, int32_t index, QWidget* parent = nullptr);
    settings::TexturePropertyFields Fields() const;
    // 再設定 merged the entry into another one: it is gone, and OK has nothing to store.
    bool Merged() const { return merged_; }

private:
    void Show();
    void Rechoose();

    TextureContext& context_;
    int32_t index_;
    bool merged_ = false;
    QLabel *name_, *path_, *state_;
    QCheckBox* transparent_;
    QLineEdit* colour_;
};

// Opens the properties of entry `index` and stores them on OK; true when the list changed.
bool EditTextureProperties(TextureContext& context, int32_t index, QWidget* parent);

}  // namespace modeller
