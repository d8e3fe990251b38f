#include "RecordPair.h"

#include <cstring>

namespace {

QString text(const SettingDef::Field& field) {
    if (const auto* number = std::get_if<int*>(&field)) return QString::number(**number);
    return *std::get<QString*>(field);
}

} // namespace

Settings RecordA(const QString& folder) {
    Settings s = Settings::defaults();
    s.misc.bmpverzeichnis = folder + "/storage";
    s.PictureFolders = {folder + "/pictures/"};
    s.misc.reihenfolge = 1; // by name, so that positions name the same picture in every run
    s.misc.png = 1;
    s.misc.bmp = 1;
    s.misc.passende_farbe = 0;
    return s;
}

Settings RecordB(const QString& folder) {
    Settings s = RecordA(folder);
    for (const SettingDef& def : SettingTable()) {
        const SettingDef::Field field = def.field(s);
        if (auto* number = std::get_if<int*>(&field))
            **number += 1;
        else if (field != SettingDef::Field(&s.misc.bmpverzeichnis))
            *std::get<QString*>(field) += " B";
    }
    return s;
}

bool HoldsRecord(const IniDocument& doc, const Settings& record, const char* except) {
    Settings s = record;
    for (const SettingDef& def : SettingTable()) {
        if (!def.savedOnClose || (except && std::strcmp(def.name, except) == 0)) continue;
        if (doc.value(def.section, def.name) != text(def.field(s))) return false;
    }
    const std::vector<IniDocument::Value> folders = doc.values("path");
    if (qsizetype(folders.size()) != s.PictureFolders.size()) return false;
    for (size_t i = 0; i < folders.size(); ++i)
        if (folders[i].data != s.PictureFolders[qsizetype(i)]) return false;
    return true;
}
