#include "modeller/dialogs/camera_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>

#include "modeller/dialogs/settings_widgets.h"

namespace modeller {

CCameraDlg::CCameraDlg(const settings::CameraFields& f, shell::Prompt& prompt, HelpFunction help,
                       QWidget* parent)
    : COpsDialog("カメラ", settings::kCameraHelpPage, prompt, std::move(help), parent) {
    position_ = NamedEdit(this, "position", f.position);
    zAxis_ = NamedEdit(this, "zAxis", f.zAxis);
    yAxis_ = NamedEdit(this, "yAxis", f.yAxis);
    gaze_ = NamedCheck(this, "gaze", "一点を凝視する", f.gaze);
    point_ = NamedEdit(this, "point", f.point);
    reverse_ = NamedCheck(this, "reverse", "リバースモード", f.reverse);
    speed_ = NamedEdit(this, "speed", f.speed);
    for (QLineEdit* e : {position_, zAxis_, yAxis_, point_})
        e->setMaxLength(settings::kCameraFieldLength);
    auto* grid = new QGridLayout;
    AddRow(grid, "カメラの位置", position_);
    AddRow(grid, "カメラのＺ軸", zAxis_);
    AddRow(grid, "カメラのＹ軸", yAxis_);
    grid->addWidget(gaze_, grid->rowCount(), 0);
    grid->addWidget(point_, grid->rowCount() - 1, 1);
    grid->addWidget(reverse_, grid->rowCount(), 0, 1, 2);
    AddRow(grid, "移動スピード", speed_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
    setMinimumWidth(420);
}

settings::CameraFields CCameraDlg::Fields() const {
    return {Text(position_), Text(zAxis_),          Text(yAxis_), gaze_->isChecked(),
            Text(point_),    reverse_->isChecked(), Text(speed_)};
}

void CCameraDlg::accept() {
    const std::string message = settings::ValidateCamera(Fields());
    if (!message.empty()) {
        Refuse(message, speed_);
        return;
    }
    QDialog::accept();
}

}  // namespace modeller
