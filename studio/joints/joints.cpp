#include "studio/joints/joints.h"

#include <numbers>
#include <unordered_map>

namespace studio {

namespace {

constexpr float kRadiansPerDegree = 2.0f * std::numbers::pi_v<float> / 360.0f;

bool Moves(const SceneItem& item) {
    return item.kind != kFolder && item.frame;
}

}  // namespace

std::vector<uint8_t> MarkLinkedItems(const CSceneDoc& doc, size_t item, int excludedJoint) {
    const std::vector<SceneItem>& items = doc.Items();
    std::vector<uint8_t> flags(items.size(), 0);
    if (item >= items.size()) return flags;
    flags[item] = 1;

    // The joints that link, as item positions.
    struct Link {
        size_t a, b;
    };
    std::vector<Link> links;
    if (excludedJoint != kNoJoints && !doc.Joints().empty()) {
        std::unordered_map<int64_t, size_t> position;
        position.reserve(items.size());
        for (size_t i = 0; i < items.size(); ++i) position.emplace(items[i].id, i);
        const std::vector<SceneJoint>& joints = doc.Joints();
        for (size_t j = 0; j < joints.size(); ++j) {
            if (static_cast<int>(j) == excludedJoint || joints[j].type <= 0) continue;
            const auto owner = position.find(joints[j].owner);
            const auto partner = position.find(joints[j].partner);
            if (owner == position.end() || partner == position.end()) continue;
            links.push_back({owner->second, partner->second});
        }
    }

    // Bounded, so that no list however tangled keeps this going.
    const size_t limit = 2 * (doc.Joints().size() + items.size());
    for (size_t iteration = 0; iteration < limit; ++iteration) {
        bool changed = false;
        // One sweep: everything deeper than a flagged item, up to the next item that is not,
        // belongs to its subtree.
        bool carrying = false;
        int32_t carryDepth = 0;
        for (size_t i = 0; i < items.size(); ++i) {
            if (carrying && items[i].depth > carryDepth) {
                if (!flags[i]) changed = true;
                flags[i] = 1;
                continue;
            }
            carrying = flags[i] != 0;
            carryDepth = items[i].depth;
        }
        for (size_t pass = 0; pass < links.size(); ++pass) {
            bool passChanged = false;
            for (const Link& l : links) {
                if (flags[l.a] == flags[l.b]) continue;
                flags[l.a] = flags[l.b] = 1;
                passChanged = true;
            }
            if (!passChanged) break;
            changed = true;
        }
        if (!changed) break;
    }
    return flags;
}

void MoveItemSet(CSceneDoc& doc, const rm::Vector3& move, size_t item, int excludedJoint) {
    const std::vector<uint8_t> flags = MarkLinkedItems(doc, item, excludedJoint);
    for (size_t i = 0; i < flags.size(); ++i) {
        SceneItem& it = doc.Items()[i];
        if (!flags[i] || !Moves(it)) continue;
        it.frame->SetPosition(doc.Root(), it.frame->Position(doc.Root()) + move);
    }
}

void TurnItemSet(CSceneDoc& doc, const rm::Vector3& centre, const rm::Vector3& axis, float angle,
                 size_t item, int excludedJoint) {
    if (axis == rm::Vector3{}) return;  // no line to turn about
    const std::vector<uint8_t> flags = MarkLinkedItems(doc, item, excludedJoint);
    for (size_t i = 0; i < flags.size(); ++i) {
        SceneItem& it = doc.Items()[i];
        if (!flags[i] || !Moves(it)) continue;
        const rm::Vector3 position = it.frame->Position(doc.Root());
        rm::Vector3 direction, up;
        it.frame->GetOrientation(doc.Root(), direction, up);
        it.frame->SetOrientation(doc.Root(), rm::Rotate(direction, axis, angle),
                                 rm::Rotate(up, axis, angle));
        it.frame->SetPosition(doc.Root(), centre + rm::Rotate(position - centre, axis, angle));
        // Setting the orientation dropped the scale.
        it.frame->AddScale(rm::Combine::kBefore, it.scale[0], it.scale[1], it.scale[2]);
    }
}

rm::Vector3 ItemAxesToScene(const CSceneDoc& doc, size_t item, const rm::Vector3& v) {
    if (item >= doc.Items().size() || !doc.Items()[item].frame) return v;
    rm::Vector3 direction, up;
    doc.Items()[item].frame->GetOrientation(doc.Root(), direction, up);
    const rm::Vector3 right = rm::Normalize(rm::Cross(up, direction));
    return right * v.x + up * v.y + direction * v.z;
}

rm::Vector3 SceneAxesToItem(const CSceneDoc& doc, size_t item, const rm::Vector3& v) {
    if (item >= doc.Items().size() || !doc.Items()[item].frame) return v;
    rm::Vector3 direction, up;
    doc.Items()[item].frame->GetOrientation(doc.Root(), direction, up);
    const rm::Vector3 right = rm::Normalize(rm::Cross(up, direction));
    return {rm::Dot(v, right), rm::Dot(v, up), rm::Dot(v, direction)};
}

rm::Vector3 ApplySlider(const CSceneDoc& doc, const rm::Vector3& move, size_t item) {
    if (item >= doc.Items().size()) return move;
    const SceneItem& it = doc.Items()[item];
    if ((it.sliderKind != 1 && it.sliderKind != 2) || it.sliderVector == rm::Vector3{}) return move;
    rm::Vector3 v =
        it.sliderAxes == 0 ? ItemAxesToScene(doc, item, it.sliderVector) : it.sliderVector;
    v = rm::Normalize(v);
    const float k = rm::Dot(v, move);
    return it.sliderKind == 1 ? v * k : move - v * k;
}

CameraAxes CameraAxesOf(const CSceneDoc& doc) {
    CameraAxes axes;
    doc.Camera()->GetOrientation(doc.Root(), axes.direction, axes.up);
    axes.right = rm::Normalize(rm::Cross(axes.up, axes.direction));
    return axes;
}

int TurnedItemOf(const CSceneDoc& doc, size_t joint) {
    if (joint >= doc.Joints().size()) return -1;
    const SceneJoint& j = doc.Joints()[joint];
    return doc.IndexOf(j.target == 1 ? j.partner : j.owner);
}

void TurnAboutJoint(CSceneDoc& doc, const CameraAxes& camera, size_t joint, size_t turnedItem,
                    int dx, int dy, bool shiftHeld) {
    if (joint >= doc.Joints().size() || turnedItem >= doc.Items().size()) return;
    const SceneJoint& j = doc.Joints()[joint];
    if (!j.frame) return;
    const int excluded = static_cast<int>(joint);
    const rm::Vector3 centre = j.frame->Position(doc.Root());
    if (j.type == 1) {
        if (shiftHeld) {
            TurnItemSet(doc, centre, camera.direction, -dx * kRadiansPerDegree, turnedItem,
                        excluded);
        } else {
            TurnItemSet(doc, centre, camera.up, -dx * kRadiansPerDegree, turnedItem, excluded);
            TurnItemSet(doc, centre, camera.right, dy * kRadiansPerDegree, turnedItem, excluded);
        }
    } else if (j.type == 2) {
        rm::Vector3 axis, up;
        j.frame->GetOrientation(doc.Root(), axis, up);
        axis = rm::Normalize(axis);
        const rm::Vector3 d = rm::Normalize(camera.direction);
        const rm::Vector3 u = rm::Normalize(camera.up);
        const rm::Vector3 right = rm::Normalize(rm::Cross(u, d));
        const rm::Vector3 drag = right * static_cast<float>(dx) + u * static_cast<float>(dy);
        // The axis as seen on the screen; along the view it has no length and nothing turns.
        const rm::Vector3 seen = axis - d * rm::Dot(axis, d);
        const float k = rm::Dot(rm::Cross(drag, seen), d);
        if (k != 0.0f) TurnItemSet(doc, centre, axis, -k * kRadiansPerDegree, turnedItem, excluded);
    }
}

}  // namespace studio
