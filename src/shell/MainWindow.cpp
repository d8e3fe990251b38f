#include "shell/MainWindow.h"

#include "app/NumericText.h"
#include "app/ProgramState.h"
#include "compose/ComposeWallpaper.h"
#include "pictures/PictureOrder.h"
#include "platform/Autostart.h"
#include "shell/CommonDialogs.h"
#include "shell/Inform.h"
#include "shell/KalenderEinstellungen.h"
#include "shell/ProgramIcon.h"
#include "shell/Textstempel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSessionManager>
#include <functional>

namespace {

Settings& settings() {
    return Program().settings;
}

} // namespace

MainWindow::MainWindow(std::chrono::milliseconds trayWait)
    : c_(CreateMainWindowControls(this)), tray_(*this, std::bind(&MainWindow::Beenden, this), trayWait) {
    setObjectName("VelomirapaperEinstellungen");
    setWindowTitle("Velomira");
    setWindowIcon(ProgramIcon());
    connectControls();
    connect(qApp, &QGuiApplication::commitDataRequest, this, [](QSessionManager&) { Program().save(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { endOfProgram(); });
    // Every way of ending passes the application a Quit event first ("Beenden", a signal, the end of
    // the session): from then on a closing window or dialog is the end, not a change.
    qApp->installEventFilter(this);
}

void MainWindow::connectControls() {
    QMenu* MOptionen = c_.menuBar->addMenu("Optionen");
    MOptionen->setObjectName("MOptionen");
    QAction* MInfo = MOptionen->addAction("Info");
    MInfo->setObjectName("MInfo");
    connect(MInfo, &QAction::triggered, this, [this] { MInfo_Click(); });
    QAction* MAutostart = MOptionen->addAction("Beim Anmelden starten");
    MAutostart->setObjectName("MAutostart");
    MAutostart->setCheckable(true);
    // The entry file is the state; the desktop's session settings may change it too.
    connect(MOptionen, &QMenu::aboutToShow, MAutostart,
            [MAutostart] { MAutostart->setChecked(AutostartEnabled()); });
    connect(MAutostart, &QAction::triggered, this, [this, MAutostart](bool on) {
        if (!SetAutostart(on, QCoreApplication::applicationFilePath()))
            QMessageBox::warning(this, "Velomira",
                                 "„Beim Anmelden starten“ ließ sich nicht ändern:\n" + AutostartFile());
        MAutostart->setChecked(AutostartEnabled());
    });
    MOptionen->addSeparator()->setObjectName("MTrenner");
    QAction* MBeenden = MOptionen->addAction("Beenden");
    MBeenden->setObjectName("MBeenden");
    connect(MBeenden, &QAction::triggered, this, [this] { Beenden(); });

    Settings::Misc& misc = settings().misc;
    // The list is rebuilt only on request ("neu einlesen", adding, removing), not by these flags.
    bindFlag(c_.UnterverzeichnisseEinbeziehen, misc.recursive, false);
    bindFlag(c_.JPG, misc.jpg, false);
    bindFlag(c_.BMP, misc.bmp, false);
    bindFlag(c_.PCX, misc.pcx, false);
    bindFlag(c_.PNG, misc.png, false);
    bindFlag(c_.TIF, misc.tif, false);
    bindFlag(c_.GIF, misc.gif, false);
    bindFlag(c_.aufBildbreite, misc.width, true);
    bindFlag(c_.aufBildhöhe, misc.height, true);
    bindFlag(c_.passendeFarbe, misc.passende_farbe, true);
    bindFlag(c_.mitTextstempel, settings().textstempel.ausgeben, false);
    bindFlag(c_.mitKalender, settings().kalender.ausgeben, false);
    connect(c_.mitTextstempel, &QCheckBox::clicked, c_.TextstempelButton, &QWidget::setEnabled);
    connect(c_.mitKalender, &QCheckBox::clicked, c_.KalenderButton, &QWidget::setEnabled);

    connect(c_.Hinzufügen, &QPushButton::clicked, this, [this] { Hinzufügen_Click(); });
    connect(c_.Entfernen, &QPushButton::clicked, this, [this] { Entfernen_Click(); });
    connect(c_.NeuEinlesen, &QPushButton::clicked, this, [this] { RefreshPictureList(); });
    connect(c_.FarbwahlButton, &QPushButton::clicked, this, [this] { FarbwahlButton_Click(); });
    connect(c_.HGBVerzeichnisButton, &QPushButton::clicked, this, [this] { HGBVerzeichnisButton_Click(); });
    connect(c_.übernehmen, &QPushButton::clicked, this, [this] { ComposeCurrentAgain(); });
    connect(c_.TextstempelButton, &QPushButton::clicked, this, [this] { openModal<Textstempel>(); });
    connect(c_.KalenderButton, &QPushButton::clicked, this, [this] { openModal<KalenderEinstellungen>(); });
    connect(c_.SortierungArt, &QButtonGroup::idClicked, this, [this](int id) { SortierungArt_Click(id); });
    connect(c_.Anpassung, &QButtonGroup::idClicked, this, [this](int id) { Anpassung_Click(id); });
    connect(c_.delay, &QLineEdit::textEdited, this, [this] { delayEdited_ = true; });
    connect(c_.delay, &QLineEdit::returnPressed, this, [this] { delay_LostFocus(); });
    c_.delay->installEventFilter(this);
    c_.Bildpfadliste->installEventFilter(this);
}

void MainWindow::bindFlag(QCheckBox* box, int& flag, bool composeAgain) {
    connect(box, &QCheckBox::clicked, this, [this, &flag, composeAgain](bool on) {
        flag = on ? 1 : 0;
        if (composeAgain) ComposeCurrentAgain();
    });
}

void MainWindow::fillFromSettings() {
    const Settings& s = settings();
    c_.Bildpfadliste->clear();
    c_.Bildpfadliste->addItems(s.PictureFolders);
    const std::pair<QCheckBox*, int> boxes[] = {
        {c_.UnterverzeichnisseEinbeziehen, s.misc.recursive},
        {c_.aufBildbreite, s.misc.width},
        {c_.aufBildhöhe, s.misc.height},
        {c_.passendeFarbe, s.misc.passende_farbe},
        {c_.JPG, s.misc.jpg},
        {c_.BMP, s.misc.bmp},
        {c_.PNG, s.misc.png},
        {c_.TIF, s.misc.tif},
        {c_.PCX, s.misc.pcx},
        {c_.GIF, s.misc.gif},
        {c_.mitTextstempel, s.textstempel.ausgeben},
        {c_.mitKalender, s.kalender.ausgeben},
    };
    // A flag counts as set only when it is 1, as everywhere else in the program.
    for (const auto& [box, flag] : boxes)
        box->setChecked(flag == 1);
    c_.TextstempelButton->setEnabled(s.textstempel.ausgeben == 1);
    c_.KalenderButton->setEnabled(s.kalender.ausgeben == 1);
    c_.delay->setText(QString::number(s.misc.delay));
    // A stored value without an option button leaves the group without a choice.
    if (QAbstractButton* button = c_.SortierungArt->button(s.misc.reihenfolge)) button->setChecked(true);
    if (QAbstractButton* button = c_.Anpassung->button(s.misc.magnify)) button->setChecked(true);
    showColour(s.misc.hgfarbe);
}

void MainWindow::starten(int delay) {
    RefreshPictureList();
    tray_.icon().setToolTip("Velomira");
    tray_.AddToSystray();
    hide();
    if (delay != 0)
        tray_.StartChangeTimer(delay);
    else // first start: compose once the icon is up, so the tray does not wait for the picture
        QTimer::singleShot(0, this, [this] { tray_.TimerCallback(); });
}

void MainWindow::starten_und_konfig() {
    RefreshPictureList();
    tray_.AddToSystray();
    show();
}

void MainWindow::Beenden() {
    quitting_ = true;
    QApplication::quit();
}

void MainWindow::endOfProgram() {
    quitting_ = true;
    Program().save();
    tray_.remove();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (quitting_) {
        event->accept();
        return;
    }
    // The close box keeps the program running: settings saved, timer restarted, window away.
    event->ignore();
    delay_LostFocus(); // a delay typed but not yet confirmed counts
    Program().save();
    tray_.StartChangeTimer(settings().misc.delay);
    // Without a tray the window stays reachable from the task bar.
    if (tray_.inTray())
        hide();
    else
        showMinimized();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::Quit) quitting_ = true;
    // The user leaves the field; the window losing activation (a click on the tray icon, a message
    // box coming up) or a context menu is no leaving.
    if (watched == c_.delay && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) delay_LostFocus();
    }
    if (watched == c_.Bildpfadliste && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        Entfernen_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::RefreshPictureList() {
    QStringList listed;
    for (int row = 0; row < c_.Bildpfadliste->count(); ++row)
        listed << c_.Bildpfadliste->item(row)->text();
    const PictureListSummary summary = ::RefreshPictureList(settings(), listed, Pictures());
    c_.HGBVerzeichnis->setText(settings().misc.bmpverzeichnis);
    QPalette palette = c_.HGBVerzeichnis->palette();
    switch (summary.storageFolder) {
    case StorageFolderState::Present:
        palette.setColor(QPalette::Base, QColor(192, 255, 192));
        break;
    case StorageFolderState::Missing:
        palette.setColor(QPalette::Base, QColor(255, 128, 128));
        break;
    case StorageFolderState::Empty:
        palette.setColor(QPalette::Base, QApplication::palette(c_.HGBVerzeichnis).color(QPalette::Base));
        break;
    }
    c_.HGBVerzeichnis->setPalette(palette);
    c_.Bilderanzahl->setText(summary.countLabel);
}

void MainWindow::refillFolderList() {
    c_.Bildpfadliste->clear();
    c_.Bildpfadliste->addItems(settings().PictureFolders);
}

void MainWindow::showColour(int colour) {
    QPalette palette = c_.Farbwahl->palette();
    palette.setColor(QPalette::Window, ColorFromColorref(colour));
    c_.Farbwahl->setPalette(palette);
}

void MainWindow::ComposeCurrentAgain() {
    Program().CurrentIndex -= 1;
    ComposeWallpaper();
}

// No change comes while a stamp or calendar dialog is open; what was set there shows at once after.
template <class Dialog> void MainWindow::openModal() {
    tray_.StopChangeTimer();
    Dialog dialog(this);
    dialog.exec();
    if (quitting_) return; // the program ends: the settings are saved, nothing is composed
    ComposeCurrentAgain();
    tray_.StartChangeTimer(settings().misc.delay);
}

void MainWindow::Hinzufügen_Click() {
    const QStringList& folders = settings().PictureFolders;
    const QString start = folders.isEmpty() ? QDir::currentPath() : folders.first();
    QString chosen =
        BrowseForFolder(this, start, "Bitte Verzeichnis mit Bildern auswählen", "Bilderverzeichnis");
    if (chosen.isEmpty()) return;
    if (!chosen.endsWith('/')) chosen += '/';
    // Either way the next change starts from the first picture of the list.
    Program().CurrentIndex = 0;
    for (const QString& folder : folders)
        if (folder == chosen) return; // "Bilder/" and "bilder/" are two folders
    c_.Bildpfadliste->addItem(chosen);
    RefreshPictureList();
    refillFolderList();
}

void MainWindow::Entfernen_Click() {
    for (int row = c_.Bildpfadliste->count() - 1; row >= 0; --row)
        if (c_.Bildpfadliste->item(row)->isSelected()) delete c_.Bildpfadliste->takeItem(row);
    RefreshPictureList();
    refillFolderList();
}

// Checks an edited delay once: the message box's own focus change does not check it again.
void MainWindow::delay_LostFocus() {
    if (!delayEdited_) return;
    delayEdited_ = false;
    const int minutes = TextToInt(c_.delay->text());
    if (minutes < 1 || minutes > 1440) {
        QMessageBox::information(this, "Velomira", "Die Zeit muss im Bereich von 1 bis 1440 Minuten liegen");
        c_.delay->setText("10");
    }
    settings().misc.delay = TextToInt(c_.delay->text());
}

void MainWindow::FarbwahlButton_Click() {
    const int colour = ChooseColorDialog(this, "Farbwahl", settings().misc.hgfarbe);
    if (colour != -1) {
        settings().misc.hgfarbe = colour;
        showColour(colour);
    }
    ComposeCurrentAgain();
}

void MainWindow::HGBVerzeichnisButton_Click() {
    const QString chosen = BrowseForFolder(this, settings().misc.bmpverzeichnis,
                                           "Bitte Ablageverzeichnis für Hintergrundbild auswählen",
                                           "Ablageverzeichnis für Hintergrundbild");
    if (chosen.isEmpty()) return;
    settings().misc.bmpverzeichnis = chosen;
    RefreshPictureList();
}

void MainWindow::SortierungArt_Click(int index) {
    settings().misc.reihenfolge = index;
    if (!Pictures().empty()) SortPictures(Pictures(), index);
}

void MainWindow::Anpassung_Click(int index) {
    settings().misc.magnify = index;
    ComposeCurrentAgain();
}

void MainWindow::MInfo_Click() {
    Inform dialog(this);
    dialog.exec();
}
