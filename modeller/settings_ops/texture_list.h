// The texture list dialog (テクスチャ) without its widget: adding an image, deleting an
// entry, what OK does, and deleting all texture data.
#pragma once

#include <string>

#include "model/mesh_model.h"
#include "modeller/app/settings.h"
#include "modeller/ops/ops_host.h"
#include "platform/shell.h"
#include "viewport/model_render_objects.h"

namespace modeller::settings {

inline constexpr const char* kTextureHelpPage = "dlg_texture.htm";
inline constexpr const char* kTextureImageFilter =
    "画像ファイル( *.bmp; *.ppm; *.jpg; *.jpeg "
    ")|*.bmp;*.ppm;*.jpg;*.jpeg|全てのファイル(*.*)|*.*||";
inline constexpr const char* kDeleteAllTexturesText = "全てのテクスチャデータを削除します。";

// The image dialog: the image filter, starting in the texture directory, or in the picture
// directory while that is empty.
shell::FileRequest TextureFileRequest(const ModellerSettings& settings);

enum class AddTextureResult { Added, Duplicate, LoadFailed };

// Adds the image at `nativePath` under its file title. A title already in the list is
// refused without a message, so is an image that does not load (its reader may say why
// through `prompt`). On success the file's folder becomes the texture directory.
AddTextureResult AddTexture(model::MeshModel& model, viewport::ModelRenderObjects& objects,
                            const std::string& nativePath, ModellerSettings& settings,
                            shell::Prompt* prompt);
// The file dialog, then AddTexture. The new entry's index, or -1.
int32_t ChooseAndAddTexture(model::MeshModel& model, viewport::ModelRenderObjects& objects,
                            ModellerSettings& settings, shell::FileChooser& chooser,
                            shell::Prompt* prompt);

// The list's 削除: the entry and its image go.
bool DeleteTextureEntry(model::MeshModel& model, viewport::ModelRenderObjects& objects,
                        int32_t index);

// OK of the list: the assignment's names are made from the entries (なし first); faces keep
// their textures by name, and a name no entry has any more stays for the faces that use it.
void ConfirmTextureList(model::MeshModel& model, ops::OpsHost& host);

// The delete-all command: after the question, the faces' textures, the names and the
// coordinates go; the entries stay. False when the user cancelled.
bool DeleteAllTextureData(model::MeshModel& model, ops::OpsHost& host, shell::Prompt& prompt);

}  // namespace modeller::settings
