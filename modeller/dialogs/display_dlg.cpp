#include "modeller/dialogs/display_dlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "modeller/dialogs/settings_widgets.h"
#include "platform/qt/colour_picker.h"

namespace modeller {

CDisplayDlg::CDisplayDlg(const settings::DisplayFields& f,
                         const std::vector<std::string>& backgrounds, Colours colours,
                         shell::Prompt& prompt, HelpFunction help, QWidget* parent)
    : COpsDialog("表示", settings::kDisplayHelpPage, prompt, help, parent),
      colours_(std::move(colours)) {
    showPoints_ = NamedCheck(this, "showPoints", "頂点を表示する", f.showPoints);
    auto* pointColour = new QPushButton(Qs("頂点の色"), this);
    pointColour->setObjectName(QStringLiteral("pointColour"));
    pointColour->setAutoDefault(false);
    connect(pointColour, &QPushButton::clicked, this, [this, help] {
        if (auto c = qtshell::PickColour(colours_.point, false, &prompt_, help, this)) {
            colours_.point = *c;
            if (colours_.pointChosen) colours_.pointChosen(*c);
        }
    });

    auto* modeBox = new QGroupBox(this);
    auto* modeLayout = new QVBoxLayout(modeBox);
    auto* modes = new QButtonGroup(this);
    const char* texts[5] = {"面を表示", "丸く表示", "陰を付けない", "ワイヤーフレームで表示",
                            "表示しない"};
    for (int i = 0; i < 5; ++i) {
        mode_[i] = new QRadioButton(Qs(texts[i]), modeBox);
        mode_[i]->setObjectName(QStringLiteral("mode") + QString::number(i));
        modes->addButton(mode_[i], i);
        modeLayout->addWidget(mode_[i]);
    }
    mode_[f.mode >= 0 && f.mode <= 4 ? f.mode : 0]->setChecked(true);

    showTextures_ = NamedCheck(this, "showTextures", "テクスチャを表示する", f.showTextures);
    background_ = new QComboBox(this);
    background_->setObjectName(QStringLiteral("background"));
    for (const std::string& name : backgrounds) background_->addItem(FromCp932(name));
    background_->setCurrentIndex(std::max(0, background_->findText(FromCp932(f.background))));
    auto* backgroundColour = new QPushButton(Qs("背景の色"), this);
    backgroundColour->setObjectName(QStringLiteral("backgroundColour"));
    backgroundColour->setAutoDefault(false);
    connect(backgroundColour, &QPushButton::clicked, this, [this, help] {
        if (auto c = qtshell::PickColour(colours_.background, false, &prompt_, help, this)) {
            colours_.background = *c;
            if (colours_.backgroundChosen) colours_.backgroundChosen(*c);
        }
    });

    auto* grid = new QGridLayout;
    grid->addWidget(showPoints_, 0, 0);
    grid->addWidget(pointColour, 0, 1);
    grid->addWidget(modeBox, 1, 0, 1, 2);
    grid->addWidget(showTextures_, 2, 0, 1, 2);
    AddRow(grid, "背景", background_);
    grid->addWidget(backgroundColour, grid->rowCount(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

settings::DisplayFields CDisplayDlg::Fields() const {
    settings::DisplayFields f;
    f.showPoints = showPoints_->isChecked();
    for (int i = 0; i < 5; ++i)
        if (mode_[i]->isChecked()) f.mode = i;
    f.showTextures = showTextures_->isChecked();
    f.background = ToCp932(background_->currentText());
    return f;
}

}  // namespace modeller
