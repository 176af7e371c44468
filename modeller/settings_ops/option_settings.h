// The option dialog (オプション) without its widget.
#pragma once

#include <string>

#include "modeller/app/settings.h"

namespace modeller::settings {

inline constexpr const char* kOptionHelpPage = "dlg_option.htm";
// A smaller 3D screen is raised to this.
inline constexpr int32_t kMinRenderSide = 200;

struct OptionFields {
    std::string width, height;  // 3D画面の最大値
    int32_t device = 1;  // ハードウェア, ソフトウェア(MMX), ソフトウェア(RGB)
    std::string jpegQuality;  // JPEGのクオリティ, 1 to 100
    int32_t xFormat = 0;      // テキスト, バイナリ
    bool saveCamera = false, saveLight = false, saveAxis = false, saveColor = false;
};

// The fields as the settings hold them; a size not set yet shows the 3D pane's size.
OptionFields OptionFieldsOf(const ModellerSettings& settings, int paneWidth, int paneHeight);
// 初期化.
OptionFields InitialOptionFields();
std::string ValidateOption(const OptionFields& fields);
// Stores every value; the size and the device take effect at the next start, the JPEG
// quality, the X format and the save options at once.
void ApplyOption(const OptionFields& fields, ModellerSettings& settings);

}  // namespace modeller::settings
