#include "studio/app/stagora_app.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <filesystem>

#include <unistd.h>

#include "platform/fileio/path_name.h"

#include "studio/app/environment_dialogs.h"
#include "studio/app/folder_dialog.h"
#include "studio/app/joint_dialogs.h"
#include "studio/app/object_dialog.h"
#include "studio/scene/scene_file.h"
#include "studio/view/scene_scroll_view.h"
#include "studio/view/scene_tree.h"

namespace studio {

namespace {

constexpr std::string_view kImageFilter =
    "ビットマップ(*.bmp)|*.bmp|jpegファイル(*.jpeg;*jpg)|*.jpeg;*.jpg||";
// The background image: the two formats the screen can show, in one list.
constexpr std::string_view kBackgroundFilter =
    "画像ファイル(*.bmp;*.jpg;*.jpeg)|*.bmp;*.jpg;*.jpeg|ビットマップ(*.bmp)|*.bmp|"
    "jpegファイル(*.jpeg;*.jpg)|*.jpeg;*.jpg||";

}  // namespace

StagoraApp::StagoraApp(const StagoraServices& services) : services_(services) {
    // The file dialogs start in the program's directory until a file is opened or saved.
    settings_.fileDirectory = services_.programDirectory;
    if (services_.settings) LoadStudioSettings(*services_.settings, settings_);
    if (settings_.fileDirectory.empty()) settings_.fileDirectory = services_.programDirectory;

    render_.SetAxisStyle({settings_.axisSize, settings_.axisSize * 0.125f, true, true});

    frame_ = std::make_unique<StudioFrame>(
        StudioFrameServices{services_.settings, services_.help, services_.programDirectory});
    tree_ = new CSceneView;
    view_ = new CSceneScrollView(doc_, render_, settings_);
    frame_->SetPanes(tree_, view_);
    commands_ = std::make_unique<SceneCommands>(doc_, settings_, *services_.prompt,
                                                *services_.files, *this);
    RegisterCommands();
}

StagoraApp::~StagoraApp() {
    Shutdown();
}

void StagoraApp::RegisterCommands() {
    StudioFrame& f = *frame_;
    SceneCommands* c = commands_.get();
    f.SetHandler(cmd::kOpen, [c] { c->OnOpen(); });
    f.SetHandler(cmd::kSave, [c] { c->OnSave(); });
    f.SetHandler(cmd::kSaveAs, [c] { c->OnSaveAs(); });
    f.SetHandler(cmd::kClearAll, [c] { c->OnClearAll(); });
    f.SetHandler(cmd::kCreateFolder, [c] { c->OnCreateFolder(); });
    f.SetHandler(cmd::kProperties, [c] { c->OnProperties(); });
    f.SetHandler(cmd::kDelete, [c] { c->OnDelete(); });
    f.SetHandler(cmd::kSaveParts, [c] { c->OnSaveParts(); });
    f.SetHandler(cmd::kSaveImage, [this] { SaveImage(); });
    f.SetHandler(cmd::kScreen, [this] { OnScreen(); });
    f.SetHandler(cmd::kFog, [this] { OnFog(); });
    f.SetHandler(cmd::kCamera, [this] { OnCamera(); });
    f.SetHandler(cmd::kOption, [this] {
        COptionDlg dialog(
            settings_, [this](std::string_view page) { HelpPage(page); }, frame_.get());
        dialog.exec();
    });
    f.SetHandler(cmd::kAxis, [this] { OnAxis(); });
    f.SetHandler(cmd::kCreateLight, [this] { OnCreateLight(); });
    f.SetHandler(cmd::kJointNew, [this] {
        CJointDlg dialog(
            doc_, -1, [this](std::string_view page) { HelpPage(page); }, frame_.get());
        if (dialog.exec() == QDialog::Accepted) view_->Invalidate();
    });
    f.SetHandler(cmd::kJointManage, [this] {
        CJointManageDlg dialog(
            doc_, [this](std::string_view page) { HelpPage(page); },
            [this] { view_->Invalidate(); }, frame_.get());
        dialog.exec();
    });
    f.SetHandler(cmd::kGroupOperation, [this] { OnGroupOperation(); });
    f.SetHandler(cmd::kFrameMode, [this] {
        doc_.SetFrameMode(!doc_.FrameMode());
        frame_->Action(cmd::kFrameMode)->setChecked(doc_.FrameMode());
        view_->Invalidate();
    });
    f.SetHandler(cmd::kShowLights, [this] {
        doc_.SetShowLights(!doc_.ShowLights());
        frame_->Action(cmd::kShowLights)->setChecked(doc_.ShowLights());
        view_->Invalidate();
    });
    f.Action(cmd::kShowLights)->setChecked(doc_.ShowLights());
    f.SetOpenPathHandler([c](const std::string& path) { return c->OpenPath(path); });
    tree_->dropped = [c](size_t dragged, size_t target, bool shift) {
        c->DropItem(dragged, target, shift);
    };
    tree_->contextMenuAsked = [this](QPoint pos) { frame_->ContextMenu()->popup(pos); };
    // The view's picks select in the tree, so the tree's commands act on the picked item.
    view_->itemPicked = [this](size_t index) { tree_->SelectIndex(static_cast<int>(index)); };
    view_->itemPropertiesAsked = [this, c](size_t index) {
        tree_->SelectIndex(static_cast<int>(index));
        c->OnProperties();
        view_->Invalidate();
    };
    view_->jointPropertiesAsked = [this](size_t joint) {
        CJointDlg dialog(
            doc_, static_cast<int>(joint), [this](std::string_view page) { HelpPage(page); },
            frame_.get());
        dialog.exec();
        view_->Invalidate();
    };
    view_->deviceFailed = [this] {
        services_.prompt->Tell(kMsgStudioDeviceFailed, kStudioProgramName);
        QMetaObject::invokeMethod(frame_.get(), &QWidget::close, Qt::QueuedConnection);
    };
}

void StagoraApp::Start(const QStringList& arguments) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        frame_->setGeometry(screen->availableGeometry());
    frame_->SetTitle("");
    frame_->showMaximized();
    QCoreApplication::processEvents();
    view_->EnsureDevice();
    // Recovered work comes first: the file named on the command line can be opened again,
    // the crashed run's work could not.
    if (StartAutosave()) return;
    if (!arguments.isEmpty())
        commands_->OpenPath(QFileInfo(arguments.front()).absoluteFilePath().toStdString());
}

