#pragma once

class QWidget;

// The one rule for moving between screens: show the target, created afresh, then
// unload the screen that asked, so exactly one screen is open at any time.
namespace volantra {

enum class ScreenId { Menu, Call, Put, Instructions };

/// Creates the screen in its initial state and shows it, centred; it is deleted when closed.
QWidget* OpenScreen(ScreenId screen);

/// Opens `target`, then unloads `current`.
void Navigate(QWidget* current, ScreenId target);

/// Ends the program at once, closing every open screen.
void ExitProgram();

}  // namespace volantra
