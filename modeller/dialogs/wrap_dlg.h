// The wrap dialog (ラップ).
#pragma once

#include <functional>

#include "modeller/dialogs/texture_properties_dlg.h"
#include "modeller/settings_ops/wrap_settings.h"

class QComboBox;
class QRadioButton;

namespace modeller {

class CWrapDlg : public COpsDialog {
public:
    // `apply` does what OK does once the fields pass; a message keeps the dialog open.
    CWrapDlg(TextureContext& context, const settings::WrapFields& fields,
             std::function<std::string(const settings::WrapFields&)> apply,
             QWidget* parent = nullptr);
    settings::WrapFields Fields() const;
    void accept() override;

private:
    void FillTextures(const std::string& selected);

    TextureContext& context_;
    std::function<std::string(const settings::WrapFields&)> apply_;
    int32_t fileKind_;  // a kind no radio button shows (3, from a file)
    QComboBox* texture_;
    QRadioButton* kind_[3];
    QLineEdit *origin_, *direction_, *up_, *texOrigin_, *texScale_;
    QCheckBox* disable_;
};

}  // namespace modeller
