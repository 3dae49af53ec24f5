#pragma once

#include <QObject>

class QAbstractSlider;
class QScrollBar;

namespace volantra {

/// The percentage a bar position shows, and the position that shows a percentage: the
/// top of a vertical bar holds the larger number, so each mirrors the other.
int Mirrored(const QAbstractSlider& bar, int value);

/// A vertical bar whose top holds the larger percentage, with the two events of the
/// recalculation: a change after every arrow, page or key move and at the end of a
/// drag, and a scroll at every step of a drag.
class ScrollEvents : public QObject {
    Q_OBJECT

public:
    /// Sets the bar's range as percentages `bottom` to `top`, at `initial`.
    ScrollEvents(QScrollBar* bar, int bottom, int top, int initial);

    /// The percentage at the thumb's current position, also while it is dragged.
    [[nodiscard]] int Percent() const;

    /// Ends a mouse press on the bar, with its auto-repeat or drag, as a message box
    /// that takes the mouse must: the box swallows the button's release.
    void EndPress();

signals:
    void Changed();
    void Scrolled();

private:
    QScrollBar* bar_;
    int valueAtPress_ = 0;
};

}  // namespace volantra
