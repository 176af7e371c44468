// The texture properties dialog (テクスチャのプロパティ) without its widget.
#pragma once

#include <optional>
#include <string>

#include "model/mesh_model.h"
#include "platform/shell.h"
#include "viewport/model_render_objects.h"

namespace modeller::settings {

inline constexpr const char* kTexturePropertiesHelpPage = "dlg_texturepro.htm";
inline constexpr const char* kValidText = "有効です";
inline constexpr const char* kInvalidText = "無効です";
inline constexpr const char* kMergeQuestionText = "同じ名前が存在します。\n統合しますか？";

struct TexturePropertyFields {
    int32_t index = -1;
    std::string name, path;    // UTF-8, shown only
    bool valid = false;        // the entry has its image
    bool transparent = false;  // 透明色を設定
    std::string colour;        // 指定の色: "r, g, b", 0 to 255 each
};

TexturePropertyFields TexturePropertyFieldsOf(const model::MeshModel& model,
                                              const viewport::ModelRenderObjects& objects,
                                              int32_t index);
std::string TransparentColourText(int32_t rgb);
// Three integers 0 to 255 separated by commas, as 0x00RRGGBB.
std::optional<int32_t> ParseTransparentColour(std::string_view text);

// OK: the transparency (off when the colour does not read) stored and the image reloaded.
// False when the entry no longer exists.
bool ApplyTextureProperties(const TexturePropertyFields& fields, model::MeshModel& model,
                            viewport::ModelRenderObjects& objects, shell::Prompt* prompt);

enum class RechooseResult { Renamed, Merged, Unchanged };

// 再設定 with the chosen file: the entry takes the new path and title and is reloaded, and
// the faces' names follow; when another entry has that title the user is asked whether to
// merge (Yes: the faces use that entry and this one goes).
RechooseResult RechooseTextureFile(model::MeshModel& model, viewport::ModelRenderObjects& objects,
                                   int32_t index, const std::string& nativePath,
                                   shell::Prompt& prompt);

}  // namespace modeller::settings
