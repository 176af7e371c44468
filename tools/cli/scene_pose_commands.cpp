// scene-move and scene-turn, each SCENE OUT: an item of a scene moved or turned together with
// everything linked to it (its subtree and its joints), as a drag in the studio moves it, so a
// script can pose a scene. Values are checked before the scene is read.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "platform/text/cp932.h"
#include "studio/joints/group_operation.h"
#include "studio/joints/joints.h"
#include "studio/scene/scene_file.h"
#include "tools/cli/scene_commands.h"
#include "tools/cli/subcommand.h"
#include "tools/cli/tool_files.h"

namespace tools {

namespace {

struct PoseArgs {
    std::string in, out, item;
    std::string by, axis, angle;
};

void AddPoseFiles(CLI::App& command, PoseArgs& a) {
    const CLI::Validator kinds = ExtensionIn({"stg", "ktb"}, "a .stg or .ktb file");
    command.add_option("SCENE", a.in, "Scene file (.stg) or parts file (.ktb) to read")
        ->required()
        ->check(kinds);
    command.add_option("OUT", a.out, "File to write; .stg or .ktb by its extension")
        ->required()
        ->check(kinds);
    command.add_option("--item", a.item, "Name of the item (the first in tree order)")->required();
}

int Refuse(std::string_view what, std::string_view message) {
    std::cerr << "mokkel-tool: " << what << ": " << message << '\n';
    return kExitUsage;
}

// Reads the scene, finds the item, applies `pose` to it and writes OUT.
template <typename Pose>
int PoseScene(const PoseArgs& a, Pose pose) {
    auto doc = std::make_unique<studio::CSceneDoc>();
    if (!LoadScene(*doc, a.in)) return kExitFailed;
    const std::string name = text::Utf8ToCp932(a.item);
    const std::vector<studio::SceneItem>& items = doc->Items();
    size_t index = 0;
    while (index < items.size() && items[index].name != name) ++index;
    if (index == items.size()) return Fail(a.in, "Error!", a.in + ": no item is named " + a.item);
    pose(*doc, index);
    const studio::SceneFileResult saved = studio::SaveSceneFile(*doc, a.out);
    return saved.ok ? kExitOk : Fail(a.out, "Error!", saved.detail);
}

}  // namespace

Run DefineSceneMove(CLI::App& command) {
    auto a = std::make_shared<PoseArgs>();
    AddPoseFiles(command, *a);
    command.add_option("--by", a->by, "Move by X,Y,Z in scene axes")->required();
    command.footer(
        "The item's folder contents and the items joined to it move along.\n"
        "Example: mokkel-tool scene-move sample.stg moved.stg --item set --by 0,1,0");
    return [a] {
        studio::GroupFields f;
        f.operation = studio::kGroupMove;
        f.move = a->by;
        studio::GroupEdit e;
        if (const std::string m = studio::CheckGroupFields(f, e); !m.empty())
            return Refuse("--by", m);
        return PoseScene(*a, [&](studio::CSceneDoc& doc, size_t item) {
            studio::MoveItemSet(doc, e.move, item, studio::kAllJoints);
        });
    };
}

Run DefineSceneTurn(CLI::App& command) {
    auto a = std::make_shared<PoseArgs>();
    AddPoseFiles(command, *a);
    command
        .add_option("--axis", a->axis,
                    "Axis \"DX,DY,DZ, PX,PY,PZ\": its direction, then a point on it")
        ->required();
    command
        .add_option("--angle", a->angle,
                    "Degrees, clockwise seen along the axis direction (negative: the other way)")
        ->required();
    command.footer(
        "The item's folder contents and the items joined to it turn along.\n"
        "Example: mokkel-tool scene-turn sample.stg turned.stg --item cube "
        "--axis \"0,1,0, 1.5,0,1.5\" --angle 45");
    return [a] {
        studio::GroupFields f;
        f.operation = studio::kGroupTurn;
        f.axis = a->axis;
        f.angle = a->angle;
        studio::GroupEdit e;
        if (const std::string m = studio::CheckGroupFields(f, e); !m.empty())
            return Refuse(studio::ReadNumberField(a->angle) ? "--axis" : "--angle", m);
        if (e.axis == rm::Vector3{}) return Refuse("--axis", "the direction must not be 0, 0, 0");
        return PoseScene(*a, [&](studio::CSceneDoc& doc, size_t item) {
            studio::TurnItemSet(doc, e.point, e.axis, e.angle, item, studio::kAllJoints);
        });
    };
}

}  // namespace tools
