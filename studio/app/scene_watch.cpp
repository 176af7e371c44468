#include "studio/app/scene_watch.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "studio/scene/scene_file.h"

namespace studio {

bool WriteSceneCopy(CSceneDoc& doc, const std::string& path) {
    const std::string own = doc.SceneDirectory;
    const bool ok = SaveSceneFile(doc, path).ok;
    doc.SceneDirectory = own;
    return ok;
}

std::string SceneChangeWatch::Snapshot(CSceneDoc& doc) const {
    if (!WriteSceneCopy(doc, scratch_)) return {};
    std::string bytes;
    {
        std::ifstream in(scratch_, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::error_code ec;
    std::filesystem::remove(scratch_, ec);
    return bytes;
}

void SceneChangeWatch::MarkStored(CSceneDoc& doc) {
    stored_ = current_ = Snapshot(doc);
}

void SceneChangeWatch::Probe(CSceneDoc& doc) {
    std::string now = Snapshot(doc);
    if (now == current_) return;
    current_ = std::move(now);
    ++edits_;
}

}  // namespace studio
