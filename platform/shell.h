// What a desktop provides to the programs, as interfaces: message boxes, the settings store,
// help pages, the clipboard and file dialogs. The Qt implementations live in platform/qt;
// tests and mokkel-tool supply their own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// Message boxes. Texts are UTF-8; an empty caption means the program's name.
class Prompt {
public:
    virtual ~Prompt() = default;
    virtual Answer Ask(std::string_view text, std::string_view caption, Buttons buttons) = 0;

    // An OK-only message.
    void Tell(std::string_view text, std::string_view caption = {}) {
        Ask(text, caption, Buttons::Ok);
    }
};

// The per-user settings store, addressed as section and value name like the registry it
// replaces. Floats travel as the integer holding their 32-bit pattern.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<int32_t> ReadInt(std::string_view section, std::string_view name) = 0;
    virtual std::optional<std::string> ReadString(std::string_view section,
                                                  std::string_view name) = 0;
    virtual void WriteInt(std::string_view section, std::string_view name, int32_t value) = 0;
    virtual void WriteString(std::string_view section, std::string_view name,
                             std::string_view value) = 0;

    int32_t GetInt(std::string_view section, std::string_view name, int32_t fallback) {
        return ReadInt(section, name).value_or(fallback);
    }
    std::string GetString(std::string_view section, std::string_view name,
                          std::string_view fallback) {
        auto v = ReadString(section, name);
        return v ? *v : std::string(fallback);
    }
};

// Opens a help address "<dir>/<program>.chm::/<page>".
class HelpOpener {
public:
    virtual ~HelpOpener() = default;
    virtual bool Open(std::string_view address) = 0;
};

// Plain text in the code page (CP932 bytes); the implementation converts at its boundary.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual std::optional<std::string> GetText() = 0;
    virtual void SetText(std::string_view cp932) = 0;
};

// A common file dialog. The filter uses the "Caption (*.ext)|*.ext|...||" form of the original
// framework; paths are native and UTF-8.
struct FileRequest {
    bool save = false;
    std::string title;
    std::string filter;
    std::string initialDirectory;
    std::string fileName;
    std::string defaultExtension;
    int filterIndex = 0;  // the filter shown first
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> Choose(const FileRequest& request) = 0;
};

}  // namespace shell
