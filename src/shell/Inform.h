#pragma once

#include <QDialog>

// The about box: the program's version and legal notice, and the versions of the components it runs
// with. Modal: `Inform dialog(parent); dialog.exec();`.
class Inform : public QDialog {
public:
    explicit Inform(QWidget* parent = nullptr);

private:
    void cmdOK_Click();
};
