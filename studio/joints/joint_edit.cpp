#include "studio/joints/joint_edit.h"

#include "platform/text/cp932.h"
#include "studio/scene/joint_marker.h"
#include "studio/scene/vector_fields.h"

namespace studio {

namespace {

int PartnerOf(const JointFields& f) {
    return f.partnerEntry - 1;
}

}  // namespace

JointFields ReadJointFields(const CSceneDoc& doc, int joint) {
    JointFields f;
    if (joint < 0 || static_cast<size_t>(joint) >= doc.Joints().size()) return f;
    const SceneJoint& j = doc.Joints()[static_cast<size_t>(joint)];
    f.owner = doc.IndexOf(j.owner);
    f.partnerEntry = doc.IndexOf(j.partner) + 1;
    f.type = j.type;
    f.target = j.target;
    if (j.frame) {
        const Placement p = doc.PlacementOf(j);
        f.position = FormatVector(p.position);
        f.axis = FormatVector(p.direction);
    }
    return f;
}

std::string CheckJointFields(const CSceneDoc& doc, const JointFields& f) {
    const int count = static_cast<int>(doc.Items().size());
    const int partner = PartnerOf(f);
    if (f.owner < 0 || f.owner >= count || partner < -1 || partner >= count)
        return std::string(kMsgNoTarget);
    const auto isFolder = [&](int i) {
        return i >= 0 && doc.Items()[static_cast<size_t>(i)].kind == kFolder;
    };
    if (isFolder(f.owner) || isFolder(partner)) return std::string(kMsgFolderJoint);
    if (partner == f.owner) return std::string(kMsgSameItem);
    return {};
}

int ApplyJointFields(CSceneDoc& doc, int editedJoint, const JointFields& f) {
    std::vector<SceneJoint>& joints = doc.Joints();
    if (editedJoint >= static_cast<int>(joints.size())) editedJoint = -1;
    SceneJoint values;
    values.owner = doc.Items()[static_cast<size_t>(f.owner)].id;
    const int partner = PartnerOf(f);
    values.partner = partner >= 0 ? doc.Items()[static_cast<size_t>(partner)].id : kNoItem;
    values.type = f.type;
    values.target = f.target;
    values.placement = JointPlacement(ParseFiniteVector(f.position).value_or(rm::Vector3{0, 0, 0}),
                                      ParseFiniteVector(f.axis).value_or(rm::Vector3{0, 1, 0}));

    // Takes the values into joint `index` and builds its marker again.
    const auto put = [&](size_t index, bool ends) {
        ReleaseJointMarker(doc, index);
        SceneJoint& j = joints[index];
        if (ends) {
            j.owner = values.owner;
            j.partner = values.partner;
        }
        j.type = values.type;
        j.target = values.target;
        j.placement = values.placement;
        BuildJointMarker(doc, index);
        return static_cast<int>(index);
    };

    int duplicate = -1;
    if (values.partner != kNoItem) {
        for (size_t i = 0; i < joints.size(); ++i) {
            const SceneJoint& j = joints[i];
            if (static_cast<int>(i) == editedJoint) continue;
            if ((j.owner == values.owner && j.partner == values.partner) ||
                (j.owner == values.partner && j.partner == values.owner)) {
                duplicate = static_cast<int>(i);
                break;
            }
        }
    }
    if (duplicate < 0) {
        if (editedJoint >= 0) return put(static_cast<size_t>(editedJoint), true);
        joints.push_back(values);
        BuildJointMarker(doc, joints.size() - 1);
        return static_cast<int>(joints.size() - 1);
    }
    if (editedJoint < 0) return put(static_cast<size_t>(duplicate), false);
    // The edited joint gives way to the one that already links the pair.
    DeleteJoint(doc, static_cast<size_t>(editedJoint));
    if (duplicate > editedJoint) --duplicate;
    return put(static_cast<size_t>(duplicate), true);
}

std::vector<JointRows> JointManagementRows(const CSceneDoc& doc) {
    std::vector<JointRows> rows;
    const auto row = [&](int64_t id) {
        const int index = doc.IndexOf(id);
        if (index < 0) return JointRow{std::string(kNoPartnerText), kNoPartnerIcon};
        const SceneItem& item = doc.Items()[static_cast<size_t>(index)];
        return JointRow{text::Cp932ToUtf8(item.name), item.kind};
    };
    for (const SceneJoint& j : doc.Joints()) rows.push_back({row(j.owner), row(j.partner)});
    return rows;
}

void DeleteJoint(CSceneDoc& doc, size_t joint) {
    if (joint >= doc.Joints().size()) return;
    ReleaseJointMarker(doc, joint);
    doc.Joints().erase(doc.Joints().begin() + static_cast<ptrdiff_t>(joint));
}

}  // namespace studio
