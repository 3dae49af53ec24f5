#pragma once

#include <QFont>
#include <QString>
#include <array>

namespace volantra {

/// How a text is drawn in a box too narrow for it at the box's own size.
struct FittedText {
    qreal pointSize = 0;  ///< the size to draw at, in points
    QString shown;        ///< the text as drawn: the whole text unless elided with "…"
};

/// Fits texts into a fixed width in one face: at its own size when they fit, else at
/// the largest smaller size in half points down to a floor, below which they are elided.
class TextFitter {
public:
    /// `font` is the face and size of the box; `floorPoints` the smallest size drawn.
    TextFitter(const QFont& font, qreal floorPoints);

    /// The size and text that fit `width` pixels.
    [[nodiscard]] FittedText Fit(const QString& text, int width) const;

private:
    [[nodiscard]] bool SurelyFits(const QString& text, int width) const;
    [[nodiscard]] bool Fits(const QFont& font, const QString& text, int width) const;

    QFont font_;
    qreal floor_;
    std::array<qreal, 128> asciiAdvances_{};  // at the box's own size
};

}  // namespace volantra
