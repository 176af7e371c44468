// figure IN OUT --plane ... --from ... --to ...: a rectangle or ellipse polygon drawn on a
// plane into a model, as plane paint writes it; calc OPERAND1 OPERATOR [OPERAND2]: the
// vector calculator.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "model/free_run.h"
#include "model/vector_text.h"
#include "modeller/ops/plane_figure.h"
#include "modeller/ops/vector_calc.h"
#include "tools/cli/subcommand.h"
#include "tools/cli/tool_files.h"
#include "viewport/camera_pose.h"
#include "viewport/model_files.h"

namespace tools {

namespace {

namespace ops = modeller::ops;

struct FigureArgs {
    std::string in, out, plane, from, to, axis = "y";
    std::string camera;
    uint32_t circle = 0;
    bool circleGiven = false, equalRatio = false, half = false;
};

int Usage(std::string_view text) {
    std::cerr << "mokkel-tool: " << text << "\n";
    return kExitUsage;
}

std::optional<rm::Vector3> VectorArg(const std::string& text) {
    const std::optional<model::Vertex> v = model::ParseVector(text);
    if (!v) return std::nullopt;
    return rm::Vector3{v->x, v->y, v->z};
}

int Figure(const FigureArgs& args) {
    const std::optional<ops::PlaneEquation> plane = ops::ParsePlaneText(args.plane);
    if (!plane)
        return Usage("--plane needs six numbers NX,NY,NZ, PX,PY,PZ with a normal that is not zero");
    const std::optional<rm::Vector3> from = VectorArg(args.from), to = VectorArg(args.to);
    if (!from || !to) return Usage("--from and --to need three numbers X,Y,Z");
    rm::Vector3 camera = viewport::CameraPose{}.position;
    if (!args.camera.empty()) {
        const std::optional<rm::Vector3> c = VectorArg(args.camera);
        if (!c) return Usage("--camera needs three numbers X,Y,Z");
        camera = *c;
    }
    if (args.circleGiven && args.circle == 0) return Usage("--circle needs at least one division");

    ops::PlanePaintState state;
    state.normal = plane->normal;
    state.point = plane->point;
    state.modeOn = true;
    ops::PlaneFigureOptions& o = state.options;
    o.shape =
        args.circleGiven ? ops::PlaneFigureOptions::kCircle : ops::PlaneFigureOptions::kRectangle;
    o.divisions = args.circle;
    o.equalRatio = args.equalRatio;
    o.splitHalf = args.half;
    o.axis = args.axis == "z"   ? ops::PlaneFigureOptions::kAxisZ
             : args.axis == "x" ? ops::PlaneFigureOptions::kAxisX
                                : ops::PlaneFigureOptions::kAxisY;

    auto doc = std::make_unique<Document>();
    if (!LoadDocument(*doc, args.in)) return kExitFailed;
    ops::HeadlessOpsHost host(doc->model, doc->objects);
    const int32_t faceLine = model::FindFreeRun(doc->model.faces, 1);
    const ops::OpsResult result =
        ops::ApplyPlaneFigure(doc->model, host, state, *from, *to, camera);
    if (!result.ok)
        return Fail(args.in, result.message.empty() ? "the figure has no points" : result.message);

    viewport::FileOptions options;
    const int32_t mode = doc->model.deviceType;
    options.meshOptions.displayMode = mode >= 0 && mode <= 4 ? mode : 0;
    TerminalPrompt prompt;
    prompt.subject = args.out;
    std::string reason;
    if (!viewport::WriteModelFile(doc->model, doc->objects, args.out, FileExtension(args.out),
                                  &prompt, options, &reason))
        return Fail(args.out, "Error!", reason);
    std::cout << "face " << faceLine << ": " << doc->model.faces.GetLine(faceLine) << "\n";
    return kExitOk;
}

struct CalcArgs {
    std::string operand1, op, operand2;
};

int Calc(const CalcArgs& args) {
    ops::CalcFields f{args.operand1, args.operand2, "", ""};
    const ops::CalcOutcome outcome = ops::Calculate(f, args.op);
    if (!outcome.done) {
        std::cerr << "mokkel-tool: "
                  << (outcome.message.empty() ? "nothing to calculate: the operator does not apply "
                                                "to these operands"
                                              : outcome.message)
                  << "\n";
        return kExitFailed;
    }
    if (args.op == ops::kNormalize) {
        std::cout << f.operand1 << "\n";
        if (f.operand2 != args.operand2) std::cout << f.operand2 << "\n";
    } else {
        std::cout << f.result << "\n";
    }
    return kExitOk;
}

}  // namespace

Run DefineFigure(CLI::App& command) {
    auto args = std::make_shared<FigureArgs>();
    const CLI::Validator kinds = ExtensionIn({"mkl", "x"}, "a .mkl or .x file");
    command.add_option("IN", args->in, "Model file (.mkl) or X file (.x) to read")
        ->required()
        ->check(kinds);
    command.add_option("OUT", args->out, "File to write; its extension picks the format")
        ->required()
        ->check(kinds);
    command
        .add_option("--plane", args->plane,
                    "The plane: normal and a point on it, NX,NY,NZ, PX,PY,PZ")
        ->required();
    command.add_option("--from", args->from, "First corner X,Y,Z (projected onto the plane)")
        ->required();
    command.add_option("--to", args->to, "Second corner X,Y,Z (projected onto the plane)")
        ->required();
    command.add_option("--circle", args->circle, "Draw an ellipse polygon of N divisions")
        ->each([args](const std::string&) { args->circleGiven = true; });
    command.add_flag("--equal-ratio", args->equalRatio, "Same width and height");
    command.add_flag("--half", args->half, "Only the half next to the first corner");
    command.add_option("--axis", args->axis, "Reference up axis of the figure: y, z or x")
        ->check(CLI::IsMember({"y", "z", "x"}));
    command.add_option("--camera", args->camera,
                       "Camera position X,Y,Z deciding the plane's front (default 1,1,-5)");
    command.footer(
        "Example: mokkel-tool figure in.mkl out.mkl --plane \"0,1,0, 0,0,0\" --from 0,0,0 --to "
        "2,0,1");
    return [args] { return Figure(*args); };
}

Run DefineCalc(CLI::App& command) {
    auto args = std::make_shared<CalcArgs>();
    std::vector<std::string> operators;
    for (auto list : {ops::OperatorList::kScalar, ops::OperatorList::kTwoVectors,
                      ops::OperatorList::kPairVector, ops::OperatorList::kPlaneLine})
        for (std::string_view text : ops::OperatorTexts(list)) operators.emplace_back(text);
    command.add_option("OPERAND1", args->operand1, "Numbers separated by commas")->required();
    command
        .add_option("OPERATOR", args->op,
                    "+, -, *, /, 正規化, 中点, 内積, 外積, \"- ( (2) → (1) )\", 面と線の交点")
        ->required()
        ->check(CLI::IsMember(operators));
    command.add_option("OPERAND2", args->operand2, "Numbers separated by commas");
    command.footer("Example: mokkel-tool calc \"1, 0, 0\" 外積 \"0, 1, 0\"");
    return [args] { return Calc(*args); };
}

}  // namespace tools
