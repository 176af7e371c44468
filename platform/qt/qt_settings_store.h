// The settings store over an INI file: ~/.config/Yomiwa/<program>.ini, one group per
// section, integers and strings written as plain text values.
#pragma once

#include <memory>
#include <string>

#include "platform/shell.h"

class QSettings;

namespace qtshell {

class QtSettingsStore : public shell::SettingsStore {
public:
    // The program's file in the user's configuration directory.
    explicit QtSettingsStore(std::string_view program);
    // An explicit file, for tests and tools.
    QtSettingsStore(std::string_view program, const std::string& iniPath);
    ~QtSettingsStore() override;

    // Where the settings live (UTF-8).
    std::string FilePath() const;

    std::optional<int32_t> ReadInt(std::string_view section, std::string_view name) override;
    std::optional<std::string> ReadString(std::string_view section, std::string_view name) override;
    // Each write reaches the file at once: a value such as Device\Invalid must be on disk
    // before the program can crash.
    void WriteInt(std::string_view section, std::string_view name, int32_t value) override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;

private:
    std::unique_ptr<QSettings> settings_;
};

// The default file of a program: <config dir>/Yomiwa/<program>.ini.
std::string DefaultSettingsPath(std::string_view program);

}  // namespace qtshell
