#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace volantra {
namespace {

TEST(AnswerCommandLine, AnswersHelpVersionAndAMissingDisplayBeforeAnyWindow) {
    struct Case {
        std::vector<std::string_view> arguments;
        DisplayEnvironment environment;
        std::optional<int> exitStatus;  // none: the program opens its menu
        std::string_view outStarts;
        std::string_view errStarts;
    };
    const DisplayEnvironment none{};
    const DisplayEnvironment x11{":0", "", ""};
    const DisplayEnvironment wayland{"", "wayland-0", ""};
    const DisplayEnvironment offscreen{"", "", "offscreen"};
    const Case cases[] = {
        {{"--help"}, none, 0, "Usage: volantra [options]", ""},
        {{"-h"}, x11, 0, "Usage: volantra [options]", ""},
        {{"-platform", "xcb", "--help"}, none, 0, "Usage:", ""},
        {{"--version"}, none, 0, "volantra 1.2.3\n", ""},
        {{}, none, 1, "", "volantra: no display"},
        {{"-style", "Fusion"}, none, 1, "", "volantra: no display"},
        {{}, x11, std::nullopt, "", ""},
        {{}, wayland, std::nullopt, "", ""},
        {{}, offscreen, std::nullopt, "", ""},
        {{"-platform", "offscreen"}, none, std::nullopt, "", ""},
        {{"-platform", "xcb"}, wayland, 1, "", "volantra: no display"},
        {{"-platform", "wayland"}, x11, 1, "", "volantra: no display"},
        {{}, {"", "", "xcb"}, 1, "", "volantra: no display"},
    };
    for (const Case& c : cases) {
        std::string trace;
        for (std::string_view argument : c.arguments) {
            trace += std::string(argument) + ' ';
        }
        SCOPED_TRACE(trace + "DISPLAY=" + std::string(c.environment.display));
        const std::optional<CommandLineAnswer> answer =
            AnswerCommandLine(c.arguments, c.environment, "1.2.3");
        ASSERT_EQ(answer.has_value(), c.exitStatus.has_value());
        if (!answer) {
            continue;
        }
        EXPECT_EQ(answer->exitStatus, *c.exitStatus);
        EXPECT_TRUE(answer->out.starts_with(c.outStarts)) << answer->out;
        EXPECT_TRUE(answer->err.starts_with(c.errStarts)) << answer->err;
        // A missing display is one line, on standard error only.
        if (answer->exitStatus != 0) {
            EXPECT_EQ(answer->err.find('\n'), answer->err.size() - 1);
            EXPECT_TRUE(answer->out.empty());
        }
    }
}

}  // namespace
}  // namespace volantra
