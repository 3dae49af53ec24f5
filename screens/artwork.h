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

/// The program icon in the usual sizes.
QIcon ProgramIcon();

}  // namespace volantra
