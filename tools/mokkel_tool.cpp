// mokkel-tool: the libraries' work from the command line, without a display.
#include <CLI/CLI.hpp>
#include <map>

#include "tools/cli/subcommand.h"

int main(int argc, char** argv) {
    CLI::App app{"mokkel-tool: inspect, convert and render Mokkel models without a display",
                 "mokkel-tool"};
    app.set_version_flag("--version", std::string("mokkel-tool ") + MOKKEL_TOOL_VERSION);
    app.require_subcommand(1);
    std::map<const CLI::App*, tools::Run> runs;
    for (const tools::Subcommand& entry : tools::Subcommands()) {
        CLI::App* command = app.add_subcommand(entry.name, entry.summary);
        runs[command] = entry.define(*command);
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help, --version
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return tools::kExitUsage;
    }
    for (const CLI::App* command : app.get_subcommands()) return runs.at(command)();
    return tools::kExitUsage;
}
