#include "platform/qt/qt_file_chooser.h"

#include <QFileDialog>

#include "platform/file_filters.h"
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
    const QStringList filters = ToQtNameFilters(request.filter);
    int shown = 0;
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (request.filterIndex > 0 && request.filterIndex < filters.size()) {
            shown = request.filterIndex;
            dialog.selectNameFilter(filters[shown]);
        }
    }
    // A name typed without an extension gets the one of the filter it was saved under; the
    // dialog is kept told so that its overwrite question asks about the file really written.
    // The dialog may name a filter by its caption alone when it hides the patterns.
    const std::vector<shell::FileFilterEntry> entries = shell::ParseFileFilters(request.filter);
    const auto filterIndexOf = [&](const QString& nameFilter) {
        const qsizetype index = filters.indexOf(nameFilter);
        if (index >= 0) return int(index);
        for (size_t i = 0; i < entries.size(); ++i)
            if (FromUtf8(entries[i].caption).trimmed() == nameFilter.trimmed()) return int(i);
        return shown;
    };
    const auto suffixFor = [&](int index) {
        return FromUtf8(shell::SaveExtension(request.filter, index, request.defaultExtension));
    };
    if (request.save) {
        dialog.setDefaultSuffix(suffixFor(shown));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&](const QString& nameFilter) {
                             dialog.setDefaultSuffix(suffixFor(filterIndexOf(nameFilter)));
                         });
    }
    if (!request.fileName.empty()) dialog.selectFile(FromUtf8(request.fileName));

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
    std::string path = chosen.front().toStdString();
    // Native dialogs may ignore the suffix; an open dialog only offers existing files.
    if (request.save)
        path = shell::SavePathFor(request.filter, filterIndexOf(dialog.selectedNameFilter()), path,
                                  request.defaultExtension);
    return path;
}

}  // namespace qtshell
