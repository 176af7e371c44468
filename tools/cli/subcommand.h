// mokkel-tool's operations: one table, one entry per subcommand, so a new operation is one
// entry and one Define function.
#pragma once

#include <functional>
#include <span>

namespace CLI {
class App;
}

namespace tools {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the operation failed; the reason is on stderr
inline constexpr int kExitUsage = 2;   // the command line was wrong

// Runs a subcommand once its arguments are parsed; returns the exit code.
using Run = std::function<int()>;

struct Subcommand {
    const char* name;
    const char* summary;
    // Declares the arguments on the subcommand's own parser and returns what runs it.
    Run (*define)(CLI::App& command);
};

std::span<const Subcommand> Subcommands();

Run DefineInfo(CLI::App& command);
Run DefineConvert(CLI::App& command);
Run DefineResave(CLI::App& command);
Run DefineRender(CLI::App& command);
// The modelling operations, each IN OUT.
Run DefineTidy(CLI::App& command);
Run DefineJoin(CLI::App& command);
Run DefineFlip(CLI::App& command);
Run DefineTransform(CLI::App& command);
Run DefineExtrude(CLI::App& command);
Run DefineMirror(CLI::App& command);
Run DefineMirrorBake(CLI::App& command);
Run DefineFigure(CLI::App& command);
Run DefineCalc(CLI::App& command);
Run DefineRevolve(CLI::App& command);
Run DefineRotateCopy(CLI::App& command);
Run DefineFaceCopy(CLI::App& command);
// Posing a scene: an item with its linked set, SCENE OUT.
Run DefineSceneMove(CLI::App& command);
Run DefineSceneTurn(CLI::App& command);

}  // namespace tools
