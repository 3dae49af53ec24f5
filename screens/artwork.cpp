#include "screens/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <random>

namespace volantra {
namespace {

const char* const TICKERS[] = {"IBM", "GE",  "XOM", "KO", "MSFT", "INTC", "T",   "GM",
                               "F",   "DIS", "MO",  "PG", "MRK",  "JNJ",  "WMT", "CSCO"};

// One quote screen: a dark bezel with rows of tickers, prices and green or red changes.
void DrawQuoteScreen(QPainter& painter, const QRectF& box, std::mt19937& random) {
    painter.setPen(QPen(QColor(70, 70, 80), 1.5));
    painter.setBrush(QColor(10, 14, 20));
    painter.drawRoundedRect(box, 2, 2);
    painter.save();
    painter.setClipRect(box.adjusted(1, 1, -1, -1));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(5, static_cast<int>(box.height() / 6)));
    painter.setFont(font);
    const qreal rowHeight = font.pixelSize() + 1.5;
    std::uniform_int_distribution<int> ticker(0, std::size(TICKERS) - 1);
    std::uniform_int_distribution<int> price(1000, 19999);
    std::bernoulli_distribution up(0.55);
    qreal y = box.top() + 2 + font.pixelSize();
    while (y < box.bottom() - 1) {
        const bool rising = up(random);
        const int cents = price(random);
        painter.setPen(QColor(230, 200, 60));
        painter.drawText(QPointF(box.left() + 3, y), QLatin1String(TICKERS[ticker(random)]));
        painter.setPen(rising ? QColor(60, 230, 90) : QColor(240, 60, 60));
        painter.drawText(QPointF(box.left() + box.width() * 0.45, y),
                         QStringLiteral("%1.%2 %3")
                             .arg(cents / 100)
                             .arg(cents % 100, 2, 10, QLatin1Char('0'))
                             .arg(rising ? u'\u25B2' : u'\u25BC'));
        y += rowHeight;
    }
    painter.restore();
}

void DrawTrader(QPainter& painter, qreal x, qreal floor, qreal scale, const QColor& jacket) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(jacket);
    QPainterPath body;
    body.addRoundedRect(QRectF(x - 9 * scale, floor - 30 * scale, 18 * scale, 30 * scale),
                        6 * scale, 6 * scale);
    painter.drawPath(body);
    painter.setBrush(QColor(225, 185, 150));
    painter.drawEllipse(QPointF(x, floor - 36 * scale), 6 * scale, 6.5 * scale);
    painter.setBrush(QColor(40, 30, 25));
    painter.drawChord(QRectF(x - 6 * scale, floor - 43 * scale, 12 * scale, 10 * scale), 0,
                      180 * 16);
}

}  // namespace

QImage DrawTradingFloor(qreal pixelsPerPoint) {
    QImage image(qRound(TRADING_FLOOR_WIDTH * pixelsPerPoint),
                 qRound(TRADING_FLOOR_HEIGHT * pixelsPerPoint), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixelsPerPoint, pixelsPerPoint);  // drawn in points
    std::mt19937 random(1987);

    QLinearGradient wall(0, 0, 0, 120);
    wall.setColorAt(0, QColor(18, 24, 48));
    wall.setColorAt(1, QColor(42, 52, 84));
    painter.fillRect(QRectF(0, 0, TRADING_FLOOR_WIDTH, TRADING_FLOOR_HEIGHT), wall);

    // The big board along the back wall.
    painter.fillRect(QRectF(0, 8, 500, 62), QColor(8, 10, 16));
    for (int column = 0; column < 10; ++column) {
        DrawQuoteScreen(painter, QRectF(4 + column * 49.5, 11, 46, 56), random);
    }
    // A scrolling ticker tape under it.
    painter.fillRect(QRectF(0, 72, 500, 12), QColor(25, 5, 5));
    QFont tape(QStringLiteral("Liberation Sans"));
    tape.setPixelSize(9);
    tape.setBold(true);
    painter.setFont(tape);
    painter.setPen(QColor(255, 120, 40));
    painter.drawText(QPointF(4, 81),
                     QStringLiteral("IBM 102.45 +0.30   XOM 61.20 -0.15   KO 41.05 +0.22   "
                                    "GE 22.80 -0.05   MSFT 27.35 +0.41   DIS 36.10 +0.12"));

    // The floor, the desks with their monitors, and the traders behind them.
    QLinearGradient floor(0, 110, 0, 200);
    floor.setColorAt(0, QColor(70, 60, 52));
    floor.setColorAt(1, QColor(35, 30, 26));
    painter.fillRect(QRectF(0, 110, 500, 90), floor);
    const QColor jackets[] = {QColor(30, 60, 140), QColor(150, 30, 30), QColor(200, 170, 40),
                              QColor(40, 110, 60), QColor(90, 90, 100)};
    for (int row = 0; row < 2; ++row) {
        const qreal scale = row == 0 ? 0.8 : 1.15;
        const qreal deskTop = row == 0 ? 128 : 168;
        const int desks = row == 0 ? 7 : 5;
        const qreal pitch = 500.0 / desks;
        for (int d = 0; d < desks; ++d) {
            const qreal x = pitch * (d + 0.5) + (row == 0 ? 0 : pitch / 4);
            DrawTrader(painter, x - 14 * scale, deskTop, scale, jackets[(d + row) % 5]);
            DrawTrader(painter, x + 16 * scale, deskTop + 2, scale, jackets[(d + row + 2) % 5]);
            DrawQuoteScreen(painter,
                            QRectF(x - 30 * scale, deskTop - 30 * scale, 26 * scale, 22 * scale),
                            random);
            DrawQuoteScreen(painter,
                            QRectF(x + 2 * scale, deskTop - 30 * scale, 26 * scale, 22 * scale),
                            random);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(110, 75, 45));
            painter.drawRect(QRectF(x - pitch * 0.45, deskTop, pitch * 0.9, 9 * scale));
            painter.setBrush(QColor(80, 55, 35));
            painter.drawRect(
                QRectF(x - pitch * 0.45, deskTop + 9 * scale, pitch * 0.9, 14 * scale));
        }
    }
    return image;
}

QPixmap TradingFloorPicture(qreal devicePixelRatio) {
    QPixmap picture = QPixmap::fromImage(DrawTradingFloor(devicePixelRatio));
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

QImage DrawProgramIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    QLinearGradient back(0, 0, 0, 64);
    back.setColorAt(0, QColor(20, 40, 200));
    back.setColorAt(1, QColor(0, 0, 120));
    painter.setPen(Qt::NoPen);
    painter.setBrush(back);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // Price bars rising to the right.
    const int heights[] = {10, 16, 13, 22, 28};
    for (int i = 0; i < 5; ++i) {
        painter.setBrush(i % 2 == 0 ? QColor(60, 220, 100) : QColor(240, 70, 60));
        painter.drawRect(QRectF(10 + i * 9, 52 - heights[i], 6, heights[i]));
    }
    // A call's payoff: flat, then rising after the strike.
    QPen payoff(QColor(255, 255, 255), 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(payoff);
    painter.setBrush(Qt::NoBrush);
    QPainterPath line;
    line.moveTo(9, 40);
    line.lineTo(30, 40);
    line.lineTo(55, 12);
    painter.drawPath(line);
    return image;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : ICON_SIZES) {
        icon.addPixmap(QPixmap::fromImage(DrawProgramIcon(size)));
    }
    return icon;
}

}  // namespace volantra
