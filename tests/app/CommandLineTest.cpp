#include "app/CommandLine.h"

#include <gtest/gtest.h>

using Mode = CommandLine::Mode;

TEST(CommandLine, Dispatch) {
    struct Case {
        QStringList args;
        Mode mode;
        QSize size;
    } const cases[] = {
        {{}, Mode::Tray, {}},
        {{"/C"}, Mode::Config, {}},
        {{"-c"}, Mode::Config, {}},
        {{"--next", "--size", "640x480"}, Mode::Next, {640, 480}},
        {{"--size", "3840x2160", "--next"}, Mode::Next, {3840, 2160}},
        {{"/c", "--next"}, Mode::Invalid, {}},
        {{"/c "}, Mode::Invalid, {}},
        {{"--next", "--next"}, Mode::Invalid, {}},
        {{"--size", "640x480"}, Mode::Invalid, {}},
        {{"--next", "--size"}, Mode::Invalid, {}},
        {{"--next", "--size", "0x480"}, Mode::Invalid, {}},
        {{"--next", "--size", "99999x2"}, Mode::Invalid, {}},
        {{"--next", "--size", "-640x480"}, Mode::Invalid, {}},
    };
    for (const Case& c : cases) {
        const CommandLine cl = ParseCommandLine(c.args);
        EXPECT_EQ(cl.mode, c.mode) << c.args.join(' ').toStdString();
        EXPECT_EQ(cl.size, c.size) << c.args.join(' ').toStdString();
        EXPECT_EQ(cl.mode == Mode::Invalid, !cl.error.isEmpty());
    }
}
