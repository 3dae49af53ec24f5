#include <QTest>

#include "gui_test_main.h"
#include "screen_test_case.h"

namespace volantra::testing {

namespace {

const QString kEnterMain = QStringLiteral("Enter Asset,Strike,Maturity values");
const QString kAssetNotANumber = QStringLiteral("Asset is not a number");

// Longer than the bar's auto-repeat delay (500 ms) and many of its repeats (50 ms).
constexpr int kHoldMilliseconds = 900;

}  // namespace

// A message box takes the mouse: the press, repeat or drag of a bar under way ends
// there, so one press gives one step and at most one box.
class MousePressTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void aHeldPressGivesOneStepAndOneBox_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("part");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<int>("percentAfter");
        const int arrowUp = QStyle::SC_ScrollBarSubLine;
        const int trackAbove = QStyle::SC_ScrollBarSubPage;
        QTest::newRow("arrow, bad input")
            << int(ScreenId::Call) << "vsbVolatility" << arrowUp << true << 2;
        QTest::newRow("track, bad input")
            << int(ScreenId::Call) << "vsbVolatility" << trackAbove << true << 11;
        QTest::newRow("arrow, empty")
            << int(ScreenId::Put) << "vsbVolatility" << arrowUp << false << 2;
        QTest::newRow("track, empty")
            << int(ScreenId::Call) << "vsbVolatility" << trackAbove << false << 11;
        QTest::newRow("interest track, empty")
            << int(ScreenId::Put) << "vsbInterest" << trackAbove << false << 11;
        QTest::newRow("interest arrow, bad input")
            << int(ScreenId::Call) << "vsbInterest" << arrowUp << true << 2;
    }
    void aHeldPressGivesOneStepAndOneBox() {
        QFETCH(int, screen);
        QFETCH(QString, bar);
        QFETCH(int, part);
        QFETCH(bool, filled);
        QFETCH(int, percentAfter);
        QWidget* s = Open(ScreenId(screen));
        if (filled) {
            FillMain(s, "abc", "100", "365");
        }
        const QByteArray name = bar.toLatin1();
        auto* b = Control<QScrollBar>(s, name.constData());
        const QPoint at = PartOf(b, QStyle::SubControl(part));
        boxes().expect(filled ? kAssetNotANumber : kEnterMain);
        QTest::mousePress(b, Qt::LeftButton, {}, at);
        QTest::qWait(kHoldMilliseconds);
        QTest::mouseRelease(b, Qt::LeftButton, {}, at);
        QCOMPARE(boxes().shown().size(), 1);
        QCOMPARE(Percent(s, name.constData()), percentAfter);
    }

    // With the fields still empty, every later event shows the message again.
    void eachLaterEventOnEmptyFieldsShowsTheMessageAgain() {
        QWidget* s = Open(ScreenId::Call);
        auto* bar = Control<QScrollBar>(s, "vsbVolatility");
        for (int click = 1; click <= 3; ++click) {
            boxes().expect(kEnterMain);
            QTest::mouseClick(bar, Qt::LeftButton, {}, PartOf(bar, QStyle::SC_ScrollBarSubLine));
            QCOMPARE(boxes().shown().size(), click);
            QCOMPARE(Percent(s, "vsbVolatility"), 1 + click);
        }
        boxes().expect(kEnterMain);
        Keys(s, "vsbVolatility", Qt::Key_Up);
        QCOMPARE(boxes().shown().size(), 4);
        QCOMPARE(Percent(s, "vsbVolatility"), 5);
    }

    // A box during a drag ends it: the mouse moving on afterwards moves nothing.
    void aBoxEndsAMouseDrag() {
        QWidget* s = Open(ScreenId::Call);
        auto* bar = Control<QScrollBar>(s, "vsbVolatility");
        const QPoint thumb = PartOf(bar, QStyle::SC_ScrollBarSlider);
        QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
        boxes().expect(kEnterMain);
        QTest::mouseMove(bar, thumb - QPoint(0, 10));
        QCOMPARE(boxes().shown().size(), 1);
        QVERIFY(!bar->isSliderDown());
        const int percent = Percent(s, "vsbVolatility");
        QVERIFY(percent > 1);
        for (int step = 2; step <= 4; ++step) {
            QTest::mouseMove(bar, thumb - QPoint(0, 10 * step));
        }
        QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb - QPoint(0, 40));
        QCOMPARE(boxes().shown().size(), 1);
        QCOMPARE(Percent(s, "vsbVolatility"), percent);
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(MousePressTest)

#include "mouse_press_test.moc"
