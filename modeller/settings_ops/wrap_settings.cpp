#include "modeller/settings_ops/wrap_settings.h"

#include <array>
#include <optional>

#include "model/vector_text.h"
#include "platform/field_exchange.h"
#include "viewport/model_pane.h"
#include "viewport/texture_loading.h"

namespace modeller::settings {

namespace {

// Exactly `N` numbers separated by commas.
template <size_t N>
std::optional<std::array<float, N>> Numbers(std::string_view text) {
    std::array<float, N> out{};
    for (size_t i = 0; i < N; ++i) {
        const size_t comma = i + 1 < N ? text.find(',') : std::string_view::npos;
        if (i + 1 < N && comma == std::string_view::npos) return std::nullopt;
        const std::optional<float> v = shell::ExchangeFloat(text.substr(0, comma));
        if (!v) return std::nullopt;
        out[i] = *v;
        if (i + 1 < N) text.remove_prefix(comma + 1);
    }
    return out;
}

std::string Join(std::initializer_list<float> values) {
    std::string out;
    for (float v : values) out += (out.empty() ? "" : ", ") + model::FormatNumber(v);
    return out;
}

struct ReadWrap {
    std::array<float, 3> origin, direction, up;
    std::array<float, 2> texOrigin, texScale;
};

std::optional<ReadWrap> Read(const WrapFields& f) {
    const auto origin = Numbers<3>(f.origin);
    const auto direction = Numbers<3>(f.direction);
    const auto up = Numbers<3>(f.up);
    const auto texOrigin = Numbers<2>(f.texOrigin);
    const auto texScale = Numbers<2>(f.texScale);
    if (!origin || !direction || !up || !texOrigin || !texScale) return std::nullopt;
    if ((*texScale)[0] == 0 || (*texScale)[1] == 0) return std::nullopt;
    return ReadWrap{*origin, *direction, *up, *texOrigin, *texScale};
}

}  // namespace

WrapFields WrapFieldsOf(const model::WrapSettings& stored, bool defined) {
    model::WrapSettings w = stored;
    if (!defined && w.uScale == 0 && w.vScale == 0) {
        // Nothing entered yet: a wrap that works as it stands.
        w.direction = {0, 0, 1};
        w.up = {0, 1, 0};
        w.uScale = w.vScale = 1;
    }
    WrapFields f;
    f.texture = w.textureName;
    f.kind = w.wrapType >= 0 && w.wrapType <= 3 ? w.wrapType : 0;
    f.origin = Join({w.origin[0], w.origin[1], w.origin[2]});
    f.direction = Join({w.direction[0], w.direction[1], w.direction[2]});
    f.up = Join({w.up[0], w.up[1], w.up[2]});
    f.texOrigin = Join({w.uOffset, w.vOffset});
    f.texScale = Join({w.uScale, w.vScale});
    f.disable = defined && w.wrapFlag == 0;
    return f;
}

std::string ValidateWrap(const WrapFields& f, const model::MeshModel& m,
                         const viewport::ModelRenderObjects& objects) {
    if (!Read(f)) return kInputErrorText;
    if (f.texture.empty()) return kChooseImageText;
    const int32_t index = model::FindTexture(m.textures, f.texture);
    if (index < 0) return kNoSuchTextureText;
    if (static_cast<size_t>(index) >= objects.textures.size() ||
        !objects.textures[static_cast<size_t>(index)])
        return kTextureNotMadeText;
    return {};
}

std::string ApplyWrap(const WrapFields& f, model::MeshModel& m,
                      viewport::ModelRenderObjects& objects, const rm::FramePtr& modelFrame,
                      ops::OpsHost& host) {
    if (std::string message = ValidateWrap(f, m, objects); !message.empty()) return message;
    const ReadWrap r = *Read(f);
    rm::MeshBuilder& mesh = *objects.modelMesh;
    if (!mesh.SetTexture(objects.TextureOf(m.textures, f.texture))) return kSetTextureFailedText;

    model::WrapSettings w;
    w.textureName = f.texture;
    w.wrapType = f.kind >= 0 && f.kind <= 3 ? f.kind : 0;
    w.origin = r.origin;
    w.direction = r.direction;
    w.up = r.up;
    w.uOffset = r.texOrigin[0];
    w.vOffset = r.texOrigin[1];
    w.uScale = r.texScale[0];
    w.vScale = r.texScale[1];
    w.wrapFlag = f.disable ? 0 : 1;
    viewport::CreateWrapObject(w, modelFrame, objects);
    if (w.wrapType == 3 && objects.wrap && modelFrame)
        objects.wrap->ApplyRelative(*modelFrame, mesh);
    m.wrap = w;
    host.SetModified();
    host.RebuildModelMesh(viewport::kNoRender);
    return {};
}

}  // namespace modeller::settings
