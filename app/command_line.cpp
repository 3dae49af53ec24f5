#include "app/command_line.h"

namespace volantra {
namespace {

constexpr std::string_view USAGE = R"(Usage: volantra [options]
Volantra prices European call and put options with the Black-Scholes model, with the
digits of its reference results. It opens its main menu in a window.

Options:
  -h, --help         show this text and exit
  --version          show the version and exit

Qt options it accepts, among them:
  -platform NAME     the window system: xcb (X11), wayland, or offscreen, which needs no
                     display, for scripts and tests
  -display DISPLAY   the X server to show the windows on
  -style NAME        the widget style, such as Fusion
  -reverse           lays the screens out from right to left

The user guide opens with F1 in the program; it is installed as
share/volantra/guide/user-guide.md under the program's prefix. See also: man volantra,
and volantra-price for many options at once.
)";

// The window system the arguments or the environment ask for; empty for Qt's own choice.
std::string_view PlatformAskedFor(std::span<const std::string_view> arguments,
                                  const DisplayEnvironment& environment) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "-platform" || arguments[i] == "--platform") {
            return arguments[i + 1];
        }
    }
    return environment.platform;
}

// True where the window system asked for needs a display server that is not named.
bool DisplayMissing(std::string_view platform, const DisplayEnvironment& environment) {
    const bool x11 = !environment.display.empty();
    const bool wayland = !environment.waylandDisplay.empty();
    if (platform.empty()) {
        return !x11 && !wayland;
    }
    if (platform.starts_with("xcb")) {
        return !x11;
    }
    if (platform.starts_with("wayland")) {
        return !wayland;
    }
    return false;  // offscreen, vnc and others need none
}

}  // namespace

std::optional<CommandLineAnswer> AnswerCommandLine(std::span<const std::string_view> arguments,
                                                   const DisplayEnvironment& environment,
                                                   std::string_view version) {
    for (std::string_view argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            return CommandLineAnswer{0, std::string(USAGE), {}};
        }
        if (argument == "--version") {
            return CommandLineAnswer{0, "volantra " + std::string(version) + "\n", {}};
        }
    }
    if (DisplayMissing(PlatformAskedFor(arguments, environment), environment)) {
        return CommandLineAnswer{
            1,
            {},
            "volantra: no display to open its windows on (DISPLAY and WAYLAND_DISPLAY are "
            "not set); run it in a desktop session, or with -platform offscreen for "
            "scripts\n"};
    }
    return std::nullopt;
}

}  // namespace volantra
