// Groups and the face dialog without widgets: deleting and renumbering, the name checks,
// materials, own colours and deleting a face.
#include <gtest/gtest.h>

#include "modeller/settings_ops/face_settings.h"
#include "modeller/settings_ops/group_settings.h"
#include "tests/modeller/ops/ops_fixture.h"
#include "viewport/model_pane.h"

namespace {

using namespace modeller::settings;

// Groups g2 .. g(count - 1) after the two defaults.
void AddGroups(model::GroupTable& groups, int count) {
    const char* names[] = {"g2", "g3", "g4", "g5"};
    for (int i = 2; i < count; ++i)
        groups.entries.push_back({int32_t(0xFF000000 + i), names[i - 2], 0, {}});
}

TEST(GroupDialog, DeletingGroupThreeOfFiveRenumbersFacesAndChoices) {
    ops_test::Doc doc({}, {"", "", "", "", "", ""});
    AddGroups(doc.m.groups, 5);
    doc.m.faces.FaceGroup = {0, 1, 2, 3, 4, 3};
    GroupChoice choice{3, 4};
    EXPECT_EQ(DeleteGroupQuestion(doc.m.groups, 3), "g3を削除します。\nよろしいですか？");
    ASSERT_TRUE(DeleteGroup(doc.m, doc.objects, 3, choice));
    EXPECT_EQ(doc.m.faces.FaceGroup, (std::vector<uint16_t>{0, 1, 2, 1, 3, 1}));
    EXPECT_EQ(doc.m.groups.size(), 4u);
    EXPECT_EQ(doc.m.groups[3].name, "g4");
    EXPECT_EQ(choice.current, 1);
    EXPECT_EQ(choice.newFaces, 3);
    EXPECT_EQ(GroupNames(doc.m.groups), (std::vector<std::string>{model::kGroupWhole, "g2", "g4"}));
}

TEST(GroupDialog, NothingIsDeletedWhileOnlyTwoGroupsExist) {
    ops_test::Doc doc({}, {""});
    GroupChoice choice;
    EXPECT_FALSE(DeleteGroup(doc.m, doc.objects, 1, choice));
    AddGroups(doc.m.groups, 3);
    EXPECT_FALSE(DeleteGroup(doc.m, doc.objects, 0, choice));  // "未定" never goes
    EXPECT_FALSE(DeleteGroup(doc.m, doc.objects, 3, choice));
    EXPECT_EQ(doc.m.groups.size(), 3u);
}

TEST(GroupProperties, ChecksThePowerThenTheName) {
    model::GroupTable groups;
    AddGroups(groups, 3);
    GroupPropertyFields f = GroupPropertyFieldsOf(groups, 3);  // a new group
    EXPECT_EQ(f.colour, 0xFFFFFFFFu);
    EXPECT_FALSE(f.hasMaterial);
    EXPECT_EQ(f.power, "1");
    struct Case {
        std::string power, name, message;
    };
    const Case cases[] = {
        {"x", "", "数字を入力してください。"},
        {"2", "  ", kEmptyNameText},
        {"2", " g2 ", kNameInUseText},  // trimmed before the comparison
        {"2", model::kGroupWhole, kNameInUseText},
        {"2", model::kGroupUndecided, ""},  // group 0 is not compared
        {"2", "new", ""},
    };
    for (const Case& c : cases) {
        f.power = c.power;
        f.name = c.name;
        EXPECT_EQ(ValidateGroupProperties(f, groups), c.message) << c.name;
    }
    GroupPropertyFields own = GroupPropertyFieldsOf(groups, 2);
    EXPECT_EQ(ValidateGroupProperties(own, groups), "");  // its own name is free to keep
}

TEST(GroupProperties, StoresTheGroupAndRemakesItsMaterial) {
    ops_test::Doc doc({"0, 0, 0", "1, 0, 0", "0, 1, 0"}, {"0, 1, 2"});
    GroupPropertyFields f = GroupPropertyFieldsOf(doc.m.groups, 2);
    f.name = " metal ";
    f.colour = 0xFF808080;
    f.hasMaterial = true;
    f.power = "8";
    f.specular = "1, 0.5, 0";
    f.emissive = "bad";  // unreadable: the old value (none yet: zero)
    ASSERT_EQ(ApplyGroupProperties(f, doc.m.groups, doc.objects), 2);
    const model::GroupEntry& g = doc.m.groups[2];
    EXPECT_EQ(g.name, "metal");
    EXPECT_EQ(g.hasMaterial, 1);
    ASSERT_TRUE(g.material);
    EXPECT_EQ(g.material->power, 8);
    EXPECT_EQ(g.material->specular, (std::array<float, 3>{1, 0.5f, 0}));
    EXPECT_EQ(g.material->emissive, (std::array<float, 3>{0, 0, 0}));

    doc.m.faces.FaceGroup[0] = 2;
    doc.host.RebuildPointMarkers(viewport::kReparseAll);
    const rm::MaterialPtr first = doc.objects.GroupMaterial(2);
    ASSERT_TRUE(first);
    f = GroupPropertyFieldsOf(doc.m.groups, 2);
    f.power = "3";
    ApplyGroupProperties(f, doc.m.groups, doc.objects);
    doc.host.RebuildModelMesh(0);
    ASSERT_TRUE(doc.objects.GroupMaterial(2));
    EXPECT_NE(doc.objects.GroupMaterial(2), first);  // a new material
    EXPECT_EQ(doc.objects.modelMesh->FaceMaterial(0)->Power(), 3);
}

TEST(FaceDialog, OwnColourGroupColourAndDelete) {
    ops_test::Doc doc({"0, 0, 0", "1, 0, 0", "0, 1, 0"}, {"0, 2, 1", "0, 1", "1, 2, 0"});
    AddGroups(doc.m.groups, 3);
    doc.host.RebuildPointMarkers(viewport::kReparseAll);
    doc.m.textureAssignment.faceTextureMap[2] = 0;

    FaceFields f = FaceFieldsOf(doc.m, 0);
    ASSERT_TRUE(f.valid);
    EXPECT_EQ(FaceEquationText(doc.m, *doc.objects.modelMesh, 0), "0, 0, -1,  0, 0, 0");
    f.group = 2;
    f.ownColour = true;
    f.colour = 0xFF00FF00;
    ASSERT_TRUE(ApplyFace(f, doc.m));
    EXPECT_EQ(doc.m.faces.FaceStatus[0] & 2, 2);
    EXPECT_EQ(doc.m.faces.FaceColor[0], int32_t(0xFF00FF00));
    EXPECT_EQ(doc.m.faces.FaceGroup[0], 2);
    doc.host.RebuildModelMesh(0);
    EXPECT_EQ(doc.objects.modelMesh->FaceColor(0), 0xFF00FF00u);

    f = FaceFieldsOf(doc.m, 0);
    EXPECT_TRUE(f.ownColour);
    f.ownColour = false;
    ApplyFace(f, doc.m);
    EXPECT_EQ(doc.m.faces.FaceStatus[0] & 2, 0);
    EXPECT_EQ(doc.m.faces.FaceColor[0], doc.m.groups[2].color);

    FaceFields invalid = FaceFieldsOf(doc.m, 1);  // "0, 1" is no face
    EXPECT_FALSE(invalid.valid);
    invalid.remove = true;
    EXPECT_FALSE(ApplyFace(invalid, doc.m));
    EXPECT_EQ(doc.m.faces.GetLine(1), "0, 1");

    f = FaceFieldsOf(doc.m, 2);
    f.remove = true;
    ASSERT_TRUE(ApplyFace(f, doc.m));
    EXPECT_EQ(doc.m.faces.GetLine(2), "");
    EXPECT_FALSE(doc.m.textureAssignment.faceTextureMap.contains(2));
}

}  // namespace
