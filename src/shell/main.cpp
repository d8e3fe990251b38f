#include "Version.h"
#include "app/CommandLine.h"
#include "app/NextCommand.h"
#include "app/RunningProgram.h"
#include "app/SettingsClaim.h"
#include "app/Startup.h"
#include "platform/Display.h"
#include "platform/Paths.h"
#include "shell/ErrInfoDialog.h"
#include "shell/MainWindow.h"
#include "shell/ProgramIcon.h"
#include "shell/QtTranslations.h"
#include "shell/RemoteControl.h"
#include "shell/TerminationSignals.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace {

int runTray(int argc, char** argv, const CommandLine& command) {
    ChooseQtPlatform();
    QApplication app(argc, argv);
    if (const QString problem = DisplayProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "velomira: %s.\nOhne Anzeige erzeugt \"velomira --next\" ein Hintergrundbild.\n",
                     qPrintable(problem));
        return 1;
    }
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setQuitOnLastWindowClosed(false);
    InstallQtTranslations();

    ErrInfoDialog::install();
    ProgramState& program = Program();
    const SettingsClaim claim(program.store.path());
    MainWindow window;
    OnTerminationSignal([&window] { window.Beenden(); });
    StartupHooks hooks;
    hooks.screenSize = PrimaryScreenSize;
    hooks.fillWindow = [&window] { window.fillFromSettings(); };
    if (const QString error = RunStartup(program, Library(), LibraryFolders(), hooks); !error.isEmpty()) {
        QMessageBox::information(nullptr, "Velomira", error);
        return 1;
    }
    if (command.mode == CommandLine::Mode::Config)
        window.starten_und_konfig();
    else
        window.starten(program.StartDelay);
    RemoteControl remote(window.tray());
    remote.offer();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = ParseCommandLine(args);
    switch (command.mode) {
    case CommandLine::Mode::Help:
        std::fputs(qPrintable(UsageText()), stdout);
        return 0;
    case CommandLine::Mode::Version:
        std::printf("velomira %s\n", VELOMIRA_VERSION);
        return 0;
    case CommandLine::Mode::Invalid:
        std::fprintf(stderr, "velomira: %s\n\n%s", qPrintable(command.error), qPrintable(UsageText()));
        return 2;
    case CommandLine::Mode::Next:
        return RunNextCommand(argc, argv, command);
    case CommandLine::Mode::Status: {
        const QCoreApplication app(argc, argv);
        return PrintRunningProgramStatus();
    }
    case CommandLine::Mode::Tray:
    case CommandLine::Mode::Config:
        break;
    }
    return runTray(argc, argv, command);
}
