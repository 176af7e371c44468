// The plane-paint commands and the vector calculator of the calculation menu, and the
// plane-paint input of the 3D pane they switch on.
#pragma once

#include <QPointer>
#include <functional>

#include "modeller/dialogs/ops_commands.h"
#include "modeller/dialogs/vector_calc_dlg.h"
#include "modeller/ops/plane_paint_input.h"

namespace modeller {

class PlaneCommands {
public:
    PlaneCommands(CModelView& view, CModelDoc& doc, shell::Prompt& prompt, HelpFunction help);
    ~PlaneCommands();

    // 平面ペイント: the plane dialog when the mode is off, else the mode goes off.
    void OnPlanePaint();
    // 平面に図形を描く: two typed corners (only while the mode is on).
    void OnPlaneFigure();
    // 平面図形のオプション.
    void OnPlaneFigureOptions();
    // ベクトルの計算: opens the window unless it is open already.
    void OnVectorCalc();

    bool ModeOn() const { return state.modeOn; }
    CVectorCalcDlg* CalcWindow() const { return calc_.data(); }
    ops::PlanePaintInput& Input() { return input_; }

    // Told after every switch of the mode (the menu check and the figure command follow it).
    std::function<void(bool on)> modeChanged;

    ops::PlanePaintState state;
    ops::VectorCalcMemory calcMemory;

private:
    rm::Vector3 CameraPosition() const;

    CModelView& view_;
    CModelDoc& doc_;
    shell::Prompt& prompt_;
    HelpFunction help_;
    WindowOpsHost host_;
    ops::PlanePaintInput input_;
    QPointer<CVectorCalcDlg> calc_;
};

}  // namespace modeller
