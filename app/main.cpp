// Volantra: prices European stock options with the Black-Scholes model.
#include <QApplication>

#include "screens/artwork.h"
#include "screens/navigation.h"
#include "screens/screen_style.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("volantra"));
    QApplication::setWindowIcon(volantra::ProgramIcon());
    volantra::InstallFontSubstitutes();
    volantra::OpenScreen(volantra::ScreenId::Menu);
    return QApplication::exec();
}
