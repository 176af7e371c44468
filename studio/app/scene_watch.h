// Whether the scene holds work that no file has: the studio keeps no modified mark, so the
// scene is compared, as the scene writer writes it, with the scene last opened, saved or
// cleared. Used by the autosave.
#pragma once

#include <cstdint>
#include <string>

#include "studio/scene/scene_doc.h"

namespace studio {

// Writes the scene as a scene file at `path` without making it the scene's folder.
bool WriteSceneCopy(CSceneDoc& doc, const std::string& path);

class SceneChangeWatch {
public:
    // `scratchPath` (".stg") is where the scene is written to be compared; it lies in the
    // same folder as the autosaved copy, so paths stored relative come out the same.
    explicit SceneChangeWatch(std::string scratchPath) : scratch_(std::move(scratchPath)) {}

    // The scene as it is now has nothing unsaved.
    void MarkStored(CSceneDoc& doc);
    // Looks at the scene again; Edits() grows when it changed since the last look.
    void Probe(CSceneDoc& doc);
    bool Modified() const { return current_ != stored_; }
    uint64_t Edits() const { return edits_; }

private:
    std::string Snapshot(CSceneDoc& doc) const;

    std::string scratch_;
    std::string stored_, current_;
    uint64_t edits_ = 0;
};

}  // namespace studio
