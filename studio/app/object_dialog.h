// The object dialog (help page dlg_object.htm): name, model path with 再設定, placement,
// axis lock, fixed position, scale, display mode and flips. The checks and the change to the
// scene are object_edit's.
#pragma once

#include <QDialog>
#include <functional>
#include <string_view>

#include "platform/shell.h"
#include "studio/app/object_edit.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace studio {

inline constexpr std::string_view kObjectHelpPage = "dlg_object.htm";

class CObjectDlg : public QDialog {
public:
    CObjectDlg(CSceneDoc& doc, size_t index, shell::FileChooser& files,
               std::function<void(std::string_view)> help, QWidget* parent = nullptr);

    ObjectFields Fields() const;
    void SetFields(const ObjectFields& fields);
    // 再設定: a model file chosen anew.
    void ChooseModel();
    void accept() override;

private:
    CSceneDoc& doc_;
    size_t index_;
    shell::FileChooser& files_;
    std::function<void(std::string_view)> help_;
    QLineEdit *name_, *path_, *position_, *direction_, *up_, *scale_;
    QButtonGroup *axisLock_, *display_;
    QCheckBox *positionLock_, *flipX_, *flipY_, *flipZ_;
};

}  // namespace studio
