// mokkel-tool: the libraries' work from the command line, without a display.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "model/model_file.h"
#include "model/vector_text.h"
#include "tools/render_command.h"
#include "tools/terminal_prompt.h"

namespace {

int Usage() {
    std::cerr << "usage: mokkel-tool info FILE.mkl\n"
                 "       mokkel-tool resave IN.mkl OUT.mkl\n"
                 "       mokkel-tool render IN OUT.bmp|OUT.jpg [--size WxH] [--mode 0..4]\n";
    return 2;
}

bool Load(model::MeshModel& m, const std::string& path) {
    tools::TerminalPrompt prompt;
    model::ClearModel(m, &prompt, nullptr, false);
    if (model::LoadModelFile(m, path, &prompt)) return true;
    std::cerr << "mokkel-tool: cannot load " << path << '\n';
    return false;
}

int Info(const std::string& path) {
    model::MeshModel m;
    if (!Load(m, path)) return 1;

    std::vector<bool> validPoint(m.points.lines.size());
    size_t validPoints = 0;
    for (size_t i = 0; i < m.points.lines.size(); ++i) {
        validPoint[i] = model::ParseVector(m.points.lines[i]).has_value();
        validPoints += validPoint[i];
    }
    size_t validFaces = 0;
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
    std::printf("point lines: %zu\n", m.points.lines.size());
    std::printf("valid points: %zu\n", validPoints);
    std::printf("face lines: %zu\n", m.faces.lines.size());
    std::printf("valid faces: %zu\n", validFaces);
    std::printf("groups: %zu\n", m.groups.size());
    std::printf("texture entries: %zu\n", m.textures.size());
    std::printf("texture names: %zu\n", m.textureAssignment.textureNames.size());
    std::printf("face textures: %zu\n", m.textureAssignment.faceTextureMap.size());
    std::printf("uv entries: %zu\n", m.textureAssignment.uvMap.size());
    std::printf("joints: %zu\n", m.joints.size());
    std::printf("mirror axis: %d\n", m.mirror.mirrorAxis);
    std::printf("mirror position: %s\n", model::FormatNumber(m.mirror.mirrorPosition).c_str());
    std::printf("device type: %d\n", m.deviceType);
    return 0;
}

int Resave(const std::string& in, const std::string& out) {
    model::MeshModel m;
    if (!Load(m, in)) return 1;
    if (!model::SaveModelFile(m, out)) {
        std::cerr << "mokkel-tool: cannot write " << out << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string_view command = argv[1];
    if (command == "info" && argc == 3) return Info(argv[2]);
    if (command == "resave" && argc == 4) return Resave(argv[2], argv[3]);
    if (command == "render") return tools::Render({argv + 2, argv + argc});
    return Usage();
}
