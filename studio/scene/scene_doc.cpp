#include "studio/scene/scene_doc.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "model/path_rules.h"
#include "platform/fileio/path_name.h"
#include "platform/text/cp932.h"
#include "studio/scene/joint_marker.h"
#include "studio/scene/object_mesh.h"

namespace studio {

namespace {

rm::LightType LightTypeOf(uint8_t kind) {
    switch (kind) {
        case kDirectionalLight:
            return rm::LightType::kDirectional;
        case kPointLight:
            return rm::LightType::kPoint;
        case kSpotLight:
            return rm::LightType::kSpot;
        default:
            return rm::LightType::kAmbient;
    }
}

// Meshes made while one file's items are created: a file is read once, and objects of one
// file with the same mirroring and display mode share one mesh.
class MeshCache {
public:
    explicit MeshCache(std::vector<std::string>& messages) : messages_(messages) {}

    rm::MeshBuilderPtr Get(const std::string& nativePath, const SceneItem& item) {
        auto base = bases_.find(nativePath);
        if (base == bases_.end())
            base = bases_.emplace(nativePath, LoadObjectMesh(nativePath, &messages_)).first;
        if (!base->second) return {};
        const Key key{nativePath, item.flipX != 0, item.flipY != 0, item.flipZ != 0,
                      item.displayMode};
        auto it = variants_.find(key);
        if (it != variants_.end()) return it->second;
        // The file's mesh stays as read; each variant is a copy of it.
        rm::MeshBuilderPtr mesh = CopyMesh(*base->second);
        FlipMesh(*mesh, item.flipX != 0, item.flipY != 0, item.flipZ != 0);
        variants_.emplace(key, mesh);
        return mesh;
    }

private:
    using Key = std::tuple<std::string, bool, bool, bool, int32_t>;
    std::vector<std::string>& messages_;
    std::map<std::string, rm::MeshBuilderPtr> bases_;
    std::map<Key, rm::MeshBuilderPtr> variants_;
};

}  // namespace

CSceneDoc::CSceneDoc() {
    root_ = rm::Frame::Create();
    camera_ = rm::Frame::Create(root_);
    lookAt_ = rm::Frame::Create(root_);
    SetCameraPlacement({{1, 1, -5}, {0, 0, 1}, {0, 1, 0}});
    ApplyEnvironment();
}

size_t CSceneDoc::SubtreeEnd(size_t index) const {
    if (index >= items_.size()) return items_.size();
    size_t end = index + 1;
    while (end < items_.size() && items_[end].depth > items_[index].depth) ++end;
    return end;
}

int CSceneDoc::ParentOf(size_t index) const {
    if (index >= items_.size()) return -1;
    for (size_t i = index; i-- > 0;)
        if (items_[i].depth < items_[index].depth) return static_cast<int>(i);
    return -1;
}

int CSceneDoc::IndexOf(int64_t id) const {
    if (id == kNoItem) return -1;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].id == id) return static_cast<int>(i);
    return -1;
}

int CSceneDoc::IndexOfFrame(const rm::Frame* frame) const {
    if (!frame) return -1;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].frame.get() == frame) return static_cast<int>(i);
    return -1;
}

void CSceneDoc::PlaceFrame(rm::Frame& frame, const Placement& p) {
    // Orientation first: setting it keeps the position.
    frame.SetOrientation(root_, p.direction, p.up);
    frame.SetPosition(root_, p.position);
}

void CSceneDoc::MakeLight(SceneItem& item, const Placement& placement) {
    if (!item.frame) item.frame = rm::Frame::Create(root_);
    const LightValues& v = item.lightValues;
    item.light = rm::Light::Create(LightTypeOf(item.kind), v.color);
    item.light->SetRange(v.range);
    item.light->SetUmbra(v.umbra);
    item.light->SetPenumbra(v.penumbra);
    item.light->SetConstantAttenuation(v.constant);
    item.light->SetLinearAttenuation(v.linear);
    item.light->SetQuadraticAttenuation(v.quadratic);
    PlaceFrame(*item.frame, placement);
    item.frame->AddLight(item.light);
    // The marker is the frame's only visual; item.visual stays an object's mesh.
    if (rm::MeshBuilderPtr gizmo = CreateLightGizmo(item.kind)) {
        item.frame->AddVisual(gizmo);
        item.frame->SetTraversalOptions(showLights_ ? rm::kRenderEnable | rm::kPickEnable : 0u);
    }
}

