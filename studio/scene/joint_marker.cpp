#include "studio/scene/joint_marker.h"

namespace studio {

namespace {

rm::MeshBuilderPtr CreateJointMarkerMesh() {
    // One tiny triangle at the origin, drawn as points.
    constexpr float e = 0.0001f;
    const rm::Vector3 corners[] = {{e, 0, 0}, {0, e, 0}, {0, 0, e}};
    const uint32_t faces[] = {3, 0, 1, 2, 0};
    rm::MeshBuilderPtr mesh = rm::MeshBuilder::Create();
    if (!mesh || !mesh->AddFaces(corners, {}, faces)) return nullptr;
    mesh->SetColorRgb(0, 1, 0);
    mesh->SetQuality(rm::kQualityPoints);
    return mesh;
}

}  // namespace

Placement JointPlacement(rm::Vector3 position, rm::Vector3 axis) {
    Placement p;
    p.position = position;
    p.direction = axis == rm::Vector3{} ? rm::Vector3{0, 1, 0} : axis;
    p.up = p.direction.x == 0 && p.direction.z == 0 ? rm::Vector3{0, 0, 1} : rm::Vector3{0, 1, 0};
    return p;
}

void ReleaseJointMarker(CSceneDoc& doc, size_t joint) {
    if (joint >= doc.Joints().size()) return;
    SceneJoint& j = doc.Joints()[joint];
    if (!j.frame) return;
    for (const rm::VisualPtr& visual : std::vector<rm::VisualPtr>(j.frame->Visuals()))
        j.frame->RemoveVisual(visual);
    if (rm::FramePtr parent = j.frame->Parent()) parent->RemoveChild(j.frame);
    j.frame.reset();
}

void BuildJointMarker(CSceneDoc& doc, size_t joint) {
    if (joint >= doc.Joints().size()) return;
    ReleaseJointMarker(doc, joint);
    SceneJoint& j = doc.Joints()[joint];
    const int owner = doc.IndexOf(j.owner);
    if (owner < 0) return;
    const SceneItem& item = doc.Items()[static_cast<size_t>(owner)];
    if (item.kind == kFolder || !item.frame) return;
    if (j.target == 1 && doc.IndexOf(j.partner) < 0) return;

    // A stored up that cannot serve (none, or along the axis) is replaced by the usual one.
    Placement p = j.placement;
    if (p.direction == rm::Vector3{}) p.direction = {0, 1, 0};
    if (rm::Length(rm::Cross(p.direction, p.up)) == 0.0f)
        p.up = JointPlacement(p.position, p.direction).up;
    j.frame = rm::Frame::Create(item.frame);
    j.frame->SetOrientation(doc.Root(), p.direction, p.up);
    j.frame->SetPosition(doc.Root(), p.position);
    j.frame->SetTraversalOptions(JointMarkerTraversal(doc.JointMarkersShown()));
    if (j.type >= 1 && j.type <= 3)
        if (rm::MeshBuilderPtr mesh = CreateJointMarkerMesh()) j.frame->AddVisual(mesh);
}

}  // namespace studio
