#pragma once

#include "TestSupport.h"

#include <QApplication>
#include <QColor>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The widget tests share one private X server and one QApplication per test process; the image
// libraries are loaded and no desktop of the developer is touched.
const QString& SessionDisplay();

// A user with a picture folder and a storage folder, set as the program's state: settings in a
// temporary file, a 320×240 screen, the name order and a change every 5 minutes.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Writes a JPEG of one colour into the folder.
    static void WritePicture(const QString& folder, const QString& name, QColor colour);

    TempDir home;
    QString pictures = home.file("Bilder");
    QString wallpaper = home.file("Velomira.bmp");
};

// Acts on the next modal dialog of type T once it is open, for as long as the object lives.
template <class T> class OnNextDialog {
public:
    explicit OnNextDialog(std::function<void(T*)> act) : act_(std::move(act)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                poll_.stop();
                act_(dialog);
            }
        });
        poll_.start(10);
    }

private:
    std::function<void(T*)> act_;
    QTimer poll_;
};
