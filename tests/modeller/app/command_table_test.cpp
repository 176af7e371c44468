#include "modeller/app/command_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using namespace modeller;

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
}

TEST(CommandTable, CaptionsKeepHalfWidthKatakanaAndShowTheirKeys) {
    // Half-width katakana are EF BD xx / EF BE xx in UTF-8; a full-width slip would differ.
    EXPECT_EQ(FindCommand(cmd::kCopy)->caption,
              "\xEF\xBD\xBA\xEF\xBE\x8B\xEF\xBE\x9F\xEF\xBD\xB0(&C)");
    EXPECT_EQ(FindCommand(cmd::kToolbar)->caption,
              "\xEF\xBE\x82\xEF\xBD\xB0\xEF\xBE\x99 \xEF\xBE\x8A\xEF\xBE\x9E\xEF\xBD\xB0(&T)");
    EXPECT_EQ(FindCommand(cmd::kAbout)->caption,
              "Mokkel の\xEF\xBE\x8A\xEF\xBE\x9E\xEF\xBD\xB0\xEF\xBD\xBC\xEF\xBE\x9E\xEF\xBD\xAE"
              "\xEF\xBE\x9D情報(&A)...");
    EXPECT_EQ(MenuText(*FindCommand(cmd::kOpen)), "開く(&O)...\tCtrl+O");
    EXPECT_EQ(MenuText(*FindCommand(cmd::kSaveAs)), "名前を付けて保存(&A)...");

    // A key a caption shows must be bound to that command; Ctrl+O alone goes to the
    // framework's open.
    std::map<std::string_view, int> keys;
    for (const Accelerator& a : Accelerators()) {
        EXPECT_TRUE(keys.emplace(a.keys, a.id).second) << "key twice: " << a.keys;
    }
    for (const Command& c : Commands()) {
        if (c.accelerator.empty()) continue;
        EXPECT_EQ(keys.at(c.accelerator), c.id == cmd::kOpen ? cmd::kFrameworkOpen : c.id);
    }
}

TEST(CommandTable, ShellEditAndOperationCommandsStartEnabled) {
    std::set<int> enabled, editScreens;
    for (const Command& c : Commands()) {
        if (StartsEnabled(c)) enabled.insert(c.id);
        if (c.stage == Stage::EditScreens) editScreens.insert(c.id);
    }
    // The settings dialogs (the mirror is among the operations).
    for (int id :
         {cmd::kCamera, cmd::kLight, cmd::kDisplay, cmd::kTextureManage, cmd::kTextureSet,
          cmd::kTextureDelete, cmd::kWrap, cmd::kGroup, cmd::kAxis, cmd::kJoint, cmd::kOption})
        EXPECT_EQ(enabled.erase(id), 1u) << id;
    EXPECT_EQ(enabled, (std::set<int>{cmd::kOpen,           cmd::kSave,      cmd::kSaveAs,
                                      cmd::kClose,          cmd::kSaveImage, cmd::kRecentFirst,
                                      cmd::kExit,           cmd::kRefresh,   cmd::kHelpFinder,
                                      cmd::kAbout,          cmd::kToolbar,   cmd::kCut,
                                      cmd::kCopy,           cmd::kPaste,     cmd::kSelectAllPoints,
                                      cmd::kSelectAllFaces, cmd::kMirror,    cmd::kExtrude,
                                      cmd::kFlipFaces,      cmd::kTidyData,  cmd::kJoinPoints,
                                      cmd::kWholeModel,     cmd::kPlanePaint, cmd::kPlaneFigure,
                                      cmd::kPlaneFigureOptions, cmd::kVectorCalc, cmd::kRevolve,
                                      cmd::kRotateCopy, cmd::kFaceCopy}));
    EXPECT_EQ(editScreens, (std::set<int>{cmd::kCut, cmd::kCopy, cmd::kPaste, cmd::kSelectAllPoints,
                                          cmd::kSelectAllFaces}));
}

TEST(CommandTable, ToolbarOrderWithSeparators) {
    std::vector<int> ids;
    for (const ToolButton& b : ToolbarLayout()) ids.push_back(b.id);
    EXPECT_EQ(ids, (std::vector<int>{cmd::kOpen, cmd::kSave, kSeparator, cmd::kCut, cmd::kCopy,
                                     cmd::kPaste, kSeparator, cmd::kPlanePaint, cmd::kRefresh,
                                     kSeparator, cmd::kDisplay, cmd::kCamera, cmd::kLight,
                                     kSeparator, cmd::kVectorCalc}));
}

TEST(CommandTable, PlainCaptionDropsMnemonicAndEllipsis) {
    EXPECT_EQ(PlainCaption("Mokkel のﾊﾞｰｼﾞｮﾝ情報(&A)..."), "Mokkel のﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(PlainCaption("R&&D &File"), "R&D File");
    EXPECT_EQ(PlainCaption("(&"), "(");
}

}  // namespace
