#include "screens/screen_style.h"

#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace volantra {
namespace {

// Owned by the window whose push buttons it watches.
class EnterPressesButton : public QObject {
public:
    explicit EnterPressesButton(QWidget* window) : QObject(window) {
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            button->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                static_cast<QPushButton*>(watched)->click();
                return true;
            }
        }
        return false;
    }
};

}  // namespace

void InstallFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
}

void SetPointSize(QWidget* widget, qreal points) {
    QFont font = widget->font();
    font.setPointSizeF(points);
    widget->setFont(font);
}

void SetBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetForeground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void ShowCentred(QWidget* window) {
    window->setFixedSize(window->size());
    if (const QScreen* screen = window->screen()) {
        const QRect area = screen->availableGeometry();
        window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
    }
    window->show();
}

void PlaceBeside(QWidget* window, const QWidget* owner) {
    const QRect frame = owner->frameGeometry();
    QPoint at = frame.topRight() + QPoint(8, 0);
    if (const QScreen* screen = owner->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.x() + window->width() > area.right()) {
            at.setX(std::max(area.left(), frame.left() - window->width() - 8));
        }
        // The window's own frame is not known before it is shown: the owner's stands for it.
        const int frameHeight = frame.height() - owner->height();
        at.setY(std::clamp(at.y(), area.top(),
                           std::max(area.top(), area.bottom() - window->height() - frameHeight)));
    }
    window->move(at);
}

void PressFocusedButtonOnEnter(QWidget* window) {
    new EnterPressesButton(window);
}

}  // namespace volantra
