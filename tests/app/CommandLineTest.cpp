#include "app/CommandLine.h"

#include <gtest/gtest.h>

using Mode = CommandLine::Mode;

TEST(CommandLine, Dispatch) {
    const struct {
        QStringList args;
        Mode mode;
        QSize size;
    } cases[] = {
        {{}, Mode::Tray, {}},
        {{"/C"}, Mode::Config, {}},
        {{"--size", "3840x2160", "--next"}, Mode::Next, {3840, 2160}},
        {{"/c", "--next"}, Mode::Invalid, {}},
        {{"--next", "--next"}, Mode::Invalid, {}},
        {{"--size", "640x480"}, Mode::Invalid, {}},
        {{"--next", "--size", "0x480"}, Mode::Invalid, {}},
        {{"--next", "--size", "99999x2"}, Mode::Invalid, {}},
    };
    for (const auto& [args, mode, size] : cases) {
        const CommandLine cl = ParseCommandLine(args);
        EXPECT_EQ(cl.mode, mode) << args.join(' ').toStdString();
        EXPECT_EQ(cl.size, size) << args.join(' ').toStdString();
        EXPECT_EQ(cl.mode == Mode::Invalid, !cl.error.isEmpty());
    }
}
