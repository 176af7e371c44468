#include "studio/app/object_edit.h"

#include <cmath>

#include "model/vector_text.h"
#include "platform/text/cp932.h"
#include "studio/scene/object_mesh.h"
#include "studio/scene/vector_fields.h"

namespace studio {

ObjectFields ReadObjectFields(const CSceneDoc& doc, size_t index) {
    ObjectFields f;
    if (index >= doc.Items().size()) return f;
    const SceneItem& item = doc.Items()[index];
    f.name = text::Cp932ToUtf8(item.name);
    f.path = text::Cp932ToUtf8(item.path);
    const Placement p = doc.PlacementOf(item);
    f.position = FormatVector(p.position);
    f.direction = FormatVector(p.direction);
    f.up = FormatVector(p.up);
    f.scale = model::FormatVector(item.scale[0], item.scale[1], item.scale[2]);
    f.axisLock = item.axisLock;
    f.positionLock = item.positionLock != 0;
    f.display = item.displayMode;
    f.flipX = item.flipX != 0;
    f.flipY = item.flipY != 0;
    f.flipZ = item.flipZ != 0;
    return f;
}

std::string CheckObjectFields(const ObjectFields& f, ObjectEdit& edit) {
    const auto position = ParseFiniteVector(f.position);
    const auto direction = ParseFiniteVector(f.direction);
    const auto up = ParseFiniteVector(f.up);
    if (!position || !direction || !up) return std::string(kMsgNeedVector);
    // A direction of length zero has no orientation to give.
    if (rm::Length(*direction) == 0.0f || rm::Length(*up) == 0.0f)
        return std::string(kMsgNeedVector);
    const std::vector<float> s = model::ParseNumberList(f.scale, 3);
    std::array<float, 3> scale{0, 0, 0};
    if (s.size() == 1) {
        scale = {s[0], s[0], s[0]};
    } else {
        for (size_t i = 0; i < s.size(); ++i) scale[i] = s[i];
    }
    for (float v : scale)
        if (!std::isfinite(v)) return std::string(kMsgNeedVector);
    if (scale[0] * scale[1] * scale[2] == 0.0f) return std::string(kMsgZeroScale);
    edit.name = f.name;
    edit.path = f.path;
    edit.placement = {*position, *direction, *up};
    edit.scale = scale;
    edit.axisLock = f.axisLock;
    edit.positionLock = f.positionLock;
    edit.display = f.display;
    edit.flipX = f.flipX;
    edit.flipY = f.flipY;
    edit.flipZ = f.flipZ;
    return {};
}

bool ApplyObjectEdit(CSceneDoc& doc, size_t index, const ObjectEdit& edit) {
    if (index >= doc.Items().size()) return false;
    SceneItem& item = doc.Items()[index];
    if (!IsObjectKind(item.kind)) return false;
    const std::string path = text::Utf8ToCp932(edit.path);
    bool flipX = edit.flipX != (item.flipX != 0), flipY = edit.flipY != (item.flipY != 0),
         flipZ = edit.flipZ != (item.flipZ != 0);
    if (path != item.path || item.kind == kMissingObject) {
        rm::MeshBuilderPtr mesh = LoadObjectMesh(edit.path);
        if (!mesh) return false;
        if (!item.frame) item.frame = rm::Frame::Create(doc.Root());
        if (item.visual) item.frame->RemoveVisual(item.visual);
        item.visual = mesh;
        item.frame->AddVisual(mesh);
        item.kind = kObject;
        item.path = path;
        // A fresh mesh is as the file has it: every flip wanted is a change.
        flipX = edit.flipX;
        flipY = edit.flipY;
        flipZ = edit.flipZ;
    }
    if (flipX || flipY || flipZ) {
        doc.UnshareMesh(index);
        if (item.visual) FlipMesh(*item.visual, flipX, flipY, flipZ);
    }
    item.name = text::Utf8ToCp932(edit.name);
    item.flipX = edit.flipX;
    item.flipY = edit.flipY;
    item.flipZ = edit.flipZ;
    item.axisLock = edit.axisLock;
    item.positionLock = edit.positionLock ? 1 : 0;
    item.scale = edit.scale;
    item.displayMode = edit.display;
    if (item.frame) {
        // Placed from scratch, so the new scale replaces the old rather than adding to it.
        item.frame->AddTransform(rm::Combine::kReplace, rm::Matrix4::Identity());
        item.frame->SetOrientation(doc.Root(), edit.placement.direction, edit.placement.up);
        item.frame->SetPosition(doc.Root(), edit.placement.position);
        item.frame->AddScale(rm::Combine::kBefore, edit.scale[0], edit.scale[1], edit.scale[2]);
    }
    doc.ApplyObjectDisplay(index);
    return true;
}

}  // namespace studio
