#include "platform/CommandWallpaper.h"

#include "platform/Display.h"
#include "platform/RootWindowWallpaper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <csignal>
#include <unistd.h>

namespace {

QString fileUri(const QString& file) {
    return QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded);
}

ExternalCommand gsettings(const QString& schema, const QString& key, const QString& value) {
    return {"gsettings", {"set", schema, key, value}};
}

QString runAll(const QList<ExternalCommand>& commands) {
    for (const ExternalCommand& command : commands)
        if (const CommandResult r = RunCommand(command); !r.ok) return r.error;
    return {};
}

// The swaybg started last, remembered across runs of the program.
QString swaybgPidFile() {
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty()) runtime = QDir::tempPath();
    return runtime + "/velomira-swaybg.pid";
}

bool isSwaybg(qint64 pid) {
    QFile comm(QString("/proc/%1/comm").arg(pid));
    return pid > 0 && comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "swaybg";
}

// True when one of the user's processes runs `program` with `argument`.
bool userRuns(const QString& program, const QByteArray& argument) {
    for (const QFileInfo& process : QDir("/proc").entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile cmdline(process.filePath() + "/cmdline");
        if (process.ownerId() != ::getuid() || !cmdline.open(QIODevice::ReadOnly)) continue;
        const QList<QByteArray> args = cmdline.readAll().split('\0');
        if (QFileInfo(QString::fromLocal8Bit(args.front())).fileName() == program && args.contains(argument))
            return true;
    }
    return false;
}

} // namespace

CommandWallpaper::CommandWallpaper(QString name, bool freshName, CommandBuilder commands, Precondition ready)
    : name_(std::move(name)), freshName_(freshName), commands_(std::move(commands)),
      ready_(std::move(ready)) {}

std::unique_ptr<WallpaperBackend> CommandWallpaper::gnome() {
    return std::make_unique<CommandWallpaper>("GNOME", true, [](const QString& file) {
        const QString uri = fileUri(file);
        return QList<ExternalCommand>{gsettings("org.gnome.desktop.background", "picture-uri", uri),
                                      gsettings("org.gnome.desktop.background", "picture-uri-dark", uri)};
    });
}

std::unique_ptr<WallpaperBackend> CommandWallpaper::cinnamon() {
    return std::make_unique<CommandWallpaper>("Cinnamon", false, [](const QString& file) {
        return QList<ExternalCommand>{
            gsettings("org.cinnamon.desktop.background", "picture-uri", fileUri(file))};
    });
}

std::unique_ptr<WallpaperBackend> CommandWallpaper::mate() {
    return std::make_unique<CommandWallpaper>("MATE", false, [](const QString& file) {
        return QList<ExternalCommand>{gsettings("org.mate.background", "picture-filename", file)};
    });
}

std::unique_ptr<WallpaperBackend> CommandWallpaper::lxqt() {
    return std::make_unique<CommandWallpaper>("LXQt", true, [](const QString& file) {
        return QList<ExternalCommand>{
            {"pcmanfm-qt", {"--set-wallpaper=" + file, "--wallpaper-mode=stretch"}}};
    });
}

std::unique_ptr<WallpaperBackend> CommandWallpaper::lxde() {
    // Without a desktop manager to hand it to, pcmanfm --set-wallpaper waits for ever.
    return std::make_unique<CommandWallpaper>(
        "LXDE", true,
        [](const QString& file) {
            return QList<ExternalCommand>{
                {"pcmanfm", {"--set-wallpaper=" + file, "--wallpaper-mode=stretch"}}};
        },
        [] { return userRuns("pcmanfm", "--desktop") ? QString() : "kein \"pcmanfm --desktop\" läuft"; });
}

QString CommandWallpaper::apply(const QString& file) {
    if (const QString missing = ready_ ? ready_() : QString(); !missing.isEmpty()) return missing;
    return runAll(commands_(file));
}

QList<ExternalCommand> XfceCommands(const QString& propertyList, const QString& file,
                                    const QString& monitor) {
    QList<ExternalCommand> commands;
    for (const QString& line : propertyList.split(u'\n', Qt::SkipEmptyParts)) {
        const QString property = line.trimmed();
        if (property.startsWith("/backdrop/") && property.endsWith("/last-image"))
            commands.append({"xfconf-query", {"-c", "xfce4-desktop", "-p", property, "-s", file}});
    }
    if (commands.isEmpty())
        commands.append(
            {"xfconf-query",
             {"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitor" + monitor + "/workspace0/last-image",
              "-n", "-t", "string", "-s", file}});
    return commands;
}

QString XfceWallpaper::apply(const QString& file) {
    const CommandResult list = RunCommand({"xfconf-query", {"-c", "xfce4-desktop", "-l"}});
    // A channel without properties yet answers with an error; then the property is created.
    return runAll(XfceCommands(list.ok ? list.output : QString(), file, PrimaryOutputName()));
}

QString SwayWallpaper::apply(const QString& file) {
    if (!WaylandReachable()) return "Wayland-Anzeige nicht erreichbar";
    QProcess swaybg;
    swaybg.setProgram("swaybg");
    swaybg.setArguments({"-i", file, "-m", "fill"});
    swaybg.setStandardInputFile(QProcess::nullDevice());
    swaybg.setStandardOutputFile(QProcess::nullDevice());
    swaybg.setStandardErrorFile(QProcess::nullDevice());
    swaybg.setChildProcessModifier([] { ::setsid(); }); // the caller's terminal and signals stay its own
    qint64 pid = 0;
    if (!swaybg.startDetached(&pid)) {
        const CommandResult r = RunCommand({"swaymsg", {"output", "*", "bg", file, "fill"}});
        return r.ok ? QString() : "weder swaybg noch swaymsg: " + r.error;
    }
    QFile remembered(swaybgPidFile());
    if (remembered.open(QIODevice::ReadOnly)) {
        const qint64 previous = remembered.readAll().trimmed().toLongLong();
        remembered.close();
        if (previous != pid && isSwaybg(previous)) ::kill(pid_t(previous), SIGTERM);
    }
    if (remembered.open(QIODevice::WriteOnly | QIODevice::Truncate))
        remembered.write(QByteArray::number(pid));
    return {};
}
