// The studio's commands: ids, menu captions, where they sit in the menus, the toolbar and the
// tree's context menu, and the keys. The frame builds its menus from these tables alone.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace studio {

namespace cmd {
inline constexpr int kOpen = 32782;
inline constexpr int kSave = 32786;
inline constexpr int kSaveAs = 32778;
inline constexpr int kClearAll = 32790;
inline constexpr int kSaveImage = 32784;
inline constexpr int kRecentFirst = 57616;
inline constexpr int kRecentLast = 57619;
inline constexpr int kExit = 57665;
inline constexpr int kCamera = 32771;
inline constexpr int kScreen = 32775;
inline constexpr int kFrameMode = 32785;
inline constexpr int kShowLights = 32792;
inline constexpr int kCreateLight = 32773;
inline constexpr int kCreateFolder = 32780;
inline constexpr int kJointNew = 32776;
inline constexpr int kJointManage = 32781;
inline constexpr int kFog = 32787;
inline constexpr int kAxis = 32779;
inline constexpr int kOption = 32791;
inline constexpr int kHelp = 57670;
inline constexpr int kAbout = 57664;
// The tree's context menu.
inline constexpr int kProperties = 32777;
inline constexpr int kGroupOperation = 32797;
inline constexpr int kDelete = 32783;
inline constexpr int kSaveParts = 32788;
}  // namespace cmd

inline constexpr int kStudioRecentFileCount = 4;

enum class StudioMenu { File, Settings, View, Create, Joint, Help, TreeContext };
inline constexpr StudioMenu kStudioMenuBar[] = {StudioMenu::File,  StudioMenu::Settings,
                                                StudioMenu::View,  StudioMenu::Create,
                                                StudioMenu::Joint, StudioMenu::Help};

struct StudioCommand {
    int id;
    std::string_view caption;  // menu text with its mnemonic
    StudioMenu menu;
    std::string_view accelerator;  // shown after the caption; empty when none
    bool ready;                    // false: in the menus, disabled until its feature lands
    bool checkable;
};

std::span<const StudioCommand> StudioCommands();
const StudioCommand* FindStudioCommand(int id);
std::string_view StudioMenuTitle(StudioMenu menu);

// Items top to bottom; kStudioSeparator marks a separator, cmd::kRecentFirst the recent block.
inline constexpr int kStudioSeparator = 0;
std::span<const int> StudioMenuLayout(StudioMenu menu);

// The caption, then a tab and the key when it has one.
std::string StudioMenuText(const StudioCommand& command);

struct StudioToolButton {
    int id;                 // kStudioSeparator for a separator
    std::string_view icon;  // file name without extension under icons/toolbar
};
std::span<const StudioToolButton> StudioToolbarLayout();

// The title bar: "Stagora", or "Stagora  [title]" once a scene file is named.
inline constexpr std::string_view kStudioProgramName = "Stagora";
std::string StudioWindowTitle(std::string_view fileTitle);

// "<program directory>/Stagora.chm", and "::/<page>" for a page in it.
inline constexpr std::string_view kStudioHelpFileName = "Stagora.chm";
std::string StudioHelpAddress(std::string_view programDirectory, std::string_view page);

}  // namespace studio
