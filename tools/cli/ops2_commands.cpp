// revolve, rotate-copy and face-copy IN OUT: the modeller's sweep and copy operations on a
// model file, through the same records, checks and steps as their dialogs. Options left out
// take the dialogs' first values; a value a dialog would refuse exits 2 with its message.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <optional>

#include "modeller/ops/face_copy.h"
#include "modeller/ops/revolution.h"
#include "modeller/ops/rotate_copy.h"
#include "platform/field_exchange.h"
#include "tools/cli/subcommand.h"
#include "tools/cli/tool_files.h"
#include "viewport/model_files.h"

namespace tools {

namespace {

namespace ops = modeller::ops;

int Refuse(std::string_view message) {
    std::cerr << "mokkel-tool: " << message << '\n';
    return kExitUsage;
}

// Fields read as the dialogs read them; an option left out keeps `value`.
bool ExchangeAngle(const CLI::App& command, const std::string& text, float& value,
                   std::string& refusal) {
    if (command.count("--angle") == 0) return true;
    const auto angle = shell::ExchangeFloatInRange(text, -ops::kMaxRevolutionAngle,
                                                      ops::kMaxRevolutionAngle, refusal);
    if (angle) value = *angle;
    return angle.has_value();
}

bool ExchangeDivisions(const CLI::App& command, const std::string& text, uint32_t& value,
                       std::string& refusal) {
    if (command.count("--divisions") == 0) return true;
    const auto divisions = shell::ExchangeUnsigned(text, refusal);
    if (divisions) value = *divisions;
    return divisions.has_value();
}

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

// Loads IN, applies the operation through a host without a window, writes OUT as the
// modeller saves it. `apply` returns the operation's result.
template <typename Apply>
int RunOperation(const Files& files, Apply apply) {
    auto doc = std::make_unique<Document>();
    if (!LoadDocument(*doc, files.in)) return kExitFailed;
    ops::HeadlessOpsHost host(doc->model, doc->objects);
    const std::optional<ops::OpsResult> result = apply(doc->model, host);
    if (!result) return kExitUsage;  // refused; the message is out
    if (!result->ok) return Fail(files.in, result->message);
    viewport::FileOptions options;
    const int32_t mode = doc->model.deviceType;
    options.meshOptions.displayMode = mode >= 0 && mode <= 4 ? mode : 0;
    TerminalPrompt prompt;
    prompt.subject = files.out;
    std::string reason;
    if (!viewport::WriteModelFile(doc->model, doc->objects, files.out, FileExtension(files.out),
                                  &prompt, options, &reason))
        return Fail(files.out, "Error!", reason);
    return kExitOk;
}

struct RevolveArgs {
    Files files;
    ops::RevolutionSettings s;
    std::string angle, divisions;
    bool noCaps = false, noFlip = false, keepSource = false;
    std::vector<std::string> newGroup;  // given with no (or an empty) name: the generated one
};

struct RotateCopyArgs {
    Files files;
    ops::RotateCopySettings s;
    std::string angle, divisions;
};

struct FaceCopyArgs {
    Files files;
    ops::FaceCopySettings s;
    std::string divisions;
};

void AddSweepOptions(CLI::App& command, std::string& faces, std::string& axis, bool& ccw,
                     std::string& angle, std::string& divisions, const char* firstDivisions) {
    command.add_option("--faces", faces, "Face numbers separated by commas, or all")->required();
    command.add_option("--axis", axis,
                       "Axis direction, then a point on it: \"DX,DY,DZ, PX,PY,PZ\" (default "
                       "\"0, 1, 0, 0, 0, 0\")");
    command.add_flag("--counter-clockwise", ccw,
                     "Turn counter-clockwise seen along the axis (default clockwise)");
    command.add_option("--angle", angle, "Angle in degrees, -360 to 360 (default 360)");
    command.add_option("--divisions", divisions,
                       std::string("Number of equal steps (default ") + firstDivisions + ")");
}

}  // namespace

Run DefineRevolve(CLI::App& command) {
    auto args = std::make_shared<RevolveArgs>();
    AddFiles(command, args->files);
    AddSweepOptions(command, args->s.faceList, args->s.axis, args->s.counterClockwise, args->angle,
                    args->divisions, "20");
    command.add_flag("--no-caps", args->noCaps, "No cap at the end of a partial turn");
    command.add_flag("--no-flip-source", args->noFlip,
                     "Leave the source face as it is when its front looks along the turn");
    command.add_flag("--keep-source", args->keepSource, "Keep the source face at a full turn");
    command
        .add_option("--new-group", args->newGroup,
                    "Put the new faces in a new group, named NAME or \"回転体\" and the smallest "
                    "free number")
        ->expected(0, 1);
    command.add_flag("--no-join", args->s.noJoin, "Do not join coincident points afterwards");
    command.footer("Example: mokkel-tool revolve profile.mkl vase.mkl --faces all --divisions 24");
    return [args, &command] {
        ops::RevolutionSettings s = args->s;
        s.caps = !args->noCaps;
        s.flipSource = !args->noFlip;
        s.deleteSourceAtFullTurn = !args->keepSource;
        std::string refusal;
        if (!ExchangeAngle(command, args->angle, s.angle, refusal) ||
            !ExchangeDivisions(command, args->divisions, s.divisions, refusal))
            return Refuse(refusal);
        const bool newGroup = command.count("--new-group") > 0;
        return RunOperation(
            args->files,
            [&](model::MeshModel& m, ops::OpsHost& host) -> std::optional<ops::OpsResult> {
                s.newGroup = newGroup;
                const bool named = !args->newGroup.empty() && !args->newGroup.front().empty();
                s.groupName = named ? args->newGroup.front() : ops::GeneratedGroupName(m.groups);
                if (const std::string message = ops::ValidateRevolution(m, s); !message.empty()) {
                    Refuse(message);
                    return std::nullopt;
                }
                return ops::ApplyRevolution(m, host, s);
            });
    };
}

Run DefineRotateCopy(CLI::App& command) {
    auto args = std::make_shared<RotateCopyArgs>();
    AddFiles(command, args->files);
    AddSweepOptions(command, args->s.faceList, args->s.axis, args->s.counterClockwise, args->angle,
                    args->divisions, "1");
    command.add_flag("--back-faces", args->s.backFaces,
                     "Add a reversed face for the source and every copy");
    command.add_option("--new-group", args->s.groupName, "Put the faces in one new group NAME");
    command.add_flag("--no-join", args->s.noJoin, "Do not join coincident points afterwards");
    command.footer(
        "Example: mokkel-tool rotate-copy spoke.mkl wheel.mkl --faces 0 --angle 360 "
        "--divisions 12");
    return [args, &command] {
        ops::RotateCopySettings s = args->s;
        s.newGroup = command.count("--new-group") > 0;
        std::string refusal;
        if (!ExchangeAngle(command, args->angle, s.angle, refusal) ||
            !ExchangeDivisions(command, args->divisions, s.divisions, refusal))
            return Refuse(refusal);
        return RunOperation(
            args->files,
            [&](model::MeshModel& m, ops::OpsHost& host) -> std::optional<ops::OpsResult> {
                if (const std::string message = ops::ValidateRotateCopy(m, s); !message.empty()) {
                    Refuse(message);
                    return std::nullopt;
                }
                return ops::ApplyRotateCopy(m, host, s);
            });
    };
}

Run DefineFaceCopy(CLI::App& command) {
    auto args = std::make_shared<FaceCopyArgs>();
    AddFiles(command, args->files);
    command.add_option("--faces", args->s.faceList, "Face numbers separated by commas, or all")
        ->required();
    command.add_option("--vector", args->s.vector, "Move vector X,Y,Z (default 0, 0, 1)");
    command.add_option("--divisions", args->divisions,
                       "Number of copies; the last lies at the whole vector (default 1)");
    command.add_flag("--back-faces", args->s.backFaces,
                     "Add a reversed face for the source and every copy");
    command.add_flag("--no-join", args->s.noJoin, "Do not join coincident points afterwards");
    command.footer(
        "Example: mokkel-tool face-copy step.mkl stairs.mkl --faces 0 --vector 0,1,1 "
        "--divisions 10");
    return [args, &command] {
        ops::FaceCopySettings s = args->s;
        std::string refusal;
        if (!ExchangeDivisions(command, args->divisions, s.divisions, refusal))
            return Refuse(refusal);
        if (const std::string message = ops::ValidateFaceCopy(s); !message.empty())
            return Refuse(message);
        return RunOperation(
            args->files,
            [&](model::MeshModel& m, ops::OpsHost& host) -> std::optional<ops::OpsResult> {
                return ops::ApplyFaceCopy(m, host, s);
            });
    };
}

}  // namespace tools
