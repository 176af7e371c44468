// The modeller's commands: ids, menu captions, where they sit in the menus and the toolbar,
// and the accelerator keys. The main frame builds its menus from these tables, so a caption
// or id lives in exactly one place.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace modeller {

namespace cmd {
// File menu.
inline constexpr int kOpen = 32773;
inline constexpr int kSave = 32774;
inline constexpr int kSaveAs = 32775;
inline constexpr int kClose = 32780;
inline constexpr int kSaveImage = 32792;
inline constexpr int kRecentFirst = 57616;  // the framework reserves 16 ids for the list
inline constexpr int kRecentLast = 57631;
inline constexpr int kExit = 57665;
// Edit menu.
inline constexpr int kCut = 57635;
inline constexpr int kCopy = 57634;
inline constexpr int kPaste = 57637;
inline constexpr int kSelectAllPoints = 32817;
inline constexpr int kSelectAllFaces = 32818;
// Settings menu.
inline constexpr int kCamera = 32772;
inline constexpr int kLight = 32776;
inline constexpr int kDisplay = 32778;
inline constexpr int kTextureManage = 32783;
inline constexpr int kTextureSet = 32784;
inline constexpr int kTextureDelete = 32813;
inline constexpr int kWrap = 32782;
inline constexpr int kGroup = 32812;
inline constexpr int kAxis = 32803;
inline constexpr int kMirror = 32802;
inline constexpr int kJoint = 32801;
inline constexpr int kOption = 32815;
// View menu.
inline constexpr int kToolbar = 59392;
inline constexpr int kRefresh = 32808;
// Calculation menu.
inline constexpr int kPlanePaint = 32793;
inline constexpr int kPlaneFigure = 32797;
inline constexpr int kPlaneFigureOptions = 32796;
inline constexpr int kExtrude = 32794;
inline constexpr int kFaceCopy = 32805;
inline constexpr int kRevolve = 32795;
inline constexpr int kRotateCopy = 32804;
inline constexpr int kFlipFaces = 32819;
inline constexpr int kTidyData = 32799;
inline constexpr int kJoinPoints = 32822;
inline constexpr int kWholeModel = 32806;
inline constexpr int kVectorCalc = 32798;
// Help menu.
inline constexpr int kHelpFinder = 57667;
inline constexpr int kAbout = 57664;
// Reached by keys only.
inline constexpr int kNew = 57600;            // no handler: Ctrl+N does nothing
inline constexpr int kFrameworkOpen = 57601;  // Ctrl+O: the framework's own file dialog
inline constexpr int kUndo = 57643;           // no handler: there is no undo
inline constexpr int kContextHelp = 57669;    // Shift+F1
inline constexpr int kHelp = 57670;           // F1
inline constexpr int kNextPane = 57680;       // F6
inline constexpr int kPrevPane = 57681;       // Shift+F6
}  // namespace cmd

inline constexpr int kRecentFileCount = 4;

enum class TopMenu { File, Edit, View, Calc, Settings, Help };
inline constexpr TopMenu kTopMenus[] = {TopMenu::File, TopMenu::Edit,     TopMenu::View,
                                        TopMenu::Calc, TopMenu::Settings, TopMenu::Help};

// When a command's feature arrives. Commands of a later stage stay in the menus, disabled.
enum class Stage {
    Shell,        // the window, the file commands, the 3D pane
    EditScreens,  // clipboard and select-all of the point and face screens
    Operations,   // tidy, join, flip, whole-model operation, extrusion, mirror
    Later,
};

// Switch on when the edit screens land: their commands then start enabled.
inline constexpr bool kEditScreensReady = true;

struct Command {
    int id;
    std::string_view caption;  // menu text with its mnemonic
    TopMenu menu;
    std::string_view accelerator;  // shown after the caption; empty when none
    Stage stage;
    bool checkable;
};

// Every menu command, in no particular order. The recent-file list appears once, as its
// first id with the caption shown while the list is empty.
std::span<const Command> Commands();
const Command* FindCommand(int id);  // nullptr for ids that have no menu item

std::string_view TopMenuTitle(TopMenu menu);

// The items of one menu from top to bottom; kSeparator marks a separator and
// cmd::kRecentFirst stands for the whole recent-file block.
inline constexpr int kSeparator = 0;
std::span<const int> MenuLayout(TopMenu menu);

// The menu text the framework shows: the caption, then a tab and the accelerator.
std::string MenuText(const Command& command);

// The caption without its mnemonic "(&X)", stray '&' and trailing "...", for tool tips.
std::string PlainCaption(std::string_view caption);

bool StartsEnabled(const Command& command);

struct ToolButton {
    int id;                 // kSeparator for a separator
    std::string_view icon;  // file name without extension under icons/toolbar
};
std::span<const ToolButton> ToolbarLayout();

// Keys in Qt's portable key-sequence notation. One command may have several keys.
struct Accelerator {
    std::string_view keys;
    int id;
};
std::span<const Accelerator> Accelerators();

}  // namespace modeller
