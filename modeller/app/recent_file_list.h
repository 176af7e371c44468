// The recent-file list of the file menu: most recent first, no path twice, kept in the
// settings store under "Recent File List" as File1, File2, ...
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "modeller/app/command_table.h"

namespace shell {
class SettingsStore;
}

namespace modeller {

inline constexpr std::string_view kRecentFileSection = "Recent File List";

class RecentFileList {
public:
    explicit RecentFileList(size_t capacity = kRecentFileCount) : capacity_(capacity) {}

    // Puts the path first, as an absolute path; an entry for the same file moves up rather
    // than appearing twice, and the oldest entry drops off a full list. Empty paths are
    // ignored.
    void Add(std::string_view path);
    void Remove(size_t index);  // out-of-range indexes are ignored

    const std::vector<std::string>& Paths() const { return paths_; }
    size_t Capacity() const { return capacity_; }

    // Replaces the list with the stored one; empty and repeated values are skipped.
    void Load(shell::SettingsStore& store);
    // Writes every slot, empty ones as empty strings so a shorter list leaves no stale entry.
    void Save(shell::SettingsStore& store) const;

private:
    size_t capacity_;
    std::vector<std::string> paths_;
};

// The menu text of entry `index` (0-based): "&1 name". A file in currentDirectory shows by
// name alone; a long path keeps its root and as many trailing folders as fit maxLength
// characters ("/.../folder/name"), but always the whole file name. '&' is doubled so it
// shows instead of marking a mnemonic.
std::string RecentFileMenuText(size_t index, std::string_view path,
                               std::string_view currentDirectory, size_t maxLength = 30);

}  // namespace modeller
