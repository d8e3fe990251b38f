#pragma once

#include "ShellSession.h"

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QWidget>

// The control of `window` named `name`; the test fails when there is none.
template <class T> T* Child(const QObject* window, const char* name) {
    T* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

// Shows `window` and makes it the active one (nobody else does without a window manager).
void ShowActive(QWidget* window);

// Types `text` into `field` over what it holds, then moves the focus on to `next` as a user leaving
// the field does. Returns the text of the message box that came up (and was answered), else "".
QString TypeAndLeave(QLineEdit* field, const QString& text, QWidget* next);

// Checks a frame whose controls follow its check box `box` (ticked when this is called): unticking
// disables everything inside but the box and clears `setting`; ticking again enables it all.
void ExpectFrameFollowsItsBox(QWidget* frame, QAbstractButton* box, const int& setting);

// The mean absolute difference of the colour channels of two images of one size (255 when the sizes
// differ).
double MeanDifference(const QImage& a, const QImage& b);