bool StagoraApp::StartAutosave() {
    if (stateDirectory_.empty()) return false;
    fileio::AutosaveStore store(stateDirectory_, "Stagora", "stg", ::getpid());
    std::string scratch = store.CopyPath();
    scratch.insert(scratch.size() - 4, ".probe");
    watch_ = std::make_unique<SceneChangeWatch>(scratch);
    fileio::AutosaveDocument document{
        [this] { return watch_->Modified(); },
        [this] {
            watch_->Probe(doc_);
            return watch_->Edits();
        },
        [this] {
            const std::string& path = commands_->ScenePath();
            return fileio::ExtensionOf(path) == "stg" ? path : std::string();
        },
        [this](const std::string& copy) { return WriteSceneCopy(doc_, copy); },
    };
    autosave_ = std::make_unique<fileio::Autosaver>(std::move(store), std::move(document));
    if (!autosave_->Begin()) return false;
    watch_->MarkStored(doc_);
    frame_->commandDone = [this] { autosave_->Check(fileio::AutosavePolicy::Trigger::kCommand); };
    auto* timer = new QTimer(frame_.get());
    QObject::connect(timer, &QTimer::timeout, frame_.get(),
                     [this] { autosave_->Check(fileio::AutosavePolicy::Trigger::kTick); });
    timer->start(30 * 1000);

    return autosave_->OfferLeftOverWork(
        [this](const std::string& question) {
            return services_.prompt->Ask(question, {}, shell::Buttons::YesNo) == shell::Answer::Yes;
        },
        [this](const std::string& copy, const std::string& original) {
            return commands_->OpenRecovered(copy, original);
        });
}

void StagoraApp::SceneStored() {
    if (watch_) watch_->MarkStored(doc_);
}

void StagoraApp::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    if (services_.settings) SaveStudioSettings(*services_.settings, settings_);
    // Only an orderly end comes here; after a crash the copy stays for the next start.
    if (autosave_) autosave_->End();
}

void StagoraApp::ItemsChanged() {
    const int selected = tree_->SelectedIndex();
    tree_->Rebuild(doc_.Items());
    if (selected >= 0 && static_cast<size_t>(selected) < doc_.Items().size())
        tree_->SelectIndex(selected);
    view_->Invalidate();
}

void StagoraApp::SceneTitleChanged(const std::string& fileTitle) {
    frame_->SetTitle(fileTitle);
}

void StagoraApp::RecentFileUsed(const std::string& path) {
    frame_->AddRecentFile(path);
}

