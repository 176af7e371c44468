// The folder creation dialog ("フォルダの作成", m_group.htm): the new folder's name.
#pragma once

#include <QDialog>
#include <string>

#include "studio/app/dialog_parts.h"

class QLineEdit;

namespace studio {

inline constexpr std::string_view kFolderHelpPage = "m_group.htm";

class CFolderDlg : public QDialog {
public:
    explicit CFolderDlg(HelpFunction help, QWidget* parent = nullptr);
    // UTF-8, as typed; an empty name is a folder without a name, as the tree allows.
    std::string Name() const;

private:
    QLineEdit* name_;
};

}  // namespace studio
