#include "screens/startup.h"

#include <QApplication>

#include "screens/accessibility.h"
#include "screens/artwork.h"
#include "screens/navigation.h"
#include "screens/screen_style.h"

namespace volantra {

void StartVolantra() {
    QApplication::setApplicationName(QStringLiteral("volantra"));
    // Docks and Wayland match the window to the launcher by this name; on X11 the
    // application name is the window class, which the launcher names too.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.volantra.Volantra"));
    QApplication::setWindowIcon(ProgramIcon());
    InstallFontSubstitutes();
    InstallAccessibility();
    OpenScreen(ScreenId::Menu);
}

}  // namespace volantra
