#include "modeller/dialogs/make_face_dlg.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/vector_text.h"

namespace modeller {

CMakeFaceDlg::CMakeFaceDlg(const std::vector<int32_t>& picks, shell::Prompt& prompt,
                           HelpFunction help, QWidget* parent)
    : COpsDialog("面の決定", kMakeFaceHelpPage, prompt, std::move(help), parent) {
    auto* picked = new QLabel(Qs(model::JoinCorners(picks)), this);
    picked->setObjectName(QStringLiteral("picks"));
    picked->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = MakeButtons();
    struct Extra {
        const char* name;
        const char* text;
        ops::MakeFaceButton button;
    };
    const Extra extras[] = {
        {"reverse", "逆向き", ops::MakeFaceButton::kReverse},
        {"move", "移動", ops::MakeFaceButton::kMove},
        {"end", "END", ops::MakeFaceButton::kEnd},
        {"delete", "削除", ops::MakeFaceButton::kDelete},
    };
    for (const Extra& e : extras) {
        auto* b = buttons->addButton(Qs(e.text), QDialogButtonBox::ActionRole);
        b->setObjectName(QString::fromLatin1(e.name));
        b->setAutoDefault(false);
        const ops::MakeFaceButton which = e.button;
        connect(b, &QPushButton::clicked, this, [this, which] {
            button_ = which;
            done(QDialog::Accepted);
        });
    }
    connect(buttons, &QDialogButtonBox::accepted, this,
            [this] { button_ = ops::MakeFaceButton::kOk; });
    connect(this, &QDialog::rejected, this, [this] { button_ = ops::MakeFaceButton::kCancel; });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Qs("選択した点"), this));
    layout->addWidget(picked);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ops::MakeFaceButton CMakeFaceDlg::Ask() {
    button_ = ops::MakeFaceButton::kCancel;
    exec();
    return button_;
}

}  // namespace modeller
