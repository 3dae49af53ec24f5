#pragma once

#include <QColor>
#include <QString>

class QWidget;

// What every screen shares: fonts, colours, fixed centred windows, buttons that
// answer Enter.
namespace volantra {

inline const QColor SCREEN_BLUE(0, 0, 255);
inline const QColor CAPTION_RED(255, 0, 0);

/// The title of the message boxes.
inline const QString APPLICATION_TITLE = QStringLiteral("Volantra");

/// Lets Qt draw the screens' fonts with metric-compatible substitutes where missing.
void InstallFontSubstitutes();

/// Sets a fractional point size, which a form file cannot hold.
void SetPointSize(QWidget* widget, qreal points);

/// Fills the widget's background with `colour`.
void SetBackground(QWidget* widget, const QColor& colour);

/// Draws the widget's text (or a frame's line) in `colour`.
void SetForeground(QWidget* widget, const QColor& colour);

/// Fixes the window at its designed size, centres it on its screen and shows it.
void ShowCentred(QWidget* window);

/// Moves `window` beside `owner`, to its right where the screen has room, kept on the screen.
void PlaceBeside(QWidget* window, const QWidget* owner);

/// Makes Enter, like Space, press whichever of the window's buttons has the focus.
void PressFocusedButtonOnEnter(QWidget* window);

}  // namespace volantra
