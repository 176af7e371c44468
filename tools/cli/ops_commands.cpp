// tidy, join, flip, transform, extrude, mirror and mirror-bake, each IN OUT: the modeller's
// own checks and operations on a document without a window. Options not given take the
// values the dialog opens with on a fresh start; a value the dialog would refuse is refused
// with the dialog's text and exit 2, before the file is read.
#include <CLI/CLI.hpp>
#include <functional>
#include <iostream>
#include <memory>

#include "model/vector_text.h"
#include "modeller/ops/extrusion.h"
#include "modeller/ops/flip_faces.h"
#include "modeller/ops/join_points.h"
#include "modeller/ops/mirror.h"
#include "modeller/ops/tidy_data.h"
#include "modeller/ops/whole_model.h"
#include "platform/field_exchange.h"
#include "tools/cli/subcommand.h"
#include "tools/cli/tool_files.h"
#include "viewport/model_pane.h"

namespace tools {

namespace {

namespace ops = modeller::ops;

struct Files {
    std::string in, out;
};

void AddFiles(CLI::App& command, Files& files) {
    const CLI::Validator kinds = ExtensionIn({"mkl", "x"}, "a .mkl or .x file");
    command.add_option("IN", files.in, "Model file (.mkl) or X file (.x) to read")
        ->required()
        ->check(kinds);
    command.add_option("OUT", files.out, "File to write; its extension picks the format")
        ->required()
        ->check(kinds);
}

// A value the dialog refuses: the option it came from and the dialog's own text.
int Refuse(std::string_view what, std::string_view message) {
    std::cerr << "mokkel-tool: " << what << ": " << message << '\n';
    return kExitUsage;
}

using Operation = std::function<ops::OpsResult(Document&, ops::OpsHost&)>;

// Reads IN, runs the operation as the window runs it, writes OUT. An operation that does
// nothing (and says why) writes nothing.
int RunOnFile(const Files& files, const Operation& operation) {
    auto doc = std::make_unique<Document>();
    if (!LoadDocument(*doc, files.in)) return kExitFailed;
    ops::HeadlessOpsHost host(doc->model, doc->objects);
    host.options = DocumentMeshOptions(doc->model);
    // Where an open document stands: sheets parsed, point markers and model mesh built.
    host.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    const ops::OpsResult result = operation(*doc, host);
    if (!result.ok) return Fail(files.in, result.message);
    return SaveDocument(*doc, files.out);
}

// The menu commands without a dialog.
Run DefineMenuCommand(CLI::App& command, ops::OpsResult (*apply)(model::MeshModel&, ops::OpsHost&),
                      const char* example) {
    auto files = std::make_shared<Files>();
    AddFiles(command, *files);
    command.footer(example);
    return [files, apply] {
        return RunOnFile(*files,
                         [apply](Document& d, ops::OpsHost& host) { return apply(d.model, host); });
    };
}

struct TransformArgs {
    Files files;
    std::string move, scale, rotate, angle, flip;
    bool counterClockwise = false, yes = false;
    CLI::Option *moveOption = nullptr, *scaleOption = nullptr, *rotateOption = nullptr,
                *angleOption = nullptr, *flipOption = nullptr;
};

int Transform(const TransformArgs& a) {
    // The dialog's fields as it first opens; exactly one kind is chosen on the command line.
    ops::WholeModelFields f = ops::WholeModelFields::Open(ops::WholeModelMemory{});
    const struct {
        CLI::Option* option;
        int32_t kind;
        const char* name;
    } kinds[] = {{a.moveOption, ops::kWholeMove, "--move"},
                 {a.scaleOption, ops::kWholeScale, "--scale"},
                 {a.rotateOption, ops::kWholeRotate, "--rotate"},
                 {a.flipOption, ops::kWholeFlip, "--flip"}};
    f.kind = -1;                      // none chosen: the dialog's own refusal
    const char* field = "transform";  // where a refusal points
    for (const auto& k : kinds) {
        if (k.option->count() == 0) continue;
        if (f.kind != -1)
            return Refuse("transform", "give only one of --move, --scale, --rotate and --flip");
        f.kind = k.kind;
        field = k.name;
    }
    if (a.moveOption->count()) f.moveText = a.move;
    if (a.scaleOption->count()) f.scaleText = a.scale;
    if (a.rotateOption->count()) f.axisText = a.rotate;
    if (a.angleOption->count()) f.angleText = a.angle;
    f.direction = a.counterClockwise ? 1 : 0;
    if (a.flipOption->count()) f.plane = a.flip == "x" ? 0 : a.flip == "y" ? 1 : 2;

    const ops::WholeModelCheck check = ops::ValidateWholeModel(f);
    if (!check.message.empty()) return Refuse(field, check.message);
    // The window asks; a script cannot answer, so only --yes goes on.
    if (check.askZeroScale && !a.yes) {
        Refuse("--scale", ops::kZeroScaleQuestion);
        std::cerr << "mokkel-tool: give --yes to scale by zero\n";
        return kExitUsage;
    }
    const ops::WholeModelOperation operation = check.operation;
    return RunOnFile(a.files, [operation](Document& d, ops::OpsHost& host) {
        return ops::ApplyWholeModel(d.model, host, operation);
    });
}

struct ExtrudeArgs {
    Files files;
    std::string faces, vector, length, divisions;
    bool noFlipSource = false, quads = false, cone = false, noJoin = false;
    CLI::Option *lengthOption = nullptr, *divisionsOption = nullptr;
};

int Extrude(const ExtrudeArgs& a) {
    ops::ExtrusionSettings s;  // the dialog's first values
    // The field exchange first, in the dialog's control order; then the operation's checks.
    if (a.lengthOption->count()) {
        const std::optional<float> length = shell::ExchangeFloat(a.length);
        if (!length) return Refuse("--length", shell::kNeedNumberText);
        s.useLength = true;
        s.length = *length;
    }
    if (a.divisionsOption->count()) {
        const std::optional<uint32_t> divisions = shell::ExchangeUnsigned(a.divisions);
        if (!divisions) return Refuse("--divisions", shell::kNeedUnsignedText);
        s.divisions = *divisions;
    }
    s.faceList = a.faces;
    s.vector = a.vector;
    s.flipSource = !a.noFlipSource;
    s.quads = a.quads;
    s.cone = a.cone;
    s.noJoin = a.noJoin;
    if (const std::string message = ops::ValidateExtrusion(s); !message.empty()) {
        const char* field = s.faceList.empty()               ? "--faces"
                            : message == ops::kBadVectorText ? "--vector"
                                                             : "--divisions";
        return Refuse(field, message);
    }
    return RunOnFile(a.files, [s](Document& d, ops::OpsHost& host) {
        return ops::ApplyExtrusion(d.model, host, s);
    });
}

struct MirrorArgs {
    Files files;
    std::string axis, position;
    CLI::Option* positionOption = nullptr;
};

constexpr const char* kAxisNames[] = {"none", "x", "y", "z"};

int Mirror(const MirrorArgs& a) {
    std::optional<float> position;
    if (a.positionOption->count()) {
        position = shell::ExchangeFloat(a.position);
        if (!position) return Refuse("--position", shell::kNeedNumberText);
    }
    int32_t axis = 0;
    while (axis < 3 && a.axis != kAxisNames[axis]) ++axis;
    return RunOnFile(a.files, [axis, position](Document& d, ops::OpsHost& host) {
        model::MirrorSettings setting = d.model.mirror;
        setting.mirrorAxis = axis;
        // Without --position, the position field as the dialog opens it: the file's own,
        // as text, read back when OK is pressed.
        setting.mirrorPosition = position.value_or(
            shell::ExchangeFloat(model::FormatNumber(d.model.mirror.mirrorPosition))
                .value_or(0.0f));
        return ops::ApplyMirrorSetting(d.model, host, setting);
    });
}

}  // namespace

Run DefineTidy(CLI::App& command) {
    return DefineMenuCommand(command, ops::ApplyTidyData,
                             "Example: mokkel-tool tidy resources/samples/house.mkl tidy.mkl");
}

Run DefineJoin(CLI::App& command) {
    return DefineMenuCommand(command, ops::ApplyJoinPoints,
                             "Example: mokkel-tool join resources/samples/house.mkl joined.mkl");
}

Run DefineFlip(CLI::App& command) {
    return DefineMenuCommand(command, ops::ApplyFlipFaces,
                             "Example: mokkel-tool flip resources/samples/house.mkl flipped.mkl");
}

Run DefineMirrorBake(CLI::App& command) {
    return DefineMenuCommand(command, ops::ApplyMirrorBake,
                             "Example: mokkel-tool mirror-bake twin.mkl twins.mkl");
}

Run DefineTransform(CLI::App& command) {
    auto a = std::make_shared<TransformArgs>();
    AddFiles(command, a->files);
    a->moveOption = command.add_option("--move", a->move, "Move every point by X,Y,Z");
    a->scaleOption = command.add_option("--scale", a->scale,
                                        "Scale about the origin by S, or by X,Y,Z along each axis");
    a->rotateOption = command.add_option(
        "--rotate", a->rotate, "Rotate about the axis \"DX,DY,DZ, PX,PY,PZ\" (direction, point)");
    a->angleOption =
        command.add_option("--angle", a->angle, "Rotation angle in degrees (default 360)")
            ->needs(a->rotateOption);
    command
        .add_flag("--counter-clockwise", a->counterClockwise,
                  "Rotate counter-clockwise seen from the axis tip (default clockwise)")
        ->needs(a->rotateOption);
    a->flipOption =
        command
            .add_option("--flip", a->flip,
                        "Negate one coordinate: x (left-right), y (up-down), z (front-back)")
            ->check(CLI::IsMember({"x", "y", "z"}));
    command.add_flag("--yes", a->yes, "Answer yes to the question a scale by zero asks");
    command.footer(
        "Exactly one of --move, --scale, --rotate and --flip.\n"
        "Example: mokkel-tool transform resources/samples/house.mkl turned.mkl "
        "--rotate \"0,1,0, 0,0,0\" --angle 90");
    return [a] { return Transform(*a); };
}

Run DefineExtrude(CLI::App& command) {
    auto a = std::make_shared<ExtrudeArgs>();
    AddFiles(command, a->files);
    command.add_option("--faces", a->faces, "Faces to extrude: all, or face numbers (0,2,5)")
        ->required();
    command.add_option("--vector", a->vector, "Extrusion vector X,Y,Z (the apex with --cone)")
        ->required();
    a->lengthOption = command.add_option("--length", a->length,
                                         "Scale the vector to this length (default: as given)");
    a->divisionsOption =
        command.add_option("--divisions", a->divisions, "Slices along the vector (default 1)");
    command.add_flag("--no-flip-source", a->noFlipSource,
                     "Keep a source face that ends up facing inward as it is");
    command.add_flag("--quads", a->quads, "Make the sides as quads, not triangles");
    command.add_flag("--cone", a->cone, "Make cones to the point --vector instead of prisms");
    command.add_flag("--no-join", a->noJoin, "Skip the point join at the end");
    command.footer(
        "Example (a taller chimney): mokkel-tool extrude resources/samples/house.mkl tall.mkl "
        "--faces 12 --vector 0,0.6,0 --divisions 2");
    return [a] { return Extrude(*a); };
}

Run DefineMirror(CLI::App& command) {
    auto a = std::make_shared<MirrorArgs>();
    AddFiles(command, a->files);
    command.add_option("--axis", a->axis, "Mirror across x, y or z, or none to switch it off")
        ->required()
        ->check(CLI::IsMember({"none", "x", "y", "z"}));
    a->positionOption = command.add_option(
        "--position", a->position, "Where the mirror plane crosses the axis (default: the file's)");
    command.footer(
        "Example: mokkel-tool mirror resources/samples/house.mkl twin.mkl --axis x "
        "--position 1.5");
    return [a] { return Mirror(*a); };
}

}  // namespace tools