AppendReport CSceneDoc::AppendItems(std::vector<PendingItem> pending,
                                    const std::vector<PendingJoint>& joints,
                                    const std::string& directory,
                                    const std::string& savedDirectory) {
    AppendReport report;
    MeshCache meshes(report.messages);
    const std::string here = text::Utf8ToCp932(directory);
    std::vector<int64_t> ids;
    ids.reserve(pending.size());
    items_.reserve(items_.size() + pending.size());
    for (PendingItem& p : pending) {
        SceneItem item = std::move(p.item);
        item.id = NewId();
        item.frame.reset();
        item.visual.reset();
        item.light.reset();
        if (IsLightKind(item.kind)) {
            MakeLight(item, p.placement);
        } else if (IsObjectKind(item.kind)) {
            rm::MeshBuilderPtr mesh;
            std::string found;
            // A full path (as the document holds them) is taken as it is; a stored one is
            // tried beside the file, then where the file was saved from.
            const bool full = !item.path.empty() && item.path[0] == '/';
            for (const std::string& base : {here, savedDirectory}) {
                const std::string candidate = full ? item.path : model::JoinPath(base, item.path);
                if (candidate.empty()) continue;
                mesh = meshes.Get(text::Cp932ToUtf8(candidate), item);
                if (mesh) {
                    found = candidate;
                    break;
                }
            }
            item.frame = rm::Frame::Create(root_);
            if (mesh) {
                item.kind = kObject;
                item.path = found;
                item.visual = mesh;
                item.frame->AddVisual(mesh);
            } else {
                item.kind = kMissingObject;  // the stored path stays, so a save keeps it
                ++report.missingModels;
            }
            PlaceFrame(*item.frame, p.placement);
            item.frame->AddScale(rm::Combine::kBefore, item.scale[0], item.scale[1], item.scale[2]);
            SetObjectDisplay(item.visual.get(), item.frame.get(), ShownDisplay(item));
        } else {
            item.kind = kFolder;
        }
        ids.push_back(item.id);
        items_.push_back(std::move(item));
    }
    report.added = pending.size();

    for (const PendingJoint& j : joints) {
        if (j.owner < 0 || static_cast<size_t>(j.owner) >= ids.size()) continue;
        SceneJoint joint;
        joint.owner = ids[static_cast<size_t>(j.owner)];
        joint.partner = j.partner >= 0 && static_cast<size_t>(j.partner) < ids.size()
                            ? ids[static_cast<size_t>(j.partner)]
                            : kNoItem;
        joint.type = j.type;
        joint.target = j.target;
        joint.placement = j.placement;
        joints_.push_back(std::move(joint));
        BuildJointMarker(*this, joints_.size() - 1);
    }
    return report;
}

bool CSceneDoc::AppendObject(const std::string& nativePath, std::vector<std::string>* messages) {
    rm::MeshBuilderPtr mesh = LoadObjectMesh(nativePath, messages);
    if (!mesh) return false;
    SceneItem item;
    item.kind = kObject;
    item.id = NewId();
    item.name = text::Utf8ToCp932(fileio::FileNameOf(nativePath));
    item.path = text::Utf8ToCp932(nativePath);
    item.frame = rm::Frame::Create(root_);
    item.visual = mesh;
    item.frame->AddVisual(mesh);
    SetObjectDisplay(mesh.get(), item.frame.get(), ShownDisplay(item));
    items_.push_back(std::move(item));
    return true;
}

