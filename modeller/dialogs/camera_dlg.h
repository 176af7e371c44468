// The camera dialog (カメラ).
#pragma once

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/settings_ops/camera_settings.h"

class QCheckBox;

namespace modeller {

class CCameraDlg : public COpsDialog {
public:
    CCameraDlg(const settings::CameraFields& fields, shell::Prompt& prompt, HelpFunction help,
               QWidget* parent = nullptr);
    settings::CameraFields Fields() const;
    void accept() override;

private:
    QLineEdit *position_, *zAxis_, *yAxis_, *point_, *speed_;
    QCheckBox *gaze_, *reverse_;
};

}  // namespace modeller
