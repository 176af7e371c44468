#include <gtest/gtest.h>

#include "model/free_run.h"
#include "model/mesh_model.h"
#include "tests/support/scripted_prompt.h"

namespace {

using namespace model;
using testing_support::ScriptedPrompt;

TEST(Sheets, NewModelDefaults) {
    MeshModel m;
    EXPECT_EQ(m.points.maxLine, 10);
    EXPECT_EQ(m.points.lines.size(), 11u);
    EXPECT_EQ(m.points.lineFlags.size(), 11u);
    EXPECT_EQ(m.points.parsedCount, -1);
    EXPECT_EQ(m.faces.lines.size(), 1u);
    ASSERT_EQ(m.faces.FaceStatus.size(), 1u);
    EXPECT_EQ(m.faces.FaceStatus[0], 0);
    EXPECT_EQ(m.faces.FaceColor[0], -1);
    EXPECT_EQ(m.faces.FaceGroup[0], 0);
    ASSERT_EQ(m.groups.size(), 2u);
    EXPECT_EQ(m.groups[0].name, kGroupUndecided);
    EXPECT_EQ(m.groups[0].color, -1);
    EXPECT_EQ(m.groups[1].name, kGroupWhole);
    EXPECT_EQ(m.textureAssignment.textureNames, std::vector<std::string>{kTextureNone});
}

TEST(Sheets, FaceArraysGrowWithDefaultsOnlyThroughResize) {
    FaceSheet f;
    f.FaceColor[0] = 0x11223344;
    f.InsertText(4, 0, "1, 2, 3");
    EXPECT_EQ(f.maxLine, 4);
    EXPECT_EQ(f.FaceColor.size(), 1u);  // lines grew, per-face arrays did not
    f.ResizeFaceArrays();
    ASSERT_EQ(f.FaceColor.size(), 5u);
    EXPECT_EQ(f.FaceColor[0], 0x11223344);
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(f.FaceColor[i], -1);
        EXPECT_EQ(f.FaceGroup[i], 0);
        EXPECT_EQ(f.FaceStatus[i], 0);
    }
    f.SetMaxLine(1);
    f.ResizeFaceArrays();
    EXPECT_EQ(f.FaceColor.size(), 2u);
}

struct RecordingListener : SheetListener {
    std::vector<int32_t> lines;
    void LineChanged(int32_t line) override { lines.push_back(line); }
};

TEST(Sheets, LineAccessRecordsChangesWithTheSheetsCode) {
    PointSheet p;
    RecordingListener redraw;
    p.SetListener(&redraw);
    p.InsertText(2, 0, "1, 2");
    p.InsertText(2, 4, ", 3");
    p.InsertText(2, 100, "");  // past the end: appended
    EXPECT_EQ(p.GetLine(2), "1, 2, 3");
    p.DeleteText(2, 0, 3);
    EXPECT_EQ(p.GetLine(2), "2, 3");
    p.DeleteText(2, -1, 3);  // negative position: ignored
    p.DeleteText(50, 0, 3);  // outside the sheet: ignored
    EXPECT_EQ(p.maxLine, 10);
    EXPECT_EQ(p.LineLength(2), 4u);
    EXPECT_EQ(p.LineLength(99), 0u);
    EXPECT_EQ(p.changeList, (std::vector<LineChange>{{2, 97}}));
    EXPECT_EQ(redraw.lines.size(), 4u);
    p.SetLine(12, "x");
    EXPECT_EQ(p.maxLine, 12);
    EXPECT_EQ(p.lineFlags.size(), 13u);
    EXPECT_EQ(p.changeList.back(), (LineChange{12, 97}));

    FaceSheet f;
    f.SetLine(0, "0, 1, 2");
    EXPECT_EQ(f.changeList, (std::vector<LineChange>{{0, 1}}));
}

TEST(Sheets, HeaderLinesAreAddressedByNegativeNumbers) {
    PointSheet p;
    p.InsertText(-1, 0, "no header yet");
    EXPECT_EQ(p.GetLine(-1), "");
    p.headerLineCount = 2;
    p.SetLine(-2, "second");
    p.SetLine(-1, "first");
    EXPECT_EQ(p.GetLine(-1), "first");
    EXPECT_EQ(p.GetLine(-2), "second");
    EXPECT_EQ(p.GetLine(-3), "");
    EXPECT_EQ(p.maxLine, 10);
}

