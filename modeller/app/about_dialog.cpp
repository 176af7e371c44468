#include "modeller/app/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "modeller/app/program_identity.h"
#include "platform/qt/qt_text.h"

namespace modeller {

namespace {
using qtshell::Qs;
}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Qs(kAboutCaption));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/mokkel.png")).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* version = new QLabel(Qs(kProgramName) + Qs(" ﾊﾞｰｼﾞｮﾝ ") + Qs(kVersion), this);
    version->setObjectName(QStringLiteral("version"));
    auto* description = new QLabel(Qs(kAboutDescription), this);
    description->setObjectName(QStringLiteral("description"));

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(description);
    texts->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);
    top->addWidget(buttons, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace modeller
