#include "platform/Autostart.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A value of a desktop entry string key: backslashes are the escape character of the file format.
QString EscapedValue(const QString& text) {
    return QString(text).replace('\\', "\\\\");
}

// The program as the one argument of an Exec key. Quoting it whole lets any path through (spaces,
// quotes, "$"); inside the quotes '"', '`', '$' and '\' are escaped, and '%' would start a field code.
QString ExecArgument(const QString& program) {
    QString quoted;
    for (const QChar c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c == '%' ? QStringLiteral("%%") : QString(c);
    }
    return EscapedValue('"' + quoted + '"');
}

} // namespace

QString AutostartFile() {
    return ConfigHome() + "/autostart/velomira.desktop";
}

bool AutostartEnabled() {
    QFile file(AutostartFile());
    if (!file.open(QIODevice::ReadOnly)) return false;
    // GNOME's and XFCE's session settings switch an entry off with one of these keys.
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QByteArray entry = line.trimmed();
        if (entry == "Hidden=true" || entry == "X-GNOME-Autostart-enabled=false") return false;
    }
    return true;
}

bool SetAutostart(bool enabled, const QString& program) {
    const QString path = AutostartFile();
    if (!enabled) return !QFile::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    // TryExec lets the session skip the entry quietly once the program has been removed.
    const QString entry =
        QStringLiteral("[Desktop Entry]\nType=Application\nName=Velomira\n"
                       "Comment=Wechselt das Hintergrundbild\nIcon=velomira\nTerminal=false\n") +
        "TryExec=" + EscapedValue(program) + "\nExec=" + ExecArgument(program) + "\n";
    return WriteFileAtomically(path, entry.toUtf8(), 0644);
}