void CSceneDoc::AppendFolder(const std::string& cp932Name) {
    SceneItem item;
    item.kind = kFolder;
    item.id = NewId();
    item.name = cp932Name;
    items_.push_back(std::move(item));
}

void CSceneDoc::AppendLight(uint8_t kind, const std::string& cp932Name, const LightValues& values,
                            const Placement& placement, int32_t depth) {
    SceneItem item;
    item.kind = IsLightKind(kind) ? kind : uint8_t{kAmbientLight};
    item.id = NewId();
    item.name = cp932Name;
    item.depth = depth;
    item.lightValues = values;
    MakeLight(item, placement);
    items_.push_back(std::move(item));
}

void CSceneDoc::ReplaceLight(size_t index, uint8_t kind, const std::string& cp932Name,
                             const LightValues& values, const Placement& placement) {
    if (index >= items_.size() || !IsLightKind(items_[index].kind)) return;
    SceneItem& item = items_[index];
    if (item.frame) {
        if (item.light) item.frame->RemoveLight(item.light);
        // The gizmo is the frame's only visual; a new kind may have another one or none.
        const std::vector<rm::VisualPtr> visuals = item.frame->Visuals();
        for (const rm::VisualPtr& visual : visuals) item.frame->RemoveVisual(visual);
        item.frame->SetTraversalOptions(rm::kRenderEnable | rm::kPickEnable);
    }
    item.kind = IsLightKind(kind) ? kind : uint8_t{kAmbientLight};
    item.name = cp932Name;
    item.lightValues = values;
    MakeLight(item, placement);
}

void CSceneDoc::ReleaseItem(SceneItem& item) {
    if (item.frame) {
        if (item.light) item.frame->RemoveLight(item.light);
        if (item.visual) item.frame->RemoveVisual(item.visual);
        root_->RemoveChild(item.frame);
    }
    item.light.reset();
    item.visual.reset();
    item.frame.reset();
}

void CSceneDoc::DeleteSubtree(size_t index) {
    if (index >= items_.size()) return;
    const size_t end = SubtreeEnd(index);
    std::vector<int64_t> gone;
    for (size_t i = index; i < end; ++i) {
        gone.push_back(items_[i].id);
        ReleaseItem(items_[i]);
    }
    items_.erase(items_.begin() + static_cast<ptrdiff_t>(index),
                 items_.begin() + static_cast<ptrdiff_t>(end));
    auto isGone = [&](int64_t id) { return std::find(gone.begin(), gone.end(), id) != gone.end(); };
    // A joint cannot outlive its owner; one that loses its partner stays as the owner's own.
    std::erase_if(joints_, [&](const SceneJoint& j) { return isGone(j.owner); });
    for (size_t i = 0; i < joints_.size(); ++i) {
        if (!isGone(joints_[i].partner)) continue;
        joints_[i].partner = kNoItem;
        // A joint that turned its partner has nothing left to mark.
        if (joints_[i].target == 1) ReleaseJointMarker(*this, i);
    }
}

void CSceneDoc::DeleteAll() {
    for (SceneItem& item : items_) ReleaseItem(item);
    items_.clear();
    joints_.clear();
}

void CSceneDoc::ApplyEnvironment() {
    const SceneEnvironment& e = environment;
    root_->SetSceneBackground(e.backgroundColor);
    root_->SetSceneFogEnable(e.fogEnabled != 0);
    root_->SetSceneFogColor(e.fogOwnColor != 0 ? e.fogColor : e.backgroundColor);
    root_->SetSceneFogMode(rm::FogMode::kLinear);
    root_->SetSceneFogParams(e.fogStart, e.fogEnd, 0.0f);
}

Placement CSceneDoc::PlacementOf(const SceneItem& item) const {
    Placement p;
    if (!item.frame) return p;
    p.position = item.frame->Position(root_);
    item.frame->GetOrientation(root_, p.direction, p.up);
    return p;
}

