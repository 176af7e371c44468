// The display dialog (表示).
#pragma once

#include <functional>
#include <vector>

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/settings_ops/display_settings.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace modeller {

class CDisplayDlg : public COpsDialog {
public:
    // The colour buttons open the picker and hand the colour over at once.
    struct Colours {
        uint32_t point = 0xFFFFFFFF, background = 0;
        std::function<void(uint32_t)> pointChosen, backgroundChosen;
    };

    CDisplayDlg(const settings::DisplayFields& fields, const std::vector<std::string>& backgrounds,
                Colours colours, shell::Prompt& prompt, HelpFunction help,
                QWidget* parent = nullptr);
    settings::DisplayFields Fields() const;

private:
    Colours colours_;
    QCheckBox *showPoints_, *showTextures_;
    QRadioButton* mode_[5];
    QComboBox* background_;
};

}  // namespace modeller
