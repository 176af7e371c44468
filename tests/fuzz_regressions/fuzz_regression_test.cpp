// Inputs that once made a reader crash or hang under the fuzzer (or a probe beyond its input
// size), read again through the programs' own readers. Each folder is named after its fuzz
// harness; large repetitive inputs are kept gzip-compressed. The test's time limit catches a
// hang coming back.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/mesh_model.h"
#include "model/model_file.h"
#include "platform/image/image_loader.h"
#include "studio/scene/scene_file.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"
#include "viewport/model_files.h"
#include "viewport/model_render_objects.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ScriptedPrompt;
using testing_support::TempDir;

struct Outcome {
    bool ok = false;
    std::vector<std::string> messages;
    bool operator==(const Outcome&) const = default;
};

Outcome ReadModel(const std::string& path, const std::string& extension) {
    model::MeshModel model;
    viewport::ModelRenderObjects objects;
    ScriptedPrompt prompt;
    Outcome o;
    o.ok = viewport::ReadModelFile(model, objects, path, extension, &prompt, nullptr);
    o.messages = prompt.Texts();
    return o;
}

Outcome ReadImage(const std::string& path) {
    const image::ImageLoad load = image::LoadImageFile(path);
    Outcome o{load.image.has_value(), {}};
    if (!load.message.empty()) o.messages.push_back(load.message);
    return o;
}

Outcome ReadScene(const std::string& path, bool environment) {
    studio::CSceneDoc doc;
    const studio::SceneFileResult r = studio::LoadSceneFile(doc, path, environment);
    Outcome o{r.ok, {}};
    if (!r.message.empty()) o.messages.push_back(r.message);
    return o;
}

// By harness: the reader the programs use for such a file.
Outcome Read(const std::string& reader, const std::string& path) {
    if (reader == "model_file") return ReadModel(path, "mkl");
    if (reader == "xfile" || reader == "xfile_zip") return ReadModel(path, "x");
    if (reader == "bmp" || reader == "ppm" || reader == "jpeg") return ReadImage(path);
    if (reader == "scene_file") return ReadScene(path, true);
    if (reader == "parts_file") return ReadScene(path, false);
    ADD_FAILURE() << "no reader for the folder " << reader;
    return {};
}

// Every kept input and what its reader must make of it.
const std::map<std::string, Outcome> kExpected = {
    // TYPE2 texture entries that all name one face line of 200,000 corners: each entry
    // parsed the whole line again (minutes for a 1 MB file).
    {"model_file/type2_entries_naming_one_long_face.mkl.gz", {true, {}}},
};

std::string Inflate(const std::string& gzPath) {
    std::string bytes;
    gzFile in = gzopen(gzPath.c_str(), "rb");
    if (!in) return bytes;
    char buffer[1 << 16];
    int n;
    while ((n = gzread(in, buffer, sizeof buffer)) > 0) bytes.append(buffer, size_t(n));
    gzclose(in);
    return bytes;
}

TEST(FuzzRegressions, EveryKeptInputReadsAsExpected) {
    const fs::path root = fs::path(MOKKEL_SOURCE_DIR) / "tests" / "fuzz_regressions";
    TempDir dir;
    size_t seen = 0;
    for (const fs::directory_entry& folder : fs::directory_iterator(root)) {
        if (!folder.is_directory()) continue;
        const std::string reader = folder.path().filename().string();
        for (const fs::directory_entry& file : fs::directory_iterator(folder.path())) {
            const std::string key = reader + "/" + file.path().filename().string();
            SCOPED_TRACE(key);
            const auto expected = kExpected.find(key);
            ASSERT_NE(expected, kExpected.end()) << "a kept input without its expected outcome";
            std::string path = file.path().string();
            if (file.path().extension() == ".gz") {
                // Unpacked under its own name, so that the extension picks the reader's path.
                path = dir.File(file.path().stem().string());
                testing_support::WriteFile(path, Inflate(file.path().string()));
            }
            EXPECT_EQ(Read(reader, path), expected->second);
            ++seen;
        }
    }
    EXPECT_EQ(seen, kExpected.size()) << "an expected input is missing from the folders";
}

}  // namespace