Placement CSceneDoc::PlacementOf(const SceneJoint& joint) const {
    if (!joint.frame) return joint.placement;
    Placement p;
    p.position = joint.frame->Position(root_);
    joint.frame->GetOrientation(root_, p.direction, p.up);
    // The marker hangs under its owner's turned and scaled frame, so reading it back rounds
    // differently from what was set. While the owner has not moved, the values as read are
    // kept, or every save would shift the joint by a little more.
    auto near = [](rm::Vector3 a, rm::Vector3 b) {
        auto close = [](float x, float y) {
            return std::fabs(x - y) <= 1e-5f * std::max(1.0f, std::fabs(y));
        };
        return close(a.x, b.x) && close(a.y, b.y) && close(a.z, b.z);
    };
    const Placement& known = joint.placement;
    const bool unmoved = near(p.position, known.position) &&
                         near(p.direction, rm::Normalize(known.direction)) &&
                         near(p.up, rm::Normalize(known.up));
    return unmoved ? known : p;
}

Placement CSceneDoc::CameraPlacement() const {
    Placement p;
    p.position = camera_->Position(root_);
    camera_->GetOrientation(root_, p.direction, p.up);
    return p;
}

void CSceneDoc::SetCameraPlacement(const Placement& placement) {
    PlaceFrame(*camera_, placement);
}

void CSceneDoc::UnshareMesh(size_t index) {
    if (index >= items_.size() || !items_[index].visual) return;
    SceneItem& item = items_[index];
    const bool shared = std::any_of(items_.begin(), items_.end(), [&](const SceneItem& other) {
        return &other != &item && other.visual == item.visual;
    });
    if (!shared) return;
    rm::MeshBuilderPtr own = CopyMesh(*item.visual);
    if (item.frame) {
        item.frame->RemoveVisual(item.visual);
        item.frame->AddVisual(own);
    }
    item.visual = own;
}

void CSceneDoc::ApplyObjectDisplay(size_t index) {
    if (index >= items_.size()) return;
    const int32_t mode = ShownDisplay(items_[index]);
    // Objects sharing a mesh shown alike keep sharing it.
    const bool differs = std::any_of(items_.begin(), items_.end(), [&](const SceneItem& other) {
        return &other != &items_[index] && other.visual == items_[index].visual &&
               QualityForObjectDisplay(ShownDisplay(other)) != QualityForObjectDisplay(mode);
    });
    if (differs) UnshareMesh(index);
    SceneItem& item = items_[index];
    SetObjectDisplay(item.visual.get(), item.frame.get(), mode);
}

int32_t CSceneDoc::ShownDisplay(const SceneItem& item) const {
    if (item.kind != kObject) return item.displayMode;
    const bool wire = item.id == dragged_ ? !frameMode_ : frameMode_;
    return wire ? int32_t{kShowLines} : item.displayMode;
}

void CSceneDoc::SetDraggedItem(int64_t id) {
    if (id == dragged_) return;
    const int before = IndexOf(dragged_);
    dragged_ = id;
    if (before >= 0) ApplyObjectDisplay(static_cast<size_t>(before));
    const int now = IndexOf(id);
    if (now >= 0) ApplyObjectDisplay(static_cast<size_t>(now));
}

void CSceneDoc::SetFrameMode(bool on) {
    frameMode_ = on;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].kind == kObject) ApplyObjectDisplay(i);
}

void CSceneDoc::SetJointMarkersShown(bool on) {
    jointMarkersShown_ = on;
    for (SceneJoint& j : joints_)
        if (j.frame) j.frame->SetTraversalOptions(JointMarkerTraversal(on));
}

void CSceneDoc::SetShowLights(bool on) {
    showLights_ = on;
    for (SceneItem& item : items_)
        if ((item.kind == kPointLight || item.kind == kSpotLight) && item.frame)
            item.frame->SetTraversalOptions(on ? rm::kRenderEnable | rm::kPickEnable : 0u);
}

}  // namespace studio
