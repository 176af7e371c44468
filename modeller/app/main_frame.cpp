#include "modeller/app/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "modeller/app/about_dialog.h"
#include "modeller/app/command_table.h"
#include "modeller/app/help_address.h"
#include "modeller/app/window_title.h"
#include "platform/qt/qt_text.h"
#include "platform/shell.h"

// The icons are compiled into this library; a static library's resources need a reference
// to be linked in, and the macro cannot sit inside a namespace.
static void InitFrameResources() {
    Q_INIT_RESOURCE(mokkel);
}

namespace modeller {

namespace {

using qtshell::Qs;

// What the framework's own open dialog offers when the document template names no filter.
constexpr std::string_view kFrameworkOpenTitle = "開く";
constexpr std::string_view kFrameworkOpenFilter = "すべてのﾌｧｲﾙ (*.*)|*.*||";

}  // namespace

CMainFrame::CMainFrame(FrameServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    InitFrameResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/mokkel.png")));
    for (const Command& c : Commands()) switchedOn_[c.id] = StartsEnabled(c);

    if (services_.settings) recent_.Load(*services_.settings);
    BuildMenus();
    BuildToolBar();
    BuildAccelerators();
    InstallBuiltInHandlers();
    RebuildRecentMenu();
    RefreshTitle();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenus() {
    for (TopMenu top : kTopMenus) {
        QMenu* menu = menuBar()->addMenu(Qs(TopMenuTitle(top)));
        menus_[top] = menu;
        for (int id : MenuLayout(top)) {
            if (id == kSeparator) {
                // The recent block is filled in above the separator that follows it.
                recentMenu_.SeparatorAdded(menu->addSeparator());
                continue;
            }
            if (id == cmd::kRecentFirst) {
                // Placeholder until RebuildRecentMenu runs; remembered so the block is found.
                recentMenu_.HoldPlace(menu->addAction(Qs(FindCommand(id)->caption)));
                continue;
            }
            const Command* c = FindCommand(id);
            QAction* action = menu->addAction(Qs(MenuText(*c)));
            action->setData(id);
            action->setCheckable(c->checkable);
            action->setIconVisibleInMenu(false);
            connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
            actions_[id] = action;
        }
    }
}

void CMainFrame::BuildToolBar() {
    toolBar_ = new QToolBar(Qs(PlainCaption(FindCommand(cmd::kToolbar)->caption)), this);
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    for (const ToolButton& b : ToolbarLayout()) {
        if (b.id == kSeparator) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = actions_.at(b.id);
        action->setIcon(
            QIcon(QStringLiteral(":/icons/toolbar/") + Qs(b.icon) + QStringLiteral(".png")));
        action->setToolTip(Qs(PlainCaption(FindCommand(b.id)->caption)));
        toolBar_->addAction(action);
    }
    actions_.at(cmd::kToolbar)->setChecked(true);
}

void CMainFrame::BuildAccelerators() {
    // Keys are separate from the menu items, as in an accelerator table: the menus only show
    // the key text, and Ctrl+O reaches a different command from the open item.
    for (const Accelerator& a : Accelerators()) {
        auto* key = new QAction(this);
        key->setShortcut(QKeySequence(Qs(a.keys), QKeySequence::PortableText));
        key->setShortcutContext(Qt::WindowShortcut);
        key->setData(a.id);
        const int id = a.id;
        connect(key, &QAction::triggered, this, [this, id] { Dispatch(id); });
        addAction(key);
    }
}

void CMainFrame::InstallBuiltInHandlers() {
    handlers_[cmd::kExit] = [this] { close(); };
    handlers_[cmd::kHelpFinder] = [this] { ShowHelp({}); };
    handlers_[cmd::kHelp] = [this] { ShowHelp(kMainWindowHelpPage); };
    handlers_[cmd::kContextHelp] = [this] { ShowHelp(kMainWindowHelpPage); };
    handlers_[cmd::kAbout] = [this] { ShowAbout(); };
    handlers_[cmd::kToolbar] = [this] { ToggleToolBar(); };
    if (services_.files) handlers_[cmd::kFrameworkOpen] = [this] { FrameworkOpen(); };
    for (const auto& [id, action] : actions_) UpdateAction(id);
}

void CMainFrame::SetHandler(int id, std::function<void()> handler) {
    if (handler) {
        handlers_[id] = std::move(handler);
    } else {
        handlers_.erase(id);
    }
    UpdateAction(id);
}

void CMainFrame::SetEnabled(int id, bool enabled) {
    switchedOn_[id] = enabled;
    UpdateAction(id);
}

void CMainFrame::SetChecked(int id, bool checked) {
    if (id == cmd::kToolbar && toolBar_) toolBar_->setHidden(!checked);
    if (QAction* action = Action(id); action && action->isCheckable()) {
        action->setChecked(checked);
    }
}

bool CMainFrame::IsEnabled(int id) const {
    if (!handlers_.contains(id)) return false;
    auto on = switchedOn_.find(id);
    return on == switchedOn_.end() || on->second;
}

bool CMainFrame::IsChecked(int id) const {
    QAction* action = Action(id);
    return action && action->isChecked();
}

bool CMainFrame::Dispatch(int id) {
    if (!IsEnabled(id)) return false;
    // A copy: the handler may replace itself (or the recent list) while it runs.
    std::function<void()> handler = handlers_.at(id);
    handler();
    if (commandDone) commandDone();
    return true;
}

void CMainFrame::UpdateAction(int id) {
    if (QAction* action = Action(id)) action->setEnabled(IsEnabled(id));
}

QAction* CMainFrame::Action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* CMainFrame::Menu(TopMenu menu) const {
    auto it = menus_.find(menu);
    return it == menus_.end() ? nullptr : it->second;
}

void CMainFrame::SetOpenPathHandler(std::function<bool(const std::string&)> handler) {
    openPath_ = std::move(handler);
    RebuildRecentMenu();
}

void CMainFrame::SetCloseQuery(std::function<bool()> query) {
    closeQuery_ = std::move(query);
}

void CMainFrame::AddRecentFile(const std::string& path) {
    recent_.Add(path);
    StoreRecent();
    RebuildRecentMenu();
}

void CMainFrame::StoreRecent() {
    // Written at once rather than at exit, so a run that ends badly keeps its list.
    if (services_.settings) recent_.Save(*services_.settings);
}

void CMainFrame::RebuildRecentMenu() {
    for (int id = cmd::kRecentFirst; id <= cmd::kRecentLast; ++id) {
        actions_.erase(id);
        handlers_.erase(id);
    }
    const std::vector<std::string>& paths = recent_.Paths();
    std::vector<std::string> texts;
    for (size_t i = 0; i < paths.size(); ++i)
        texts.push_back(RecentFileMenuText(i, paths[i], services_.programDirectory));
    QMenu* file = menus_.at(TopMenu::File);
    const std::vector<QAction*> made =
        recentMenu_.Rebuild(file, texts, FindCommand(cmd::kRecentFirst)->caption, file);
    if (paths.empty()) {
        made.front()->setData(cmd::kRecentFirst);
        actions_[cmd::kRecentFirst] = made.front();
        return;
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        const int id = cmd::kRecentFirst + static_cast<int>(i);
        QAction* action = made[i];
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
        actions_[id] = action;
        if (openPath_) handlers_[id] = [this, i] { OpenRecent(i); };
        UpdateAction(id);
    }
}

void CMainFrame::OpenRecent(size_t index) {
    if (!openPath_ || index >= recent_.Paths().size()) return;
    const std::string path = recent_.Paths()[index];
    if (openPath_(path)) return;
    qtshell::DropRecentPath(recent_, path);
    StoreRecent();
    RebuildRecentMenu();
}

void CMainFrame::FrameworkOpen() {
    if (!services_.files) return;
    shell::FileRequest request;
    request.title = std::string(kFrameworkOpenTitle);
    request.filter = std::string(kFrameworkOpenFilter);
    request.initialDirectory = services_.programDirectory;
    std::optional<std::string> path = services_.files->Choose(request);
    if (path && openPath_) openPath_(*path);
}

void CMainFrame::ToggleToolBar() {
    SetChecked(cmd::kToolbar, toolBar_->isHidden());
}

void CMainFrame::SetTitle(std::string fileTitle) {
    fileTitle_ = std::move(fileTitle);
    RefreshTitle();
}

void CMainFrame::SetModified(bool modified) {
    modified_ = modified;
    RefreshTitle();
}

void CMainFrame::RefreshTitle() {
    // Qt reads "[*]" in a title as its own modified marker; doubling it keeps a file name
    // that happens to contain it as it is.
    QString title = Qs(WindowTitle(fileTitle_, modified_));
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title);
}

void CMainFrame::SetView(QWidget* view) {
    setCentralWidget(view);
}

bool CMainFrame::ShowHelp(std::string_view page) {
    if (!services_.help) return false;
    return services_.help->Open(HelpAddress(services_.programDirectory, page));
}

void CMainFrame::ShowAbout() {
    CAboutDlg dialog(this);
    dialog.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (closeQuery_ && !closeQuery_()) {
        event->ignore();
        return;
    }
    event->accept();
}

// The toolbar is switched from the view menu only, so its check mark always tells the truth.
QMenu* CMainFrame::createPopupMenu() {
    return nullptr;
}

}  // namespace modeller
