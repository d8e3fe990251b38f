#include "app/Settings.h"

#include "app/NumericText.h"
#include "platform/Paths.h"

#include <QDir>
#include <string_view>

namespace {

#define SETTING(section, field, saved)                                                                       \
    SettingDef {                                                                                             \
#section, #field, [](Settings & s) -> SettingDef::Field { return &s.section.field; }, saved          \
    }
#define SAVED(section, field) SETTING(section, field, true)

// misc in the order in which a save writes it; letztes_bild goes along so that the position in the
// picture list survives a restart.
constexpr SettingDef kTable[] = {
    SAVED(misc, bmpverzeichnis),
    SAVED(misc, recursive),
    SAVED(misc, delay),
    SAVED(misc, reihenfolge),
    SAVED(misc, passende_farbe),
    SAVED(misc, hgfarbe),
    SAVED(misc, magnify),
    SAVED(misc, width),
    SAVED(misc, height),
    SAVED(misc, jpg),
    SAVED(misc, bmp),
    SAVED(misc, tif),
    SAVED(misc, pcx),
    SAVED(misc, png),
    SAVED(misc, gif),
    SAVED(misc, letztes_bild),
    SETTING(misc, bildname, false),

    SAVED(textstempel, ausgeben),
    SAVED(textstempel, text),
    SAVED(textstempel, farbe),
    SAVED(textstempel, farbelesbar),
    SAVED(textstempel, schriftart),
    SAVED(textstempel, hoehe),
    SAVED(textstempel, deckkraft),
    SAVED(textstempel, richtung),
    SAVED(textstempel, ausrichtung),
    SAVED(textstempel, position),
    SAVED(textstempel, offsetx),
    SAVED(textstempel, offsety),
    SAVED(textstempel, gewicht),
    SAVED(textstempel, kursiv),
    SAVED(textstempel, unterstrichen),
    SAVED(textstempel, durchgestrichen),
    SAVED(textstempel, rahmen),
    SAVED(textstempel, rahmenfarbe),
    SAVED(textstempel, hintergrund),
    SAVED(textstempel, hintergrundfarbe),
    SAVED(textstempel, hintergrunddeckkraft),

    SAVED(kalender, ausgeben),
    SAVED(kalender, position),
    SAVED(kalender, offsetx),
    SAVED(kalender, offsety),
    SAVED(kalender, spaltenbreite),
    SAVED(kalender, zeilenhöhe),
    SAVED(kalender, trennlinien),
    SAVED(kalender, trennlinienfarbe),
    SAVED(kalender, rahmen),
    SAVED(kalender, rahmenfarbe),
    SAVED(kalender, hintergrund),
    SAVED(kalender, hintergrundfarbe),
    SAVED(kalender, hintergrunddeckkraft),
    SAVED(kalender, datendatei),
    SAVED(kalender, feiertagnamen),
    SAVED(kalender, feiertagland),
    SAVED(kalender, ferienländer),
    SAVED(kalender, vormonat),
    SAVED(kalender, folgemonat),
    SAVED(kalender, müll),
    SAVED(kalender, ferien),
    SAVED(kalender, ferienlegende),
    SAVED(kalender, termine),
    SAVED(kalender, mondphasen),
    SAVED(kalender, monatfarbe),
    SAVED(kalender, monatschriftart),
    SAVED(kalender, monathoehe),
    SAVED(kalender, monatgewicht),
    SAVED(kalender, monatkursiv),
    SAVED(kalender, monatunterstrichen),
    SAVED(kalender, monatdurchgestrichen),
    SAVED(kalender, tagefarbe),
    SAVED(kalender, tageschriftart),
    SAVED(kalender, tagehoehe),
    SAVED(kalender, tagegewicht),
    SAVED(kalender, tagekursiv),
    SAVED(kalender, tageunterstrichen),
    SAVED(kalender, tagedurchgestrichen),
    SAVED(kalender, wochenfarbe),
    SAVED(kalender, wochenschriftart),
    SAVED(kalender, wochenhoehe),
    SAVED(kalender, wochengewicht),
    SAVED(kalender, wochenkursiv),
    SAVED(kalender, wochenunterstrichen),
    SAVED(kalender, wochendurchgestrichen),
    SAVED(kalender, terminemonattag),
    SAVED(kalender, terminemonattagdiffvorher),
    SAVED(kalender, terminemonattagdiffnachher),
    SAVED(kalender, terminefarbe),
    SAVED(kalender, termineschriftart),
    SAVED(kalender, terminehoehe),
    SAVED(kalender, terminegewicht),
    SAVED(kalender, terminekursiv),
    SAVED(kalender, termineunterstrichen),
    SAVED(kalender, terminedurchgestrichen),
    SAVED(kalender, samstagfarbe),
    SAVED(kalender, sonntagfarbe),
};

#undef SAVED
#undef SETTING

const QString kMisc = QStringLiteral("misc");
const QString kPath = QStringLiteral("path");

QString fieldText(const SettingDef::Field& field) {
    if (const auto* number = std::get_if<int*>(&field)) return QString::number(**number);
    return *std::get<QString*>(field);
}

void setFieldText(const SettingDef::Field& field, const QString& text) {
    if (const auto* number = std::get_if<int*>(&field))
        **number = TextToInt(text);
    else
        *std::get<QString*>(field) = text;
}

QString withSlash(QString folder) {
    if (!folder.endsWith(u'/')) folder += u'/';
    return folder;
}

} // namespace

