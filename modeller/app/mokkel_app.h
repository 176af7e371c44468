// The modeller's application object: the document, the main window and the view wired
// together over the desktop services, started in the program's order.
#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "modeller/app/main_frame.h"
#include "modeller/app/settings.h"
#include "modeller/document/model_doc.h"
#include "platform/fileio/autosave.h"
#include "platform/shell.h"

class QTimer;

namespace modeller {

class CModelView;
class OpsCommands;
class PlaneCommands;
class PickCommands;
class SettingsCommands;

struct AppServices {
    shell::SettingsStore* settings = nullptr;
    shell::Prompt* prompt = nullptr;
    shell::FileChooser* files = nullptr;
    shell::Clipboard* clipboard = nullptr;
    shell::HelpOpener* help = nullptr;
    std::string programDirectory;
};

class MokkelApp {
public:
    explicit MokkelApp(const AppServices& services);
    ~MokkelApp();

    // Before Start: keep unsaved work against a crash in this folder (no autosave without).
    void SetStateDirectory(std::string directory) { stateDirectory_ = std::move(directory); }

    // Shows the main window maximised, sets up the 3D pane as its first paint would, and
    // opens a file named on the command line (arguments after the program's name).
    void Start(const QStringList& arguments);
    // The orderly end: settings saved, render objects released.
    void Shutdown();

    CModelDoc& Document() { return doc_; }
    CMainFrame& Frame() { return *frame_; }
    CModelView& View() { return *view_; }
    ModellerSettings& Settings() { return settings_; }
    PlaneCommands& Plane() { return *plane_; }
    PickCommands& Picks() { return *picks_; }

    // This run's autosave; null when it is off.
    fileio::Autosaver* Autosave() { return autosave_.get(); }

private:
    void RegisterCommands();
    // Starts the autosave and offers work a crashed run left; true when that was opened.
    bool StartAutosave();

    AppServices services_;
    ModellerSettings settings_;
    CModelDoc doc_;
    std::unique_ptr<CMainFrame> frame_;
    CModelView* view_ = nullptr;  // owned by the frame
    std::unique_ptr<OpsCommands> ops_;
    std::unique_ptr<PlaneCommands> plane_;
    std::unique_ptr<PickCommands> picks_;
    std::unique_ptr<SettingsCommands> settingsCommands_;
    std::string stateDirectory_;
    std::unique_ptr<fileio::Autosaver> autosave_;
    QTimer* autosaveTimer_ = nullptr;  // owned by the frame
};

}  // namespace modeller
