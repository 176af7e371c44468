// Running the built mokkel-tool as a user runs it, and reading back what it wrote.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "model/model_file.h"
#include "model/vector_text.h"
#include "tests/support/temp_dir.h"

namespace tool_run {

inline const std::string kSample = MOKKEL_SOURCE_DIR "/resources/samples/house.mkl";

// A folder whose name holds a period, as mktemp -d makes them.
struct DottedDir {
    std::string path;
    DottedDir() {
        std::string pattern = "/tmp/mokkel-tool.XXXXXX";
        path = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~DottedDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string File(const std::string& name) const { return path + "/" + name; }
};

struct Result {
    int code = -1;  // the exit code; -1 for a crash or a hang
    std::string out, err;
};

inline std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Runs the tool with a time limit; a hang or a signal is reported as -1.
inline Result Tool(const DottedDir& dir, const std::vector<std::string>& args) {
    std::string command = "timeout -s KILL 60 " + Quote(MOKKEL_TOOL);
    for (const std::string& a : args) {
        command += ' ';
        command += Quote(a);
    }
    command += " >" + Quote(dir.File("stdout.txt")) + " 2>" + Quote(dir.File("stderr.txt"));
    const int status = std::system(command.c_str());
    Result r;
    if (WIFEXITED(status) && WEXITSTATUS(status) < 124) r.code = WEXITSTATUS(status);
    r.out = testing_support::ReadFile(dir.File("stdout.txt"));
    r.err = testing_support::ReadFile(dir.File("stderr.txt"));
    return r;
}

// The valid faces of a model file in order, each as its point numbers: the faces that
// have three or more corners, all naming valid points.
inline std::vector<std::vector<int32_t>> ValidFaces(const std::string& path) {
    model::MeshModel m;
    EXPECT_TRUE(model::LoadModelFile(m, path, nullptr)) << path;
    std::vector<bool> validPoint;
    for (const std::string& line : m.points.lines)
        validPoint.push_back(model::ParseVector(line).has_value());
    std::vector<std::vector<int32_t>> faces;
    for (const std::string& line : m.faces.lines) {
        std::vector<int32_t> corners;
        if (model::ParseFaceCornersInto(line, corners) < 3) continue;
        bool ok = true;
        for (int32_t c : corners)
            ok = ok && c >= 0 && static_cast<size_t>(c) < validPoint.size() && validPoint[c];
        if (ok) faces.push_back(corners);
    }
    return faces;
}

}  // namespace tool_run
