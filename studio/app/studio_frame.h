// The studio's main window (`CMainFrame`): menus, toolbar and keys from the command table,
// the recent files, the title, help and the About box, and a splitter holding the item tree
// (320 pixels wide) and the 3D view.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/qt/recent_files_menu.h"
#include "platform/shell.h"
#include "studio/app/recent_scenes.h"
#include "studio/app/studio_commands.h"

class QMenu;
class QSplitter;
class QToolBar;

namespace studio {

struct StudioFrameServices {
    shell::SettingsStore* settings = nullptr;  // keeps the recent files
    shell::HelpOpener* help = nullptr;
    std::string programDirectory;
};

inline constexpr int kTreeWidth = 320;

class StudioFrame : public QMainWindow {
public:
    explicit StudioFrame(StudioFrameServices services, QWidget* parent = nullptr);
    ~StudioFrame() override;

    // The tree and the 3D view, left and right; the frame owns them.
    void SetPanes(QWidget* tree, QWidget* view);
    QSplitter* Splitter() const { return splitter_; }

    // A command is enabled when it has a handler and its feature is ready.
    void SetHandler(int id, std::function<void()> handler);
    bool IsEnabled(int id) const;
    bool Dispatch(int id);
    // Called after each command that ran (the autosave looks at the scene then).
    std::function<void()> commandDone;
    QAction* Action(int id) const;
    QToolBar* ToolBar() const { return toolBar_; }
    QMenu* ContextMenu() const { return contextMenu_; }

    void SetOpenPathHandler(std::function<bool(const std::string&)> handler);
    void AddRecentFile(const std::string& path);
    const RecentScenes& RecentFiles() const { return recent_; }

    void SetTitle(const std::string& fileTitle);
    bool ShowHelp(std::string_view page);
    void ShowAbout();

private:
    void BuildMenus();
    void BuildToolBar();
    void RebuildRecentMenu();
    void UpdateAction(int id);

    StudioFrameServices services_;
    std::map<int, QAction*> actions_;
    std::map<int, std::function<void()>> handlers_;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    QSplitter* splitter_ = nullptr;
    RecentScenes recent_;
    qtshell::RecentFilesMenu recentMenu_;
    std::function<bool(const std::string&)> openPath_;
};

}  // namespace studio
