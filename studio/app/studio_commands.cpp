#include "studio/app/studio_commands.h"

#include <algorithm>

namespace studio {

namespace {

using M = StudioMenu;

constexpr StudioCommand kCommands[] = {
    {cmd::kOpen, "開く(&O)...", M::File, "Ctrl+O", true, false},
    {cmd::kSave, "上書き保存(&S)", M::File, "Ctrl+S", true, false},
    {cmd::kSaveAs, "名前を付けて保存(&A)...", M::File, "", true, false},
    {cmd::kClearAll, "全て消去(&C)", M::File, "", true, false},
    {cmd::kSaveImage, "画像を保存する(&V)", M::File, "", true, false},
    {cmd::kRecentFirst, "最近使ったﾌｧｲﾙ", M::File, "", true, false},
    {cmd::kExit, "終了(&X)", M::File, "", true, false},
    {cmd::kCamera, "カメラ(&C)", M::Settings, "", true, false},
    {cmd::kScreen, "３Ｄ画面(&S)", M::Settings, "", true, false},
    {cmd::kFog, "フォグ(&F)", M::Settings, "", true, false},
    {cmd::kAxis, "軸(&P)", M::Settings, "", false, false},
    {cmd::kOption, "オプション(&O)", M::Settings, "", true, false},
    {cmd::kFrameMode, "フレームモード(&J)", M::View, "", true, true},
    {cmd::kShowLights, "ライトを表示(&L)", M::View, "", true, true},
    {cmd::kCreateLight, "ライトの作成(&L)", M::Create, "", true, false},
    {cmd::kCreateFolder, "フォルダの作成(&D)", M::Create, "", true, false},
    {cmd::kJointNew, "新規作成(&N)", M::Joint, "", true, false},
    {cmd::kJointManage, "管理(&M)", M::Joint, "", true, false},
    {cmd::kHelp, "ヘルプの表示(&H)", M::Help, "F1", true, false},
    {cmd::kAbout, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", M::Help, "", true, false},
    {cmd::kProperties, "プロパティ", M::TreeContext, "", true, false},
    {cmd::kGroupOperation, "グループ演算", M::TreeContext, "", true, false},
    {cmd::kDelete, "削除", M::TreeContext, "", true, false},
    {cmd::kSaveParts, "パーツデータのセーブ", M::TreeContext, "", true, false},
};

constexpr int S = kStudioSeparator;
constexpr int kFileMenu[] = {cmd::kOpen,      cmd::kSave, cmd::kSaveAs,      S, cmd::kClearAll, S,
                             cmd::kSaveImage, S,          cmd::kRecentFirst, S, cmd::kExit};
constexpr int kSettingsMenu[] = {cmd::kCamera, cmd::kScreen, cmd::kFog, S,
                                 cmd::kAxis,   cmd::kOption};
constexpr int kViewMenu[] = {cmd::kFrameMode, cmd::kShowLights};
constexpr int kCreateMenu[] = {cmd::kCreateLight, cmd::kCreateFolder};
constexpr int kJointMenu[] = {cmd::kJointNew, cmd::kJointManage};
constexpr int kHelpMenu[] = {cmd::kHelp, S, cmd::kAbout};
constexpr int kTreeMenu[] = {cmd::kProperties, cmd::kGroupOperation, S, cmd::kDelete, S,
                             cmd::kSaveParts};

constexpr StudioToolButton kToolbar[] = {
    {cmd::kOpen, "open"},     {cmd::kSave, "save"},         {S, ""},
    {cmd::kCamera, "camera"}, {cmd::kCreateLight, "light"}, {S, ""},
    {cmd::kAbout, "about"},
};

}  // namespace

std::span<const StudioCommand> StudioCommands() {
    return kCommands;
}

const StudioCommand* FindStudioCommand(int id) {
    auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                           [id](const StudioCommand& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

std::string_view StudioMenuTitle(StudioMenu menu) {
    switch (menu) {
        case M::File:
            return "ファイル(&F)";
        case M::Settings:
            return "設定(&S)";
        case M::View:
            return "表示(&V)";
        case M::Create:
            return "作成(&M)";
        case M::Joint:
            return "ジョイント(&J)";
        case M::Help:
            return "ヘルプ(&H)";
        case M::TreeContext:
            return "";
    }
    return "";
}

std::span<const int> StudioMenuLayout(StudioMenu menu) {
    switch (menu) {
        case M::File:
            return kFileMenu;
        case M::Settings:
            return kSettingsMenu;
        case M::View:
            return kViewMenu;
        case M::Create:
            return kCreateMenu;
        case M::Joint:
            return kJointMenu;
        case M::Help:
            return kHelpMenu;
        case M::TreeContext:
            return kTreeMenu;
    }
    return {};
}

std::string StudioMenuText(const StudioCommand& command) {
    std::string text(command.caption);
    if (!command.accelerator.empty()) {
        text += '\t';
        text += command.accelerator;
    }
    return text;
}

std::span<const StudioToolButton> StudioToolbarLayout() {
    return kToolbar;
}

std::string StudioWindowTitle(std::string_view fileTitle) {
    std::string title(kStudioProgramName);
    if (fileTitle.empty()) return title;
    title += "  [";
    title += fileTitle;
    title += ']';
    return title;
}

std::string StudioHelpAddress(std::string_view programDirectory, std::string_view page) {
    std::string address(programDirectory);
    if (!address.empty() && address.back() != '/') address += '/';
    address += kStudioHelpFileName;
    if (!page.empty()) {
        address += "::/";
        address += page;
    }
    return address;
}

}  // namespace studio
