#include "ImageTestSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

// A plain C program without any Qt application object and without a display can decode
// pictures: the library sets up what Qt needs by itself.
TEST(CHost, DecodesWithoutAQtApplication) {
    TempDir dir;
    QImage image(3, 2, QImage::Format_RGB888);
    image.fill(QColor(12, 34, 56));
    WriteFile(dir.file("picture.png"), Encoded(image, "PNG"));
    const ProcessResult r = RunProgram(VELOMIRA_C_HOST, {dir.file("picture.png")},
                                       {"QT_QPA_PLATFORM=", "DISPLAY=", "WAYLAND_DISPLAY="});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "3x2 12,34,56\n");
    EXPECT_EQ(RunProgram(VELOMIRA_C_HOST, {dir.file("missing.png")}).out, "error 2\n");
}
