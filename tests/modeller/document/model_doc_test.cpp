#include "modeller/document/model_doc.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "model/model_file.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"

namespace {

using modeller::CModelDoc;
using testing_support::ReadFile;
using testing_support::ScriptedPrompt;
using testing_support::TempDir;

struct ScriptedChooser : shell::FileChooser {
    std::deque<std::optional<std::string>> answers;
    std::vector<shell::FileRequest> requests;
    std::optional<std::string> Choose(const shell::FileRequest& r) override {
        requests.push_back(r);
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

struct Host : modeller::DocumentHost {
    int refreshed = 0, titles = 0, carets = 0;
    std::vector<std::string> recent;
    bool drawn = true;
    void RefreshViews() override { ++refreshed; }
    void UpdateTitle() override { ++titles; }
    void ResetCarets() override { ++carets; }
    void AddRecentFile(const std::string& p) override { recent.push_back(p); }
    void SetWaitCursor(bool) override {}
    bool ViewHasDrawn() const override { return drawn; }
    viewport::FileOptions FileOptions() const override { return {}; }
};

class Document : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedPrompt prompt;
    ScriptedChooser chooser;
    Host host;
    CModelDoc doc{prompt, chooser};
    std::string house;

    void SetUp() override {
        doc.SetHost(&host);
        house = dir.File("house.mkl");
        model::MeshModel m;
        m.points.ReplaceLines({"0, 0, 0", "1, 0, 0", "0, 1, 0", ""});
        m.faces.ReplaceLines({"0, 2, 1", ""});
        m.faces.ResizeFaceArrays();
        ASSERT_TRUE(model::SaveModelFile(m, house));
    }
};

TEST_F(Document, OpenLoadsTitlesAndRemembers) {
    chooser.answers = {house};
    doc.OnFileOpen();
    ASSERT_EQ(chooser.requests.size(), 1u);
    // The designed filter first and unchanged, the interchange formats after it.
    EXPECT_EQ(chooser.requests[0].filter,
              "Mokkelファイル,  Xファイル (*.mkl; *.x)|*.mkl;*.x|glTF (*.gltf; *.glb)|"
              "*.gltf;*.glb|Wavefront OBJ (*.obj)|*.obj||");
    EXPECT_EQ(chooser.requests[0].defaultExtension, "mkl");
    EXPECT_EQ(doc.model.points.GetLine(1), "1, 0, 0");
    EXPECT_EQ(doc.Title(), "house.mkl");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(host.recent, std::vector<std::string>{house});
    EXPECT_GE(host.refreshed, 1);
    EXPECT_EQ(host.carets, 1);
    // The next dialog starts where the model is.
    chooser.answers = {std::nullopt};
    doc.OnFileOpen();
    EXPECT_EQ(chooser.requests[1].initialDirectory, dir.path());
}

TEST_F(Document, CancelAtTheSavePromptChangesNothing) {
    doc.model.points.SetLine(0, "9, 9, 9");
    doc.SetModified(true);
    prompt.answers = {shell::Answer::Cancel};
    doc.OnFileOpen();
    EXPECT_TRUE(chooser.requests.empty());
    EXPECT_EQ(doc.model.points.GetLine(0), "9, 9, 9");
    EXPECT_TRUE(doc.IsModified());
    prompt.answers = {shell::Answer::Cancel};
    doc.OnFileClose();
    EXPECT_EQ(doc.model.points.GetLine(0), "9, 9, 9");
    prompt.answers = {shell::Answer::No};
    doc.OnFileClose();
    EXPECT_EQ(doc.model.points.GetLine(0), "");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Title(), "");
}

TEST_F(Document, FailedOpenShowsErrorAndLeavesAClearedModel) {
    testing_support::WriteFile(dir.File("bad.mkl"), "not a model");
    doc.model.points.SetLine(0, "1, 1, 1");
    chooser.answers = {dir.File("bad.mkl"), dir.File("picture.png")};
    doc.OnFileOpen();
    EXPECT_EQ(prompt.Texts().back(), "Error!");
    EXPECT_EQ(doc.model.points.GetLine(0), "");
    prompt.shown.clear();
    doc.OnFileOpen();  // an extension that is neither: no message of its own, just the error
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Error!"});
}

TEST_F(Document, AModelFromAnXFileSavesAsX) {
    const std::string x = dir.File("tri.x");
    testing_support::WriteFile(
        x, "xof 0302txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,2,1;; }\n");
    chooser.answers = {x};
    doc.OnFileOpen();
    ASSERT_EQ(doc.model.points.GetLine(1), "1, 0, 0");
    doc.model.points.SetLine(2, "0, 2, 0");
    doc.SetModified(true);
    doc.OnFileSave();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ReadFile(x).substr(0, 8), "xof 0302");
    EXPECT_NE(ReadFile(x).find("2;"), std::string::npos);
    // Save as starts on the X filter with the title's stem.
    chooser.answers = {std::nullopt};
    doc.OnFileSaveAs();
    EXPECT_EQ(chooser.requests.back().filterIndex, 1);
    EXPECT_EQ(chooser.requests.back().fileName, "tri");
    EXPECT_EQ(chooser.requests.back().filter,
              "Mokkel形式 (*.mkl)|*.mkl|Ｘファイル (*.x)|*.x|glTF バイナリ (*.glb)|*.glb|"
              "glTF (*.gltf)|*.gltf|Wavefront OBJ (*.obj)|*.obj||");
}

