#include "screens/startup.h"

#include <QApplication>

#include "screens/artwork.h"
#include "screens/navigation.h"
#include "screens/screen_style.h"

namespace volantra {

void StartVolantra() {
    QApplication::setApplicationName(QStringLiteral("volantra"));
    QApplication::setWindowIcon(ProgramIcon());
    InstallFontSubstitutes();
    OpenScreen(ScreenId::Menu);
}

}  // namespace volantra
