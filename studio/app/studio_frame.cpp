#include "studio/app/studio_frame.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

#include "studio/app/dialog_parts.h"

// A static library's resources need a reference to be linked in, outside any namespace.
static void InitStudioResources() {
    Q_INIT_RESOURCE(stagora);
}

namespace studio {

namespace {

std::string PlainCaption(std::string_view caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '(' && i + 1 < caption.size() && caption[i + 1] == '&') {
            const size_t close = caption.find(')', i);
            if (close != std::string_view::npos) {
                i = close;
                continue;
            }
        }
        if (caption[i] != '&') out += caption[i];
    }
    while (!out.empty() && out.back() == '.') out.pop_back();
    return out;
}

constexpr std::string_view kAboutCaption = "Stagora のﾊﾞｰｼﾞｮﾝ情報";
constexpr std::string_view kAboutDescription = "Mokkel のモデルを並べてシーンを組み立てるスタジオ";
constexpr std::string_view kVersion = "1.0";

}  // namespace

StudioFrame::StudioFrame(StudioFrameServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    InitStudioResources();
    setObjectName(QStringLiteral("StagoraFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/stagora.png")));
    if (services_.settings) recent_.Load(*services_.settings);
    BuildMenus();
    BuildToolBar();
    handlers_[cmd::kExit] = [this] { close(); };
    handlers_[cmd::kHelp] = [this] { ShowHelp({}); };
    handlers_[cmd::kAbout] = [this] { ShowAbout(); };
    for (const auto& [id, action] : actions_) UpdateAction(id);
    RebuildRecentMenu();
    SetTitle("");

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("StudioSplitter"));
    splitter_->setChildrenCollapsible(false);
    setCentralWidget(splitter_);
}

StudioFrame::~StudioFrame() = default;

void StudioFrame::SetPanes(QWidget* tree, QWidget* view) {
    splitter_->addWidget(tree);
    splitter_->addWidget(view);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    tree->resize(kTreeWidth, tree->height());
    splitter_->setSizes({kTreeWidth, std::max(1, width() - kTreeWidth)});
}

void StudioFrame::BuildMenus() {
    for (StudioMenu top : kStudioMenuBar) {
        QMenu* menu = menuBar()->addMenu(Qs(StudioMenuTitle(top)));
        if (top == StudioMenu::File) fileMenu_ = menu;
        for (int id : StudioMenuLayout(top)) {
            if (id == kStudioSeparator) {
                recentMenu_.SeparatorAdded(menu->addSeparator());
                continue;
            }
            if (id == cmd::kRecentFirst) {
                recentMenu_.HoldPlace(menu->addAction(QString()));
                continue;
            }
            const StudioCommand* c = FindStudioCommand(id);
            QAction* action = menu->addAction(Qs(StudioMenuText(*c)));
            action->setCheckable(c->checkable);
            action->setIconVisibleInMenu(false);
            if (!c->accelerator.empty())
                action->setShortcut(QKeySequence(Qs(c->accelerator), QKeySequence::PortableText));
            connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
            actions_[id] = action;
        }
    }
    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("TreeContextMenu"));
    for (int id : StudioMenuLayout(StudioMenu::TreeContext)) {
        if (id == kStudioSeparator) {
            contextMenu_->addSeparator();
            continue;
        }
        QAction* action = contextMenu_->addAction(Qs(FindStudioCommand(id)->caption));
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
        actions_[id] = action;
    }
}

void StudioFrame::BuildToolBar() {
    toolBar_ = new QToolBar(Qs("ツールバー"), this);
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setMovable(false);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    for (const StudioToolButton& b : StudioToolbarLayout()) {
        if (b.id == kStudioSeparator) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = actions_.at(b.id);
        action->setIcon(
            QIcon(QStringLiteral(":/icons/toolbar/") + Qs(b.icon) + QStringLiteral(".png")));
        action->setToolTip(Qs(PlainCaption(FindStudioCommand(b.id)->caption)));
        toolBar_->addAction(action);
    }
}

void StudioFrame::SetHandler(int id, std::function<void()> handler) {
    if (handler) {
        handlers_[id] = std::move(handler);
    } else {
        handlers_.erase(id);
    }
    UpdateAction(id);
}

bool StudioFrame::IsEnabled(int id) const {
    if (!handlers_.contains(id)) return false;
    const StudioCommand* c = FindStudioCommand(id);
    return !c || c->ready || (id >= cmd::kRecentFirst && id <= cmd::kRecentLast);
}

bool StudioFrame::Dispatch(int id) {
    if (!IsEnabled(id)) return false;
    std::function<void()> handler = handlers_.at(id);  // it may replace itself
    handler();
    if (commandDone) commandDone();
    return true;
}

void StudioFrame::UpdateAction(int id) {
    if (QAction* action = Action(id)) action->setEnabled(IsEnabled(id));
}

QAction* StudioFrame::Action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void StudioFrame::SetOpenPathHandler(std::function<bool(const std::string&)> handler) {
    openPath_ = std::move(handler);
    RebuildRecentMenu();
}

void StudioFrame::AddRecentFile(const std::string& path) {
    recent_.Add(path);
    if (services_.settings) recent_.Save(*services_.settings);
    RebuildRecentMenu();
}

void StudioFrame::RebuildRecentMenu() {
    for (int id = cmd::kRecentFirst; id <= cmd::kRecentLast; ++id) {
        actions_.erase(id);
        handlers_.erase(id);
    }
    const std::vector<std::string>& paths = recent_.Paths();
    std::vector<std::string> texts;
    for (size_t i = 0; i < paths.size(); ++i) texts.push_back(RecentSceneMenuText(i, paths[i]));
    const std::vector<QAction*> made =
        recentMenu_.Rebuild(fileMenu_, texts, FindStudioCommand(cmd::kRecentFirst)->caption, this);
    for (size_t i = 0; i < paths.size(); ++i) {
        const int id = cmd::kRecentFirst + static_cast<int>(i);
        QAction* action = made[i];
        connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
        actions_[id] = action;
        if (openPath_) {
            const std::string path = paths[i];
            handlers_[id] = [this, path] {
                if (openPath_(path)) return;
                // A file that cannot be opened any more leaves the list.
                qtshell::DropRecentPath(recent_, path);
                if (services_.settings) recent_.Save(*services_.settings);
                RebuildRecentMenu();
            };
        }
        UpdateAction(id);
    }
}

void StudioFrame::SetTitle(const std::string& fileTitle) {
    QString title = Qs(StudioWindowTitle(fileTitle));
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title);
}

bool StudioFrame::ShowHelp(std::string_view page) {
    if (!services_.help) return false;
    return services_.help->Open(StudioHelpAddress(services_.programDirectory, page));
}

void StudioFrame::ShowAbout() {
    QDialog dialog(this);
    dialog.setWindowTitle(Qs(kAboutCaption));
    auto* icon = new QLabel(&dialog);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/stagora.png")).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* version = new QLabel(Qs(kStudioProgramName) + Qs(" ﾊﾞｰｼﾞｮﾝ ") + Qs(kVersion), &dialog);
    auto* description = new QLabel(Qs(kAboutDescription), &dialog);
    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(description);
    texts->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QHBoxLayout(&dialog);
    layout->addWidget(icon);
    layout->addSpacing(12);
    layout->addLayout(texts, 1);
    layout->addWidget(buttons, 0, Qt::AlignTop);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    dialog.exec();
}

}  // namespace studio