int StagoraApp::SelectedItem() {
    return tree_->SelectedIndex();
}

std::optional<std::string> StagoraApp::AskFolderName() {
    if (services_.askFolderName) return services_.askFolderName();
    CFolderDlg dialog([this](std::string_view page) { HelpPage(page); }, frame_.get());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Name();
}

bool StagoraApp::EditObject(size_t index) {
    CObjectDlg dialog(
        doc_, index, *services_.files, [this](std::string_view page) { frame_->ShowHelp(page); },
        frame_.get());
    return dialog.exec() == QDialog::Accepted;
}

bool StagoraApp::EditLight(size_t index) {
    CLightDlg dialog(
        doc_, [this](std::string_view page) { HelpPage(page); }, frame_.get(),
        static_cast<int>(index));
    return dialog.exec() == QDialog::Accepted;
}

void StagoraApp::HelpPage(std::string_view page) {
    frame_->ShowHelp(page);
}

void StagoraApp::OnScreen() {
    // The options change the size from the next start only: the device in use sets the limit.
    const bool made = render_.Created();
    CScreenDlg dialog(
        doc_, made ? render_.TargetWidth() : settings_.deviceWidth,
        made ? render_.TargetHeight() : settings_.deviceHeight,
        [this](std::string_view page) { HelpPage(page); }, frame_.get(),
        [this](const std::string& current) { return ChooseBackgroundImage(current); });
    if (dialog.exec() == QDialog::Accepted) view_->Invalidate();
}

std::optional<std::string> StagoraApp::ChooseBackgroundImage(const std::string& current) {
    shell::FileRequest request;
    request.filter = std::string(kBackgroundFilter);
    const std::filesystem::path now(current);
    request.initialDirectory =
        current.empty() ? settings_.pictureDirectory : now.parent_path().string();
    if (!current.empty()) request.fileName = now.filename().string();
    return services_.files->Choose(request);
}

void StagoraApp::OnFog() {
    CFogDlg dialog(
        doc_, [this](std::string_view page) { HelpPage(page); }, frame_.get());
    if (dialog.exec() == QDialog::Accepted) view_->Invalidate();
}

void StagoraApp::OnCamera() {
    bool reverse = settings_.cameraReverse != 0;
    CCameraDlg dialog(
        doc_, reverse, [this](std::string_view page) { HelpPage(page); }, frame_.get());
    if (dialog.exec() != QDialog::Accepted) return;
    settings_.cameraReverse = reverse ? 1 : 0;
    settings_.cameraSpeed = doc_.environment.cameraSpeed;
    settings_.cameraLook = doc_.environment.cameraLook;
    view_->Invalidate();
}

void StagoraApp::OnAxis() {
    CAxisDlg dialog(
        render_.AxisStyle().value_or(viewport::AxisStyle{}),
        [this](std::string_view page) { HelpPage(page); }, frame_.get());
    if (dialog.exec() != QDialog::Accepted) return;
    render_.SetAxisStyle(dialog.Style());
    settings_.axisSize = dialog.Style().axisSize;
    view_->Invalidate();
}

void StagoraApp::OnCreateLight() {
    CLightDlg dialog(
        doc_, [this](std::string_view page) { HelpPage(page); }, frame_.get());
    if (dialog.exec() == QDialog::Accepted) ItemsChanged();
}

void StagoraApp::OnGroupOperation() {
    const int selected = tree_->SelectedIndex();
    if (selected < 0 || doc_.Items()[static_cast<size_t>(selected)].kind != kFolder) return;
    CGroupDlg dialog(
        doc_, static_cast<size_t>(selected), [this](std::string_view page) { HelpPage(page); },
        frame_.get());
    if (dialog.exec() == QDialog::Accepted) ItemsChanged();
}

void StagoraApp::SaveImage() {
    shell::FileRequest request;
    request.save = true;
    request.filter = std::string(kImageFilter);
    request.defaultExtension = "bmp";
    request.initialDirectory = settings_.pictureDirectory.empty() ? services_.programDirectory
                                                                  : settings_.pictureDirectory;
    auto path = services_.files->Choose(request);
    if (!path) return;
    settings_.pictureDirectory = std::filesystem::path(*path).parent_path().string();
    const QSize client = view_->viewport()->size();
    const std::string message =
        render_.SaveViewImage(doc_, *path, settings_.jpegQuality, client.width(), client.height());
    if (!message.empty()) services_.prompt->Tell(message);
    view_->Invalidate();
}

}  // namespace studio
