// The group table: named face groups with a colour and an optional material. Entries 0
// ("未定", no group) and 1 ("全体", whole) are always present.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace model {

// A material as values; the render side builds its own object from them.
struct GroupMaterial {
    float power = 0;
    std::array<float, 3> specular{};
    std::array<float, 3> emissive{};
    std::array<float, 3> ambient{};  // kept for the file, not used by rendering
    friend bool operator==(const GroupMaterial&, const GroupMaterial&) = default;
};

struct GroupEntry {
    int32_t color = -1;  // 0xAARRGGBB; -1 for entry 0
    std::string name;    // CP932
    int32_t hasMaterial = 0;
    std::optional<GroupMaterial> material;
    friend bool operator==(const GroupEntry&, const GroupEntry&) = default;
};

// CP932 bytes of the default names.
inline const std::string kGroupUndecided = "\x96\xa2\x92\xe8";  // 未定
inline const std::string kGroupWhole = "\x91\x53\x91\xcc";      // 全体

class GroupTable {
public:
    GroupTable() { Reset(); }

    std::vector<GroupEntry> entries;

    // Back to the two default entries.
    void Reset();
    // After a reload: fewer than two entries become the two defaults by name.
    void EnsureDefaults();
    // Index of the first entry with this exact name, or -1.
    int32_t FindByName(const std::string& name) const;
    size_t size() const { return entries.size(); }
    GroupEntry& operator[](size_t i) { return entries[i]; }
    const GroupEntry& operator[](size_t i) const { return entries[i]; }
};

}  // namespace model
