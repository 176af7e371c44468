// The studio's application object: the scene, the settings, the main window with the tree
// and the 3D view, and the commands, started in the program's order.
#pragma once

#include <QStringList>
#include <memory>
#include <optional>
#include <string>

#include "platform/fileio/autosave.h"
#include "platform/shell.h"
#include "studio/app/scene_commands.h"
#include "studio/app/scene_watch.h"
#include "studio/app/studio_frame.h"
#include "studio/app/studio_settings.h"
#include "studio/render/studio_render.h"
#include "studio/scene/scene_doc.h"

namespace studio {

class CSceneView;
class CSceneScrollView;

struct StagoraServices {
    shell::SettingsStore* settings = nullptr;
    shell::Prompt* prompt = nullptr;
    shell::FileChooser* files = nullptr;
    shell::HelpOpener* help = nullptr;
    std::string programDirectory;
    // The folder dialog; the window's own when empty (tests answer it).
    std::function<std::optional<std::string>()> askFolderName;
};

class StagoraApp : public SceneCommandHost {
public:
    explicit StagoraApp(const StagoraServices& services);
    ~StagoraApp() override;

    // Before Start: keep unsaved work against a crash in this folder (no autosave without).
    void SetStateDirectory(std::string directory) { stateDirectory_ = std::move(directory); }

    // Settings, the window maximised and shown, then a file named on the command line.
    void Start(const QStringList& arguments);
    // The orderly end: settings saved with the normal-exit mark.
    void Shutdown();

    CSceneDoc& Document() { return doc_; }
    StudioFrame& Frame() { return *frame_; }
    CSceneView& Tree() { return *tree_; }
    CSceneScrollView& View() { return *view_; }
    SceneCommands& Commands() { return *commands_; }
    StudioSettings& Settings() { return settings_; }

    // SceneCommandHost
    void ItemsChanged() override;
    void SceneTitleChanged(const std::string& fileTitle) override;
    void RecentFileUsed(const std::string& path) override;
    int SelectedItem() override;
    std::optional<std::string> AskFolderName() override;
    bool EditObject(size_t index) override;
    bool EditLight(size_t index) override;
    void SceneStored() override;

    // This run's autosave; null when it is off.
    fileio::Autosaver* Autosave() { return autosave_.get(); }

private:
    void RegisterCommands();
    // Starts the autosave and offers work a crashed run left; true when that was opened.
    bool StartAutosave();
    void SaveImage();
    void HelpPage(std::string_view page);
    void OnScreen();
    std::optional<std::string> ChooseBackgroundImage(const std::string& current);
    void OnFog();
    void OnCamera();
    void OnAxis();
    void OnCreateLight();
    void OnGroupOperation();

    StagoraServices services_;
    StudioSettings settings_;
    CSceneDoc doc_;
    StudioRender render_;
    std::unique_ptr<StudioFrame> frame_;
    CSceneView* tree_ = nullptr;        // owned by the frame
    CSceneScrollView* view_ = nullptr;  // owned by the frame
    std::unique_ptr<SceneCommands> commands_;
    bool shutDown_ = false;
    std::string stateDirectory_;
    std::unique_ptr<SceneChangeWatch> watch_;
    std::unique_ptr<fileio::Autosaver> autosave_;
};

}  // namespace studio