TEST(FreeRun, BlockAndFirstEmptyLine) {
    PointSheet p;  // 11 empty lines
    for (int i : {0, 1, 4, 8}) p.lines[i] = "1, 1, 1";
    p.lines[2] = "  \t";  // blank for the block search, not exactly empty
    EXPECT_EQ(FindFreeRun(p, 0), 2);
    EXPECT_EQ(FindFreeRun(p, 2), 2);
    EXPECT_EQ(FindFreeRun(p, 3), 5);
    EXPECT_EQ(FindFreeRun(p, 4), 9);  // the blank run at the end
    EXPECT_EQ(FindFirstEmptyLine(p), 3);
    EXPECT_EQ(FindFreeRunAndGrow(p, 5), 9);
    EXPECT_EQ(p.maxLine, 13);
    p.lines.back() = "x";
    EXPECT_EQ(FindFreeRun(p, 6), 14);  // maxLine + 1 when the last line is used
    FaceSheet f;
    f.lines[0] = "1, 2, 3";
    EXPECT_EQ(FindFreeRun(f, 3), 1);
    EXPECT_EQ(f.maxLine, 0);  // the face version leaves growing to the caller
}

struct Host : ClearHost {
    bool modified = true;
    int saves = 0;
    bool saveWorks = true;
    int titleCleared = 0, refreshed = 0;
    bool IsModified() const override { return modified; }
    bool SaveFirst() override {
        ++saves;
        return saveWorks;
    }
    void ShowTitleWithoutFile() override { ++titleCleared; }
    void RefreshViews() override { ++refreshed; }
};

MeshModel FilledModel() {
    MeshModel m;
    m.points.SetLine(3, "1, 2, 3");
    m.points.lineFlags[3] = 1;
    m.points.parsedCount = 4;
    m.faces.SetLine(2, "0, 1, 3");
    m.faces.ResizeFaceArrays();
    m.groups.entries.push_back({5, "g", 0, std::nullopt});
    m.mirror = {2, 1.5f};
    m.wrap.wrapFlag = 1;
    m.textureAssignment.textureNames.push_back("t");
    m.textureAssignment.uvMap[0] = {1, 1};
    m.joints.push_back({1, 1, 1});
    return m;
}

TEST(ClearModel, ResetsEveryTableAndAsksFirst) {
    MeshModel m = FilledModel();
    ScriptedPrompt prompt;
    Host host;
    prompt.answers = {shell::Answer::Cancel};
    EXPECT_FALSE(ClearModel(m, &prompt, &host, true));
    EXPECT_EQ(m.points.GetLine(3), "1, 2, 3");  // cancel keeps everything
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "作業中のファイルを保存しますか？");
    EXPECT_EQ(prompt.shown[0].buttons, shell::Buttons::YesNoCancel);

    host.saveWorks = false;
    prompt.answers = {shell::Answer::Yes};
    EXPECT_FALSE(ClearModel(m, &prompt, &host, true));  // a failed save keeps the work
    EXPECT_EQ(host.saves, 1);

    host.saveWorks = true;
    prompt.answers = {shell::Answer::Yes};
    EXPECT_TRUE(ClearModel(m, &prompt, &host, true));
    EXPECT_EQ(host.saves, 2);
    EXPECT_EQ(m.points.maxLine, 10);
    EXPECT_EQ(m.points.GetLine(3), "");
    EXPECT_EQ(m.points.lineFlags[3], 0);
    EXPECT_EQ(m.points.parsedCount, -1);
    EXPECT_TRUE(m.points.changeList.empty());
    EXPECT_EQ(m.faces.maxLine, 0);
    EXPECT_EQ(m.faces.FaceColor.size(), 1u);
    EXPECT_EQ(m.faces.markers[0], -1);
    EXPECT_EQ(m.groups.size(), 2u);
    EXPECT_EQ(m.mirror, MirrorSettings{});
    EXPECT_EQ(m.wrap.wrapFlag, 0);
    EXPECT_EQ(m.textureAssignment, TextureAssignment{});
    EXPECT_TRUE(m.joints.empty());
    EXPECT_EQ(host.titleCleared, 1);
    EXPECT_EQ(host.refreshed, 1);

    m = FilledModel();
    EXPECT_TRUE(ClearModel(m, &prompt, &host, false));  // no confirmation asked for
    EXPECT_EQ(prompt.shown.size(), 3u);
}

}  // namespace
