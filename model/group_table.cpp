#include "model/group_table.h"

namespace model {

void GroupTable::Reset() {
    entries.clear();
    EnsureDefaults();
}

void GroupTable::EnsureDefaults() {
    if (entries.size() >= 2) return;
    entries.resize(2);
    entries[0].name = kGroupUndecided;
    entries[1].name = kGroupWhole;
}

int32_t GroupTable::FindByName(const std::string& name) const {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].name == name) return static_cast<int32_t>(i);
    return -1;
}

}  // namespace model
