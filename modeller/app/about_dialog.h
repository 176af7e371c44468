// The About box: program name, version and what the program is for.
#pragma once

#include <QDialog>
#include <string_view>

namespace modeller {

inline constexpr std::string_view kAboutCaption = "Mokkel のﾊﾞｰｼﾞｮﾝ情報";
inline constexpr std::string_view kAboutDescription =
    "点と面のテキストで小さなポリゴンモデルを作るモデラー";

class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace modeller
