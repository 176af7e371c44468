// info FILE [--json]: what a model file or X file holds, as the modeller would load it.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "model/vector_text.h"
#include "platform/xfile/x_reader.h"
#include "tools/cli/json_text.h"
#include "tools/cli/scene_commands.h"
#include "tools/cli/subcommand.h"
#include "tools/cli/tool_files.h"

namespace tools {

namespace {

struct InfoArgs {
    std::string path;
    bool json = false;
};

std::vector<Fact> ModelFacts(const model::MeshModel& m) {
    std::vector<bool> validPoint(m.points.lines.size());
    int64_t validPoints = 0;
    for (size_t i = 0; i < m.points.lines.size(); ++i) {
        validPoint[i] = model::ParseVector(m.points.lines[i]).has_value();
        validPoints += validPoint[i];
    }
    int64_t validFaces = 0;
    std::vector<int32_t> corners;
    for (const std::string& line : m.faces.lines) {
        corners.clear();
        if (model::ParseFaceCornersInto(line, corners) < 3) continue;
        bool ok = true;
        for (int32_t c : corners)
            ok = ok && c >= 0 && static_cast<size_t>(c) < validPoint.size() &&
                 validPoint[static_cast<size_t>(c)];
        validFaces += ok;
    }
    auto count = [](size_t n) { return static_cast<int64_t>(n); };
    return {
        IntegerFact("point lines", count(m.points.lines.size())),
        IntegerFact("valid points", validPoints),
        IntegerFact("face lines", count(m.faces.lines.size())),
        IntegerFact("valid faces", validFaces),
        IntegerFact("groups", count(m.groups.size())),
        IntegerFact("texture entries", count(m.textures.size())),
        IntegerFact("texture names", count(m.textureAssignment.textureNames.size())),
        IntegerFact("face textures", count(m.textureAssignment.faceTextureMap.size())),
        IntegerFact("uv entries", count(m.textureAssignment.uvMap.size())),
        IntegerFact("joints", count(m.joints.size())),
        IntegerFact("mirror axis", m.mirror.mirrorAxis),
        NumberFact("mirror position", model::FormatNumber(m.mirror.mirrorPosition)),
        IntegerFact("device type", m.deviceType),
    };
}

struct XCounts {
    int64_t frames = 0, meshes = 0, materials = 0;
    void Add(const xfile::XMesh& mesh) {
        ++meshes;
        materials += static_cast<int64_t>(mesh.materials.size());
    }
    void Add(const xfile::XFrame& frame) {
        ++frames;
        for (const xfile::XMesh& mesh : frame.meshes) Add(mesh);
        for (const xfile::XFrame& child : frame.children) Add(child);
    }
};

int Info(const InfoArgs& args) {
    if (IsSceneFile(args.path)) return SceneInfo(args.path, args.json);
    std::vector<Fact> xFacts;
    if (FileExtension(args.path) == "x") {
        // Counted apart from the import: the file's own structure, not the merged model.
        const xfile::XReadResult read = xfile::ReadXFile(args.path);
        if (!read) return Fail(args.path, "Error!");
        XCounts counts;
        for (const xfile::XMesh& mesh : read.file->meshes) counts.Add(mesh);
        for (const xfile::XFrame& frame : read.file->frames) counts.Add(frame);
        xFacts = {IntegerFact("frames", counts.frames), IntegerFact("meshes", counts.meshes),
                  IntegerFact("materials", counts.materials),
                  IntegerFact("textures", static_cast<int64_t>(read.file->textureFiles.size()))};
    }
    auto doc = std::make_unique<Document>();
    if (!LoadDocument(*doc, args.path)) return kExitFailed;
    std::vector<Fact> facts = ModelFacts(doc->model);
    facts.insert(facts.end(), xFacts.begin(), xFacts.end());
    std::cout << (args.json ? FactJson(facts) : FactLines(facts));
    return kExitOk;
}

}  // namespace

Run DefineInfo(CLI::App& command) {
    auto args = std::make_shared<InfoArgs>();
    command
        .add_option("FILE", args->path,
                    "Model file (.mkl), X, glTF or OBJ file, scene (.stg) or parts (.ktb)")
        ->required()
        ->check(ExtensionIn({"mkl", "x", "gltf", "glb", "obj", "stg", "ktb"},
                            "a .mkl, .x, .gltf, .glb, .obj, .stg or .ktb file"));
    command.add_flag("--json", args->json, "Print one JSON object with the same keys");
    command.footer("Example: mokkel-tool info resources/samples/house.mkl --json");
    return [args] { return Info(*args); };
}

}  // namespace tools
