#include "tools/render_command.h"

#include <cstdio>
#include <iostream>

#include "model/current_file.h"
#include "tools/terminal_prompt.h"
#include "viewport/model_files.h"
#include "viewport/model_pane.h"

namespace tools {

namespace {

bool ParseSize(const std::string& s, int& w, int& h) {
    return std::sscanf(s.c_str(), "%dx%d", &w, &h) == 2 && w > 0 && h > 0 && w <= 8192 && h <= 8192;
}

}  // namespace

int Render(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        std::cerr << "usage: mokkel-tool render IN OUT [--size WxH] [--mode 0..4]\n";
        return 2;
    }
    const std::string in = args[0], out = args[1];
    int width = 640, height = 480, mode = -1;
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--size" && i + 1 < args.size() && ParseSize(args[i + 1], width, height)) {
            ++i;
        } else if (args[i] == "--mode" && i + 1 < args.size() && args[i + 1].size() == 1 &&
                   args[i + 1][0] >= '0' && args[i + 1][0] <= '4') {
            mode = args[++i][0] - '0';
        } else {
            std::cerr << "mokkel-tool: bad option " << args[i] << '\n';
            return 2;
        }
    }

    TerminalPrompt prompt;
    model::MeshModel model;
    viewport::ModelRenderObjects objects;
    model::CurrentFile file;
    file.Set(in);
    if (!viewport::OpenOrSaveFile(model, objects, in, file.extension, viewport::FileMode::kRead,
                                  &prompt)) {
        std::cerr << "mokkel-tool: cannot load " << in << '\n';
        return 1;
    }

    viewport::ModelPane pane(model, objects);
    pane.settings.displayMode =
        mode >= 0 ? mode : (model.deviceType >= 0 && model.deviceType <= 4 ? model.deviceType : 0);
    pane.device.pane = {0, 0, width, height};
    viewport::DeviceRequest request{1, width, height};
    // The picture is the whole target: the "display" is as large as asked for.
    if (!pane.Create(request, width, height, width, height, &prompt)) return 1;
    // The default camera keeps looking at the origin.
    pane.updateCamera = [&pane] {
        rm::FramePtr target = pane.scene.lookAtTarget;
        target->SetPosition(pane.device.root, 0, 0, 0);
        pane.device.camera->LookAt(target, pane.device.root, rm::Constraint::kZ);
    };
    pane.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    const std::string error = pane.SaveViewImage(out, 90);
    if (!error.empty()) {
        prompt.Tell(error);
        return 1;
    }
    std::cout << out << '\n';
    return 0;
}

}  // namespace tools
