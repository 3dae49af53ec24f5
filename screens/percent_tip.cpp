#include "screens/percent_tip.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QLocale>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>

#include "screens/scroll_events.h"

namespace volantra {

PercentTip::PercentTip(QScrollBar* bar, const QString& name)
    : QObject(bar), bar_(bar), name_(name) {
    bar_->installEventFilter(this);
    connect(bar_, &QScrollBar::valueChanged, this, &PercentTip::ShowWhileMoving);
    connect(bar_, &QScrollBar::sliderMoved, this, &PercentTip::ShowWhileMoving);
}

QString PercentTip::Text() const {
    const int percent = Mirrored(*bar_, bar_->sliderPosition());
    QString tip = name_ + QStringLiteral(": ") + QLocale().toString(percent) + QLatin1Char('%');
    if (!bar_->toolTip().isEmpty()) {
        tip += QLatin1Char('\n') + bar_->toolTip();
    }
    return tip;
}

bool PercentTip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bar_ && event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), Text(), bar_);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// Only a move the user makes with the mouse on this bar shows the tip, beside the
// thumb; a bar moved by keys or by the program stays quiet.
void PercentTip::ShowWhileMoving() {
    const bool byMouse = bar_->isSliderDown() ||
                         (bar_->underMouse() && QGuiApplication::mouseButtons() != Qt::NoButton);
    if (!byMouse) {
        return;
    }
    QStyleOptionSlider option;
    option.initFrom(bar_);
    option.orientation = bar_->orientation();
    option.minimum = bar_->minimum();
    option.maximum = bar_->maximum();
    option.sliderPosition = bar_->sliderPosition();
    option.sliderValue = bar_->value();
    option.pageStep = bar_->pageStep();
    option.singleStep = bar_->singleStep();
    const QRect thumb = bar_->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                      QStyle::SC_ScrollBarSlider, bar_);
    QToolTip::showText(bar_->mapToGlobal(thumb.topRight()), Text(), bar_);
}

}  // namespace volantra
