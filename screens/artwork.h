#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// Pictures drawn by the program itself, so it ships no image files of others.
namespace volantra {

inline constexpr int TRADING_FLOOR_WIDTH = 500;
inline constexpr int TRADING_FLOOR_HEIGHT = 200;

/// A trading floor with quote screens, 500 × 200 points at `pixelsPerPoint`, the same
/// picture on every call and at every scale.
QImage DrawTradingFloor(qreal pixelsPerPoint = 1);

/// DrawTradingFloor as a 500 × 200 pixmap for the main menu, drawn at `devicePixelRatio`
/// so that a high-density screen shows it sharp rather than enlarged.
QPixmap TradingFloorPicture(qreal devicePixelRatio = 1);

/// The program icon: a call's payoff line over a price chart, drawn at `size` pixels.
QImage DrawProgramIcon(int size);

/// The pixel sizes the program icon is drawn and installed at.
inline constexpr int ICON_SIZES[] = {16, 24, 32, 48, 64, 128, 256};

/// The program icon in ICON_SIZES.
QIcon ProgramIcon();

}  // namespace volantra
