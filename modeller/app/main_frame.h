// The modeller's main window: menu bar, toolbar and accelerators built from the command
// table, the window title, the recent-file list, help and the About box. It owns no
// document: commands are dispatched by id to handlers registered from outside, and the view
// is handed in.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "modeller/app/recent_file_list.h"
#include "platform/qt/recent_files_menu.h"

class QAction;
class QMenu;
class QToolBar;

namespace shell {
class FileChooser;
class HelpOpener;
class SettingsStore;
}  // namespace shell

namespace modeller {

struct FrameServices {
    shell::SettingsStore* settings = nullptr;  // keeps the recent files; none: this run only
    shell::HelpOpener* help = nullptr;         // none: help does nothing
    shell::FileChooser* files = nullptr;       // the framework's open dialog (Ctrl+O)
    std::string programDirectory;              // help file location; shortens recent names
};

class CMainFrame : public QMainWindow {
public:
    explicit CMainFrame(FrameServices services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // A command is enabled when it has a handler and has not been switched off. Exit, help,
    // About, the toolbar switch and the recent files have built-in handlers, which a handler
    // set here replaces. An empty function removes the handler.
    void SetHandler(int id, std::function<void()> handler);
    void SetEnabled(int id, bool enabled);
    void SetChecked(int id, bool checked);
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;

    // Runs the command's handler when the command is enabled; false when nothing ran.
    bool Dispatch(int id);
    // Called after each command that ran (the autosave looks at the document then).
    std::function<void()> commandDone;

    // The framework's open path, used by the recent files and Ctrl+O. Returns whether the
    // file could be opened; a recent entry that fails is dropped from the list.
    void SetOpenPathHandler(std::function<bool(const std::string& path)> handler);
    // Asked before the window closes (close box or exit); false keeps it open.
    void SetCloseQuery(std::function<bool()> query);

    void AddRecentFile(const std::string& path);
    const RecentFileList& RecentFiles() const { return recent_; }

    void SetTitle(std::string fileTitle);
    void SetModified(bool modified);
    const std::string& FileTitle() const { return fileTitle_; }
    bool IsModified() const { return modified_; }

    // Takes ownership of the view and shows it in the client area.
    void SetView(QWidget* view);

    // Opens the help file at a page ("" for its start page); false when it could not.
    bool ShowHelp(std::string_view page);
    void ShowAbout();

    // The menu item of a command (also the toolbar button's action); nullptr when the id has
    // no menu item. Recent-file ids name the list's current entries.
    QAction* Action(int id) const;
    QToolBar* ToolBar() const { return toolBar_; }
    QMenu* Menu(TopMenu menu) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void BuildMenus();
    void BuildToolBar();
    void BuildAccelerators();
    void InstallBuiltInHandlers();
    void UpdateAction(int id);
    void RebuildRecentMenu();
    void OpenRecent(size_t index);
    void FrameworkOpen();
    void ToggleToolBar();
    void RefreshTitle();
    void StoreRecent();

    FrameServices services_;
    std::map<int, QAction*> actions_;
    std::map<int, std::function<void()>> handlers_;
    std::map<int, bool> switchedOn_;  // SetEnabled's state; table stage until then
    std::map<TopMenu, QMenu*> menus_;
    QToolBar* toolBar_ = nullptr;

    RecentFileList recent_;
    qtshell::RecentFilesMenu recentMenu_;
    std::function<bool(const std::string&)> openPath_;
    std::function<bool()> closeQuery_;

    std::string fileTitle_;
    bool modified_ = false;
};

}  // namespace modeller
