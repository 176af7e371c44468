// The plane-paint dialogs: 平面ペイント (the plane), 平面図形 (two typed corners) and
// 平面図形のオプション (the figure's shape).
#pragma once

#include "model/sheet.h"
#include "modeller/dialogs/ops_dialog.h"
#include "modeller/ops/plane_figure.h"

class QCheckBox;
class QRadioButton;

namespace modeller {

inline constexpr const char* kPlanePaintHelpPage = "heimenpaint.htm";
inline constexpr const char* kPlaneFigureHelpPage = "dlg_heimenzukei.htm";
inline constexpr const char* kPlaneOptionsHelpPage = "dlg_heimenoption.htm";

class CPlanePaintDlg : public COpsDialog {
public:
    CPlanePaintDlg(const ops::PlanePaintState& state, shell::Prompt& prompt, HelpFunction help,
                   QWidget* parent = nullptr);
    // After OK: the plane read from the field.
    const ops::PlaneEquation& Plane() const { return plane_; }
    void accept() override;

private:
    QLineEdit* planeEdit_;
    ops::PlaneEquation plane_{};
};

class CPlaneFigureDlg : public COpsDialog {
public:
    CPlaneFigureDlg(shell::Prompt& prompt, HelpFunction help, QWidget* parent = nullptr);
    // After OK: the first and second corner as typed.
    model::Vertex First() const { return first_; }
    model::Vertex Second() const { return second_; }
    void accept() override;

private:
    QLineEdit *firstEdit_, *secondEdit_;
    model::Vertex first_, second_;
};

class CPlaneOptionsDlg : public COpsDialog {
public:
    CPlaneOptionsDlg(const ops::PlaneFigureOptions& options, shell::Prompt& prompt,
                     HelpFunction help, QWidget* parent = nullptr);
    const ops::PlaneFigureOptions& Options() const { return options_; }
    void accept() override;

private:
    ops::PlaneFigureOptions options_;
    QRadioButton *rectangle_, *circle_;
    QRadioButton* axis_[3];
    QLineEdit* divisions_;
    QCheckBox *equalRatio_, *triangles_, *half_;
};

}  // namespace modeller
