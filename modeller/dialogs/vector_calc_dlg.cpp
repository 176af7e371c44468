#include "modeller/dialogs/vector_calc_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/shell.h"

namespace modeller {

namespace {

QLineEdit* Edit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMinimumWidth(280);
    return e;
}

}  // namespace

CVectorCalcDlg::CVectorCalcDlg(ops::VectorCalcMemory& memory, shell::Prompt& prompt,
                               HelpFunction help, QWidget* parent)
    : COpsDialog("ベクトルの計算", kVectorCalcHelpPage, prompt, std::move(help), parent),
      memory_(memory) {
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    operand1_ = Edit(this, "operand1");
    operand2_ = Edit(this, "operand2");
    result_ = Edit(this, "result");
    memo_ = Edit(this, "memo");
    memo_->setText(Qs(memory.fields.memo));
    operator_ = new QComboBox(this);
    operator_->setObjectName(QStringLiteral("operator"));
    Fill(ops::OperatorList::kScalar);
    operand1_->installEventFilter(this);
    operand2_->installEventFilter(this);

    auto* calculate = new QPushButton(Qs("計算"), this);
    calculate->setObjectName(QStringLiteral("calculate"));
    auto* clear = new QPushButton(Qs("クリア"), this);
    clear->setObjectName(QStringLiteral("clear"));
    calculate->setAutoDefault(false);
    clear->setAutoDefault(false);
    connect(calculate, &QPushButton::clicked, this, [this] { OnCalculate(); });
    connect(clear, &QPushButton::clicked, this, [this] { OnClear(); });

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Qs("(1)"), this), 0, 0);
    grid->addWidget(operand1_, 0, 1);
    grid->addWidget(operator_, 1, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(Qs("(2)"), this), 2, 0);
    grid->addWidget(operand2_, 2, 1);
    grid->addWidget(new QLabel(Qs(" ="), this), 3, 0);
    grid->addWidget(result_, 3, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(calculate);
    row->addWidget(clear);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(row);
    layout->addWidget(memo_);
    layout->addWidget(MakeButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CVectorCalcDlg::Fill(ops::OperatorList list) {
    list_ = list;
    operator_->clear();
    for (std::string_view text : ops::OperatorTexts(list)) operator_->addItem(Qs(text));
    operator_->setCurrentIndex(0);
}

void CVectorCalcDlg::RefreshOperators() {
    const ops::OperatorList list =
        ops::ListFor(ops::CountNumbers(Text(operand1_)), ops::CountNumbers(Text(operand2_)));
    // Refilled only when the kind changes, so a chosen operator stays chosen.
    if (list != list_) Fill(list);
}

void CVectorCalcDlg::OnCalculate() {
    ops::CalcFields f{Text(operand1_), Text(operand2_), Text(result_), Text(memo_)};
    const ops::CalcOutcome outcome = ops::Calculate(f, operator_->currentText().toStdString());
    operand1_->setText(Qs(f.operand1));
    operand2_->setText(Qs(f.operand2));
    result_->setText(Qs(f.result));
    if (!outcome.message.empty()) prompt_.Tell(outcome.message);
}

void CVectorCalcDlg::OnClear() {
    for (QLineEdit* e : {operand1_, operand2_, result_, memo_}) e->clear();
    RefreshOperators();
}

bool CVectorCalcDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == operand1_ || watched == operand2_))
        RefreshOperators();
    return COpsDialog::eventFilter(watched, event);
}

void CVectorCalcDlg::Store() {
    memory_.fields = {Text(operand1_), Text(operand2_), Text(result_), Text(memo_)};
    memory_.operatorIndex = operator_->currentIndex();
}

void CVectorCalcDlg::accept() {
    Store();
    QDialog::accept();
}

void CVectorCalcDlg::reject() {
    Store();
    QDialog::reject();
}

}  // namespace modeller
