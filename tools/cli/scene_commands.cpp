// info, resave, render and convert for scenes: the studio's own load, save and frame, so the
// tool and the studio never disagree about a scene.
#include "tools/cli/scene_commands.h"

#include <cstdio>
#include <iostream>
#include <memory>

#include "model/vector_text.h"
#include "studio/render/studio_render.h"
#include "studio/scene/scene_file.h"
#include "tools/cli/json_text.h"
#include "tools/cli/subcommand.h"
#include "tools/cli/tool_files.h"

namespace tools {

namespace {

std::string Vec(const rm::Vector3& v) {
    return model::FormatVector(v.x, v.y, v.z);
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

std::vector<Fact> SceneFacts(const studio::CSceneDoc& doc) {
    int64_t objects = 0, missing = 0, lights = 0, folders = 0;
    for (const studio::SceneItem& item : doc.Items()) {
        objects += studio::IsObjectKind(item.kind);
        missing += item.kind == studio::kMissingObject;
        lights += studio::IsLightKind(item.kind);
        folders += item.kind == studio::kFolder;
    }
    const studio::SceneEnvironment& e = doc.environment;
    const studio::Placement camera = doc.CameraPlacement();
    return {
        IntegerFact("items", static_cast<int64_t>(doc.Items().size())),
        IntegerFact("objects", objects),
        IntegerFact("missing models", missing),
        IntegerFact("lights", lights),
        IntegerFact("folders", folders),
        IntegerFact("joints", static_cast<int64_t>(doc.Joints().size())),
        TextFact("screen", std::to_string(e.screenWidth) + "x" + std::to_string(e.screenHeight)),
        TextFact("background", Hex(e.backgroundColor)),
        IntegerFact("fog enabled", e.fogEnabled != 0),
        TextFact("fog colour", Hex(e.fogOwnColor != 0 ? e.fogColor : e.backgroundColor)),
        NumberFact("fog start", model::FormatNumber(e.fogStart)),
        NumberFact("fog end", model::FormatNumber(e.fogEnd)),
        TextFact("camera position", Vec(camera.position)),
        TextFact("camera direction", Vec(camera.direction)),
        TextFact("camera up", Vec(camera.up)),
        TextFact("look-at point", Vec(doc.LookAtFrame()->Position(doc.Root()))),
        IntegerFact("camera look", e.cameraLook),
        NumberFact("camera speed", model::FormatNumber(e.cameraSpeed)),
    };
}

int Saved(const studio::SceneFileResult& result, const std::string& out) {
    if (result.ok) return kExitOk;
    return Fail(out, "Error!", result.detail);
}

}  // namespace

// Scenes are opened as the studio opens them; a parts file is read whole as well, so that
// resaving it keeps its environment.
bool LoadScene(studio::CSceneDoc& doc, const std::string& path) {
    const studio::SceneFileResult result = studio::LoadSceneFile(doc, path, true);
    for (const std::string& message : result.report.messages)
        std::cerr << "mokkel-tool: " << message << '\n';
    if (!result.ok) {
        Fail(path, result.message.empty() ? "Error!" : result.message, result.detail);
        return false;
    }
    // A model the studio would have warned about is a failure for a script.
    return result.report.messages.empty();
}

bool IsSceneFile(std::string_view path) {
    const std::string extension = FileExtension(path);
    return extension == "stg" || extension == "ktb";
}

int SceneInfo(const std::string& path, bool json) {
    auto doc = std::make_unique<studio::CSceneDoc>();
    if (!LoadScene(*doc, path)) return kExitFailed;
    const std::vector<Fact> facts = SceneFacts(*doc);
    std::cout << (json ? FactJson(facts) : FactLines(facts));
    return kExitOk;
}

int SceneResave(const std::string& in, const std::string& out) {
    if (!IsSceneFile(out)) return Fail(out, "Error!", out + ": a scene is saved as .stg or .ktb");
    auto doc = std::make_unique<studio::CSceneDoc>();
    if (!LoadScene(*doc, in)) return kExitFailed;
    return Saved(studio::SaveSceneFile(*doc, out), out);
}

int SceneRender(const std::string& in, const std::string& out, int width, int height) {
    auto doc = std::make_unique<studio::CSceneDoc>();
    if (!LoadScene(*doc, in)) return kExitFailed;
    if (width > 0 && height > 0) {
        doc->environment.screenWidth = width;
        doc->environment.screenHeight = height;
        doc->environment.fitToView = 0;
    }
    studio::StudioRender render;
    const int w = doc->environment.screenWidth, h = doc->environment.screenHeight;
    if (w > 8192 || h > 8192 || !image::SizeAcceptable(w, h) || !render.CreateStudioDevice(w, h))
        return Fail(in, studio::kMsgStudioDeviceFailed,
                    "3D screen of " + std::to_string(w) + "x" + std::to_string(h));
    const std::string error = render.SaveViewImage(*doc, out, 90, w, h);
    if (!error.empty()) return Fail(out, error);
    std::cout << out << '\n';
    return kExitOk;
}

int SceneConvert(const std::string& in, const std::string& out, bool binary) {
    const std::string extension = FileExtension(out);
    if (extension != "x" && extension != "glb" && extension != "gltf" && !IsSceneFile(out))
        return Fail(out, "Error!", out + ": a scene converts to .x, .glb, .gltf, .stg or .ktb");
    auto doc = std::make_unique<studio::CSceneDoc>();
    if (!LoadScene(*doc, in)) return kExitFailed;
    studio::SaveOptions options;
    options.binaryX = binary;
    return Saved(studio::SaveSceneFile(*doc, out, 0, -1, options), out);
}

}  // namespace tools
