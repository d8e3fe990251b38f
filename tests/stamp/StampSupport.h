#pragma once

#include "TestSupport.h"
#include "imagelib/ImageLibrary.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

// The real image library, loaded as the program loads it.
struct LibraryTest : ::testing::Test {
    void SetUp() override { ASSERT_EQ(Library().load({VELOMIRA_BINARY_DIR "/lib/velomira"}), ""); }
};

// A 24-bit picture with stride width * 3, as the library and the working image keep them.
struct Canvas {
    int width, height;
    std::vector<uint8_t> pixels;

    Canvas(int w, int h, QColor fill = Qt::black);
    uint8_t* data() { return pixels.data(); }
    QColor at(int x, int y) const;
    // The smallest rectangle holding every pixel that differs from `background`.
    QRect changed(QColor background) const;
};

// `velomira --next --size SIZE` on 11 December 2024 (libfaketime), without a display, with `ini` as
// its settings and the home and settings folders in `tmp`.
ProcessResult RunNext(const TempDir& tmp, const QString& size, const QByteArray& ini);
