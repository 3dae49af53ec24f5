#include "screens/focus_ring_style.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOption>

namespace volantra {
namespace {

constexpr int RING_WIDTH = 2;

class FocusRingStyle : public QProxyStyle {
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control == CC_ScrollBar) {
            DrawRing(option, painter);
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButton || element == CE_CheckBox) {
            DrawRing(option, painter);
        }
    }

private:
    static void DrawRing(const QStyleOption* option, QPainter* painter) {
        if (!(option->state & State_HasFocus)) {
            return;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setBrush(Qt::NoBrush);
        const QRect outer = option->rect;
        painter->setPen(QPen(Qt::yellow, RING_WIDTH, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter->drawRect(outer.adjusted(1, 1, -1, -1));
        painter->setPen(QPen(Qt::black, 1));
        painter->drawRect(outer.adjusted(RING_WIDTH, RING_WIDTH, -RING_WIDTH - 1, -RING_WIDTH - 1));
        painter->restore();
    }
};

// One style for every screen, made anew for each application, which owns it.
QStyle* Shared() {
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = new FocusRingStyle;
        style->setParent(qApp);
    }
    return style;
}

}  // namespace

void ShowFocusPlainly(QWidget* window) {
    for (QScrollBar* bar : window->findChildren<QScrollBar*>()) {
        bar->setStyle(Shared());
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        button->setStyle(Shared());  // push buttons and the check box
    }
}

}  // namespace volantra
