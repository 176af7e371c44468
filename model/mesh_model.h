// The one model of the document: both sheets and every side table, cleared, loaded and
// saved together.
#pragma once

#include <string>

#include "model/current_file.h"
#include "model/group_table.h"
#include "model/sheet.h"
#include "model/side_settings.h"
#include "model/texture_tables.h"

namespace shell {
class Prompt;
}

namespace model {

struct MeshModel {
    PointSheet points;
    FaceSheet faces;
    GroupTable groups;
    TextureList textures;
    TextureAssignment textureAssignment;
    WrapSettings wrap;
    JointList joints;
    MirrorSettings mirror;
    DeviceType deviceType = 0;
    CurrentFile currentFile;
    std::string SavedModelDirectory;  // CP932, from the file's DIRECTORY section
};

// What clearing asks of the program around the model.
class ClearHost {
public:
    virtual ~ClearHost() = default;
    virtual bool IsModified() const { return false; }
    // Saves the model first (the save command); false when that failed or was cancelled.
    virtual bool SaveFirst() { return true; }
    virtual void ShowTitleWithoutFile() {}
    virtual void RefreshViews() {}
};

inline constexpr const char* kAskSaveText = "作業中のファイルを保存しますか？";

// Resets the model to a new one. With `confirm` and a modified model the user is asked to
// save first; Cancel (or a failed save) abandons the clear and returns false.
bool ClearModel(MeshModel& model, shell::Prompt* prompt, ClearHost* host, bool confirm);

}  // namespace model
