// The joint dialog (dlg_joint.htm), joint management (dlg_jointmanage.htm), the slider dialog
// (dlg_slider.htm) and the group operation on a folder (dlg_group.htm). Their checks and the
// changes to the scene are studio/joints'.
#pragma once

#include <QDialog>
#include <functional>
#include <string_view>

#include "studio/app/dialog_parts.h"
#include "studio/joints/group_operation.h"
#include "studio/joints/joint_edit.h"
#include "studio/joints/slider_edit.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace studio {

inline constexpr std::string_view kJointHelpPage = "dlg_joint.htm";
inline constexpr std::string_view kJointManageHelpPage = "dlg_jointmanage.htm";
inline constexpr std::string_view kSliderHelpPage = "dlg_slider.htm";
inline constexpr std::string_view kGroupHelpPage = "dlg_group.htm";

// A joint's owner, partner, type, rotation target, point and axis; `joint` below 0 for a new
// one. OK checks (a refusal keeps it open) and puts the joint into the list.
class CJointDlg : public QDialog {
public:
    CJointDlg(CSceneDoc& doc, int joint, HelpFunction help, QWidget* parent = nullptr);
    JointFields Fields() const;
    void SetFields(const JointFields& fields);
    void accept() override;
    // After OK: the joint that holds the values.
    int ResultJoint() const { return result_; }

private:
    CSceneDoc& doc_;
    int joint_;
    int result_ = -1;
    QComboBox *owner_, *partner_;
    QButtonGroup *type_, *target_;
    QLineEdit *position_, *axis_;
};

// The joints as owner rows with their partner rows beneath; プロパティ, 削除 and 新規作成.
// `changed` runs after each change to the list (the view redraws).
class CJointManageDlg : public QDialog {
public:
    CJointManageDlg(CSceneDoc& doc, HelpFunction help, std::function<void()> changed,
                    QWidget* parent = nullptr);
    QTreeWidget* Tree() const { return tree_; }
    // The joint of the selected row (either row of its pair), or -1.
    int SelectedJoint() const;
    void SelectJoint(int joint);  // its partner row
    void Properties();
    void Delete();
    void New();

private:
    void Fill();

    CSceneDoc& doc_;
    HelpFunction help_;
    std::function<void()> changed_;
    QTreeWidget* tree_;
};

// An item's slider: none, along an axis or in a plane, with the axes the vector is kept in
// and given in.
class CSliderDlg : public QDialog {
public:
    CSliderDlg(CSceneDoc& doc, size_t item, HelpFunction help, QWidget* parent = nullptr);
    SliderFields Fields() const;
    void SetFields(const SliderFields& fields);
    void accept() override;

private:
    void EnableForKind();

    CSceneDoc& doc_;
    size_t item_;
    QButtonGroup* kind_;
    QComboBox *stored_, *given_;
    QLineEdit* vector_;
};

// A folder's name and one operation on its items.
class CGroupDlg : public QDialog {
public:
    CGroupDlg(CSceneDoc& doc, size_t folder, HelpFunction help, QWidget* parent = nullptr);
    GroupFields Fields() const;
    void SetFields(const GroupFields& fields);
    void accept() override;

private:
    CSceneDoc& doc_;
    size_t folder_;
    QLineEdit *name_, *move_, *scale_, *axis_, *angle_;
    QButtonGroup *operation_, *direction_, *flip_;
};

}  // namespace studio
