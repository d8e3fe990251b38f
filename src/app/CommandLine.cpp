#include "app/CommandLine.h"

#include <QRegularExpression>

namespace {

// The largest screen side accepted by --size; larger sizes are certainly typing errors.
constexpr int kMaxSide = 32767;

CommandLine withMode(CommandLine::Mode mode) {
    CommandLine result;
    result.mode = mode;
    return result;
}

CommandLine invalid(const QString& error) {
    return {CommandLine::Mode::Invalid, {}, error};
}

} // namespace

CommandLine ParseCommandLine(const QStringList& args) {
    if (args.isEmpty()) return {};
    if (args.size() == 1) {
        const QString a = args.front();
        if (a.toLower() == "/c" || a == "-c" || a == "--config") return withMode(CommandLine::Mode::Config);
        if (a == "--help" || a == "-h") return withMode(CommandLine::Mode::Help);
        if (a == "--version") return withMode(CommandLine::Mode::Version);
        if (a == "--status") return withMode(CommandLine::Mode::Status);
    }
    CommandLine result = withMode(CommandLine::Mode::Next);
    bool next = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "--next" && !next) {
            next = true;
        } else if (args[i] == "--size" && !result.size.isValid()) {
            if (++i == args.size()) return invalid("--size erwartet BREITExHÖHE");
            static const QRegularExpression pattern("^([0-9]{1,5})x([0-9]{1,5})$");
            const QRegularExpressionMatch m = pattern.match(args[i]);
            const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
            const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
            if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) return invalid("ungültige Größe: " + args[i]);
            result.size = QSize(w, h);
        } else {
            return invalid("unbekanntes Argument: " + args[i]);
        }
    }
    if (!next) return invalid("--size gilt nur zusammen mit --next");
    return result;
}

QString UsageText() {
    return "Aufruf: velomira [OPTION]\n"
           "Hintergrundbild-Generator: wechselt das Hintergrundbild in festen Abständen.\n"
           "\n"
           "  (ohne)                    im Infobereich starten\n"
           "  /c, -c, --config          mit geöffnetem Einstellungsfenster starten; läuft Velomira\n"
           "                            schon, ist das eine zweite, unabhängige Kopie\n"
           "  --next [--size BxH]       das nächste Hintergrundbild einmal erzeugen, setzen und beenden;\n"
           "                            läuft Velomira schon, wechselt es selbst das Bild; sonst gilt\n"
           "                            ohne Anzeige die Größe BxH (Vorgabe 1920x1080)\n"
           "  --status                  Bild, nächsten Wechsel und Bilderzahl des laufenden Velomira\n"
           "                            zeigen (Status 1, wenn keines läuft)\n"
           "  --help                    diese Hilfe anzeigen\n"
           "  --version                 die Version anzeigen\n"
           "\n"
           "Rückgabewert: 0 Erfolg (bei --next auch ohne grafische Sitzung), 1 Fehler, 2 unbekannte\n"
           "Argumente, 3 bei --next: der Desktop hat das Bild nicht übernommen.\n";
}
