#pragma once

class QWidget;

namespace volantra {

/// Draws a ring plainly visible on the blue screens around the bar, button or check box
/// that has the keyboard focus: yellow against the blue outside, black inside it.
/// Applies to every scroll bar, button and check box of `window`.
void ShowFocusPlainly(QWidget* window);

}  // namespace volantra
