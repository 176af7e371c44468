#include "tools/cli/tool_files.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "model/model_file.h"
#include "tools/cli/subcommand.h"
#include "viewport/model_files.h"

namespace tools {

namespace {
constexpr std::string_view kErrorText = "Error!";  // the modeller's text for a failed command
}

std::string FileExtension(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos) return {};
    std::string ext(name.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
        return static_cast<char>(c < 0x80 ? std::tolower(c) : c);
    });
    return ext;
}

CLI::Validator ExtensionIn(std::initializer_list<std::string_view> extensions,
                           const std::string& what) {
    std::vector<std::string> allowed(extensions.begin(), extensions.end());
    return CLI::Validator(
        [allowed, what](std::string& path) -> std::string {
            const std::string ext = FileExtension(path);
            if (std::find(allowed.begin(), allowed.end(), ext) != allowed.end()) return {};
            return path + " is not " + what;
        },
        what, "extension");
}

int Fail(const std::string& path, std::string_view text) {
    std::cerr << "mokkel-tool: " << path << ": " << text << '\n';
    return kExitFailed;
}

bool LoadDocument(Document& doc, const std::string& path) {
    TerminalPrompt prompt;
    prompt.subject = path;
    const bool read = viewport::ReadModelFile(doc.model, doc.objects, path, FileExtension(path),
                                              &prompt, nullptr);
    if (!read) {
        Fail(path, kErrorText);
        return false;
    }
    return !prompt.Told(model::kMsgDataMayBeInvalid);
}

}  // namespace tools
