#include "modeller/document/model_doc.h"

#include <unistd.h>

#include "platform/file_filters.h"
#include "model/model_file.h"

namespace modeller {

namespace {

class WaitCursor {
public:
    explicit WaitCursor(DocumentHost* host) : host_(host) {
        if (host_) host_->SetWaitCursor(true);
    }
    ~WaitCursor() {
        if (host_) host_->SetWaitCursor(false);
    }

private:
    DocumentHost* host_;
};

}  // namespace

void CModelDoc::SetModified(bool modified) {
    if (modified) ++edits_;
    modified_ = modified;
    if (host_) host_->UpdateTitle();
}

std::string CModelDoc::InitialDirectory() {
    std::string& dir = model.currentFile.ModelDirectory;
    if (dir.empty() && fileDirectorySetting) dir = *fileDirectorySetting;
    return dir.empty() ? programDirectory : dir;
}

bool CModelDoc::Read(const std::string& path) {
    WaitCursor wait(host_);
    model.currentFile.Set(path);
    const viewport::FileOptions options = host_ ? host_->FileOptions() : viewport::FileOptions{};
    return viewport::ReadModelFile(model, objects, path, model.currentFile.extension, &prompt_,
                                   this, options);
}

void CModelDoc::AfterFailedOpen() {
    // The model is cleared and belongs to no file: a save must ask for a name rather than
    // overwrite the file that could not be read.
    model.currentFile.Clear();
    SetModified(false);
    prompt_.Tell(kErrorText);
    RefreshViews();
}

void CModelDoc::AfterOpen(const std::string& path) {
    RefreshViews();
    modified_ = false;
    if (host_) {
        host_->UpdateTitle();
        host_->ResetCarets();
        host_->AddRecentFile(path);
    }
}

bool CModelDoc::Write() {
    const viewport::FileOptions options = host_ ? host_->FileOptions() : viewport::FileOptions{};
    const std::string path = model.currentFile.path;
    std::string reason;
    const bool ok = viewport::WriteModelFile(model, objects, path, model.currentFile.extension,
                                             &prompt_, options, &reason);
    // A failed save says so, where and why, and leaves the work marked unsaved.
    if (!ok) {
        prompt_.Tell(reason.empty() ? std::string(kErrorText)
                                    : std::string(kErrorText) + "\n" + reason);
        return false;
    }
    SetModified(false);
    return true;
}

void CModelDoc::OnFileOpen() {
    if (modified_) {
        switch (prompt_.Ask(model::kAskSaveText, {}, shell::Buttons::YesNoCancel)) {
            case shell::Answer::Yes:
                OnFileSave();
                break;
            case shell::Answer::Cancel:
                return;
            default:
                break;
        }
    }
    shell::FileRequest request;
    request.filter = shell::WithFurtherFilters(kOpenFilter, kInterchangeOpenFilters);
    request.defaultExtension = "mkl";
    request.initialDirectory = InitialDirectory();
    const std::optional<std::string> path = chooser_.Choose(request);
    if (!path) return;
    if (!Read(*path)) {
        AfterFailedOpen();
        return;
    }
    AfterOpen(*path);
}

void CModelDoc::OnFileSave() {
    if (model.currentFile.path.empty()) {
        OnFileSaveAs();
        return;
    }
    Write();
}

void CModelDoc::OnFileSaveAs() {
    shell::FileRequest request;
    request.save = true;
    request.filter = shell::WithFurtherFilters(kSaveFilter, kInterchangeSaveFilters);
    request.defaultExtension = "mkl";
    request.initialDirectory = InitialDirectory();
    request.fileName = model.currentFile.TitleWithoutExtension().substr(0, 260);
    // The dialog starts on the filter of the current file's kind.
    const std::string& extension = model.currentFile.extension;
    if (extension == "x") request.filterIndex = 1;
    if (extension == "glb") request.filterIndex = 2;
    if (extension == "gltf") request.filterIndex = 3;
    if (extension == "obj") request.filterIndex = 4;
    const std::optional<std::string> path = chooser_.Choose(request);
    if (!path) return;
    const model::CurrentFile previous = model.currentFile;
    model.currentFile.Set(*path);
    if (!Write()) {
        // The model still belongs to the file it came from, not to the one not written.
        model.currentFile = previous;
        if (host_) host_->UpdateTitle();
        return;
    }
    if (host_) host_->AddRecentFile(*path);
}

void CModelDoc::OnFileClose() {
    if (!model::ClearModel(model, &prompt_, this, true)) return;
    objects.textures.clear();
    model.textures.clear();
    model.currentFile.Clear();
    SetModified(false);
}

bool CModelDoc::OpenDocumentFile(const std::string& path) {
    if (!host_ || !host_->ViewHasDrawn()) return true;
    if (::access(path.c_str(), R_OK) != 0) return true;  // the framework's own open failed
    if (!model::ClearModel(model, &prompt_, this, true)) return false;
    if (!Read(path)) {
        AfterFailedOpen();
        return true;
    }
    AfterOpen(path);
    return true;
}

void CModelDoc::OpenCommandLineFile(const std::string& path) {
    if (!Read(path)) {
        AfterFailedOpen();
        return;
    }
    AfterOpen(path);
}

bool CModelDoc::WriteAutosave(const std::string& path, std::string* error) {
    // The writer makes the path the current file; the copy must not change whose work it is.
    const model::CurrentFile own = model.currentFile;
    const bool ok = model::SaveModelFile(model, path, error);
    model.currentFile = own;
    return ok;
}

bool CModelDoc::OpenRecovered(const std::string& copyPath, const std::string& originalPath) {
    // Read in the copy's folder, where its texture paths were made relative.
    if (!Read(copyPath)) {
        AfterFailedOpen();
        return false;
    }
    if (originalPath.empty())
        model.currentFile.Clear();
    else
        model.currentFile.Set(originalPath);
    RefreshViews();
    modified_ = true;
    ++edits_;
    if (host_) {
        host_->UpdateTitle();
        host_->ResetCarets();
    }
    return true;
}

bool CModelDoc::SaveFirst() {
    OnFileSave();
    return !modified_;
}

void CModelDoc::ShowTitleWithoutFile() {
    if (host_) host_->UpdateTitle();
}

void CModelDoc::RefreshViews() {
    if (host_) host_->RefreshViews();
}

}  // namespace modeller
