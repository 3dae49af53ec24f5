#pragma once

#include <QString>

class QWidget;

// The user guide, read in a window of the program.
namespace volantra {

/// Title of the user guide's window.
inline constexpr const char* USER_GUIDE_TITLE = "Volantra User Guide";

/// Where the guide is installed, below a data folder: GUIDE/user-guide.md and GUIDE/images.
inline constexpr const char* USER_GUIDE_FOLDER = "volantra/guide";

/// The folder holding the installed guide: PREFIX/share/volantra/guide beside the
/// program, else the first of the desktop's data folders that holds it; empty if none.
QString UserGuideFolder();

/// Opens the user guide's window, or raises it when it is open already.
QWidget* ShowUserGuide();

/// Makes F1 open the user guide from `screen`.
void InstallHelpKey(QWidget* screen);

}  // namespace volantra
