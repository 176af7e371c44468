// A settings store in memory, for tests.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/shell.h"

namespace testing_support {

class MemorySettings : public shell::SettingsStore {
public:
    std::map<std::pair<std::string, std::string>, int32_t> ints;
    std::map<std::pair<std::string, std::string>, std::string> strings;

    std::optional<int32_t> ReadInt(std::string_view section, std::string_view name) override {
        auto it = ints.find({std::string(section), std::string(name)});
        if (it == ints.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> ReadString(std::string_view section,
                                          std::string_view name) override {
        auto it = strings.find({std::string(section), std::string(name)});
        if (it == strings.end()) return std::nullopt;
        return it->second;
    }
    void WriteInt(std::string_view section, std::string_view name, int32_t value) override {
        ints[{std::string(section), std::string(name)}] = value;
    }
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override {
        strings[{std::string(section), std::string(name)}] = std::string(value);
    }
};

}  // namespace testing_support
