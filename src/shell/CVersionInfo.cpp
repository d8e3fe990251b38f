#include "shell/CVersionInfo.h"

#include "imagelib/ImageLibrary.h"
#include "sysinfo/ComponentVersions.h"
#include "sysinfo/OperatingSystem.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

CVersionInfo::CVersionInfo(QWidget* parent)
    : QGroupBox("Datei-Versionen", parent), VersionInfo(new QTreeWidget(this)) {
    setObjectName("CVersionInfo");
    VersionInfo->setObjectName("VersionInfo");
    VersionInfo->setHeaderLabels({"Komponente", "Version"});
    VersionInfo->setRootIsDecorated(false);
    VersionInfo->setSelectionMode(QAbstractItemView::NoSelection);
    VersionInfo->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(VersionInfo);
}

void CVersionInfo::InitDialog() {
    VersionInfo->clear();
    for (const VersionRow& row : ComponentVersionRows(OperatingSystem(), Library()))
        VersionInfo->addTopLevelItem(new QTreeWidgetItem({row.Komponente, row.Version}));
    // Wide enough that every version shows in full.
    int width = 2 * VersionInfo->frameWidth() + VersionInfo->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < VersionInfo->columnCount(); ++column) {
        VersionInfo->resizeColumnToContents(column);
        width += VersionInfo->header()->sectionSize(column);
    }
    VersionInfo->setMinimumWidth(width);
}
