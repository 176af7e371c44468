#include "platform/qt/qt_settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace qtshell {
namespace {

QString FromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The empty section holds the program's top-level values.
QString Key(std::string_view section, std::string_view name) {
    return section.empty() ? FromUtf8(name) : FromUtf8(section) + u'/' + FromUtf8(name);
}

}  // namespace

std::string DefaultSettingsPath(std::string_view program) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (dir + QStringLiteral("/Yomiwa/") + FromUtf8(program) + QStringLiteral(".ini"))
        .toStdString();
}

QtSettingsStore::QtSettingsStore(std::string_view program)
    : QtSettingsStore(program, DefaultSettingsPath(program)) {}

QtSettingsStore::QtSettingsStore(std::string_view, const std::string& iniPath)
    : settings_(
          std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::string QtSettingsStore::FilePath() const {
    return settings_->fileName().toStdString();
}

std::optional<int32_t> QtSettingsStore::ReadInt(std::string_view section, std::string_view name) {
    QVariant v = settings_->value(Key(section, name));
    if (!v.isValid() || v.typeId() == QMetaType::QStringList) return std::nullopt;
    bool ok = false;
    int value = v.toString().trimmed().toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<std::string> QtSettingsStore::ReadString(std::string_view section,
                                                       std::string_view name) {
    QVariant v = settings_->value(Key(section, name));
    if (!v.isValid()) return std::nullopt;
    // A hand-edited value with bare commas comes back as a list; give it back as written.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", ")).toStdString();
    return v.toString().toStdString();
}

void QtSettingsStore::WriteInt(std::string_view section, std::string_view name, int32_t value) {
    settings_->setValue(Key(section, name), int(value));
    settings_->sync();
}

void QtSettingsStore::WriteString(std::string_view section, std::string_view name,
                                  std::string_view value) {
    settings_->setValue(Key(section, name), FromUtf8(value));
    settings_->sync();
}

}  // namespace qtshell
