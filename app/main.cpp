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

// Until the menu is open, a window system that cannot start ends the program with one
// line instead of Qt's abort; its own lines about the plugin are left out.
void StartupMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::cerr << "volantra: cannot open a display (DISPLAY is \"" << Variable("DISPLAY")
                  << "\"); run it in a desktop session, or with -platform offscreen for "
                     "scripts\n";
        std::_Exit(1);
    }
    if (context.category != nullptr && std::string_view(context.category).starts_with("qt.qpa")) {
        return;
    }
    std::cerr << text.toLocal8Bit().constData() << '\n';
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
    qInstallMessageHandler(StartupMessages);
    QApplication app(argc, argv);
    volantra::StartVolantra();
    qInstallMessageHandler(nullptr);
    return QApplication::exec();
}