TEST_F(Document, SaveAsWritesTheChosenFile) {
    doc.model.points.SetLine(0, "3, 2, 1");
    doc.SetModified(true);
    chooser.answers = {dir.File("new.mkl")};
    doc.OnFileSave();  // no file yet: save as
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Title(), "new.mkl");
    EXPECT_NE(ReadFile(dir.File("new.mkl")).find("3, 2, 1"), std::string::npos);
    EXPECT_EQ(host.recent.back(), dir.File("new.mkl"));
}

TEST_F(Document, AFailedSaveKeepsTheWorkMarkedAndSaysWhereAndWhy) {
    chooser.answers = {house};
    doc.OnFileOpen();
    host.recent.clear();
    doc.model.points.SetLine(0, "3, 2, 1");
    doc.SetModified(true);
    const std::string target = dir.File("no/such/dir/new.mkl");
    chooser.answers = {target};
    doc.OnFileSaveAs();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(prompt.Texts(),
              std::vector<std::string>{"Error!\n" + target + ": No such file or directory"});
    EXPECT_TRUE(host.recent.empty());
    // The model still belongs to the file it came from.
    EXPECT_EQ(doc.model.currentFile.path, house);
    EXPECT_EQ(doc.Title(), "house.mkl");
}

// Whichever way a file fails to open, the cleared model belongs to no file: saving asks
// for a name and the file that could not be read stays as it was.
TEST_F(Document, AFailedOpenLeavesAnUntitledModelThatSaveCannotPutOverTheFile) {
    const std::string damaged = dir.File("damaged.mkl");
    const std::string bytes = "Mokkel\r\n.mkl\r\n1\r\nno counts\r\n";
    testing_support::WriteFile(damaged, bytes);
    testing_support::WriteFile(dir.File("damaged.x"), "xof 0302txt 0032\nMesh { 3; 0;0;");
    const std::vector<std::pair<const char*, std::function<void(const std::string&)>>> ways = {
        {"menu", [&](const std::string& p) { chooser.answers = {p}, doc.OnFileOpen(); }},
        {"command line", [&](const std::string& p) { doc.OpenCommandLineFile(p); }},
        {"recent file", [&](const std::string& p) { doc.OpenDocumentFile(p); }},
    };
    for (const auto& [way, open] : ways) {
        for (const std::string& path : {damaged, dir.File("damaged.x")}) {
            SCOPED_TRACE(std::string(way) + " " + path);
            chooser.answers = {house};
            doc.OnFileOpen();
            ASSERT_EQ(doc.Title(), "house.mkl");
            prompt.shown.clear();
            open(path);
            chooser.requests.clear();
            EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Error!"});
            EXPECT_EQ(doc.Title(), "");
            EXPECT_EQ(doc.model.currentFile.path, "");
            EXPECT_FALSE(doc.IsModified());
            doc.model.points.SetLine(0, "7, 7, 7");
            doc.SetModified(true);
            chooser.answers = {std::nullopt};
            doc.OnFileSave();
            ASSERT_EQ(chooser.requests.size(), 1u);
            EXPECT_TRUE(chooser.requests[0].save);
            EXPECT_EQ(ReadFile(damaged), bytes);
            doc.SetModified(false);
        }
    }
}

TEST_F(Document, ProgramOpenPathWaitsForTheFirstDrawing) {
    host.drawn = false;
    EXPECT_TRUE(doc.OpenDocumentFile(house));
    EXPECT_EQ(doc.model.points.GetLine(1), "");
    host.drawn = true;
    EXPECT_TRUE(doc.OpenDocumentFile(dir.File("missing.mkl")));  // nothing to open
    EXPECT_TRUE(prompt.shown.empty());
    doc.SetModified(true);
    prompt.answers = {shell::Answer::Cancel};
    EXPECT_FALSE(doc.OpenDocumentFile(house));
    prompt.answers = {shell::Answer::No};
    EXPECT_TRUE(doc.OpenDocumentFile(house));
    EXPECT_EQ(doc.model.points.GetLine(1), "1, 0, 0");
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
