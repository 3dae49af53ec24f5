#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "gui_test_main.h"
#include "screen_test_case.h"

namespace volantra::testing {

class NavigationTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void menuOpensCentredWithFocusOnCallPricing() {
        QWidget* menu = Open(ScreenId::Menu);
        QCOMPARE(menu->objectName(), QStringLiteral("frmGiris"));
        QCOMPARE(menu->windowTitle(), QStringLiteral("BLACK SCHOLES STOCK OPTIONS PRICING MODEL"));
        QCOMPARE(menu->size(), QSize(476, 271));
        QCOMPARE(menu->minimumSize(), menu->maximumSize());
        const QPoint centre = menu->screen()->availableGeometry().center();
        QVERIFY2((menu->geometry().center() - centre).manhattanLength() <= 3,
                 qPrintable(QString("centre %1,%2 of %3,%4")
                                .arg(menu->geometry().center().x())
                                .arg(menu->geometry().center().y())
                                .arg(centre.x())
                                .arg(centre.y())));
        QCOMPARE(FocusName(menu), QStringLiteral("Command1"));
        QCOMPARE(Text(menu, "Label1"), QStringLiteral("VOLANTRA 1.0"));
        QVERIFY(!Control<QLabel>(menu, "Image1")->pixmap().isNull());
        for (const char* label : {"Label2", "Label3"}) {
            QVERIFY(!Text(menu, label).isEmpty());
        }
    }

    void eachEntryFollowsTheStateTable() {
        struct Step {
            const char* from;
            const char* button;
            const char* to;
        };
        const Step steps[] = {
            {"frmGiris", "Command1", "frmCall"}, {"frmCall", "Command2", "frmGiris"},
            {"frmGiris", "Command2", "frmPut"},  {"frmPut", "Command2", "frmGiris"},
            {"frmGiris", "Command4", "Form1"},   {"Form1", "Command1", "frmGiris"},
        };
        Open(ScreenId::Menu);
        for (const Step& step : steps) {
            QWidget* from = Window(step.from);
            QVERIFY2(from != nullptr, step.from);
            Click(from, step.button);
            QVERIFY(Settle(step.to) != nullptr);
            QCOMPARE(OpenWindows(), QStringList{step.to});  // exactly one screen open
        }
    }

    void noInputSurvivesAReturnToTheMenu() {
        QWidget* call = Open(ScreenId::Call);
        Type(call, "txtAsset", "100");
        Type(call, "txtStrike", "100");
        Type(call, "txtMaturity", "365");
        Keys(call, "vsbVolatility", Qt::Key_PageUp);
        Click(call, "chkDividend");
        Type(call, "txtDividend", "2");
        Click(call, "Command2");
        QWidget* menu = Settle("frmGiris");
        Click(menu, "Command1");
        call = Settle("frmCall");
        for (const char* box :
             {"txtAsset", "txtStrike", "txtMaturity", "txtDividend", "txtInterest", "txtTime"}) {
            QVERIFY(Control<QLineEdit>(call, box)->text().isEmpty());
        }
        QCOMPARE(Results(call), QStringList(6, QString()));
        QVERIFY(Text(call, "lblVolatility").isEmpty());
        QVERIFY(!Control<QCheckBox>(call, "chkDividend")->isChecked());
        QVERIFY(!Control(call, "txtDividend")->isVisible());
        QCOMPARE(Percent(call, "vsbVolatility"), 1);
        QCOMPARE(Percent(call, "vsbInterest"), 1);
    }

    void exitEndsTheProgramFromEveryScreenThatHasOne() {
        for (ScreenId id : {ScreenId::Menu, ScreenId::Call, ScreenId::Put}) {
            QWidget* screen = Open(id);
            QVERIFY(ProgramEndsAfter([screen] { Click(screen, "Command3"); }));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(OpenWindows().isEmpty());
        }
        QWidget* instructions = Open(ScreenId::Instructions);
        QCOMPARE(instructions->findChildren<QPushButton*>().size(), 1);  // no exit button
    }

    void closingTheOnlyScreenEndsTheProgram() {
        for (ScreenId id :
             {ScreenId::Menu, ScreenId::Call, ScreenId::Put, ScreenId::Instructions}) {
            QWidget* screen = Open(id);
            QVERIFY(ProgramEndsAfter([screen] { screen->close(); }));  // what the close box does
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(OpenWindows().isEmpty());
        }
    }

    void changingScreensKeepsTheProgramRunning() {
        QWidget* menu = Open(ScreenId::Menu);
        QVERIFY(!ProgramEndsAfter([menu] { Click(menu, "Command1"); }, 300));
        QVERIFY(!ProgramEndsAfter([] { Click(Window("frmCall"), "Command2"); }, 300));
        QCOMPARE(OpenWindows(), QStringList{"frmGiris"});
    }

    void accessKeysPressTheirButtons() {
        struct Key {
            ScreenId screen;
            Qt::Key key;
            const char* opens;  // nullptr: the program ends
        };
        const Key keys[] = {
            {ScreenId::Menu, Qt::Key_C, "frmCall"},
            {ScreenId::Menu, Qt::Key_P, "frmPut"},
            {ScreenId::Menu, Qt::Key_I, "Form1"},
            {ScreenId::Menu, Qt::Key_X, nullptr},
            {ScreenId::Call, Qt::Key_R, "frmGiris"},
            {ScreenId::Call, Qt::Key_E, nullptr},
            {ScreenId::Put, Qt::Key_X, nullptr},
            {ScreenId::Instructions, Qt::Key_R, "frmGiris"},
        };
        for (const Key& k : keys) {
            QWidget* screen = Open(k.screen);
            auto press = [screen, &k] {
                QTest::keyClick(screen->windowHandle(), k.key, Qt::AltModifier);
            };
            if (k.opens == nullptr) {
                QVERIFY(ProgramEndsAfter(press));
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QVERIFY(OpenWindows().isEmpty());
                continue;
            }
            press();
            // An access key presses its button with a short animation.
            QTRY_COMPARE(OpenWindows(), QStringList{k.opens});
            CloseAll();
        }
        // Alt+X on the call screen is not its exit.
        QWidget* call = Open(ScreenId::Call);
        QTest::keyClick(call->windowHandle(), Qt::Key_X, Qt::AltModifier);
        QTest::qWait(300);
        QCOMPARE(OpenWindows(), QStringList{"frmCall"});
    }

    void instructionsShowTheirTextAndReturnOnEnterOrSpace() {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
            QWidget* form = Open(ScreenId::Instructions);
            QCOMPARE(form->objectName(), QStringLiteral("Form1"));
            QCOMPARE(form->windowTitle(), QStringLiteral("INSTRUCTIONS"));
            QCOMPARE(form->size(), QSize(432, 319));
            QCOMPARE(Text(form, "Label4"),
                     QStringLiteral("in  dollars, time to dividend payment(if any) in days, "
                                    "risk-free interest rate for time to "));
            QCOMPARE(Text(form, "Label9"),
                     QStringLiteral("The calculations are triggered by any change in the "
                                    "volatility or the interest."));
            for (QLabel* label : form->findChildren<QLabel*>()) {  // every line fits its label
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                         qPrintable(label->objectName()));
            }
            QCOMPARE(FocusName(form), QStringLiteral("Command1"));
            QTest::keyClick(form->focusWidget(), key);
            QVERIFY(Settle("frmGiris") != nullptr);
            QCOMPARE(OpenWindows(), QStringList{"frmGiris"});
            CloseAll();
        }
    }
};

}  // namespace volantra::testing

#include "navigation_test.moc"

VOLANTRA_GUI_TEST_MAIN(NavigationTest)
