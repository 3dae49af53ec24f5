#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// What the desktop program answers on its command line before any window: its help, its
// version, and a missing display, as any Unix program does.
namespace volantra {

/// The program's answer to its arguments, where it ends before starting the window
/// system.
struct CommandLineAnswer {
    int exitStatus = 0;
    std::string out;  ///< for standard output
    std::string err;  ///< for standard error
};

/// The environment variables the answer depends on.
struct DisplayEnvironment {
    std::string_view display;         ///< DISPLAY, for X11
    std::string_view waylandDisplay;  ///< WAYLAND_DISPLAY
    std::string_view platform;        ///< QT_QPA_PLATFORM
};

/// The answer to `arguments` (without the program's name) in `environment`; none where
/// the program goes on to open its menu.
std::optional<CommandLineAnswer> AnswerCommandLine(std::span<const std::string_view> arguments,
                                                   const DisplayEnvironment& environment,
                                                   std::string_view version);

}  // namespace volantra
