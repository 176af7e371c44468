// The vector calculator window (ベクトルの計算): modeless; its fields are kept for the run
// when it closes, and only the memo comes back when it opens again.
#pragma once

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/ops/vector_calc.h"

class QComboBox;

namespace modeller {

inline constexpr const char* kVectorCalcHelpPage = "dlg_calc.htm";

class CVectorCalcDlg : public COpsDialog {
public:
    CVectorCalcDlg(ops::VectorCalcMemory& memory, shell::Prompt& prompt, HelpFunction help,
                   QWidget* parent = nullptr);

    // 計算 and クリア.
    void OnCalculate();
    void OnClear();
    // An operand field lost the focus: the operator list follows the operand classes.
    void RefreshOperators();
    ops::OperatorList List() const { return list_; }

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Store();
    void Fill(ops::OperatorList list);

    ops::VectorCalcMemory& memory_;
    QLineEdit *operand1_, *operand2_, *result_, *memo_;
    QComboBox* operator_;
    ops::OperatorList list_ = ops::OperatorList::kScalar;
};

}  // namespace modeller
