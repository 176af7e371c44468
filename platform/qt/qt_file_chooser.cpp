#include "platform/qt/qt_file_chooser.h"

#include <QFileDialog>

#include "platform/qt/file_filter.h"

namespace qtshell {
namespace {

QString FromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

}  // namespace

std::optional<std::string> QtFileChooser::Choose(const shell::FileRequest& request) {
    QFileDialog dialog(parent_, FromUtf8(request.title), FromUtf8(request.initialDirectory));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters = ToQtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (request.filterIndex > 0 && request.filterIndex < filters.size())
            dialog.selectNameFilter(filters[request.filterIndex]);
    }
    if (request.save && !request.defaultExtension.empty()) {
        std::string_view ext = request.defaultExtension;
        while (!ext.empty() && ext.front() == '.') ext.remove_prefix(1);
        dialog.setDefaultSuffix(QString::fromUtf8(ext.data(), qsizetype(ext.size())));
    }
    if (!request.fileName.empty()) dialog.selectFile(FromUtf8(request.fileName));

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
    std::string path = chosen.front().toStdString();
    // Native dialogs may ignore the suffix; an open dialog only offers existing files.
    if (request.save) path = ApplyDefaultExtension(path, request.defaultExtension);
    return path;
}

}  // namespace qtshell
