// The studio's file and tree commands without a window: open, save, save as, clear all,
// create folder, delete, properties, save parts and the tree's drop. The window supplies the
// desktop (message boxes, file dialogs) and is told what changed.
#pragma once

#include <optional>
#include <string>

#include "platform/shell.h"
#include "studio/app/studio_settings.h"
#include "studio/scene/scene_doc.h"

namespace studio {

inline constexpr std::string_view kOpenFilter =
    "Stagora用ファイル(*.stg; *.ktb; *.mkl; *.x)|*.stg;*.ktb;*.mkl;*.x||";
inline constexpr std::string_view kPartsFilter =
    "Stagoraパーツデータ(*.ktb)|*.ktb|Xファイル(*.x)|*.x||";
inline constexpr std::string_view kModelFilter = "Mokkelファイル (*.mkl;*.x)|*.mkl;*.x||";
inline constexpr std::string_view kSceneSaveFilter =
    "Stagoraファイル(*.stg)|*.stg|Stagoraパーツデータ(*.ktb)|*.ktb|Xファイル(*.x)|*.x||";
// The interchange formats, offered after the designed filters: models to open as objects,
// the scene to export.
inline constexpr std::string_view kInterchangeOpenFilters =
    "glTF, Wavefront OBJ (*.gltf; *.glb; *.obj)|*.gltf;*.glb;*.obj";
inline constexpr std::string_view kInterchangeSceneFilters =
    "glTF バイナリ (*.glb)|*.glb|glTF (*.gltf)|*.gltf";
inline constexpr std::string_view kAskOverwrite = "\nファイルを上書きしますか？";
inline constexpr std::string_view kAskClearAll = "全てのアイテムを消去します。";
inline constexpr std::string_view kMsgError = "Error!";

class SceneCommandHost {
public:
    virtual ~SceneCommandHost() = default;
    // The item list changed: rebuild the tree and draw the scene again.
    virtual void ItemsChanged() = 0;
    // The scene file's title for the window ("" for none).
    virtual void SceneTitleChanged(const std::string& fileTitle) = 0;
    virtual void RecentFileUsed(const std::string& path) = 0;
    // The tree's selected item, or -1.
    virtual int SelectedItem() = 0;
    // The folder dialog: the name (UTF-8), or nothing when cancelled.
    virtual std::optional<std::string> AskFolderName() = 0;
    // The object dialog for item `index`; true when the item changed.
    virtual bool EditObject(size_t index) = 0;
    // The light dialog for the light item `index`; true when it changed.
    virtual bool EditLight(size_t index) = 0;
    // The scene now matches a scene file (opened into an empty scene, or written whole) or
    // is empty again: nothing in it is unsaved.
    virtual void SceneStored() {}
};

class SceneCommands {
public:
    SceneCommands(CSceneDoc& doc, StudioSettings& settings, shell::Prompt& prompt,
                  shell::FileChooser& files, SceneCommandHost& host);

    void OnOpen();
    // The open command's second step; also the command line and the recent files. False
    // when nothing could be opened.
    bool OpenPath(const std::string& nativePath);
    void OnSave();
    // Opens a scene the autosave kept as the work it was: appended like a scene file, and
    // belonging to `originalPath` again (no file when empty). False when it cannot be read.
    bool OpenRecovered(const std::string& copyPath, const std::string& originalPath);
    void OnSaveAs();
    void OnClearAll();
    void OnCreateFolder();
    void OnDelete();
    void OnProperties();
    // The dialog of item `index` by its kind (object or light; the tree's properties and the
    // view's double-click); true when the item changed and the tree was refreshed.
    bool EditItem(size_t index);
    void OnSaveParts();
    // The tree's drop: true when the items moved.
    bool DropItem(size_t dragged, size_t target, bool shift);

    const std::string& ScenePath() const { return scenePath_; }
    // The folder the file dialogs start in (the settings' Directory\File).
    const std::string& LastDirectory() const { return settings_.fileDirectory; }

private:
    bool WriteItems(const std::string& path, int first, int last);
    void UseDirectoryOf(const std::string& path);

    CSceneDoc& doc_;
    StudioSettings& settings_;
    shell::Prompt& prompt_;
    shell::FileChooser& files_;
    SceneCommandHost& host_;
    std::string scenePath_;
};

}  // namespace studio
