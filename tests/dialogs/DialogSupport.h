#pragma once

#include "ShellSession.h"

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QWidget>

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The control of `window` named `name`; the test fails when there is none.
template <class T> T* Child(const QObject* window, const char* name) {
    T* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// Shows `window` and makes it the active one (nobody else does without a window manager).
void ShowActive(QWidget* window);

// What a message box said: its text, empty when none came up.
struct Message {
    QString text;
    QString title;
    bool warning = false;
};

// Types `text` into `field` over what it holds, then moves the focus on to `next` as a user leaving
// the field does. Answers a message box that comes up and returns what it said.
Message TypeAndLeave(QLineEdit* field, const QString& text, QWidget* next);

// Checks a frame whose controls follow its check box `box` (ticked when this is called): unticking
// disables everything inside but the box and clears `setting`; ticking again enables it all.
void ExpectFrameFollowsItsBox(QWidget* frame, QAbstractButton* box, const int& setting);

// The mean absolute difference of the colour channels of two images of one size (255 when the sizes
// differ).
double MeanDifference(const QImage& a, const QImage& b);
