#include "platform/KdeWallpaper.h"

#include <QDBusInterface>
#include <QDBusReply>
#include <QUrl>

QString KdeWallpaperScript(const QString& file) {
    QString uri = QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded);
    // A percent-encoded URI holds no quote or backslash, so it is a safe script string as it is.
    return QString("var all = desktops();\n"
                   "for (var i = 0; i < all.length; i++) {\n"
                   "    var d = all[i];\n"
                   "    d.wallpaperPlugin = \"org.kde.image\";\n"
                   "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
                   "    d.writeConfig(\"Image\", \"%1\");\n"
                   "}\n"
                   "print(all.length);\n")
        .arg(uri);
}

QString KdeWallpaper::apply(const QString& file) {
    QDBusInterface shell("org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell");
    if (!shell.isValid()) return "Plasma-Shell nicht erreichbar: " + shell.lastError().message();
    const QDBusMessage reply = shell.call("evaluateScript", KdeWallpaperScript(file));
    if (reply.type() == QDBusMessage::ErrorMessage) return "Plasma-Shell: " + reply.errorMessage();
    // The shell answers with what the script printed: the number of desktops changed.
    if (!reply.arguments().isEmpty() && reply.arguments().front().toString().trimmed() == "0")
        return "Plasma-Shell: kein Desktop geändert";
    return {};
}
