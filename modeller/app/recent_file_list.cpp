#include "modeller/app/recent_file_list.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>

#include "platform/shell.h"

namespace modeller {

namespace {

std::string Absolute(std::string_view path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(path), ec);
    if (ec) return std::string(path);
    return p.lexically_normal().string();
}

// Built by appending: GCC 12 warns falsely about "literal" + std::string.
std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view p : parts) out += p;
    return out;
}

std::string ValueName(size_t index) {
    return Joined({"File", std::to_string(index + 1)});
}

// Characters, not bytes, so Japanese names are not cut short three times too early.
size_t Utf8Length(std::string_view s) {
    return static_cast<size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Abbreviate(std::string_view path, size_t maxLength) {
    if (Utf8Length(path) <= maxLength) return std::string(path);
    size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos) return std::string(path);
    std::string_view name = path.substr(slash + 1);
    std::string_view root = path.front() == '/' ? "/" : "";
    constexpr std::string_view kEllipsis = "...";
    std::string tail = Joined({"/", name});
    if (Utf8Length(root) + kEllipsis.size() + Utf8Length(tail) > maxLength) {
        return std::string(name);
    }
    std::string_view rest = path.substr(0, slash);
    while (!rest.empty()) {
        size_t cut = rest.find_last_of('/');
        std::string_view folder = cut == std::string_view::npos ? rest : rest.substr(cut + 1);
        std::string candidate = Joined({"/", folder, tail});
        if (Utf8Length(root) + kEllipsis.size() + Utf8Length(candidate) > maxLength) break;
        tail = std::move(candidate);
        if (cut == std::string_view::npos) break;
        rest = rest.substr(0, cut);
    }
    return Joined({root, kEllipsis, tail});
}

}  // namespace

void RecentFileList::Add(std::string_view path) {
    if (path.empty() || capacity_ == 0) return;
    std::string full = Absolute(path);
    auto it = std::find(paths_.begin(), paths_.end(), full);
    if (it != paths_.end()) paths_.erase(it);
    paths_.insert(paths_.begin(), std::move(full));
    if (paths_.size() > capacity_) paths_.resize(capacity_);
}

void RecentFileList::Remove(size_t index) {
    if (index < paths_.size()) paths_.erase(paths_.begin() + static_cast<std::ptrdiff_t>(index));
}

void RecentFileList::Load(shell::SettingsStore& store) {
    paths_.clear();
    // Oldest first through Add, so the order survives and repeats collapse onto the newest.
    for (size_t i = capacity_; i-- > 0;) {
        std::optional<std::string> value = store.ReadString(kRecentFileSection, ValueName(i));
        if (value) Add(*value);
    }
}

void RecentFileList::Save(shell::SettingsStore& store) const {
    for (size_t i = 0; i < capacity_; ++i) {
        store.WriteString(kRecentFileSection, ValueName(i),
                          i < paths_.size() ? std::string_view(paths_[i]) : std::string_view());
    }
}

std::string RecentFileMenuText(size_t index, std::string_view path,
                               std::string_view currentDirectory, size_t maxLength) {
    std::string_view shown = path;
    std::string dir(currentDirectory);
    if (!dir.empty() && dir.back() != '/') dir += '/';
    if (!dir.empty() && path.size() > dir.size() && path.substr(0, dir.size()) == dir &&
        path.find('/', dir.size()) == std::string_view::npos) {
        shown = path.substr(dir.size());
    }
    std::string text = Joined({"&", std::to_string(index + 1), " "});
    for (char c : Abbreviate(shown, maxLength)) {
        text += c;
        if (c == '&') text += '&';
    }
    return text;
}

}  // namespace modeller
