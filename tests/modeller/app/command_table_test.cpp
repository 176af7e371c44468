#include "modeller/app/command_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

using namespace modeller;

std::set<int> IdsOfStage(Stage stage) {
    std::set<int> ids;
    for (const Command& c : Commands()) {
        if (c.stage == stage) ids.insert(c.id);
    }
    return ids;
}

TEST(CommandTable, EveryCommandSitsOnceInItsOwnMenu) {
    std::map<int, int> seen;
    for (TopMenu top : kTopMenus) {
        std::span<const int> items = MenuLayout(top);
        ASSERT_FALSE(items.empty());
        EXPECT_NE(items.front(), kSeparator);
        EXPECT_NE(items.back(), kSeparator);
        for (size_t i = 0; i < items.size(); ++i) {
            if (items[i] == kSeparator) {
                EXPECT_NE(items[i - 1], kSeparator) << "two separators in a row";
                continue;
            }
            const Command* c = FindCommand(items[i]);
            ASSERT_NE(c, nullptr) << items[i];
            EXPECT_EQ(c->menu, top) << c->id;
            ++seen[c->id];
        }
    }
    std::set<int> ids;
    for (const Command& c : Commands()) {
        EXPECT_TRUE(ids.insert(c.id).second) << "id twice: " << c.id;
        EXPECT_EQ(seen[c.id], 1) << c.id;
    }
    EXPECT_EQ(ids.size(), 40u);
    EXPECT_EQ(FindCommand(cmd::kUndo), nullptr);
    EXPECT_EQ(FindCommand(cmd::kRecentFirst + 1), nullptr);
}

TEST(CommandTable, CaptionsKeepTheirExactBytes) {
    // Half-width katakana must stay half-width: EF BD xx / EF BE xx in UTF-8.
    EXPECT_EQ(FindCommand(cmd::kCopy)->caption,
              "\xEF\xBD\xBA\xEF\xBE\x8B\xEF\xBE\x9F\xEF\xBD\xB0(&C)");
    EXPECT_EQ(FindCommand(cmd::kToolbar)->caption,
              "\xEF\xBE\x82\xEF\xBD\xB0\xEF\xBE\x99 \xEF\xBE\x8A\xEF\xBE\x9E\xEF\xBD\xB0(&T)");
    EXPECT_EQ(FindCommand(cmd::kRecentFirst)->caption,
              "最近使った\xEF\xBE\x8C\xEF\xBD\xA7\xEF\xBD\xB2\xEF\xBE\x99");
    EXPECT_EQ(FindCommand(cmd::kAbout)->caption,
              "Mokkel の\xEF\xBE\x8A\xEF\xBE\x9E\xEF\xBD\xB0\xEF\xBD\xBC\xEF\xBE\x9E\xEF\xBD\xAE"
              "\xEF\xBE\x9D情報(&A)...");
    // The settings menu's display dialog and the view menu's title share a caption.
    EXPECT_EQ(FindCommand(cmd::kDisplay)->caption, TopMenuTitle(TopMenu::View));
    EXPECT_EQ(FindCommand(cmd::kDisplay)->menu, TopMenu::Settings);

    EXPECT_EQ(MenuText(*FindCommand(cmd::kOpen)), "開く(&O)...\tCtrl+O");
    EXPECT_EQ(MenuText(*FindCommand(cmd::kSave)), "上書き保存(&S)\tCtrl+S");
    EXPECT_EQ(MenuText(*FindCommand(cmd::kSaveAs)), "名前を付けて保存(&A)...");
    int withKeys = 0;
    for (const Command& c : Commands()) withKeys += !c.accelerator.empty();
    EXPECT_EQ(withKeys, 5);  // open, save, cut, copy, paste
}