std::span<const SettingDef> SettingTable() {
    return kTable;
}

Settings Settings::defaults() {
    Settings s;
    s.misc.bmpverzeichnis = SpecialFolderPath(CSIDL_PERSONAL);
    s.kalender.datendatei = DataFolder() + "/Velomira.cfg";
    return s;
}

LoadedSettings LoadSettings(const SettingsStore& store) {
    const IniDocument doc = store.load();
    auto read = [&](const QString& section, const QString& name, const QString& fallback) {
        return doc.value(section, name).value_or(fallback);
    };

    LoadedSettings out{Settings::defaults()};
    Settings& s = out.settings;

    s.misc.bmpverzeichnis = read(kMisc, "bmpverzeichnis", s.misc.bmpverzeichnis);
    if (!PathExists(s.misc.bmpverzeichnis, 2)) s.misc.bmpverzeichnis = SpecialFolderPath(CSIDL_PERSONAL);

    out.StartDelay = TextToInt(read(kMisc, "delay", "0")) == 0 ? 0 : 1;
    s.misc.delay = TextToInt(read(kMisc, "delay", "60"));
    // Outside the range the settings window accepts, the change timer would fire continuously.
    if (s.misc.delay < 1 || s.misc.delay > 1440) s.misc.delay = 60;

    for (const SettingDef& def : kTable) {
        const SettingDef::Field field = def.field(s);
        if (field == SettingDef::Field(&s.misc.bmpverzeichnis) || field == SettingDef::Field(&s.misc.delay))
            continue; // read above
        setFieldText(field, read(def.section, QString::fromUtf8(def.name), fieldText(field)));
    }

    for (const IniDocument::Value& v : doc.values(kPath)) {
        if (v.data.isEmpty()) continue;
        const QString folder = withSlash(v.data);
        if (PathExists(folder, 2)) s.PictureFolders.append(folder);
    }
    if (s.PictureFolders.isEmpty()) s.PictureFolders.append(withSlash(QDir::currentPath()));
    return out;
}

bool SaveSettings(const SettingsStore& store, const Settings& settings) {
    Settings s = settings; // the table hands out pointers into a record
    return store.update([&](IniDocument& doc) {
        doc.setValue(kMisc, "bmpverzeichnis", s.misc.bmpverzeichnis);
        doc.setValue(kPath, "dummy", "0");
        doc.removeSection(kPath);
        for (qsizetype i = 0; i < s.PictureFolders.size(); ++i)
            doc.setValue(kPath, QString::number(i + 1), s.PictureFolders[i]);
        for (const SettingDef& def : kTable) {
            const SettingDef::Field field = def.field(s);
            if (def.savedOnClose && field != SettingDef::Field(&s.misc.bmpverzeichnis))
                doc.setValue(def.section, QString::fromUtf8(def.name), fieldText(field));
        }
    });
}
