#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Mode {
        Tray,   // no arguments: start into the tray
        Config, // /c, -c, --config: start with the settings window open
        Next,   // --next [--size WxH]: compose the next wallpaper once and exit
        Status, // --status: the running program's picture and next change
        Help,
        Version,
        Invalid, // anything else; `error` says what
    };
    Mode mode = Mode::Tray;
    QSize size; // --size; invalid when not given
    QString error;
};

// Reads the arguments after the program name.
CommandLine ParseCommandLine(const QStringList& args);

QString UsageText();
