#include "modeller/dialogs/vertex_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace modeller {

CVertexDlg::CVertexDlg(const ops::VertexUvFields& f, shell::Prompt& prompt, HelpFunction help,
                       QWidget* parent)
    : COpsDialog("頂点", kVertexHelpPage, prompt, std::move(help), parent) {
    auto* point = new QLineEdit(QString::number(f.point), this);
    point->setObjectName(QStringLiteral("point"));
    point->setReadOnly(true);
    auto* current = new QLineEdit(Qs(f.current), this);
    current->setObjectName(QStringLiteral("current"));
    current->setReadOnly(true);
    toSetEdit_ = new QLineEdit(Qs(f.toSet), this);
    toSetEdit_->setObjectName(QStringLiteral("toSet"));
    toSetEdit_->setMinimumWidth(220);
    auto* clear = new QPushButton(Qs("テクスチャ座標の消去"), this);
    clear->setObjectName(QStringLiteral("clear"));
    clear->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, toSetEdit_, &QLineEdit::clear);

    auto* form = new QFormLayout;
    form->addRow(Qs("頂点番号"), point);
    form->addRow(Qs("現在のテクスチャ座標"), current);
    form->addRow(Qs("設定するテクスチャ座標(u,v)"), toSetEdit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(clear, 0, Qt::AlignLeft);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CVertexDlg::accept() {
    toSet_ = Text(toSetEdit_);
    QDialog::accept();
}

}  // namespace modeller
