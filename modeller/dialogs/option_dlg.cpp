#include "modeller/dialogs/option_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "modeller/dialogs/settings_widgets.h"

namespace modeller {

COptionDlg::COptionDlg(const settings::OptionFields& f, shell::Prompt& prompt, HelpFunction help,
                       QWidget* parent)
    : COpsDialog("オプション", settings::kOptionHelpPage, prompt, std::move(help), parent) {
    auto* sizeBox = new QGroupBox(Qs("3D画面の最大値"), this);
    auto* sizeRow = new QHBoxLayout(sizeBox);
    width_ = NamedEdit(sizeBox, "width", "");
    height_ = NamedEdit(sizeBox, "height", "");
    sizeRow->addWidget(width_);
    sizeRow->addWidget(new QLabel(Qs("×"), sizeBox));
    sizeRow->addWidget(height_);

    auto* deviceBox = new QGroupBox(this);
    auto* deviceLayout = new QVBoxLayout(deviceBox);
    auto* devices = new QButtonGroup(this);
    const char* deviceTexts[3] = {"ハードウェア", "ソフトウェア(MMX)", "ソフトウェア(RGB)"};
    for (int i = 0; i < 3; ++i) {
        device_[i] = new QRadioButton(Qs(deviceTexts[i]), deviceBox);
        device_[i]->setObjectName(QStringLiteral("device") + QString::number(i));
        devices->addButton(device_[i], i);
        deviceLayout->addWidget(device_[i]);
    }

    jpeg_ = NamedEdit(this, "jpegQuality", "");
    auto* jpegRow = new QHBoxLayout;
    jpegRow->addWidget(new QLabel(Qs("JPEGのクオリティ"), this));
    jpegRow->addWidget(jpeg_);

    auto* xBox = new QGroupBox(this);
    auto* xLayout = new QHBoxLayout(xBox);
    auto* formats = new QButtonGroup(this);
    const char* xTexts[2] = {"テキスト", "バイナリ"};
    for (int i = 0; i < 2; ++i) {
        xFormat_[i] = new QRadioButton(Qs(xTexts[i]), xBox);
        xFormat_[i]->setObjectName(QStringLiteral("xFormat") + QString::number(i));
        formats->addButton(xFormat_[i], i);
        xLayout->addWidget(xFormat_[i]);
    }

    auto* saveBox = new QGroupBox(this);
    auto* saveLayout = new QHBoxLayout(saveBox);
    saveCamera_ = NamedCheck(saveBox, "saveCamera", "カメラ", false);
    saveLight_ = NamedCheck(saveBox, "saveLight", "ライト", false);
    saveAxis_ = NamedCheck(saveBox, "saveAxis", "軸", false);
    saveColor_ = NamedCheck(saveBox, "saveColor", "色", false);
    for (QCheckBox* c : {saveCamera_, saveLight_, saveAxis_, saveColor_}) saveLayout->addWidget(c);

    auto* reset = new QPushButton(Qs("初期化"), this);
    reset->setObjectName(QStringLiteral("reset"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, [this] { Show(settings::InitialOptionFields()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sizeBox);
    layout->addWidget(deviceBox);
    layout->addLayout(jpegRow);
    layout->addWidget(xBox);
    layout->addWidget(saveBox);
    layout->addWidget(reset);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Show(f);
}

void COptionDlg::Show(const settings::OptionFields& f) {
    width_->setText(Qs(f.width));
    height_->setText(Qs(f.height));
    device_[f.device >= 0 && f.device <= 2 ? f.device : 1]->setChecked(true);
    jpeg_->setText(Qs(f.jpegQuality));
    xFormat_[f.xFormat != 0 ? 1 : 0]->setChecked(true);
    saveCamera_->setChecked(f.saveCamera);
    saveLight_->setChecked(f.saveLight);
    saveAxis_->setChecked(f.saveAxis);
    saveColor_->setChecked(f.saveColor);
}

settings::OptionFields COptionDlg::Fields() const {
    settings::OptionFields f;
    f.width = Text(width_);
    f.height = Text(height_);
    for (int i = 0; i < 3; ++i)
        if (device_[i]->isChecked()) f.device = i;
    f.jpegQuality = Text(jpeg_);
    f.xFormat = xFormat_[1]->isChecked() ? 1 : 0;
    f.saveCamera = saveCamera_->isChecked();
    f.saveLight = saveLight_->isChecked();
    f.saveAxis = saveAxis_->isChecked();
    f.saveColor = saveColor_->isChecked();
    return f;
}

void COptionDlg::accept() {
    const settings::OptionFields f = Fields();
    const std::string message = settings::ValidateOption(f);
    if (!message.empty()) {
        // The checks run width, height, quality: the first field that fails on its own.
        QLineEdit* field = !settings::ValidateOption({f.width, "1", 1, "1"}).empty()    ? width_
                           : !settings::ValidateOption({"1", f.height, 1, "1"}).empty() ? height_
                                                                                        : jpeg_;
        Refuse(message, field);
        return;
    }
    QDialog::accept();
}

}  // namespace modeller
