// Volantra: prices European stock options with the Black-Scholes model.
#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "screens/startup.h"

namespace {

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

int main(int argc, char** argv) {
    // Help, the version and a missing display are answered before Qt, which would
    // otherwise open the menu or abort.
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const std::optional<volantra::CommandLineAnswer> answer = volantra::AnswerCommandLine(
        arguments, {Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"), Variable("QT_QPA_PLATFORM")},
        VOLANTRA_VERSION);
    if (answer) {
        std::cout << answer->out;
        std::cerr << answer->err;
        return answer->exitStatus;
    }
    QApplication app(argc, argv);
    volantra::StartVolantra();
    return QApplication::exec();
}
