// convert IN OUT [--binary] and resave IN OUT: models through the modeller's own read and
// write, so the tool and the window never disagree about a file; glTF and OBJ both ways.
#include <CLI/CLI.hpp>
#include <memory>

#include "model/model_file.h"
#include "tools/cli/scene_commands.h"
#include "tools/cli/subcommand.h"
#include "tools/cli/tool_files.h"

namespace tools {

namespace {

struct ConvertArgs {
    std::string in, out;
    bool binary = false;
};

int Convert(const ConvertArgs& args) {
    if (IsSceneFile(args.in)) return SceneConvert(args.in, args.out, args.binary);
    auto doc = std::make_unique<Document>();
    if (!LoadDocument(*doc, args.in)) return kExitFailed;
    return SaveDocument(*doc, args.out, args.binary);
}

struct ResaveArgs {
    std::string in, out;
};

int Resave(const ResaveArgs& args) {
    if (IsSceneFile(args.in)) return SceneResave(args.in, args.out);
    auto m = std::make_unique<model::MeshModel>();
    TerminalPrompt prompt;
    prompt.subject = args.in;
    model::ClearModel(*m, &prompt, nullptr, false);
    if (!model::LoadModelFile(*m, args.in, &prompt)) return Fail(args.in, "Error!");
    if (prompt.Told(model::kMsgDataMayBeInvalid)) return kExitFailed;
    std::string reason;
    if (!model::SaveModelFile(*m, args.out, &reason)) return Fail(args.out, "Error!", reason);
    return kExitOk;
}

}  // namespace

Run DefineConvert(CLI::App& command) {
    auto args = std::make_shared<ConvertArgs>();
    const CLI::Validator kinds = ExtensionIn({"mkl", "x", "gltf", "glb", "obj", "stg", "ktb"},
                                             "a .mkl, .x, .gltf, .glb, .obj, .stg or .ktb file");
    command
        .add_option("IN", args->in,
                    "Model, X, glTF, OBJ, scene (.stg) or parts (.ktb) file to read")
        ->required()
        ->check(kinds);
    command.add_option("OUT", args->out, "File to write; its extension picks the format")
        ->required()
        ->check(kinds);
    command.add_flag("--binary", args->binary, "Write X files in the binary format (default text)");
    command.footer(
        "Examples: mokkel-tool convert resources/samples/house.mkl house.glb\n"
        "          mokkel-tool convert scene.stg scene.glb   (objects as nodes, lights as\n"
        "          KHR_lights_punctual lights)");
    return [args] { return Convert(*args); };
}

Run DefineResave(CLI::App& command) {
    auto args = std::make_shared<ResaveArgs>();
    command.add_option("IN", args->in, "Model file, scene (.stg) or parts file (.ktb) to read")
        ->required();
    command.add_option("OUT", args->out, "File of the same kind to write")->required();
    command.footer("Example: mokkel-tool resave resources/samples/house.mkl copy.mkl");
    return [args] { return Resave(*args); };
}

}  // namespace tools
