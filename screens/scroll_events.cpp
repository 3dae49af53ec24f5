#include "screens/scroll_events.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>

namespace volantra {

int Mirrored(const QAbstractSlider& bar, int value) {
    return bar.minimum() + bar.maximum() - value;
}

// Qt puts a vertical bar's minimum at the top; the bar's own value runs from the top,
// and the percentage is its mirror, so arrows, track, keys and drag all keep Qt's
// natural directions.
ScrollEvents::ScrollEvents(QScrollBar* bar, int bottom, int top, int initial)
    : QObject(bar), bar_(bar) {
    bar_->setRange(bottom, top);
    bar_->setValue(Mirrored(*bar_, initial));
    bar_->setTracking(true);
    connect(bar_, &QScrollBar::valueChanged, this, [this] {
        if (!bar_->isSliderDown()) {
            emit Changed();
        }
    });
    connect(bar_, &QScrollBar::sliderPressed, this, [this] { valueAtPress_ = bar_->value(); });
    connect(bar_, &QScrollBar::sliderMoved, this, [this] { emit Scrolled(); });
    connect(bar_, &QScrollBar::sliderReleased, this, [this] {
        if (bar_->value() != valueAtPress_) {
            emit Changed();
        }
    });
}

int ScrollEvents::Percent() const {
    return Mirrored(*bar_, bar_->sliderPosition());
}

void ScrollEvents::EndPress() {
    // The release the bar never gets: it stops the repeat of an arrow or track press
    // and lets go of the thumb; a bar that is not pressed ignores it.
    const QPointF centre = QRectF(bar_->rect()).center();
    QMouseEvent release(QEvent::MouseButtonRelease, centre, bar_->mapToGlobal(centre),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar_, &release);
    if (bar_->isSliderDown()) {  // a thumb held down without the mouse
        bar_->setSliderDown(false);
    }
}

}  // namespace volantra
