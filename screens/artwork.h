#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// Pictures drawn by the program itself, so it ships no image files of others.
namespace volantra {

inline constexpr int TRADING_FLOOR_WIDTH = 500;
inline constexpr int TRADING_FLOOR_HEIGHT = 200;

/// A trading floor with quote screens, 500 × 200, the same on every call.
QImage DrawTradingFloor();

/// DrawTradingFloor as a pixmap for the main menu.
QPixmap TradingFloorPicture();

/// The program icon: a call's payoff line over a price chart, drawn at `size` pixels.
QImage DrawProgramIcon(int size);

/// The pixel sizes the program icon is drawn and installed at.
inline constexpr int ICON_SIZES[] = {16, 24, 32, 48, 64, 128, 256};

/// The program icon in ICON_SIZES.
QIcon ProgramIcon();

}  // namespace volantra
