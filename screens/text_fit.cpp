#include "screens/text_fit.h"

#include <QFontMetricsF>
#include <cmath>

namespace volantra {
namespace {

constexpr qreal STEP_POINTS = 0.5;
// Kerning and shaping may shift a text's width a little from the sum of its letters.
constexpr qreal SLACK_PIXELS = 2;

}  // namespace

TextFitter::TextFitter(const QFont& font, qreal floorPoints) : font_(font), floor_(floorPoints) {
    const QFontMetricsF metrics(font_);
    for (std::size_t c = 0; c < asciiAdvances_.size(); ++c) {
        asciiAdvances_[c] = metrics.horizontalAdvance(QChar(char16_t(c)));
    }
}

FittedText TextFitter::Fit(const QString& text, int width) const {
    const qreal own = font_.pointSizeF();
    if (SurelyFits(text, width) || Fits(font_, text, width)) {
        return {own, text};
    }
    // Start near the size the width allows, then step down until the text fits.
    const qreal wide = QFontMetricsF(font_).horizontalAdvance(text);
    qreal points = std::floor(own * width / wide / STEP_POINTS) * STEP_POINTS;
    QFont smaller = font_;
    points = std::min(points, own - STEP_POINTS);
    while (points >= floor_) {
        smaller.setPointSizeF(points);
        if (Fits(smaller, text, width)) {
            return {points, text};
        }
        points -= STEP_POINTS;
    }
    smaller.setPointSizeF(floor_);
    return {floor_, QFontMetricsF(smaller).elidedText(text, Qt::ElideRight, width)};
}

// The sum of the letters' advances, read from a table: no text is measured for the
// digits, signs and symbols of an ordinary result.
bool TextFitter::SurelyFits(const QString& text, int width) const {
    qreal sum = SLACK_PIXELS;
    for (QChar c : text) {
        if (c.unicode() >= asciiAdvances_.size()) {
            return false;
        }
        sum += asciiAdvances_[c.unicode()];
    }
    return sum <= width;
}

bool TextFitter::Fits(const QFont& font, const QString& text, int width) const {
    return QFontMetricsF(font).horizontalAdvance(text) <= width;
}

}  // namespace volantra
