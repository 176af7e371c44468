// The vertex dialog (頂点): one point's texture coordinates.
#pragma once

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/ops/vertex_uv.h"

namespace modeller {

inline constexpr const char* kVertexHelpPage = "dlg_tyouten.htm";

class CVertexDlg : public COpsDialog {
public:
    CVertexDlg(const ops::VertexUvFields& fields, shell::Prompt& prompt, HelpFunction help,
               QWidget* parent = nullptr);
    // After OK: the coordinates to set, as typed.
    const std::string& ToSet() const { return toSet_; }
    void accept() override;

private:
    QLineEdit* toSetEdit_;
    std::string toSet_;
};

}  // namespace modeller
