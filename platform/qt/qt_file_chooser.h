// File dialogs over QFileDialog.
#pragma once

#include "platform/shell.h"

class QWidget;

namespace qtshell {

class QtFileChooser : public shell::FileChooser {
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> Choose(const shell::FileRequest& request) override;

private:
    QWidget* parent_;
};

}  // namespace qtshell
