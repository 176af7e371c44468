// render IN OUT [--size WxH] [--mode 0..4] [--fit] [--camera X,Y,Z --look-at X,Y,Z]: a model
// or X file drawn by the modeller's own 3D pane, headless.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <memory>

#include "model/vector_text.h"
#include "platform/image/image.h"
#include "tools/cli/scene_commands.h"
#include "tools/cli/subcommand.h"
#include "tools/cli/tool_files.h"
#include "viewport/camera_pose.h"
#include "viewport/fit_camera.h"
#include "viewport/model_mesh.h"
#include "viewport/model_pane.h"
#include "viewport/model_parse.h"

namespace tools {

namespace {

constexpr int kMaxSide = 8192;

struct RenderArgs {
    std::string in, out;
    std::string size = "640x480";
    int mode = -1;
    bool fit = false;
    std::string camera, lookAt;
    bool sizeGiven = false;  // a scene has a size of its own
};

bool ParseSize(const std::string& s, int& w, int& h) {
    char tail = 0;
    return std::sscanf(s.c_str(), "%dx%d%c", &w, &h, &tail) == 2 && w > 0 && h > 0 &&
           w <= kMaxSide && h <= kMaxSide && image::SizeAcceptable(w, h);
}

// "X,Y,Z" (spaces allowed), three finite numbers.
std::optional<rm::Vector3> ParsePoint(const std::string& s) {
    const std::optional<model::Vertex> v = model::ParseVector(s);
    if (!v || !std::isfinite(v->x) || !std::isfinite(v->y) || !std::isfinite(v->z))
        return std::nullopt;
    return rm::Vector3{v->x, v->y, v->z};
}

CLI::Validator PointText() {
    return CLI::Validator(
        [](std::string& s) -> std::string {
            return ParsePoint(s) ? std::string() : "expected X,Y,Z, got " + s;
        },
        "X,Y,Z", "point");
}

// The pane's rebuild (markers, then the model mesh) step by step, letting go of each
// sheet's text once it is parsed: a picture needs only the meshes, and on a large model the
// text is the larger part of the memory.
void BuildMeshesReleasingText(Document& doc, viewport::ModelPane& pane) {
    model::PointSheet& points = doc.model.points;
    model::FaceSheet& faces = doc.model.faces;
    // The X import's own geometry goes first: it is built again from the sheets below.
    doc.objects.modelMesh->Empty();
    doc.objects.modelMesh->ShrinkToFit();
    viewport::ParsePointLines(points, true);
    const int32_t count = viewport::UsedPointCount(points);
    viewport::BuildPointMarkers(points, count, pane.settings.pointColor, *doc.objects.pointMesh);
    std::vector<std::string>().swap(points.lines);
    doc.objects.SyncMaterials(doc.model.groups);
    viewport::ParseFaceLines(faces, points, count);
    std::vector<std::string>().swap(faces.lines);
    viewport::BuildParsedModelMesh(doc.model, doc.objects, count, pane.MeshOptions(),
                                   *doc.objects.modelMesh);
    std::vector<uint32_t>().swap(faces.parsedFaces);
    std::vector<model::Vertex>().swap(points.parsedVertices);
}

int Render(const RenderArgs& args) {
    int width = 0, height = 0;
    ParseSize(args.size, width, height);  // checked while parsing
    if (IsSceneFile(args.in)) {
        if (args.mode >= 0 || args.fit || !args.camera.empty() || !args.lookAt.empty()) {
            std::cerr << "mokkel-tool: a scene is drawn with its own camera and display "
                         "modes; only --size applies\n";
            return kExitUsage;
        }
        return SceneRender(args.in, args.out, args.sizeGiven ? width : 0,
                           args.sizeGiven ? height : 0);
    }
    auto doc = std::make_unique<Document>();
    if (!LoadDocument(*doc, args.in)) return kExitFailed;

    TerminalPrompt prompt;
    prompt.subject = args.in;
    viewport::ModelPane pane(doc->model, doc->objects);
    const int32_t type = doc->model.deviceType;
    pane.settings.displayMode = args.mode >= 0 ? args.mode : (type >= 0 && type <= 4 ? type : 0);
    pane.device.pane = {0, 0, width, height};
    viewport::DeviceRequest request{1, width, height};
    // The picture is the whole target: the "display" is as large as asked for.
    if (!pane.Create(request, width, height, width, height, &prompt)) return kExitFailed;
    BuildMeshesReleasingText(*doc, pane);

    viewport::CameraPose pose;  // the modeller's default camera, looking at the origin
    if (args.camera.size()) pose.position = *ParsePoint(args.camera);
    if (args.lookAt.size()) pose.lookAt = *ParsePoint(args.lookAt);
    if (args.fit) {
        const rm::MeshBuilder& mesh = *doc->objects.modelMesh;
        const rm::MeshBuilder& markers = *doc->objects.pointMesh;
        const std::span<const rm::Vector3> lists[] = {mesh.Vertices(), markers.Vertices()};
        viewport::FitView view;
        view.width = pane.device.viewport->Width();
        view.height = pane.device.viewport->Height();
        view.front = viewport::kFrontDistance;
        view.field = viewport::kField;
        if (const std::optional<viewport::CameraFit> fit = viewport::FitCamera(lists, view)) {
            pose.position = fit->position;
            pose.lookAt = fit->lookAt;
        }
    }
    const rm::Vector3 direction = pose.lookAt - pose.position;
    if (rm::Length(direction) == 0.0f) {
        std::cerr << "mokkel-tool: the camera stands on the point it looks at\n";
        return kExitUsage;
    }
    pose.zAxis = direction;
    pose.yAxis = viewport::LevelUpVector(direction);
    if (!viewport::ApplyCameraPose(pane.scene, pose)) return Fail(args.in, "Error!");

    const std::string error = pane.SaveViewImage(args.out, 90);
    if (!error.empty()) return Fail(args.out, error);
    std::cout << args.out << '\n';
    return kExitOk;
}

}  // namespace

Run DefineRender(CLI::App& command) {
    auto args = std::make_shared<RenderArgs>();
    command
        .add_option("IN", args->in,
                    "Model file (.mkl), X, glTF or OBJ file, scene (.stg) or parts (.ktb)")
        ->required()
        ->check(ExtensionIn({"mkl", "x", "gltf", "glb", "obj", "stg", "ktb"},
                            "a .mkl, .x, .gltf, .glb, .obj, .stg or .ktb file"));
    command.add_option("OUT", args->out, "Picture to write: .bmp, .jpg, .jpeg or .png")
        ->required()
        ->check(ExtensionIn({"bmp", "jpg", "jpeg", "png"}, "a .bmp, .jpg or .png file"));
    command
        .add_option("--size", args->size,
                    "Picture size in pixels, at most 8192 a side (a scene: its 3D screen size)")
        ->capture_default_str()
        ->each([args](const std::string&) { args->sizeGiven = true; })
        ->check(CLI::Validator(
            [](std::string& s) -> std::string {
                int w, h;
                return ParseSize(s, w, h) ? std::string() : "expected WxH, got " + s;
            },
            "WxH", "size"));
    command
        .add_option("--mode", args->mode,
                    "Display mode: 0 faces, 1 rounded, 2 no shading, 3 wireframe, 4 points only "
                    "(default: the model's own)")
        ->check(CLI::Range(0, 4));
    CLI::Option* fit = command.add_flag(
        "--fit", args->fit, "Look along the default direction from where the model fills 80%");
    CLI::Option* camera =
        command.add_option("--camera", args->camera, "Camera position (default 1,1,-5)")
            ->check(PointText());
    CLI::Option* lookAt =
        command.add_option("--look-at", args->lookAt, "Point looked at (default 0,0,0)")
            ->check(PointText());
    fit->excludes(camera);
    fit->excludes(lookAt);
    command.footer(
        "Example: mokkel-tool render resources/samples/house.mkl house.png --fit --size 320x240");
    return [args] { return Render(*args); };
}

}  // namespace tools
