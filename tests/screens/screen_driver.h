#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "screens/navigation.h"
#include "worked_examples.h"

// Drives the real screens through their object names, as a user would.
namespace volantra::testing {

inline QWidget* Window(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name) && w->isVisible()) {
            return w;
        }
    }
    return nullptr;
}

inline QStringList OpenWindows() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !w->inherits("QMessageBox")) {
            names << w->objectName();
        }
    }
    return names;
}

template <typename T = QWidget>
T* Control(QWidget* screen, const char* name) {
    T* control = screen->findChild<T*>(QLatin1String(name));
    if (control == nullptr) {
        qFatal("no control %s on %s", name, qPrintable(screen->objectName()));
    }
    return control;
}

inline QString Text(QWidget* screen, const char* label) {
    return Control<QLabel>(screen, label)->text();
}

inline void Type(QWidget* screen, const char* box, const QString& text) {
    QLineEdit* edit = Control<QLineEdit>(screen, box);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

// Types the three main fields, asset, strike and maturity.
inline void FillMain(QWidget* screen, const QString& asset, const QString& strike,
                     const QString& maturity) {
    Type(screen, "txtAsset", asset);
    Type(screen, "txtStrike", strike);
    Type(screen, "txtMaturity", maturity);
}

// Types a worked example's main fields and, where it has one, its dividend row.
inline void FillExample(QWidget* screen, const WorkedExample& example) {
    FillMain(screen, QString::fromStdString(example.asset), QString::fromStdString(example.strike),
             QString::fromStdString(example.maturity));
    if (example.HasDividend()) {
        QTest::mouseClick(Control(screen, "chkDividend"), Qt::LeftButton);
        Type(screen, "txtDividend", QString::fromStdString(example.dividend));
        Type(screen, "txtInterest", QString::fromStdString(example.dividendInterest));
        Type(screen, "txtTime", QString::fromStdString(example.dividendTime));
    }
}

inline void Keys(QWidget* screen, const char* control, Qt::Key key, int times = 1) {
    QWidget* target = Control(screen, control);
    target->setFocus();
    for (int i = 0; i < times; ++i) {
        QTest::keyClick(target, key);
    }
}

// The bar's percentage: its top holds the larger number.
inline int Percent(QWidget* screen, const char* bar) {
    const QScrollBar* b = Control<QScrollBar>(screen, bar);
    return b->minimum() + b->maximum() - b->value();
}

// Moves the bar to a percentage with the arrow keys, one change event per step.
inline void MoveTo(QWidget* screen, const char* bar, int percent) {
    while (Percent(screen, bar) < percent) {
        Keys(screen, bar, Qt::Key_Up);
    }
    while (Percent(screen, bar) > percent) {
        Keys(screen, bar, Qt::Key_Down);
    }
}

// Where on the bar a click lands on one of its parts.
inline QPoint PartOf(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

inline void Click(QWidget* screen, const char* button) {
    QTest::mouseClick(Control(screen, button), Qt::LeftButton);
}

inline QStringList Results(QWidget* screen) {
    QStringList texts;
    for (const char* name :
         {"lblDbir", "lblCalldelta", "lblCallgamma", "lblCalltheta", "lblCallvega", "lblCallrho"}) {
        texts << Text(screen, name);
    }
    return texts;
}

// The control that holds the focus in the screen's window, also while a box is open.
inline QString FocusName(QWidget* screen) {
    const QWidget* focus = screen->window()->focusWidget();
    return focus ? focus->objectName() : QString();
}

// Closes every screen and lets Qt delete them.
inline void CloseAll() {
    QApplication::closeAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace volantra::testing

namespace volantra::testing {

// Opens a screen as the program does and makes it the active window.
inline QWidget* Open(ScreenId id) {
    QWidget* screen = OpenScreen(id);
    screen->activateWindow();
    if (!QTest::qWaitForWindowActive(screen)) {
        qWarning("window %s did not become active", qPrintable(screen->objectName()));
    }
    return screen;
}

// Opens a worked example's screen, types its inputs and moves both bars to its positions.
inline QWidget* OpenWith(const WorkedExample& example) {
    QWidget* screen = Open(example.IsCall() ? ScreenId::Call : ScreenId::Put);
    FillExample(screen, example);
    MoveTo(screen, "vsbInterest", example.interest);
    MoveTo(screen, "vsbVolatility", example.volatility);
    return screen;
}

// After a navigation: lets the unloaded screen go and activates the one left open.
inline QWidget* Settle(const char* expected) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QWidget* screen = Window(expected);
    if (screen != nullptr) {
        screen->activateWindow();
        if (!QTest::qWaitForWindowActive(screen)) {
            qWarning("window %s did not become active", expected);
        }
    }
    return screen;
}

}  // namespace volantra::testing

namespace volantra::testing {

// Runs the program's event loop, as it runs for a user, until the program ends or the
// time runs out; true when `action` ended the program. Its timers end with it.
inline bool ProgramEndsAfter(const std::function<void()>& action, int milliseconds = 5000) {
    QApplication::setQuitOnLastWindowClosed(true);
    bool ended = true;
    QTimer start;
    start.setSingleShot(true);
    QObject::connect(&start, &QTimer::timeout, action);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, [&ended] {
        ended = false;
        QCoreApplication::exit(1);
    });
    start.start(0);
    deadline.start(milliseconds);
    QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(false);
    return ended;
}

// Whether a nested event loop, such as a message box's, still runs: an exit asked for
// while no loop ran would make every later one return at once.
inline bool NestedLoopsRun() {
    QEventLoop loop;
    QTimer tick;
    tick.setSingleShot(true);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&loop] { loop.exit(7); });
    tick.start(0);
    return loop.exec() == 7;
}

}  // namespace volantra::testing
