#include "studio/app/environment_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "studio/app/dialog_parts.h"

namespace studio {

CScreenDlg::CScreenDlg(CSceneDoc& doc, int targetWidth, int targetHeight, HelpFunction help,
                       QWidget* parent, ImageChooser chooseImage)
    : QDialog(parent), doc_(doc), targetWidth_(targetWidth), targetHeight_(targetHeight) {
    setWindowTitle(Qs("３Ｄ画面"));
    setObjectName(QStringLiteral("ScreenDialog"));
    width_ = new QLineEdit(this);
    height_ = new QLineEdit(this);
    freeSize_ = new QCheckBox(Qs("画面の大きさをフリーにする"), this);
    fitToView_ = new QCheckBox(Qs("表示領域に合わせて拡大・縮小する"), this);
    background_ = new QLineEdit(this);
    hasImage_ = new QCheckBox(Qs("背景画像"), this);
    path_ = new QLineEdit(this);
    keepAspect_ = new QCheckBox(Qs("縦横の比率を保つ"), this);
    left_ = new QLineEdit(this);
    top_ = new QLineEdit(this);
    right_ = new QLineEdit(this);
    bottom_ = new QLineEdit(this);
    mode_ = new QButtonGroup(this);
    QGroupBox* modes =
        RadioGroup("", {"表示する領域を設定", "画面全体に拡大して表示", "中央にそのまま表示"},
                   mode_, this, Qt::Vertical);
    auto* form = new QFormLayout;
    auto* size = Row({width_, new QLabel(QStringLiteral("×"), this), height_});
    form->addRow(Qs("３Ｄ画面の大きさ"), size);
    form->addRow(Qs("背景色"), Row({background_, ColorButton(this, background_, help)}));
    form->addRow(hasImage_);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("ChooseImage"));
    browse->setEnabled(static_cast<bool>(chooseImage));
    connect(browse, &QPushButton::clicked, this, [this, chooseImage] {
        if (auto chosen = chooseImage(Text(path_))) {
            SetText(path_, *chosen);
            hasImage_->setChecked(true);
        }
    });
    form->addRow(Qs("パス"), Row({path_, browse}));
    auto* region = new QFormLayout;
    region->addRow(Qs("左"), left_);
    region->addRow(Qs("上"), top_);
    region->addRow(Qs("右"), right_);
    region->addRow(Qs("下"), bottom_);
    // The region fields and the aspect box sit in the modes' box, below the choices.
    auto* modeLayout = static_cast<QBoxLayout*>(modes->layout());
    modeLayout->addLayout(region);
    modeLayout->addWidget(keepAspect_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(freeSize_);
    layout->addWidget(fitToView_);
    layout->addWidget(modes);
    AddDialogButtons(this, layout, kScreenHelpPage, std::move(help));
    SetFields(ReadScreenFields(doc_.environment));
}

ScreenFields CScreenDlg::Fields() const {
    ScreenFields f;
    f.width = Text(width_);
    f.height = Text(height_);
    f.freeSize = freeSize_->isChecked();
    f.fitToView = fitToView_->isChecked();
    f.background = Text(background_);
    f.hasImage = hasImage_->isChecked();
    f.imagePath = Text(path_);
    f.keepAspect = keepAspect_->isChecked();
    f.imageMode = std::max(0, mode_->checkedId());
    f.left = Text(left_);
    f.top = Text(top_);
    f.right = Text(right_);
    f.bottom = Text(bottom_);
    return f;
}

void CScreenDlg::SetFields(const ScreenFields& f) {
    SetText(width_, f.width);
    SetText(height_, f.height);
    freeSize_->setChecked(f.freeSize);
    fitToView_->setChecked(f.fitToView);
    SetText(background_, f.background);
    hasImage_->setChecked(f.hasImage);
    SetText(path_, f.imagePath);
    keepAspect_->setChecked(f.keepAspect);
    if (QAbstractButton* b = mode_->button(f.imageMode))
        b->setChecked(true);
    else
        mode_->button(1)->setChecked(true);
    SetText(left_, f.left);
    SetText(top_, f.top);
    SetText(right_, f.right);
    SetText(bottom_, f.bottom);
}

void CScreenDlg::accept() {
    ScreenEdit edit;
    const std::string message = CheckScreenFields(Fields(), edit);
    if (!message.empty()) return Refuse(this, message);
    ApplyScreenSettings(doc_, edit, targetWidth_, targetHeight_);
    QDialog::accept();
}

CFogDlg::CFogDlg(CSceneDoc& doc, HelpFunction help, QWidget* parent) : QDialog(parent), doc_(doc) {
    setWindowTitle(Qs("フォグ"));
    setObjectName(QStringLiteral("FogDialog"));
    enabled_ = new QCheckBox(Qs("フォグを有効にする"), this);
    source_ = new QButtonGroup(this);
    auto* follow = new QRadioButton(Qs("背景色に色を合わせる"), this);
    auto* own = new QRadioButton(Qs("独自色を持つ"), this);
    source_->addButton(follow, 0);
    source_->addButton(own, 1);
    color_ = new QLineEdit(this);
    start_ = new QLineEdit(this);
    end_ = new QLineEdit(this);
    auto* form = new QFormLayout;
    form->addRow(Qs("始め"), start_);
    form->addRow(Qs("終わり"), end_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(enabled_);
    layout->addWidget(follow);
    layout->addLayout(Row({own, color_, ColorButton(this, color_, help)}));
    layout->addLayout(form);
    AddDialogButtons(this, layout, kFogHelpPage, std::move(help));
    SetFields(ReadFogFields(doc_.environment));
}

FogFields CFogDlg::Fields() const {
    FogFields f;
    f.enabled = enabled_->isChecked();
    f.ownColor = source_->checkedId() == 1;
    f.color = Text(color_);
    f.start = Text(start_);
    f.end = Text(end_);
    return f;
}

void CFogDlg::SetFields(const FogFields& f) {
    enabled_->setChecked(f.enabled);
    source_->button(f.ownColor ? 1 : 0)->setChecked(true);
    SetText(color_, f.color);
    SetText(start_, f.start);
    SetText(end_, f.end);
}

void CFogDlg::accept() {
    FogEdit edit;
    const std::string message = CheckFogFields(Fields(), edit);
    if (!message.empty()) return Refuse(this, message);
    ApplyFog(doc_, edit);
    QDialog::accept();
}

CLightDlg::CLightDlg(CSceneDoc& doc, HelpFunction help, QWidget* parent, int editIndex)
    : QDialog(parent), doc_(doc), editIndex_(editIndex) {
    setWindowTitle(Qs("ライト"));
    setObjectName(QStringLiteral("LightDialog"));
    kind_ = new QButtonGroup(this);
    auto* kinds = new QGroupBox(this);
    auto* kindLayout = new QHBoxLayout(kinds);
    for (int k = kAmbientLight; k <= kSpotLight; ++k) {
        auto* b = new QRadioButton(Qs(LightKindLabel(k)), kinds);
        kind_->addButton(b, k);
        kindLayout->addWidget(b);
    }
    name_ = new QLineEdit(this);
    color_ = new QLineEdit(this);
    range_ = new QLineEdit(this);
    umbra_ = new QLineEdit(this);
    penumbra_ = new QLineEdit(this);
    position_ = new QLineEdit(this);
    direction_ = new QLineEdit(this);
    constant_ = new QLineEdit(this);
    linear_ = new QLineEdit(this);
    quadratic_ = new QLineEdit(this);
    fixed_ = new QCheckBox(Qs("ライトを固定する"), this);
    auto* form = new QFormLayout;
    form->addRow(Qs("名前"), name_);
    form->addRow(Qs("色"), Row({color_, ColorButton(this, color_, help)}));
    form->addRow(Qs("範囲"), range_);
    form->addRow(Qs("本影"), umbra_);
    form->addRow(Qs("半影"), penumbra_);
    form->addRow(Qs("位置"), position_);
    form->addRow(Qs("向き"), direction_);
    form->addRow(Qs("減衰式"),
                 Row({constant_, new QLabel(Qs("+"), this), linear_, new QLabel(Qs("d +"), this),
                      quadratic_, new QLabel(Qs("d²"), this)}));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kinds);
    layout->addLayout(form);
    layout->addWidget(fixed_);
    AddDialogButtons(this, layout, kLightHelpPage, std::move(help));
    SetFields(editIndex >= 0 ? ReadLightFields(doc, static_cast<size_t>(editIndex))
                             : LightFields{});
}

LightFields CLightDlg::Fields() const {
    LightFields f;
    f.kind = std::max(0, kind_->checkedId());
    f.name = Text(name_);
    f.color = Text(color_);
    f.range = Text(range_);
    f.umbra = Text(umbra_);
    f.penumbra = Text(penumbra_);
    f.position = Text(position_);
    f.direction = Text(direction_);
    f.constant = Text(constant_);
    f.linear = Text(linear_);
    f.quadratic = Text(quadratic_);
    f.fixed = fixed_->isChecked();
    return f;
}

void CLightDlg::SetFields(const LightFields& f) {
    if (QAbstractButton* b = kind_->button(f.kind)) b->setChecked(true);
    SetText(name_, f.name);
    SetText(color_, f.color);
    SetText(range_, f.range);
    SetText(umbra_, f.umbra);
    SetText(penumbra_, f.penumbra);
    SetText(position_, f.position);
    SetText(direction_, f.direction);
    SetText(constant_, f.constant);
    SetText(linear_, f.linear);
    SetText(quadratic_, f.quadratic);
    fixed_->setChecked(f.fixed);
}

void CLightDlg::accept() {
    LightEdit edit;
    const std::string message = CheckLightFields(Fields(), edit);
    if (!message.empty()) return Refuse(this, message);
    if (editIndex_ >= 0)
        ApplyLightEdit(doc_, static_cast<size_t>(editIndex_), edit);
    else
        created_ = static_cast<int>(CreateLightItem(doc_, edit));
    QDialog::accept();
}

CAxisDlg::CAxisDlg(const viewport::AxisStyle& style, HelpFunction help, QWidget* parent)
    : QDialog(parent), style_(style) {
    setWindowTitle(Qs("軸"));
    setObjectName(QStringLiteral("AxisDialog"));
    const AxisFields f = ReadAxisFields(style);
    showAxis_ = new QCheckBox(Qs("軸を表示する"), this);
    showAxis_->setChecked(f.showAxis);
    showLetters_ = new QCheckBox(Qs("文字を表示する"), this);
    showLetters_->setChecked(f.showLetters);
    size_ = new QLineEdit(this);
    SetText(size_, f.size);
    auto* form = new QFormLayout;
    form->addRow(showAxis_);
    form->addRow(showLetters_);
    form->addRow(Qs("軸の大きさ"), size_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    AddDialogButtons(this, layout, kAxisHelpPage, std::move(help));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

AxisFields CAxisDlg::Fields() const {
    return {showAxis_->isChecked(), showLetters_->isChecked(), Text(size_)};
}

void CAxisDlg::accept() {
    const std::string message = CheckAxisFields(Fields(), style_);
    if (!message.empty()) {
        Refuse(this, message);
        size_->setFocus();
        size_->selectAll();
        return;
    }
    QDialog::accept();
}

CCameraDlg::CCameraDlg(CSceneDoc& doc, bool& reverse, HelpFunction help, QWidget* parent)
    : QDialog(parent), doc_(doc), reverse_(reverse) {
    setWindowTitle(Qs("カメラ"));
    setObjectName(QStringLiteral("CameraDialog"));
    position_ = new QLineEdit(this);
    direction_ = new QLineEdit(this);
    up_ = new QLineEdit(this);
    point_ = new QLineEdit(this);
    speed_ = new QLineEdit(this);
    gaze_ = new QCheckBox(Qs("一点を凝視する"), this);
    reverseBox_ = new QCheckBox(Qs("リバースモード"), this);
    for (QLineEdit* e : {position_, direction_, up_, point_}) e->setMaxLength(100);
    auto* form = new QFormLayout;
    form->addRow(Qs("カメラの位置"), position_);
    form->addRow(Qs("カメラのＺ軸"), direction_);
    form->addRow(Qs("カメラのＹ軸"), up_);
    form->addRow(gaze_, point_);
    form->addRow(Qs("移動スピード"), speed_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(reverseBox_);
    AddDialogButtons(this, layout, kCameraHelpPage, std::move(help));
    SetFields(ReadCameraFields(doc_, reverse_));
}

CameraFields CCameraDlg::Fields() const {
    CameraFields f;
    f.position = Text(position_);
    f.direction = Text(direction_);
    f.up = Text(up_);
    f.gaze = gaze_->isChecked();
    f.point = Text(point_);
    f.reverse = reverseBox_->isChecked();
    f.speed = Text(speed_);
    return f;
}

void CCameraDlg::SetFields(const CameraFields& f) {
    SetText(position_, f.position);
    SetText(direction_, f.direction);
    SetText(up_, f.up);
    gaze_->setChecked(f.gaze);
    SetText(point_, f.point);
    reverseBox_->setChecked(f.reverse);
    SetText(speed_, f.speed);
}

void CCameraDlg::accept() {
    CameraEdit edit;
    const std::string message = CheckCameraFields(Fields(), edit);
    if (!message.empty()) return Refuse(this, message);
    ApplyCamera(doc_, edit, reverse_);
    QDialog::accept();
}

COptionDlg::COptionDlg(StudioSettings& settings, HelpFunction help, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(Qs("オプション"));
    setObjectName(QStringLiteral("OptionDialog"));
    width_ = new QLineEdit(this);
    height_ = new QLineEdit(this);
    quality_ = new QLineEdit(this);
    device_ = new QButtonGroup(this);
    format_ = new QButtonGroup(this);
    QGroupBox* devices =
        RadioGroup("デバイス", {"ハードウェア", "ソフトウェア(MMX)", "ソフトウェア(RGB)"}, device_,
                   this, Qt::Vertical);
    auto* text = new QRadioButton(Qs("テキスト"), this);
    auto* binary = new QRadioButton(Qs("バイナリ"), this);
    format_->addButton(text, 0);
    format_->addButton(binary, 1);
    auto* reset = new QPushButton(Qs("初期化"), this);
    connect(reset, &QPushButton::clicked, this, [this] { SetFields(DefaultOptionFields()); });
    auto* form = new QFormLayout;
    form->addRow(Qs("3D画面の最大値"),
                 Row({width_, new QLabel(QStringLiteral("×"), this), height_}));
    form->addRow(Qs("JPEGのクオリティ"), quality_);
    form->addRow(Qs("Ｘファイル"), Row({text, binary}));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(devices);
    layout->addWidget(reset, 0, Qt::AlignLeft);
    AddDialogButtons(this, layout, kOptionHelpPage, std::move(help));
    SetFields(ReadOptionFields(settings_));
}

OptionFields COptionDlg::Fields() const {
    OptionFields f;
    f.width = Text(width_);
    f.height = Text(height_);
    f.device = std::max(0, device_->checkedId());
    f.jpegQuality = Text(quality_);
    f.xFormat = std::max(0, format_->checkedId());
    return f;
}

void COptionDlg::SetFields(const OptionFields& f) {
    SetText(width_, f.width);
    SetText(height_, f.height);
    if (QAbstractButton* b = device_->button(f.device)) b->setChecked(true);
    SetText(quality_, f.jpegQuality);
    format_->button(f.xFormat != 0 ? 1 : 0)->setChecked(true);
}

void COptionDlg::accept() {
    const std::string message = CheckOptionFields(Fields(), settings_);
    if (!message.empty()) return Refuse(this, message);
    QDialog::accept();
}

}  // namespace studio
