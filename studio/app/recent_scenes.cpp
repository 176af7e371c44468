#include "studio/app/recent_scenes.h"

#include <algorithm>

#include "platform/shell.h"
#include "studio/app/studio_commands.h"

namespace studio {

namespace {
constexpr std::string_view kSection = "Recent File List";
std::string ValueName(size_t index) {
    std::string name = "File";
    name += std::to_string(index + 1);
    return name;
}
}  // namespace

void RecentScenes::Add(std::string_view path) {
    if (path.empty()) return;
    std::erase(paths_, std::string(path));
    paths_.insert(paths_.begin(), std::string(path));
    if (paths_.size() > kStudioRecentFileCount) paths_.resize(kStudioRecentFileCount);
}

void RecentScenes::Remove(size_t index) {
    if (index < paths_.size()) paths_.erase(paths_.begin() + static_cast<long>(index));
}

void RecentScenes::Load(shell::SettingsStore& store) {
    paths_.clear();
    for (size_t i = 0; i < kStudioRecentFileCount; ++i) {
        std::string path = store.GetString(kSection, ValueName(i), "");
        if (path.empty() || std::find(paths_.begin(), paths_.end(), path) != paths_.end()) continue;
        paths_.push_back(std::move(path));
    }
}

void RecentScenes::Save(shell::SettingsStore& store) const {
    for (size_t i = 0; i < kStudioRecentFileCount; ++i)
        store.WriteString(kSection, ValueName(i), i < paths_.size() ? paths_[i] : "");
}

std::string RecentSceneMenuText(size_t index, std::string_view path) {
    std::string text = "&";  // appended: GCC 12 warns falsely about "literal" + string
    text += std::to_string(index + 1);
    text += ' ';
    const size_t slash = path.find_last_of('/');
    for (char c : slash == std::string_view::npos ? path : path.substr(slash + 1)) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

}  // namespace studio
