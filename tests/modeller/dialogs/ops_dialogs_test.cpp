// The operation dialogs offscreen: field refusals and checks in their order, what OK
// leaves behind, what the next opening shows, and the help pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "modeller/dialogs/extrusion_dlg.h"
#include "modeller/dialogs/mirror_dlg.h"
#include "modeller/dialogs/whole_model_dlg.h"
#include "platform/field_exchange.h"
#include "tests/support/scripted_prompt.h"

namespace {

using namespace modeller;
using testing_support::ScriptedPrompt;

QApplication& App() {
    static int argc = 1;
    static char name[] = "dialogs";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's input devices must outlive it at exit.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

template <typename T>
T* Child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

void SetText(QWidget& w, const char* name, const char* text) {
    Child<QLineEdit>(w, name)->setText(QString::fromUtf8(text));
}

TEST(FieldExchange, RefusesWhatTheTypeCannotHold) {
    EXPECT_EQ(shell::ExchangeInt(" -12 "), -12);
    EXPECT_EQ(shell::ExchangeInt("1.5"), std::nullopt);
    EXPECT_EQ(shell::ExchangeUnsigned("7"), 7u);
    for (const char* bad : {"", "-1", "+1", "x", "4294967296", "3 4"})
        EXPECT_EQ(shell::ExchangeUnsigned(bad), std::nullopt) << bad;
    EXPECT_EQ(shell::ExchangeFloat(" 2.5 "), 2.5f);
    EXPECT_EQ(shell::ExchangeFloat("-.5"), -0.5f);
    for (const char* bad : {"", "abc", "1e40", "inf", "nan", "1,5"})
        EXPECT_EQ(shell::ExchangeFloat(bad), std::nullopt) << bad;
    EXPECT_EQ(shell::IntRangeText(1, 100), "1 から 100 までの整数を入力してください。");
}

TEST(ExtrusionDialog, RefusalsInOrderAndTheRecordKeptForTheNextOpening) {
    App();
    struct Case {
        std::vector<std::pair<const char*, const char*>> edits;
        const char* message;  // empty: OK closes
    } cases[] = {
        {{{"length", "abc"}, {"divisions", "-1"}, {"faceList", ""}}, shell::kNeedNumberText},
        {{{"divisions", "-1"}, {"faceList", ""}}, shell::kNeedUnsignedText},
        {{{"faceList", ""}, {"vector", "1, 2"}, {"divisions", "0"}}, ops::kNoFaceListText},
        {{{"vector", "1, 2"}, {"divisions", "0"}}, ops::kBadVectorText},
        {{{"divisions", "0"}}, ops::kBadDivisionsText},
        {{{"faceList", "all"}, {"vector", "0, 0, 2"}, {"divisions", "3"}, {"length", "2.5"}}, ""},
    };
    for (const Case& c : cases) {
        ops::ExtrusionSettings remembered;
        ScriptedPrompt prompt;
        CExtrusionDlg dlg(remembered, prompt, {});
        for (auto [name, text] : c.edits) SetText(dlg, name, text);
        Child<QCheckBox>(dlg, "quads")->setChecked(true);
        dlg.accept();
        if (*c.message) {
            EXPECT_EQ(prompt.Texts(), std::vector<std::string>{c.message});
            EXPECT_EQ(dlg.result(), QDialog::Rejected);
            EXPECT_FALSE(remembered.quads);  // nothing stored
        } else {
            EXPECT_TRUE(prompt.shown.empty());
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            EXPECT_EQ(remembered.faceList, "all");
            EXPECT_EQ(remembered.divisions, 3u);
            EXPECT_EQ(remembered.length, 2.5f);
            EXPECT_TRUE(remembered.quads);
            CExtrusionDlg again(remembered, prompt, {});
            EXPECT_EQ(Child<QLineEdit>(again, "vector")->text(), QStringLiteral("0, 0, 2"));
            EXPECT_EQ(Child<QLineEdit>(again, "length")->text(), QStringLiteral("2.5"));
            EXPECT_TRUE(Child<QCheckBox>(again, "quads")->isChecked());
            EXPECT_TRUE(Child<QCheckBox>(again, "flipSource")->isChecked());
        }
    }
}

TEST(WholeModelDialog, ChecksZeroQuestionAndRememberedValues) {
    App();
    struct Case {
        const char* kind;
        const char* field;
        const char* text;
        std::deque<shell::Answer> answers;
        std::vector<std::string> shown;
        bool accepted;
    } cases[] = {
        {"kind0", "moveText", "1, 2", {}, {ops::kMissingNumbersText}, false},
        {"kind2", "axisText", "0, 1, 0", {}, {ops::kMissingNumbersText}, false},
        {"kind1", "scaleText", "1, 0, 1", {shell::Answer::No}, {ops::kZeroScaleQuestion}, false},
        {"kind1", "scaleText", "0", {shell::Answer::Yes}, {ops::kZeroScaleQuestion}, true},
        {"kind2", "axisText", "1, 0, 0, 0, 2, 0", {}, {}, true},
    };
    for (const Case& c : cases) {
        ops::WholeModelMemory memory;
        ScriptedPrompt prompt;
        prompt.answers = c.answers;
        CWholeModelDlg dlg(memory, prompt, {});
        EXPECT_TRUE(Child<QRadioButton>(dlg, "kind0")->isChecked());
        Child<QRadioButton>(dlg, c.kind)->setChecked(true);
        Child<QRadioButton>(dlg, "plane2")->setChecked(true);
        Child<QRadioButton>(dlg, "direction1")->setChecked(true);
        SetText(dlg, c.field, c.text);
        SetText(dlg, "angleText", "90");
        dlg.accept();
        EXPECT_EQ(prompt.Texts(), c.shown) << c.text;
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted) << c.text;
        if (std::string(c.kind) == "kind2" && c.accepted) {
            EXPECT_EQ(dlg.Operation().vector2.y, 2.0f);
            CWholeModelDlg again(memory, prompt, {});
            EXPECT_TRUE(Child<QRadioButton>(again, "kind0")->isChecked());
            EXPECT_TRUE(Child<QRadioButton>(again, "plane0")->isChecked());
            EXPECT_TRUE(Child<QRadioButton>(again, "direction1")->isChecked());
            EXPECT_EQ(Child<QLineEdit>(again, "axisText")->text(), QString::fromUtf8(c.text));
            EXPECT_EQ(Child<QLineEdit>(again, "angleText")->text(), QStringLiteral("90"));
        }
    }
}

TEST(MirrorDialog, OpensWithTheSettingRefusesAndBakes) {
    App();
    ScriptedPrompt prompt;
    std::vector<std::string> pages;
    auto help = [&pages](std::string_view page) { pages.emplace_back(page); };
    const model::MirrorSettings current{2, 1.5f};
    {
        CMirrorDlg dlg(current, prompt, help);
        EXPECT_TRUE(Child<QRadioButton>(dlg, "axis2")->isChecked());
        EXPECT_EQ(Child<QLineEdit>(dlg, "position")->text(), QStringLiteral("1.5"));
        SetText(dlg, "position", "x");
        dlg.accept();
        EXPECT_EQ(prompt.Texts(), std::vector<std::string>{shell::kNeedNumberText});
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        SetText(dlg, "position", "-2");
        Child<QRadioButton>(dlg, "axis1")->setChecked(true);
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.Setting(), (model::MirrorSettings{1, -2.0f}));
        dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
        QTest::keyClick(&dlg, Qt::Key_F1);
    }
    {
        CMirrorDlg dlg(current, prompt, help);
        Child<QPushButton>(dlg, "bake")->click();
        EXPECT_EQ(dlg.result(), CMirrorDlg::kBake);
    }
    EXPECT_EQ(pages, (std::vector<std::string>{"dlg_mirror.htm", "dlg_mirror.htm"}));
}

}  // namespace