TEST(CommandTable, OnlyTheShellCommandsStartEnabled) {
    const std::set<int> shell = {cmd::kOpen,       cmd::kSave,        cmd::kSaveAs, cmd::kClose,
                                 cmd::kSaveImage,  cmd::kRecentFirst, cmd::kExit,   cmd::kRefresh,
                                 cmd::kHelpFinder, cmd::kAbout,       cmd::kToolbar};
    const std::set<int> editScreens = {cmd::kCut, cmd::kCopy, cmd::kPaste, cmd::kSelectAllPoints,
                                       cmd::kSelectAllFaces};
    EXPECT_EQ(IdsOfStage(Stage::Shell), shell);
    EXPECT_EQ(IdsOfStage(Stage::EditScreens), editScreens);
    for (const Command& c : Commands()) {
        const bool expected =
            c.stage == Stage::Shell || (c.stage == Stage::EditScreens && kEditScreensReady);
        EXPECT_EQ(StartsEnabled(c), expected) << c.id;
    }
    std::set<int> checkable;
    for (const Command& c : Commands()) {
        if (c.checkable) checkable.insert(c.id);
    }
    EXPECT_EQ(checkable, (std::set<int>{cmd::kPlanePaint, cmd::kPlaneFigure, cmd::kToolbar}));
}

TEST(CommandTable, ToolbarOrderWithSeparators) {
    std::vector<int> ids;
    for (const ToolButton& b : ToolbarLayout()) {
        ids.push_back(b.id);
        EXPECT_EQ(b.id == kSeparator, b.icon.empty());
    }
    const std::vector<int> expected = {
        cmd::kOpen,    cmd::kSave,   kSeparator,       cmd::kCut,     cmd::kCopy,
        cmd::kPaste,   kSeparator,   cmd::kPlanePaint, cmd::kRefresh, kSeparator,
        cmd::kDisplay, cmd::kCamera, cmd::kLight,      kSeparator,    cmd::kVectorCalc};
    EXPECT_EQ(ids, expected);
}

TEST(CommandTable, AcceleratorsReachTheirCommands) {
    std::map<std::string_view, int> keys;
    for (const Accelerator& a : Accelerators()) {
        EXPECT_TRUE(keys.emplace(a.keys, a.id).second) << "key twice: " << a.keys;
    }
    EXPECT_EQ(keys.at("Ctrl+N"), cmd::kNew);
    // Ctrl+O is the framework's open, not the open item that shows it.
    EXPECT_EQ(keys.at("Ctrl+O"), cmd::kFrameworkOpen);
    EXPECT_EQ(keys.at("Ctrl+S"), cmd::kSave);
    EXPECT_EQ(keys.at("Ctrl+Z"), cmd::kUndo);
    EXPECT_EQ(keys.at("Alt+Backspace"), cmd::kUndo);
    EXPECT_EQ(keys.at("Shift+Del"), cmd::kCut);
    EXPECT_EQ(keys.at("Ctrl+Ins"), cmd::kCopy);
    EXPECT_EQ(keys.at("Shift+Ins"), cmd::kPaste);
    EXPECT_EQ(keys.at("F6"), cmd::kNextPane);
    EXPECT_EQ(keys.at("Shift+F6"), cmd::kPrevPane);
    EXPECT_EQ(keys.at("F1"), cmd::kHelp);
    EXPECT_EQ(keys.at("Shift+F1"), cmd::kContextHelp);
    // A key shown in a menu caption must really be bound to that command.
    for (const Command& c : Commands()) {
        if (c.accelerator.empty() || c.id == cmd::kOpen) continue;
        EXPECT_EQ(keys.at(c.accelerator), c.id) << c.accelerator;
    }
}

TEST(CommandTable, PlainCaptionDropsMnemonicAndEllipsis) {
    EXPECT_EQ(PlainCaption("開く(&O)..."), "開く");
    EXPECT_EQ(PlainCaption("Mokkel のﾊﾞｰｼﾞｮﾝ情報(&A)..."), "Mokkel のﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(PlainCaption("&File"), "File");
    EXPECT_EQ(PlainCaption("R&&D"), "R&D");
    EXPECT_EQ(PlainCaption("計算"), "計算");
    EXPECT_EQ(PlainCaption("(&"), "(");
    EXPECT_EQ(PlainCaption(""), "");
}

}  // namespace
