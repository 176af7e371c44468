// The option dialog (オプション).
#pragma once

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/settings_ops/option_settings.h"

class QCheckBox;
class QRadioButton;

namespace modeller {

class COptionDlg : public COpsDialog {
public:
    COptionDlg(const settings::OptionFields& fields, shell::Prompt& prompt, HelpFunction help,
               QWidget* parent = nullptr);
    settings::OptionFields Fields() const;
    void accept() override;

private:
    void Show(const settings::OptionFields& fields);

    QLineEdit *width_, *height_, *jpeg_;
    QRadioButton* device_[3];
    QRadioButton* xFormat_[2];
    QCheckBox *saveCamera_, *saveLight_, *saveAxis_, *saveColor_;
};

}  // namespace modeller
