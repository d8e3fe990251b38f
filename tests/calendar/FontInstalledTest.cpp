#include "calendar/FontInstalled.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

TEST(FontInstalled, AsksTheFontDatabaseIgnoringCase) {
    EXPECT_FALSE(FontInstalled(u"DejaVu Sans")); // no application, no font database

    int argc = 1;
    char name[] = "test_calendar";
    char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    EXPECT_TRUE(FontInstalled(u"DejaVu Sans"));
    EXPECT_TRUE(FontInstalled(u"dejavu sans"));
    EXPECT_FALSE(FontInstalled(u"DejaVu"));
    EXPECT_FALSE(FontInstalled(u"Kein Zeichensatz dieses Namens"));
    EXPECT_FALSE(FontInstalled(u""));
}
