#pragma once

class QWidget;

namespace volantra {

/// Draws a ring plainly visible on the blue screens around the bar or button that has
/// the keyboard focus: yellow against the blue outside, black against the grey inside.
/// Applies to every scroll bar and button of `window`.
void ShowFocusPlainly(QWidget* window);

}  // namespace volantra
