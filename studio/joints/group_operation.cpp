#include "studio/joints/group_operation.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "model/vector_text.h"
#include "platform/text/cp932.h"
#include "studio/joints/joints.h"
#include "studio/scene/object_mesh.h"
#include "studio/scene/vector_fields.h"

namespace studio {

namespace {

bool AllFinite(const std::vector<float>& values) {
    for (float v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

// Exactly `count` numbers separated by commas.
std::optional<std::vector<float>> Numbers(const std::string& text, size_t count) {
    std::vector<float> values = model::ParseNumberList(text, count);
    if (values.size() != count || !AllFinite(values)) return std::nullopt;
    return values;
}

}  // namespace

std::optional<float> ReadNumberField(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

GroupFields ReadGroupFields(const CSceneDoc& doc, size_t folder) {
    GroupFields f;
    if (folder < doc.Items().size()) f.name = text::Cp932ToUtf8(doc.Items()[folder].name);
    return f;
}

std::string CheckGroupFields(const GroupFields& f, GroupEdit& edit) {
    GroupEdit e;
    e.name = f.name;
    e.operation = f.operation;
    e.flip = f.flip;
    switch (f.operation) {
        case kGroupMove: {
            const auto v = ParseFiniteVector(f.move);
            if (!v) return std::string(kMsgGroupNumber);
            e.move = *v;
            break;
        }
        case kGroupScale: {
            std::vector<float> s = model::ParseNumberList(f.scale, 3);
            if (s.size() == 1) s = {s[0], s[0], s[0]};
            if (s.size() != 3 || !AllFinite(s)) return std::string(kMsgGroupNumber);
            // A zero factor would flatten the frames beyond turning back.
            if (s[0] * s[1] * s[2] == 0.0f) return std::string(kMsgGroupZeroScale);
            e.scale = {s[0], s[1], s[2]};
            break;
        }
        case kGroupTurn: {
            const auto a = Numbers(f.axis, 6);
            const auto degrees = ReadNumberField(f.angle);
            if (!a || !degrees) return std::string(kMsgGroupNumber);
            e.axis = {(*a)[0], (*a)[1], (*a)[2]};
            e.point = {(*a)[3], (*a)[4], (*a)[5]};
            e.angle = *degrees * std::numbers::pi_v<float> / 180.0f;
            if (f.counterClockwise) e.angle = -e.angle;
            break;
        }
        default:
            break;
    }
    edit = e;
    return {};
}

void ApplyGroupOperation(CSceneDoc& doc, size_t folder, const GroupEdit& e) {
    if (folder >= doc.Items().size()) return;
    doc.Items()[folder].name = text::Utf8ToCp932(e.name);
    const size_t end = doc.SubtreeEnd(folder);
    switch (e.operation) {
        case kGroupMove:
            MoveItemSet(doc, e.move, folder, kAllJoints);
            break;
        case kGroupTurn:
            TurnItemSet(doc, e.point, e.axis, e.angle, folder, kAllJoints);
            break;
        case kGroupScale:
            // About the origin, the folder's own items only.
            for (size_t i = folder; i < end; ++i) {
                SceneItem& it = doc.Items()[i];
                if (it.kind == kFolder || !it.frame) continue;
                const rm::Vector3 p = it.frame->Position(doc.Root());
                it.frame->AddScale(rm::Combine::kBefore, e.scale[0], e.scale[1], e.scale[2]);
                it.frame->SetPosition(doc.Root(),
                                      {p.x * e.scale[0], p.y * e.scale[1], p.z * e.scale[2]});
                for (size_t k = 0; k < 3; ++k) it.scale[k] *= e.scale[k];
            }
            break;
        case kGroupFlip:
            for (size_t i = folder; i < end; ++i) {
                SceneItem& it = doc.Items()[i];
                if (!IsObjectKind(it.kind)) continue;
                uint8_t& flag = e.flip == 1 ? it.flipY : e.flip == 2 ? it.flipZ : it.flipX;
                flag = flag ? 0 : 1;
                doc.UnshareMesh(i);
                if (it.visual) FlipMesh(*it.visual, e.flip == 0, e.flip == 1, e.flip == 2);
            }
            break;
        default:
            break;
    }
}

}  // namespace studio
