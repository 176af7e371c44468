#include "studio/app/scene_commands.h"

#include <filesystem>

#include "platform/file_filters.h"
#include "platform/fileio/path_name.h"
#include "platform/text/cp932.h"
#include "studio/app/tree_rules.h"
#include "studio/scene/scene_file.h"
#include "viewport/interchange_model.h"

namespace studio {

namespace {

constexpr std::string_view kModelExtension = "mkl";

}  // namespace

SceneCommands::SceneCommands(CSceneDoc& doc, StudioSettings& settings, shell::Prompt& prompt,
                             shell::FileChooser& files, SceneCommandHost& host)
    : doc_(doc), settings_(settings), prompt_(prompt), files_(files), host_(host) {}

void SceneCommands::UseDirectoryOf(const std::string& path) {
    settings_.fileDirectory = std::filesystem::path(path).parent_path().string();
}

void SceneCommands::OnOpen() {
    shell::FileRequest request;
    request.filter = shell::WithFurtherFilters(kOpenFilter, kInterchangeOpenFilters);
    request.defaultExtension = std::string(kModelExtension);
    request.initialDirectory = settings_.fileDirectory;
    if (auto path = files_.Choose(request)) OpenPath(*path);
}

bool SceneCommands::OpenPath(const std::string& nativePath) {
    const std::string ext = fileio::ExtensionOf(nativePath);
    bool opened = false;
    if (ext == "stg" || ext == "ktb") {
        const bool scene = ext == "stg";
        const bool wasEmpty = doc_.Items().empty();
        SceneFileResult r = LoadSceneFile(doc_, nativePath, scene);
        if (!r.message.empty()) prompt_.Tell(r.message);
        // A damaged joint or environment section still brings its items.
        opened = r.ok || r.report.added > 0;
        host_.ItemsChanged();
        if (opened && scene) {
            scenePath_ = nativePath;
            host_.SceneTitleChanged(std::string(fileio::FileNameOf(nativePath)));
            if (r.ok && wasEmpty) host_.SceneStored();
        }
    } else if (ext == "x" || ext == "mkl" || viewport::IsInterchangeExtension(ext)) {
        opened = doc_.AppendObject(nativePath);
        if (opened) {
            host_.ItemsChanged();
        } else {
            prompt_.Tell(kMsgError);
        }
    } else {
        prompt_.Tell(kMsgError);
    }
    UseDirectoryOf(nativePath);
    if (opened) host_.RecentFileUsed(nativePath);
    return opened;
}

bool SceneCommands::WriteItems(const std::string& path, int first, int last) {
    SaveOptions options;
    options.binaryX = settings_.xFormat != 0;
    SceneFileResult r = SaveSceneFile(doc_, path, first, last, options);
    if (!r.ok) {
        if (!r.message.empty()) {
            prompt_.Tell(r.message);
        } else if (r.error == SceneFileError::kWriteFailed) {
            // The previous file is whole; the user must not think this one was written.
            prompt_.Tell(kMsgError);
        }
    }
    return r.ok;
}

void SceneCommands::OnSave() {
    if (scenePath_.empty()) {
        OnSaveAs();
        return;
    }
    std::string question(fileio::FileNameOf(scenePath_));
    question += kAskOverwrite;
    if (prompt_.Ask(question, {}, shell::Buttons::YesNoCancel) != shell::Answer::Yes) return;
    if (WriteItems(scenePath_, 0, -1) && fileio::ExtensionOf(scenePath_) == "stg")
        host_.SceneStored();
}

bool SceneCommands::OpenRecovered(const std::string& copyPath, const std::string& originalPath) {
    SceneFileResult r = LoadSceneFile(doc_, copyPath, true);
    if (!r.message.empty()) prompt_.Tell(r.message);
    host_.ItemsChanged();
    if (!r.ok && r.report.added == 0) return false;
    scenePath_ = originalPath;
    host_.SceneTitleChanged(std::string(fileio::FileNameOf(originalPath)));
    return true;
}

void SceneCommands::OnSaveAs() {
    shell::FileRequest request;
    request.save = true;
    request.filter = shell::WithFurtherFilters(kSceneSaveFilter, kInterchangeSceneFilters);
    request.defaultExtension = "stg";
    request.initialDirectory = settings_.fileDirectory;
    auto path = files_.Choose(request);
    if (!path) return;
    UseDirectoryOf(*path);
    // The scene keeps belonging to its file when the new one could not be written.
    if (!WriteItems(*path, 0, -1)) return;
    scenePath_ = *path;
    host_.RecentFileUsed(*path);
    if (fileio::ExtensionOf(*path) == "stg") {
        host_.SceneStored();
        host_.SceneTitleChanged(std::string(fileio::FileNameOf(*path)));
    }
}

void SceneCommands::OnClearAll() {
    if (prompt_.Ask(kAskClearAll, {}, shell::Buttons::OkCancel) != shell::Answer::Ok) return;
    doc_.DeleteAll();
    host_.ItemsChanged();
    host_.SceneStored();
}

void SceneCommands::OnCreateFolder() {
    auto name = host_.AskFolderName();
    if (!name) return;
    doc_.AppendFolder(text::Utf8ToCp932(*name));
    host_.ItemsChanged();
}

void SceneCommands::OnDelete() {
    const int index = host_.SelectedItem();
    if (index < 0 || static_cast<size_t>(index) >= doc_.Items().size()) return;
    doc_.DeleteSubtree(static_cast<size_t>(index));
    host_.ItemsChanged();
}

void SceneCommands::OnProperties() {
    const int index = host_.SelectedItem();
    if (index >= 0) EditItem(static_cast<size_t>(index));
}

bool SceneCommands::EditItem(size_t index) {
    if (index >= doc_.Items().size()) return false;
    const uint8_t kind = doc_.Items()[index].kind;
    // A folder's dialog is the group operation, on the tree's context menu.
    bool changed = false;
    if (IsObjectKind(kind))
        changed = host_.EditObject(index);
    else if (IsLightKind(kind))
        changed = host_.EditLight(index);
    if (changed) host_.ItemsChanged();
    return changed;
}

void SceneCommands::OnSaveParts() {
    const int index = host_.SelectedItem();
    if (index < 0) return;
    const ItemRange range = PartsRange(doc_.Items(), static_cast<size_t>(index));
    if (range.Empty()) return;
    shell::FileRequest request;
    request.save = true;
    request.filter = std::string(kPartsFilter);
    request.defaultExtension = "ktb";
    request.initialDirectory = settings_.fileDirectory;
    auto path = files_.Choose(request);
    if (!path) return;
    WriteItems(*path, static_cast<int>(range.first), static_cast<int>(range.end) - 1);
    UseDirectoryOf(*path);
}

bool SceneCommands::DropItem(size_t dragged, size_t target, bool shift) {
    if (!MoveItemBlock(doc_.Items(), dragged, target, shift)) return false;
    host_.ItemsChanged();
    return true;
}

}  // namespace studio
