// One autosave of a model of 100,000 faces (50,000 points), as the window makes it after a
// command: the autosaver decides, notes the file in its marker and writes the whole model
// through the model file writer and the atomic writer into the state folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "model/vector_text.h"
#include "modeller/document/model_doc.h"
#include "platform/fileio/autosave.h"

namespace {

struct SilentPrompt : shell::Prompt {
    shell::Answer Ask(std::string_view, std::string_view, shell::Buttons) override {
        return shell::Answer::Ok;
    }
};

struct NoChooser : shell::FileChooser {
    std::optional<std::string> Choose(const shell::FileRequest&) override { return std::nullopt; }
};

void FillModel(model::MeshModel& m, int32_t points, int32_t faces) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> coord(-100, 100);
    std::uniform_int_distribution<int32_t> point(0, points - 1);
    m.points.SetMaxLine(points - 1);
    for (auto& line : m.points.lines)
        line = model::FormatVector(coord(rng), coord(rng), coord(rng));
    m.faces.SetMaxLine(faces - 1);
    m.faces.ResizeFaceArrays();
    for (auto& line : m.faces.lines)
        line = model::JoinCorners({point(rng), point(rng), point(rng)});
}

void BM_AutosaveAfterACommand(benchmark::State& state) {
    std::string folder = (std::filesystem::temp_directory_path() / "mokkel-state.XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    SilentPrompt prompt;
    NoChooser chooser;
    modeller::CModelDoc doc(prompt, chooser);
    FillModel(doc.model, 50000, static_cast<int32_t>(state.range(0)));
    doc.model.currentFile.Set(folder + "/work.v2/house.mkl");
    doc.SetModified(true);
    fileio::Autosaver autosaver(
        fileio::AutosaveStore(folder + "/Yomiwa", "Mokkel", "mkl", ::getpid()),
        {[&] { return doc.IsModified(); }, [&] { return doc.EditCount(); },
         [&] { return doc.model.currentFile.path; },
         [&](const std::string& copy) { return doc.WriteAutosave(copy); }});
    autosaver.Begin();
    for (auto _ : state) {
        doc.NoteEdit();  // a command changed the model
        autosaver.Check(fileio::AutosavePolicy::Trigger::kCommand);
    }
    std::error_code ec;
    state.counters["bytes"] =
        static_cast<double>(std::filesystem::file_size(autosaver.Store().CopyPath(), ec));
    autosaver.End();
    std::filesystem::remove_all(folder, ec);
}

BENCHMARK(BM_AutosaveAfterACommand)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
