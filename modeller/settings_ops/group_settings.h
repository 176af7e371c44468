// The group dialog (グループ) and the group properties dialog (グループのプロパティ) without
// their widgets. Names are CP932, as the table holds them.
#pragma once

#include <string>
#include <vector>

#include "model/mesh_model.h"
#include "viewport/model_render_objects.h"

namespace modeller::settings {

inline constexpr const char* kGroupHelpPage = "dlg_group.htm";
inline constexpr const char* kGroupPropertiesHelpPage = "dlg_grouppro.htm";
inline constexpr const char* kEmptyNameText = "名前が空です";
inline constexpr const char* kNameInUseText = "その名前はすでに使われています";

// The group dialog's two choices, remembered for the run: the current group and the group
// given to new faces.
struct GroupChoice {
    int32_t current = 1;
    int32_t newFaces = 1;
};

// The names of groups 1..n, as the combo boxes list them.
std::vector<std::string> GroupNames(const model::GroupTable& groups);

// Delete works only while more than two groups exist (group 0 is never deleted).
bool CanDeleteGroup(const model::GroupTable& groups, int32_t group);
// "<name>を削除します。\nよろしいですか？" in UTF-8.
std::string DeleteGroupQuestion(const model::GroupTable& groups, int32_t group);
// Removes the group and its material; its faces go to group 1, faces of higher groups down
// by one, and the choices follow the same way. False when the group cannot be deleted.
bool DeleteGroup(model::MeshModel& model, viewport::ModelRenderObjects& objects, int32_t group,
                 GroupChoice& choice);

struct GroupPropertyFields {
    int32_t number = 1;            // shown; the table's size for a new group
    std::string name;              // 名前 (CP932)
    uint32_t colour = 0xFFFFFFFF;  // カラー
    bool hasMaterial = false;      // マテリアルを設定
    // A new group's values.
    std::string power = "1";           // 反射指数
    std::string specular = "1, 1, 1";  // RGB 0 to 1
    std::string emissive = "0, 0, 0", ambient = "0, 0, 0";
};

// The fields of an existing group, or of a new one when `number` is the table's size.
GroupPropertyFields GroupPropertyFieldsOf(const model::GroupTable& groups, int32_t number);
std::string ValidateGroupProperties(const GroupPropertyFields& fields,
                                    const model::GroupTable& groups);
// Stores the group (appended when new); with a material the old engine material goes and a
// new one is made from the values. Returns the group's number.
int32_t ApplyGroupProperties(const GroupPropertyFields& fields, model::GroupTable& groups,
                             viewport::ModelRenderObjects& objects);

}  // namespace modeller::settings
