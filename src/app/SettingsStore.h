#pragma once

#include "app/IniDocument.h"

#include <QString>
#include <functional>
#include <vector>

// The per-user store of sections of named text values: one INI file. Every operation reads the
// file afresh; every change replaces it atomically (mode 0600), so a crash or a full disk leaves the
// previous file. None of the operations reports an error to the user; a failed write leaves the
// file as it was and returns false.
class SettingsStore {
public:
    explicit SettingsStore(QString filePath);

    // $XDG_CONFIG_HOME/Korbinheim/Velomira.ini (default ~/.config/Korbinheim/Velomira.ini).
    static QString defaultPath();
    const QString& path() const { return path_; }

    QString ReadSetting(const QString& section, const QString& name, const QString& defaultValue) const;
    QString ReadSetting(const QString& section, const QString& name, int defaultValue) const;
    bool WriteSetting(const QString& section, const QString& name, const QString& value) const;
    // The section's values in file order; empty when the section is missing or holds none.
    std::vector<IniDocument::Value> ReadSection(const QString& section) const;
    bool DeleteSection(const QString& section) const;

    // The whole file at once (empty when missing or unreadable), for reading many values.
    IniDocument load() const;
    // Applies several changes and replaces the file once.
    bool update(const std::function<void(IniDocument&)>& change) const;

    // From now on every change is refused (returns false) and the file is only read.
    void setReadOnly() { readOnly_ = true; }

private:
    QString path_;
    bool readOnly_ = false;
};
