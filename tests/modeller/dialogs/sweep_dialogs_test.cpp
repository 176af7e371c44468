// The revolution, rotate copy and face copy dialogs offscreen: field refusals and checks in
// their order, what the next opening shows, and the help pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>

#include "modeller/dialogs/face_copy_dlg.h"
#include "modeller/dialogs/revolution_dlg.h"
#include "modeller/dialogs/rotate_copy_dlg.h"
#include "platform/field_exchange.h"
#include "platform/text/cp932.h"
#include "tests/support/scripted_prompt.h"

namespace {

using namespace modeller;
using testing_support::ScriptedPrompt;
using Edits = std::vector<std::pair<const char*, const char*>>;

// The program's one application object, whichever test made it first.
QApplication& App() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    static int argc = 1;
    static char name[] = "dialogs";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);  // outlives Qt's input devices
    return *app;
}

template <typename T>
T* Child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

std::string TextOf(QWidget& w, const char* name) {
    return Child<QLineEdit>(w, name)->text().toStdString();
}

// Applies the edits and presses OK: the message shown, or empty when the dialog closed.
std::string Press(COpsDialog& dlg, ScriptedPrompt& prompt, const Edits& edits) {
    for (auto [name, text] : edits) Child<QLineEdit>(dlg, name)->setText(QString::fromUtf8(text));
    prompt.shown.clear();
    dlg.accept();
    const std::vector<std::string> texts = prompt.Texts();
    EXPECT_EQ(dlg.result() == QDialog::Accepted, texts.empty());
    return texts.empty() ? std::string() : texts.front();
}

model::MeshModel WithGroup(const char* name) {
    model::MeshModel m;
    m.groups.entries.push_back({0, text::Sjis(name), 0, {}});
    return m;
}

TEST(RevolutionDialog, RefusalsInOrderAndAFreshGroupName) {
    App();
    const model::MeshModel m = WithGroup("回転体1");
    struct Case {
        Edits edits;
        bool newGroup;
        std::string message;
    } cases[] = {
        {{{"angle", "x"}, {"divisions", "-1"}, {"faceList", ""}}, true, shell::kNeedNumberText},
        {{{"angle", "360.5"}, {"divisions", "-1"}},
         true,
         "-360 から 360 までの数字を入力してください。"},
        {{{"angle", "-360"}, {"divisions", "-1"}, {"faceList", ""}},
         true,
         shell::kNeedUnsignedText},
        {{{"faceList", ""}, {"groupName", "回転体1"}, {"axis", "1, 2"}},
         true,
         ops::kNoFaceListText},
        {{{"groupName", "回転体1"}, {"axis", "1, 2"}}, true, ops::kGroupExistsText},
        {{{"groupName", "回転体1"}, {"axis", "1, 2"}}, false, ops::kBadAxisVectorText},
        {{{"axis", "1, 0, 0"}, {"divisions", "0"}}, true, ""},
    };
    const ops::RevolutionSettings remembered = [] {
        ops::RevolutionSettings s;
        s.faceList = "all";
        s.divisions = 12;
        s.newGroup = true;
        s.groupName = "old";
        s.caps = false;
        return s;
    }();
    for (const Case& c : cases) {
        ScriptedPrompt prompt;
        CRevolutionDlg dlg(remembered, m, prompt, {});
        EXPECT_EQ(TextOf(dlg, "faceList"), "all");
        EXPECT_EQ(TextOf(dlg, "divisions"), "12");
        EXPECT_EQ(TextOf(dlg, "angle"), "360");
        EXPECT_EQ(TextOf(dlg, "groupName"), "回転体2");
        EXPECT_FALSE(Child<QCheckBox>(dlg, "newGroup")->isChecked());
        EXPECT_FALSE(Child<QCheckBox>(dlg, "caps")->isChecked());
        Child<QCheckBox>(dlg, "newGroup")->setChecked(c.newGroup);
        Child<QRadioButton>(dlg, "direction1")->setChecked(true);
        EXPECT_EQ(Press(dlg, prompt, c.edits), c.message);
        if (c.message.empty()) {
            EXPECT_EQ(dlg.Settings().axis, "1, 0, 0");
            EXPECT_EQ(dlg.Settings().divisions, 0u);
            EXPECT_TRUE(dlg.Settings().counterClockwise && dlg.Settings().newGroup);
            EXPECT_EQ(dlg.Settings().groupName, "回転体2");
        }
    }
}

