#pragma once

namespace volantra {

/// What the program does on start: its name, icon and fonts, then the main menu.
/// Needs a QApplication.
void StartVolantra();

}  // namespace volantra
