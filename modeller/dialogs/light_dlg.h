// The light dialog (ライト).
#pragma once

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/settings_ops/light_settings.h"

class QCheckBox;

namespace modeller {

class CLightDlg : public COpsDialog {
public:
    CLightDlg(const settings::LightFields& fields, shell::Prompt& prompt, HelpFunction help,
              QWidget* parent = nullptr);
    settings::LightFields Fields() const;
    void accept() override;

private:
    QLineEdit *ambient_, *direction_, *directional_, *cameraColour_, *range_;
    QCheckBox* cameraLight_;
};

}  // namespace modeller
