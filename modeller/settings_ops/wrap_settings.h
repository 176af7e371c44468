// The wrap dialog (ラップ) without its widget: one texture laid over the whole model.
#pragma once

#include <string>

#include "model/mesh_model.h"
#include "modeller/ops/ops_host.h"
#include "platform/rm/rm.h"
#include "viewport/model_render_objects.h"

namespace modeller::settings {

inline constexpr const char* kWrapHelpPage = "dlg_wrap.htm";
inline constexpr const char* kInputErrorText = "入力エラー";
inline constexpr const char* kChooseImageText = "画像を指定してください";
inline constexpr const char* kNoSuchTextureText = "テクスチャが存在しません";
inline constexpr const char* kTextureNotMadeText = "テクスチャが作成されていません";
inline constexpr const char* kSetTextureFailedText = "テクスチャのセットに失敗しました";

struct WrapFields {
    std::string texture;                // 画像: an entry name (CP932); empty when none is chosen
    int32_t kind = 0;                   // 平面, 円筒, 球状 (3 only from a file)
    std::string origin, direction, up;  // three numbers each
    std::string texOrigin, texScale;    // two numbers each
    bool disable = false;               // ラップを無効にする
};

// The stored wrap; `defined` is whether a wrap object exists.
WrapFields WrapFieldsOf(const model::WrapSettings& wrap, bool defined);
// The five edits, then the image: the first failing message in that order. A texture
// scale of 0 has no reciprocal and counts as an input error.
std::string ValidateWrap(const WrapFields& fields, const model::MeshModel& model,
                         const viewport::ModelRenderObjects& objects);
// Sets the image on the model mesh (message when that fails), builds the wrap object
// relative to the model frame (kind 3 is applied at once), stores the values and rebuilds
// the mesh without rendering. Empty when done.
std::string ApplyWrap(const WrapFields& fields, model::MeshModel& model,
                      viewport::ModelRenderObjects& objects, const rm::FramePtr& modelFrame,
                      ops::OpsHost& host);

}  // namespace modeller::settings
