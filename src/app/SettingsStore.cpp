#include "app/SettingsStore.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

SettingsStore::SettingsStore(QString filePath) : path_(std::move(filePath)) {}

QString SettingsStore::defaultPath() {
    return ConfigHome() + "/Korbinheim/Velomira.ini";
}

IniDocument SettingsStore::load() const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return IniDocument::parse(file.readAll());
}

bool SettingsStore::update(const std::function<void(IniDocument&)>& change) const {
    if (readOnly_) return false;
    QFile file(path_);
    // A file that exists but cannot be read must not be replaced by one that lacks its values.
    if (file.exists() && !file.open(QIODevice::ReadOnly)) return false;
    IniDocument doc = IniDocument::parse(file.isOpen() ? file.readAll() : QByteArray());
    change(doc);
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder)) return false;
    return WriteFileAtomically(path_, doc.serialize(), 0600);
}

QString SettingsStore::ReadSetting(const QString& section, const QString& name,
                                   const QString& defaultValue) const {
    return load().value(section, name).value_or(defaultValue);
}

QString SettingsStore::ReadSetting(const QString& section, const QString& name, int defaultValue) const {
    return ReadSetting(section, name, QString::number(defaultValue));
}

bool SettingsStore::WriteSetting(const QString& section, const QString& name, const QString& value) const {
    return update([&](IniDocument& doc) { doc.setValue(section, name, value); });
}

std::vector<IniDocument::Value> SettingsStore::ReadSection(const QString& section) const {
    return load().values(section);
}

bool SettingsStore::DeleteSection(const QString& section) const {
    return update([&](IniDocument& doc) { doc.removeSection(section); });
}
