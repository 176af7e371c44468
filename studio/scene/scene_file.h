// The scene file (.stg) and the parts file (.ktb): header, the file's directory, the items in
// tree order with their placements, the joints, the environment, "END". Objects name their
// model files by paths relative to the file's directory.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "studio/scene/scene_doc.h"

namespace studio {

inline constexpr const char* kMsgSceneFileNotFound = "ファイルが見つかりません";

enum class SceneFileError {
    kNone,
    kFileNotFound,      // cannot be opened: "ファイルが見つかりません", nothing added
    kUnknownExtension,  // neither "stg" nor "ktb" (nor "x" when saving): silent
    kItemsDamaged,      // the ITEM section cannot be followed: nothing added
    kJointsDamaged,     // an unexpected line in JOINT: the joints before it are kept
    kEnvironmentDamaged,
    kWriteFailed,
};

struct SceneFileResult {
    bool ok = false;
    SceneFileError error = SceneFileError::kNone;
    std::string message;  // the text to show (UTF-8); empty when the failure is silent
    std::string detail;   // where and why, for logs and the tool
    AppendReport report;  // what the load added; its messages come from the model readers
};

// What a scene or parts file holds, read without making anything.
struct SceneFileContents {
    std::string savedDirectory;  // CP932, as stored
    std::vector<PendingItem> items;
    std::vector<PendingJoint> joints;
    bool jointsOk = true;
    // Which parts of the environment were read whole.
    bool hasEnvironment = false, hasCamera = false, hasFog = false;
    bool environmentOk = true;
    SceneEnvironment environment;
    Placement camera;
    rm::Vector3 lookAt{0, 0, 0};
};

// The reader alone (hostile input safe: counts are checked against the bytes left, every
// record against its end). `error` is kNone, kFileNotFound, kUnknownExtension or
// kItemsDamaged; the joint and environment damage is in the contents.
SceneFileError ReadSceneFile(const std::string& nativePath, bool readEnvironment,
                             SceneFileContents& contents, std::string* detail = nullptr);

// `LoadSceneFile`: reads the file and appends its items after the existing ones. The scene
// open reads the environment too; the parts insertion does not, and moves the inserted
// block to the top level of the tree.
SceneFileResult LoadSceneFile(CSceneDoc& doc, const std::string& nativePath, bool readEnvironment);
// The same load from the file's bytes already in memory; `nativePath` still decides the
// extension and the directories the object paths are resolved against.
SceneFileResult LoadSceneBytes(CSceneDoc& doc, std::string_view bytes,
                               const std::string& nativePath, bool readEnvironment);

struct SaveOptions {
    bool binaryX = false;  // the X export as binary
};

// `SaveSceneFile`: the items first to last (a first below 0 becomes 0, a last below 0 or
// beyond the end the last item) with their joints and the environment. The extension picks
// the header: "stg" scene, "ktb" parts; "x" exports the items' meshes as one X file. The
// previous file stays whole when the write fails.
SceneFileResult SaveSceneFile(CSceneDoc& doc, const std::string& nativePath, int first = 0,
                              int last = -1, const SaveOptions& options = {});

}  // namespace studio
