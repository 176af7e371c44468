// The modeller's document: the model, its engine objects, the current file and the file
// commands (open, save, save as, close, and the open paths of the program).
#pragma once

#include <cstdint>
#include <string>

#include "model/mesh_model.h"
#include "platform/shell.h"
#include "viewport/model_files.h"
#include "viewport/model_render_objects.h"

namespace modeller {

// What the document asks of the windows around it.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    // The views show the model again (meshes rebuilt, screens redrawn).
    virtual void RefreshViews() = 0;
    virtual void UpdateTitle() = 0;
    // Carets and selections of the edit screens back to the start.
    virtual void ResetCarets() = 0;
    virtual void AddRecentFile(const std::string& path) = 0;
    virtual void SetWaitCursor(bool on) = 0;
    // True once the view has drawn for the first time (the 3D pane exists then).
    virtual bool ViewHasDrawn() const = 0;
    // X format, display options and the wrap's reference frame, for reading and writing.
    virtual viewport::FileOptions FileOptions() const = 0;
};

inline constexpr const char* kOpenFilter = "Mokkelファイル,  Xファイル (*.mkl; *.x)|*.mkl;*.x||";
inline constexpr const char* kSaveFilter = "Mokkel形式 (*.mkl)|*.mkl|Ｘファイル (*.x)|*.x||";
inline constexpr const char* kErrorText = "Error!";
// The interchange formats, offered after the model and X files.
inline constexpr const char* kInterchangeOpenFilters =
    "glTF (*.gltf; *.glb)|*.gltf;*.glb|Wavefront OBJ (*.obj)|*.obj";
inline constexpr const char* kInterchangeSaveFilters =
    "glTF バイナリ (*.glb)|*.glb|glTF (*.gltf)|*.gltf|Wavefront OBJ (*.obj)|*.obj";

class CModelDoc : public model::ClearHost {
public:
    CModelDoc(shell::Prompt& prompt, shell::FileChooser& chooser)
        : prompt_(prompt), chooser_(chooser) {}

    model::MeshModel model;
    viewport::ModelRenderObjects objects;

    void SetHost(DocumentHost* host) { host_ = host; }
    // Where the dialogs start when the model has no directory: the Directory\File setting,
    // then the program's directory.
    std::string* fileDirectorySetting = nullptr;
    std::string programDirectory;

    bool IsModified() const override { return modified_; }
    void SetModified(bool modified);
    // Counts every change (each keystroke too), so an autosave can tell newer work apart.
    uint64_t EditCount() const { return edits_; }
    void NoteEdit() { ++edits_; }
    // The title shown in the window: the current file's, or empty.
    const std::string& Title() const { return model.currentFile.title; }

    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();
    // The program's open path (recent files, Ctrl+O): true unless the user cancelled.
    bool OpenDocumentFile(const std::string& path);
    // A file named on the command line, opened at start-up.
    void OpenCommandLineFile(const std::string& path);

    // A copy of the model in the model file format at `path`, for crash recovery; the model
    // keeps its own file and modified state. False (with the reason) when not written.
    bool WriteAutosave(const std::string& path, std::string* error = nullptr);
    // Opens an autosaved copy as the work it was: it belongs to `originalPath` again (none
    // when empty) and is modified, since it was never saved there.
    bool OpenRecovered(const std::string& copyPath, const std::string& originalPath);

    // model::ClearHost
    bool SaveFirst() override;
    void ShowTitleWithoutFile() override;
    void RefreshViews() override;

private:
    std::string InitialDirectory();
    bool Read(const std::string& path);
    void AfterOpen(const std::string& path);
    void AfterFailedOpen();
    bool Write();

    shell::Prompt& prompt_;
    shell::FileChooser& chooser_;
    DocumentHost* host_ = nullptr;
    bool modified_ = false;
    uint64_t edits_ = 0;
};

}  // namespace modeller
