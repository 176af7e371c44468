#include "modeller/app/mokkel_app.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <unistd.h>

#include "modeller/app/command_table.h"
#include "modeller/dialogs/ops_commands.h"
#include "modeller/dialogs/pick_commands.h"
#include "modeller/dialogs/plane_commands.h"
#include "modeller/dialogs/settings_commands.h"
#include "modeller/view/model_view.h"

namespace modeller {

MokkelApp::MokkelApp(const AppServices& services)
    : services_(services), doc_(*services.prompt, *services.files) {
    doc_.programDirectory = services_.programDirectory;
    frame_ = std::make_unique<CMainFrame>(FrameServices{
        services_.settings, services_.help, services_.files, services_.programDirectory});
    view_ = new CModelView(doc_, settings_, *services_.settings, *services_.prompt,
                           *services_.files, services_.clipboard);
    frame_->SetView(view_);
    ops_ = std::make_unique<OpsCommands>(*view_, doc_, *services_.prompt,
                                         [this](std::string_view page) { frame_->ShowHelp(page); });
    auto help = [this](std::string_view page) { frame_->ShowHelp(page); };
    plane_ = std::make_unique<PlaneCommands>(*view_, doc_, *services_.prompt, help);
    picks_ = std::make_unique<PickCommands>(*view_, doc_, *services_.prompt, help);
    settingsCommands_ = std::make_unique<SettingsCommands>(
        *view_, doc_, settings_, *services_.prompt, *services_.files,
        [this](std::string_view page) { frame_->ShowHelp(page); });
    RegisterCommands();
}

MokkelApp::~MokkelApp() {
    Shutdown();
}

void MokkelApp::RegisterCommands() {
    CMainFrame& f = *frame_;
    CModelView* v = view_;
    f.SetHandler(cmd::kOpen, [this] { doc_.OnFileOpen(); });
    f.SetHandler(cmd::kSave, [this] { doc_.OnFileSave(); });
    f.SetHandler(cmd::kSaveAs, [this] { doc_.OnFileSaveAs(); });
    f.SetHandler(cmd::kClose, [this] { doc_.OnFileClose(); });
    f.SetHandler(cmd::kSaveImage, [v] { v->OnSaveViewImage(); });
    f.SetHandler(cmd::kRefresh, [v] { v->OnRefresh(); });
    f.SetHandler(cmd::kCut, [v] { v->OnCut(); });
    f.SetHandler(cmd::kCopy, [v] { v->OnCopy(); });
    f.SetHandler(cmd::kPaste, [v] { v->OnPaste(); });
    f.SetHandler(cmd::kSelectAllPoints, [v] { v->OnSelectAllPoints(); });
    f.SetHandler(cmd::kSelectAllFaces, [v] { v->OnSelectAllFaces(); });
    OpsCommands* o = ops_.get();
    f.SetHandler(cmd::kWholeModel, [o] { o->OnWholeModel(); });
    f.SetHandler(cmd::kExtrude, [o] { o->OnExtrude(); });
    f.SetHandler(cmd::kMirror, [o] { o->OnMirror(); });
    f.SetHandler(cmd::kRevolve, [o] { o->OnRevolve(); });
    f.SetHandler(cmd::kRotateCopy, [o] { o->OnRotateCopy(); });
    f.SetHandler(cmd::kFaceCopy, [o] { o->OnFaceCopy(); });
    f.SetHandler(cmd::kTidyData, [o] { o->OnTidyData(); });
    f.SetHandler(cmd::kJoinPoints, [o] { o->OnJoinPoints(); });
    f.SetHandler(cmd::kFlipFaces, [o] { o->OnFlipFaces(); });
    PlaneCommands* pl = plane_.get();
    f.SetHandler(cmd::kPlanePaint, [pl] { pl->OnPlanePaint(); });
    f.SetHandler(cmd::kPlaneFigure, [pl] { pl->OnPlaneFigure(); });
    f.SetHandler(cmd::kPlaneFigureOptions, [pl] { pl->OnPlaneFigureOptions(); });
    f.SetHandler(cmd::kVectorCalc, [pl] { pl->OnVectorCalc(); });
    pl->modeChanged = [&f](bool on) {
        f.SetChecked(cmd::kPlanePaint, on);  // also after a cancelled dialog
        f.SetEnabled(cmd::kPlaneFigure, on);
    };
    pl->modeChanged(false);
    SettingsCommands* sc = settingsCommands_.get();
    f.SetHandler(cmd::kCamera, [sc] { sc->OnCamera(); });
    f.SetHandler(cmd::kLight, [sc] { sc->OnLight(); });
    f.SetHandler(cmd::kDisplay, [sc] { sc->OnDisplay(); });
    f.SetHandler(cmd::kTextureManage, [sc] { sc->OnTextureManage(); });
    f.SetHandler(cmd::kTextureSet, [sc] { sc->OnTextureSet(); });
    f.SetHandler(cmd::kTextureDelete, [sc] { sc->OnTextureDelete(); });
    f.SetHandler(cmd::kWrap, [sc] { sc->OnWrap(); });
    f.SetHandler(cmd::kGroup, [sc] { sc->OnGroup(); });
    f.SetHandler(cmd::kAxis, [sc] { sc->OnAxis(); });
    f.SetHandler(cmd::kJoint, [sc] { sc->OnJoint(); });
    f.SetHandler(cmd::kOption, [sc] { sc->OnOption(); });
    v->faceDialog = [sc](int32_t face) { return sc->OpenFaceDialog(face); };
    f.SetOpenPathHandler([this](const std::string& path) { return doc_.OpenDocumentFile(path); });
    f.SetCloseQuery([this] {
        if (!doc_.IsModified()) return true;
        switch (services_.prompt->Ask(model::kAskSaveText, {}, shell::Buttons::YesNoCancel)) {
            case shell::Answer::Yes:
                doc_.OnFileSave();
                return !doc_.IsModified();
            case shell::Answer::Cancel:
                return false;
            default:
                return true;
        }
    });
    v->titleChanged = [this] {
        frame_->SetTitle(doc_.Title());
        frame_->SetModified(doc_.IsModified());
    };
    v->recentFileAdded = [this](const std::string& path) { frame_->AddRecentFile(path); };
    v->closeRequested = [this] { frame_->close(); };
}

void MokkelApp::Start(const QStringList& arguments) {
    frame_->SetTitle("");
    // Maximised; the size is given too, for desktops without a window manager to do it.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        frame_->setGeometry(screen->availableGeometry());
    frame_->showMaximized();
    // A newly shown window paints at once: the 3D pane exists before a file is opened.
    QCoreApplication::processEvents();
    view_->EnsureDevice();
    // Recovered work comes first: the file named on the command line can be opened again,
    // the crashed run's work could not.
    if (StartAutosave()) return;
    if (!arguments.isEmpty())
        doc_.OpenCommandLineFile(QFileInfo(arguments.front()).absoluteFilePath().toStdString());
}

bool MokkelApp::StartAutosave() {
    if (stateDirectory_.empty()) return false;
    fileio::AutosaveDocument document{
        [this] { return doc_.IsModified(); },
        [this] { return doc_.EditCount(); },
        [this] { return doc_.model.currentFile.path; },
        [this](const std::string& copy) { return doc_.WriteAutosave(copy); },
    };
    autosave_ = std::make_unique<fileio::Autosaver>(
        fileio::AutosaveStore(stateDirectory_, "Mokkel", "mkl", ::getpid()), std::move(document));
    if (!autosave_->Begin()) return false;
    frame_->commandDone = [this] { autosave_->Check(fileio::AutosavePolicy::Trigger::kCommand); };
    autosaveTimer_ = new QTimer(frame_.get());
    QObject::connect(autosaveTimer_, &QTimer::timeout, frame_.get(),
                     [this] { autosave_->Check(fileio::AutosavePolicy::Trigger::kTick); });
    autosaveTimer_->start(30 * 1000);

    return autosave_->OfferLeftOverWork(
        [this](const std::string& question) {
            return services_.prompt->Ask(question, {}, shell::Buttons::YesNo) == shell::Answer::Yes;
        },
        [this](const std::string& copy, const std::string& original) {
            return doc_.OpenRecovered(copy, original);
        });
}

void MokkelApp::Shutdown() {
    if (view_) view_->Shutdown();
    // Only an orderly end comes here; after a crash the copy stays for the next start.
    if (autosave_) autosave_->End();
}

}  // namespace modeller
