#pragma once

#include <QDialog>

class QLabel;

// The message window ErrInfo for composition errors: modal and above every other window, so that a
// failing change from the tray is not hidden behind the user's work.
class ErrInfoDialog : public QDialog {
public:
    explicit ErrInfoDialog(const QString& text, QWidget* parent = nullptr);

    // Makes ShowErrInfo open this dialog.
    static void install();

private:
    void OKButton_Click();
};
