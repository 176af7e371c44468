// The texture list dialog (テクスチャ).
#pragma once

#include "modeller/dialogs/texture_properties_dlg.h"

class QListWidget;

namespace modeller {

class CTextureDlg : public COpsDialog {
public:
    CTextureDlg(TextureContext& context, QWidget* parent = nullptr);
    // True when an entry was added, changed or deleted while the dialog was open.
    bool Changed() const { return changed_; }

private:
    void Fill();
    void OnAdd();
    void OnProperties();
    void OnDelete();

    TextureContext& context_;
    QListWidget* list_;
    bool changed_ = false;
};

}  // namespace modeller