TEST(RotateCopyDialog, RefusalsInOrderAndWhatIsRemembered) {
    App();
    const model::MeshModel m = WithGroup("spokes");
    struct Case {
        Edits edits;
        std::string message;
    } cases[] = {
        {{{"angle", "-400"}, {"groupName", "spokes"}},
         "-360 から 360 までの数字を入力してください。"},
        {{{"divisions", "1.5"}, {"groupName", "spokes"}}, shell::kNeedUnsignedText},
        {{{"groupName", "spokes"}, {"angle", "0"}}, ops::kGroupAlreadyExistsText},
        {{{"angle", "0"}}, ops::kNoFaceListText},
        {{{"faceList", "0"}, {"angle", "0"}, {"axis", "0, 1, 0"}}, ops::kZeroAngleText},
        {{{"faceList", "0"}, {"axis", "0, 1, 0"}}, ops::kNeedAxisText},
        {{{"faceList", "0"}, {"axis", "1, 0, 0, 0, 0, 5"}, {"divisions", "6"}}, ""},
    };
    ops::RotateCopySettings remembered;
    for (const Case& c : cases) {
        ScriptedPrompt prompt;
        CRotateCopyDlg dlg(remembered, m, prompt, {});
        Child<QCheckBox>(dlg, "newGroup")->setChecked(true);
        Child<QCheckBox>(dlg, "backFaces")->setChecked(true);
        EXPECT_EQ(Press(dlg, prompt, c.edits), c.message);
    }
    // Only the axis, direction, back faces and no-join come back.
    ScriptedPrompt prompt;
    CRotateCopyDlg again(remembered, m, prompt, {});
    EXPECT_EQ(TextOf(again, "axis"), "1, 0, 0, 0, 0, 5");
    EXPECT_EQ(TextOf(again, "faceList"), "");
    EXPECT_EQ(TextOf(again, "divisions"), "1");
    EXPECT_TRUE(Child<QCheckBox>(again, "backFaces")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(again, "newGroup")->isChecked());
}

TEST(FaceCopyDialog, RefusalsInOrderRememberedValuesAndHelpPages) {
    App();
    struct Case {
        Edits edits;
        std::string message;
    } cases[] = {
        {{{"divisions", "x"}, {"faceList", ""}}, shell::kNeedUnsignedText},
        {{{"divisions", "0"}, {"faceList", ""}}, ops::kNeedDivisionsText},
        {{{"faceList", ""}, {"vector", "1, 2"}}, ops::kNoFaceListText},
        {{{"vector", "1, 2"}}, ops::kBadMoveVectorText},
        {{{"faceList", "2, 3"}, {"vector", "0, 0, 3"}, {"divisions", "3"}}, ""},
    };
    ops::FaceCopySettings remembered;
    for (const Case& c : cases) {
        ScriptedPrompt prompt;
        CFaceCopyDlg dlg(remembered, prompt, {});
        EXPECT_EQ(Press(dlg, prompt, c.edits), c.message);
    }
    EXPECT_EQ(remembered.faceList, "2, 3");
    EXPECT_EQ(remembered.divisions, 3u);

    std::vector<std::string> pages;
    auto help = [&pages](std::string_view page) { pages.emplace_back(page); };
    ScriptedPrompt prompt;
    const model::MeshModel m;
    ops::RotateCopySettings rotate;
    CRevolutionDlg revolution({}, m, prompt, help);
    CRotateCopyDlg rotateCopy(rotate, m, prompt, help);
    CFaceCopyDlg faceCopy(remembered, prompt, help);
    EXPECT_EQ(TextOf(faceCopy, "vector"), "0, 0, 3");
    for (COpsDialog* dlg : std::initializer_list<COpsDialog*>{&revolution, &rotateCopy, &faceCopy})
        dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
    EXPECT_EQ(pages,
              (std::vector<std::string>{"dlg_kaitentai.htm", "dlg_kaiten.htm", "dlg_mcopy.htm"}));
}

}  // namespace
