// The modeller's application object: the document, the main window and the view wired
// together over the desktop services, started in the program's order.
#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "modeller/app/main_frame.h"
#include "modeller/app/settings.h"
#include "modeller/document/model_doc.h"
#include "platform/shell.h"

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

private:
    void RegisterCommands();

    AppServices services_;
    ModellerSettings settings_;
    CModelDoc doc_;
    std::unique_ptr<CMainFrame> frame_;
    CModelView* view_ = nullptr;  // owned by the frame
    std::unique_ptr<OpsCommands> ops_;
    std::unique_ptr<PlaneCommands> plane_;
    std::unique_ptr<PickCommands> picks_;
    std::unique_ptr<SettingsCommands> settingsCommands_;
};

}  // namespace modeller
