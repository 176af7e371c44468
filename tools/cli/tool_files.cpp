#include "tools/cli/tool_files.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "model/model_file.h"
#include "platform/fileio/path_name.h"
#include "tools/cli/subcommand.h"
#include "viewport/model_files.h"

namespace tools {

namespace {
constexpr std::string_view kErrorText = "Error!";  // the modeller's text for a failed command
}

std::string FileExtension(std::string_view path) {
    return fileio::ExtensionOf(path);
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

int Fail(const std::string& path, std::string_view text, std::string_view reason) {
    std::cerr << "mokkel-tool: " << path << ": " << text << '\n';
    if (!reason.empty()) std::cerr << "mokkel-tool: " << reason << '\n';
    return kExitFailed;
}

bool LoadDocument(Document& doc, const std::string& path) {
    TerminalPrompt prompt;
    prompt.subject = path;
    std::string reason;
    const bool read = viewport::ReadModelFile(doc.model, doc.objects, path, FileExtension(path),
                                              &prompt, nullptr, {}, &reason);
    if (!read) {
        Fail(path, kErrorText, reason);
        return false;
    }
    return !prompt.Told(model::kMsgDataMayBeInvalid);
}

viewport::ModelMeshOptions DocumentMeshOptions(const model::MeshModel& model) {
    viewport::ModelMeshOptions options;
    const int32_t mode = model.deviceType;
    options.displayMode = mode >= 0 && mode <= 4 ? mode : 0;
    return options;
}

int SaveDocument(Document& doc, const std::string& path, bool binaryX) {
    viewport::FileOptions options;
    options.binaryX = binaryX;
    options.meshOptions = DocumentMeshOptions(doc.model);
    TerminalPrompt prompt;
    prompt.subject = path;
    std::string reason;
    if (!viewport::WriteModelFile(doc.model, doc.objects, path, FileExtension(path), &prompt,
                                  options, &reason))
        return Fail(path, kErrorText, reason);
    return kExitOk;
}

}  // namespace tools
