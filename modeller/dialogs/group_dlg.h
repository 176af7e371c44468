// The group dialog (グループ) and the group properties dialog (グループのプロパティ).
#pragma once

#include <functional>

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/dialogs/settings_widgets.h"
#include "modeller/settings_ops/group_settings.h"

class QComboBox;

namespace modeller {

class CGroupPropertiesDlg : public COpsDialog {
public:
    CGroupPropertiesDlg(const settings::GroupPropertyFields& fields,
                        const model::GroupTable& groups, shell::Prompt& prompt, HelpFunction help,
                        QWidget* parent = nullptr);
    settings::GroupPropertyFields Fields() const;
    void accept() override;

private:
    const model::GroupTable& groups_;
    int32_t number_;
    QLineEdit *name_, *power_, *specular_, *emissive_, *ambient_;
    QCheckBox* hasMaterial_;
    qtshell::CColourSwatch* colour_;
};

// Opens the properties of `number` (the table's size: a new group) and stores them on OK.
// The group's number, or -1 on Cancel.
int32_t EditGroupProperties(model::GroupTable& groups, viewport::ModelRenderObjects& objects,
                            int32_t number, shell::Prompt& prompt, const HelpFunction& help,
                            QWidget* parent);

class CGroupDlg : public COpsDialog {
public:
    // Properties, add and delete change the table at once and call `changed`.
    CGroupDlg(model::MeshModel& model, viewport::ModelRenderObjects& objects,
              const settings::GroupChoice& choice, std::function<void()> changed,
              shell::Prompt& prompt, HelpFunction help, QWidget* parent = nullptr);
    // Both choices (no choice counts as group 1).
    settings::GroupChoice Choice() const { return choice_; }
    void accept() override;

private:
    void Fill();
    void ReadChoice();
    void OnProperties();
    void OnAdd();
    void OnDelete();

    model::MeshModel& model_;
    viewport::ModelRenderObjects& objects_;
    settings::GroupChoice choice_;
    std::function<void()> changed_;
    HelpFunction help_;
    QComboBox *current_, *newFaces_;
};

}  // namespace modeller
