#include "shell/CommonDialogs.h"

#include <QColorDialog>
#include <QFileDialog>

namespace {

void setCaption(QDialog& dialog, const QString& caption) {
    if (!caption.isEmpty()) dialog.setWindowTitle("Velomira - " + caption);
}

// Centred on the owner, also where no window manager places it.
int execCentred(QDialog& dialog) {
    if (const QWidget* owner = dialog.parentWidget()) {
        dialog.adjustSize();
        dialog.move(owner->frameGeometry().center() - dialog.rect().center());
    }
    return dialog.exec();
}

// Qt's own dialogs rather than the desktop's: they open over the owner on every desktop, and the
// caption and preselection behave the same everywhere.
void useOwnDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
}

} // namespace

QString BrowseForFolder(QWidget* owner, const QString& start, const QString& prompt, const QString& caption) {
    QFileDialog dialog(owner);
    useOwnDialog(dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    setCaption(dialog, caption);
    if (!prompt.isEmpty()) dialog.setLabelText(QFileDialog::LookIn, prompt);
    if (!start.isEmpty()) dialog.setDirectory(start);
    if (execCentred(dialog) != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

QString ShowFileDialog(QWidget* owner, bool save, const QString& filter, const QString& file,
                       const QString& defaultSuffix, const QString& title) {
    QFileDialog dialog(owner);
    useOwnDialog(dialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    setCaption(dialog, title);
    if (!file.isEmpty()) dialog.selectFile(file);
    if (execCentred(dialog) != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

int ChooseColorDialog(QWidget* owner, const QString& caption, int colour) {
    // Custom colours are not kept from one call to the next.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::black);
    QColorDialog dialog(ColorFromColorref(colour), owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    setCaption(dialog, caption);
    if (execCentred(dialog) != QDialog::Accepted) return -1;
    return ColorrefFromColor(dialog.selectedColor());
}

QColor ColorFromColorref(int colour) {
    const auto c = uint32_t(colour);
    return QColor(int(c & 0xff), int(c >> 8 & 0xff), int(c >> 16 & 0xff));
}

int ColorrefFromColor(const QColor& colour) {
    return colour.red() | colour.green() << 8 | colour.blue() << 16;
}
