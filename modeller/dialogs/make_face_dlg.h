// The make-face dialog (面の決定): what to do with the points picked so far.
#pragma once

#include <cstdint>
#include <vector>

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/ops/make_face.h"

namespace modeller {

inline constexpr const char* kMakeFaceHelpPage = "dlg_makemen.htm";

class CMakeFaceDlg : public COpsDialog {
public:
    CMakeFaceDlg(const std::vector<int32_t>& picks, shell::Prompt& prompt, HelpFunction help,
                 QWidget* parent = nullptr);
    // The button that closed it (Cancel for the close box and Escape).
    ops::MakeFaceButton Button() const { return button_; }
    // Runs the dialog and returns its button.
    ops::MakeFaceButton Ask();

private:
    ops::MakeFaceButton button_ = ops::MakeFaceButton::kCancel;
};

}  // namespace modeller
