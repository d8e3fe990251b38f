#pragma once

#include <QGroupBox>

class QTreeWidget;

// The frame "Datei-Versionen" with the list of component versions.
class CVersionInfo : public QGroupBox {
public:
    explicit CVersionInfo(QWidget* parent = nullptr);

    // Fills the list with the rows of the running system.
    void InitDialog();

private:
    QTreeWidget* VersionInfo;
};
