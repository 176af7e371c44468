#include "modeller/app/command_table.h"

#include <algorithm>

namespace modeller {

namespace {

using enum TopMenu;
using enum Stage;

constexpr Command kCommands[] = {
    {cmd::kOpen, "開く(&O)...", File, "Ctrl+O", Shell, false},
    {cmd::kSave, "上書き保存(&S)", File, "Ctrl+S", Shell, false},
    {cmd::kSaveAs, "名前を付けて保存(&A)...", File, "", Shell, false},
    {cmd::kClose, "閉じる(&C)", File, "", Shell, false},
    {cmd::kSaveImage, "画像を保存する(&V)", File, "", Shell, false},
    {cmd::kRecentFirst, "最近使ったﾌｧｲﾙ", File, "", Shell, false},
    {cmd::kExit, "終了(&X)", File, "", Shell, false},

    {cmd::kCut, "切り取り(&T)", Edit, "Ctrl+X", EditScreens, false},
    {cmd::kCopy, "ｺﾋﾟｰ(&C)", Edit, "Ctrl+C", EditScreens, false},
    {cmd::kPaste, "貼り付け(&P)", Edit, "Ctrl+V", EditScreens, false},
    {cmd::kSelectAllPoints, "点編集画面を全て選択(&L)", Edit, "", EditScreens, false},
    {cmd::kSelectAllFaces, "面編集画面を全て選択(&B)", Edit, "", EditScreens, false},

    {cmd::kCamera, "カメラ(&C)", Settings, "", Operations, false},
    {cmd::kLight, "ライト(&L)", Settings, "", Operations, false},
    {cmd::kDisplay, "表示(&V)", Settings, "", Operations, false},
    {cmd::kTextureManage, "テクスチャの管理(&M)", Settings, "", Operations, false},
    {cmd::kTextureSet, "テクスチャのセット(&S)", Settings, "", Operations, false},
    {cmd::kTextureDelete, "テクスチャデータの消去(&D)", Settings, "", Operations, false},
    {cmd::kWrap, "ラップ(&W)", Settings, "", Operations, false},
    {cmd::kGroup, "グループ(&G)", Settings, "", Operations, false},
    {cmd::kAxis, "軸(&A)", Settings, "", Operations, false},
    {cmd::kMirror, "ミラー(&M)", Settings, "", Operations, false},
    {cmd::kJoint, "ジョイント(&J)", Settings, "", Operations, false},
    {cmd::kOption, "オプション(&O)", Settings, "", Operations, false},

    {cmd::kToolbar, "ﾂｰﾙ ﾊﾞｰ(&T)", View, "", Shell, true},
    {cmd::kRefresh, "画面の更新(&R)", View, "", Shell, false},

    {cmd::kPlanePaint, "平面ペイント(&F)", Calc, "", Operations, true},
    {cmd::kPlaneFigure, "平面に図形を描く(&W)", Calc, "", Operations, false},
    {cmd::kPlaneFigureOptions, "平面図形のオプション(&O)", Calc, "", Operations, false},
    {cmd::kExtrude, "立体化(&G)", Calc, "", Operations, false},
    {cmd::kFaceCopy, "面のコピー(&H)", Calc, "", Operations, false},
    {cmd::kRevolve, "回転体(&I)", Calc, "", Operations, false},
    {cmd::kRotateCopy, "回転コピー(&J)", Calc, "", Operations, false},
    {cmd::kFlipFaces, "裏返す(&E)", Calc, "", Operations, false},
    {cmd::kTidyData, "データを整頓(&D)", Calc, "", Operations, false},
    {cmd::kJoinPoints, "点を結合する(&K)", Calc, "", Operations, false},
    {cmd::kWholeModel, "全体演算(&A)", Calc, "", Operations, false},
    {cmd::kVectorCalc, "ベクトルの計算(&C)", Calc, "", Operations, false},

    {cmd::kHelpFinder, "ヘルプの表示(&H)", Help, "", Shell, false},
    {cmd::kAbout, "Mokkel のﾊﾞｰｼﾞｮﾝ情報(&A)...", Help, "", Shell, false},
};

// One line per group of items between separators.
// clang-format off
constexpr int kFileMenu[] = {
    cmd::kOpen, cmd::kSave, cmd::kSaveAs, cmd::kClose, kSeparator,
    cmd::kSaveImage, kSeparator,
    cmd::kRecentFirst, kSeparator,
    cmd::kExit,
};
constexpr int kEditMenu[] = {
    cmd::kCut, cmd::kCopy, cmd::kPaste, kSeparator,
    cmd::kSelectAllPoints, cmd::kSelectAllFaces,
};
constexpr int kViewMenu[] = {
    cmd::kToolbar, kSeparator,
    cmd::kRefresh,
};
constexpr int kCalcMenu[] = {
    cmd::kPlanePaint, cmd::kPlaneFigure, cmd::kPlaneFigureOptions, kSeparator,
    cmd::kExtrude, cmd::kFaceCopy, cmd::kRevolve, cmd::kRotateCopy, kSeparator,
    cmd::kFlipFaces, cmd::kTidyData, cmd::kJoinPoints, kSeparator,
    cmd::kWholeModel, cmd::kVectorCalc,
};
constexpr int kSettingsMenu[] = {
    cmd::kCamera, cmd::kLight, cmd::kDisplay, kSeparator,
    cmd::kTextureManage, cmd::kTextureSet, cmd::kTextureDelete, cmd::kWrap, kSeparator,
    cmd::kGroup, cmd::kAxis, cmd::kMirror, cmd::kJoint, kSeparator,
    cmd::kOption,
};
constexpr int kHelpMenu[] = {
    cmd::kHelpFinder, kSeparator,
    cmd::kAbout,
};
// clang-format on

constexpr ToolButton kToolbar[] = {
    {cmd::kOpen, "open"},
    {cmd::kSave, "save"},
    {kSeparator, ""},
    {cmd::kCut, "cut"},
    {cmd::kCopy, "copy"},
    {cmd::kPaste, "paste"},
    {kSeparator, ""},
    {cmd::kPlanePaint, "plane_paint"},
    {cmd::kRefresh, "refresh"},
    {kSeparator, ""},
    {cmd::kDisplay, "display"},
    {cmd::kCamera, "camera"},
    {cmd::kLight, "light"},
    {kSeparator, ""},
    {cmd::kVectorCalc, "vector"},
};

constexpr Accelerator kAccelerators[] = {
    {"Ctrl+N", cmd::kNew},        {"Ctrl+O", cmd::kFrameworkOpen}, {"Ctrl+S", cmd::kSave},
    {"Ctrl+Z", cmd::kUndo},       {"Alt+Backspace", cmd::kUndo},   {"Ctrl+X", cmd::kCut},
    {"Shift+Del", cmd::kCut},     {"Ctrl+C", cmd::kCopy},          {"Ctrl+Ins", cmd::kCopy},
    {"Ctrl+V", cmd::kPaste},      {"Shift+Ins", cmd::kPaste},      {"F6", cmd::kNextPane},
    {"Shift+F6", cmd::kPrevPane}, {"Shift+F1", cmd::kContextHelp}, {"F1", cmd::kHelp},
};

}  // namespace

std::span<const Command> Commands() {
    return kCommands;
}

const Command* FindCommand(int id) {
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                           [id](const Command& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::string_view TopMenuTitle(TopMenu menu) {
    switch (menu) {
        case File:
            return "ファイル(&F)";
        case Edit:
            return "編集(&E)";
        case View:
            return "表示(&V)";
        case Calc:
            return "計算";
        case Settings:
            return "セッティング";
        case Help:
            return "ヘルプ(&H)";
    }
    return {};
}

std::span<const int> MenuLayout(TopMenu menu) {
    switch (menu) {
        case File:
            return kFileMenu;
        case Edit:
            return kEditMenu;
        case View:
            return kViewMenu;
        case Calc:
            return kCalcMenu;
        case Settings:
            return kSettingsMenu;
        case Help:
            return kHelpMenu;
    }
    return {};
}

std::string MenuText(const Command& command) {
    std::string text(command.caption);
    if (!command.accelerator.empty()) {
        text += '\t';
        text += command.accelerator;
    }
    return text;
}

std::string PlainCaption(std::string_view caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        // "(&X)" goes whole; the characters are ASCII, so this never cuts a UTF-8 sequence.
        if (caption[i] == '(' && i + 3 < caption.size() && caption[i + 1] == '&' &&
            caption[i + 3] == ')') {
            i += 3;
            continue;
        }
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') out += caption[++i];
            continue;
        }
        out += caption[i];
    }
    while (out.size() >= 3 && out.compare(out.size() - 3, 3, "...") == 0)
        out.resize(out.size() - 3);
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

bool StartsEnabled(const Command& command) {
    switch (command.stage) {
        case Shell:
            return true;
        case EditScreens:
            return kEditScreensReady;
        case Operations:
            return true;
        case Later:
            return false;
    }
    return false;
}

std::span<const ToolButton> ToolbarLayout() {
    return kToolbar;
}

std::span<const Accelerator> Accelerators() {
    return kAccelerators;
}

}  // namespace modeller
