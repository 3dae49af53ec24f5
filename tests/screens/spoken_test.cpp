#include <QAccessible>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "gui_test_main.h"
#include "screen_test_case.h"
#include "screens/result_announcer.h"
#include "worked_examples.h"

namespace volantra::testing {
namespace {

// What the window's announcer says while `action` runs.
QStringList Heard(QWidget* window, const std::function<void()>& action) {
    QSignalSpy heard(window->findChild<ResultAnnouncer*>(), &ResultAnnouncer::Announced);
    action();
    QStringList said;
    for (const QList<QVariant>& signal : heard) {
        said << signal.at(0).toString();
    }
    return said;
}

void Press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

}  // namespace

// What a screen reader hears beyond each bar step's value, and the keys that reach it.
class SpokenTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    // Ctrl+Shift+R says every result; Ctrl+Shift+C says whether it copied.
    void resultsAreSpokenOnRequest() {
        const WorkedExample& put = WorkedExampleNamed("put");
        QWidget* empty = Open(ScreenId::Call);
        QCOMPARE(
            Heard(empty, [&] { Press(empty, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier); }),
            QStringList{"No results"});
        QCOMPARE(
            Heard(empty, [&] { Press(empty, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); }),
            QStringList{"No results"});
        CloseAll();
        QWidget* s = OpenWith(put);
        const std::vector<std::string>& r = put.shown;
        const QString all =
            QString::fromStdString("Put value " + r[0] + ", delta " + r[1] + ", gamma " + r[2] +
                                   ", theta " + r[3] + ", vega " + r[4] + ", rho " + r[5]);
        QCOMPARE(Heard(s, [&] { Press(s, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier); }),
                 QStringList{all});
        QCOMPARE(Heard(s, [&] { Press(s, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier); }),
                 QStringList{"Results copied"});
    }

    // Ticking DIVIDENDS says where the boxes it shows stand; unticking says nothing.
    void tickingDividendsSaysTheBoxesAreShown() {
        QWidget* s = Open(ScreenId::Call);
        FillMain(s, "100", "100", "365");
        auto* tick = Control<QWidget>(s, "chkDividend");
        tick->setFocus();
        QCOMPARE(
            Heard(s, [&] { Press(s, Qt::Key_Space); }),
            QStringList{"Dividend amount, interest rate and time shown; Shift+Tab to fill them"});
        QCOMPARE(Heard(s, [&] { Press(s, Qt::Key_Space); }), QStringList{});
    }

    // The chart: Move Bar says what the screen then shows, Enter in the market value says
    // what it found, Tab leaves the table, Escape closes the window.
    void theChartIsUsableByKeys() {
        const WorkedExample& call = WorkedExampleNamed("call");
        QWidget* s = OpenWith(call);
        Press(s, Qt::Key_G, Qt::ControlModifier);
        QWidget* chart = Window("frmChart");
        QVERIFY(QTest::qWaitForWindowActive(chart));
        const QString atThirty =  // what the screen shows at volatility 30
            Control<QTableView>(chart, "tblPositions")->model()->index(29, 1).data().toString();
        auto* market = Control<QLineEdit>(chart, "txtMarketValue");
        market->setFocus();
        QTest::keyClicks(market, atThirty);
        const QString found = Text(chart, "lblMatches");
        QVERIFY(!found.isEmpty());
        QCOMPARE(Heard(chart, [&] { Press(chart, Qt::Key_Return); }), QStringList{found});
        QSignalSpy moved(chart->findChild<ResultAnnouncer*>(), &ResultAnnouncer::Announced);
        Press(chart, Qt::Key_M, Qt::AltModifier);  // the button's click comes a moment later
        QTRY_COMPARE(moved.size(), 1);
        QCOMPARE(Text(s, "lblDbir"), atThirty);
        QCOMPARE(moved.at(0).at(0).toString(), "Call value " + Text(s, "lblDbir"));
        auto* table = Control<QTableView>(chart, "tblPositions");
        table->setFocus();
        Press(chart, Qt::Key_Tab);
        QVERIFY(!table->hasFocus());
        Press(chart, Qt::Key_Escape);
        QTRY_VERIFY(!chart->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), s);
    }

    // The instructions are read with the button that has the focus when the screen opens.
    void theInstructionsAreReadWithTheFocusedButton() {
        QWidget* s = Open(ScreenId::Instructions);
        const QString described =
            QAccessible::queryAccessibleInterface(s->focusWidget())->text(QAccessible::Description);
        QVERIFY2(described.startsWith("The program uses the Black-Scholes Model") &&
                     described.endsWith("in the volatility or the interest."),
                 qPrintable(described));
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(SpokenTest)

#include "spoken_test.moc"
