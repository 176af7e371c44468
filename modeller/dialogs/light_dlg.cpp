#include "modeller/dialogs/light_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "modeller/dialogs/settings_widgets.h"

namespace modeller {

namespace {

constexpr const char* kRgbLabel = "RGB( 0 ～　1 )";

}  // namespace

CLightDlg::CLightDlg(const settings::LightFields& f, shell::Prompt& prompt, HelpFunction help,
                     QWidget* parent)
    : COpsDialog("ライト", settings::kLightHelpPage, prompt, std::move(help), parent) {
    auto* ambientBox = new QGroupBox(Qs("環境ライト"), this);
    auto* ambientGrid = new QGridLayout(ambientBox);
    ambient_ = NamedEdit(ambientBox, "ambient", f.ambient);
    AddRow(ambientGrid, kRgbLabel, ambient_);

    auto* directionalBox = new QGroupBox(Qs("ディレクショナルライト"), this);
    auto* directionalGrid = new QGridLayout(directionalBox);
    direction_ = NamedEdit(directionalBox, "direction", f.direction);
    directional_ = NamedEdit(directionalBox, "directional", f.directional);
    AddRow(directionalGrid, "方向", direction_);
    AddRow(directionalGrid, kRgbLabel, directional_);

    auto* cameraBox = new QGroupBox(this);
    auto* cameraGrid = new QGridLayout(cameraBox);
    cameraLight_ = NamedCheck(cameraBox, "cameraLight", "カメラにライトを設定", f.cameraLight);
    cameraColour_ = NamedEdit(cameraBox, "cameraColour", f.cameraColour);
    range_ = NamedEdit(cameraBox, "range", f.range);
    cameraGrid->addWidget(cameraLight_, 0, 0, 1, 2);
    AddRow(cameraGrid, kRgbLabel, cameraColour_);
    AddRow(cameraGrid, "範囲", range_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ambientBox);
    layout->addWidget(directionalBox);
    layout->addWidget(cameraBox);
    layout->addWidget(MakeButtons());
    setMinimumWidth(360);
}

settings::LightFields CLightDlg::Fields() const {
    return {Text(ambient_),      Text(direction_), Text(directional_), cameraLight_->isChecked(),
            Text(cameraColour_), Text(range_)};
}

void CLightDlg::accept() {
    const std::string message = settings::ValidateLight(Fields());
    if (!message.empty()) {
        Refuse(message, range_);
        return;
    }
    QDialog::accept();
}

}  // namespace modeller
