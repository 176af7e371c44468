// The joint dialog and joint management without the dialogs: the fields read from a joint,
// their checks in the dialog's order, and the edit put into the joint list (one joint per pair
// of items, markers built again).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "studio/scene/scene_doc.h"

namespace studio {

inline constexpr std::string_view kMsgNoTarget = "対象が選択されていません";
inline constexpr std::string_view kMsgFolderJoint = "フォルダにジョイントは作れません";
inline constexpr std::string_view kMsgSameItem = "エラー";
// The partner list's first entry, and the management tree's row for a joint without one.
inline constexpr std::string_view kNoPartnerText = "なし";
inline constexpr int kNoPartnerIcon = 6;

// What the joint dialog shows and edits. Both lists hold every item in tree order; the
// partner list starts with "なし". -1: nothing selected.
struct JointFields {
    int owner = -1;         // item index
    int partnerEntry = -1;  // 0 no partner, k + 1 item k
    int32_t type = 0;       // 0 not linked, 1 free, 2 about the axis, 3 no rotation
    int32_t target = 0;     // 0 owner, 1 partner
    std::string position, axis;
};

// The fields of joint `joint` (its point and axis read from its marker), or of a new joint
// (joint < 0 or out of range: nothing selected, type 0, owner turns, empty edits).
JointFields ReadJointFields(const CSceneDoc& doc, int joint);

// The message of the first check that fails, or empty.
std::string CheckJointFields(const CSceneDoc& doc, const JointFields& fields);

// Puts checked fields into the joint list: `editedJoint` (or a new joint when below 0) takes
// them, unless another joint already links the same two items, which then takes them instead
// (and the edited one goes). Point and axis unreadable as three numbers stay (0, 0, 0) and
// (0, 1, 0). Returns the index of the joint holding the values.
int ApplyJointFields(CSceneDoc& doc, int editedJoint, const JointFields& fields);

// Joint management: one pair of rows per joint, in list order.
struct JointRow {
    std::string name;  // UTF-8
    int icon = 0;      // the item's kind, or kNoPartnerIcon
};
struct JointRows {
    JointRow owner, partner;
};
std::vector<JointRows> JointManagementRows(const CSceneDoc& doc);

// Releases the joint's marker and takes the joint out of the list.
void DeleteJoint(CSceneDoc& doc, size_t joint);

}  // namespace studio
