// The file menu's recent files: most recent first, no path twice, kept in the settings file
// under "Recent File List" as File1 to File4.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace shell {
class SettingsStore;
}

namespace studio {

class RecentScenes {
public:
    void Add(std::string_view path);  // empty paths are ignored
    void Remove(size_t index);
    const std::vector<std::string>& Paths() const { return paths_; }
    void Load(shell::SettingsStore& store);
    void Save(shell::SettingsStore& store) const;

private:
    std::vector<std::string> paths_;
};

// "&1 name": the file name alone, '&' doubled so it shows.
std::string RecentSceneMenuText(size_t index, std::string_view path);

}  // namespace studio
