// The 3D screen (dlg_3dgamen.htm), fog (dlg_fog.htm) and light (dlg_light.htm) dialogs. Their
// checks and the change to the scene are environment_edit's. Colours are typed as R, G, B.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string_view>

#include "studio/app/dialog_parts.h"
#include "studio/app/environment_edit.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace studio {

inline constexpr std::string_view kScreenHelpPage = "dlg_3dgamen.htm";
inline constexpr std::string_view kFogHelpPage = "dlg_fog.htm";
inline constexpr std::string_view kLightHelpPage = "dlg_light.htm";
inline constexpr std::string_view kCameraHelpPage = "dlg_camera.htm";
inline constexpr std::string_view kOptionHelpPage = "dlg_option.htm";
inline constexpr std::string_view kAxisHelpPage = "dlg_jiku.htm";

// OK checks the fields (a refusal keeps the dialog open) and applies them to the scene.
class CScreenDlg : public QDialog {
public:
    // `chooseImage` answers the "..." button beside the path: a file, or nothing.
    using ImageChooser = std::function<std::optional<std::string>(const std::string& current)>;
    CScreenDlg(CSceneDoc& doc, int targetWidth, int targetHeight, HelpFunction help,
               QWidget* parent = nullptr, ImageChooser chooseImage = {});
    ScreenFields Fields() const;
    void SetFields(const ScreenFields& fields);
    void accept() override;

private:
    CSceneDoc& doc_;
    int targetWidth_, targetHeight_;
    QLineEdit *width_, *height_, *background_, *path_, *left_, *top_, *right_, *bottom_;
    QCheckBox *freeSize_, *fitToView_, *hasImage_, *keepAspect_;
    QButtonGroup* mode_;
};

class CFogDlg : public QDialog {
public:
    CFogDlg(CSceneDoc& doc, HelpFunction help, QWidget* parent = nullptr);
    FogFields Fields() const;
    void SetFields(const FogFields& fields);
    void accept() override;

private:
    CSceneDoc& doc_;
    QCheckBox* enabled_;
    QButtonGroup* source_;
    QLineEdit *color_, *start_, *end_;
};

// For a new light OK creates it at the end of the tree; for an existing one (`editIndex`) the
// dialog opens with its values and OK changes it in place.
class CLightDlg : public QDialog {
public:
    CLightDlg(CSceneDoc& doc, HelpFunction help, QWidget* parent = nullptr, int editIndex = -1);
    LightFields Fields() const;
    void SetFields(const LightFields& fields);
    void accept() override;
    int CreatedIndex() const { return created_; }

private:
    CSceneDoc& doc_;
    QButtonGroup* kind_;
    QLineEdit *name_, *color_, *range_, *umbra_, *penumbra_, *position_, *direction_;
    QLineEdit *constant_, *linear_, *quadratic_;
    QCheckBox* fixed_;
    int editIndex_;
    int created_ = -1;
};

// The axis gizmo: shown or not, its letters, its size. OK leaves the style in Style().
class CAxisDlg : public QDialog {
public:
    CAxisDlg(const viewport::AxisStyle& style, HelpFunction help, QWidget* parent = nullptr);
    AxisFields Fields() const;
    const viewport::AxisStyle& Style() const { return style_; }
    void accept() override;

private:
    viewport::AxisStyle style_;
    QCheckBox *showAxis_, *showLetters_;
    QLineEdit* size_;
};

// The studio camera; `reverse` is the settings' reverse mode, written on OK.
class CCameraDlg : public QDialog {
public:
    CCameraDlg(CSceneDoc& doc, bool& reverse, HelpFunction help, QWidget* parent = nullptr);
    CameraFields Fields() const;
    void SetFields(const CameraFields& fields);
    void accept() override;

private:
    CSceneDoc& doc_;
    bool& reverse_;
    QLineEdit *position_, *direction_, *up_, *point_, *speed_;
    QCheckBox *gaze_, *reverseBox_;
};

// The options; OK writes them to `settings` (device values take effect at the next start).
class COptionDlg : public QDialog {
public:
    COptionDlg(StudioSettings& settings, HelpFunction help, QWidget* parent = nullptr);
    OptionFields Fields() const;
    void SetFields(const OptionFields& fields);
    void accept() override;

private:
    StudioSettings& settings_;
    QLineEdit *width_, *height_, *quality_;
    QButtonGroup *device_, *format_;
};

}  // namespace studio
