#include "screens/navigation.h"

#include <QApplication>
#include <QWidget>

#include "screens/accessibility.h"
#include "screens/instructions_screen.h"
#include "screens/main_menu.h"
#include "screens/pricing_screen.h"
#include "screens/screen_style.h"
#include "screens/user_guide.h"

namespace volantra {
namespace {

QWidget* CreateScreen(ScreenId screen) {
    switch (screen) {
        case ScreenId::Menu:
            return new MainMenu;
        case ScreenId::Call:
            return new PricingScreen(OptionKind::Call);
        case ScreenId::Put:
            return new PricingScreen(OptionKind::Put);
        case ScreenId::Instructions:
            return new InstructionsScreen;
    }
    return new MainMenu;
}

}  // namespace

QWidget* OpenScreen(ScreenId screen) {
    InstallAccessibility();  // before the screen's first accessible interface is made
    QWidget* window = CreateScreen(screen);
    window->setAttribute(Qt::WA_DeleteOnClose);
    InstallHelpKey(window);
    ShowCentred(window);
    // A window manager activates a new window; without one, nothing would, and an
    // inactive screen shows no focus and ignores its Alt keys.
    window->activateWindow();
    return window;
}

void Navigate(QWidget* current, ScreenId target) {
    OpenScreen(target);
    current->close();
}

void ExitProgram() {
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

}  // namespace volantra
