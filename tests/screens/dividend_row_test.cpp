#include <QTest>

#include "gui_test_main.h"
#include "screen_test_case.h"
#include "worked_examples.h"

namespace volantra::testing {

// An empty box in the dividend row: one message, a 0 in each empty box, the typed
// boxes kept, and the option valued without the dividend.
class DividendRowTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void onlyTheEmptyBoxesGetAZero_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("dividend empty")
            << QStringList{"", "5", "30"} << QStringList{"0", "5", "30"};
        QTest::newRow("time empty") << QStringList{"2", "5", ""} << QStringList{"2", "5", "0"};
        QTest::newRow("spaces") << QStringList{"  ", "5", " "} << QStringList{"0", "5", "0"};
        QTest::newRow("all empty") << QStringList{"", "", ""} << QStringList{"0", "0", "0"};
    }
    void onlyTheEmptyBoxesGetAZero() {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, after);
        const char* row[] = {"txtDividend", "txtInterest", "txtTime"};
        QWidget* s = Open(ScreenId::Put);
        FillMain(s, "100", "100", "365");
        MoveTo(s, "vsbVolatility", 19);
        MoveTo(s, "vsbInterest", 5);
        Click(s, "chkDividend");
        for (int i = 0; i < 3; ++i) {
            Type(s, row[i], typed[i]);
        }
        boxes().expect(QStringLiteral("Enter Dividend,Interest,Time values"));
        Keys(s, "vsbVolatility", Qt::Key_Up);  // to 20
        QCOMPARE(boxes().shown().size(), 1);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(Control<QLineEdit>(s, row[i])->text(), after[i]);
        }
        // This event values the put without a dividend: the worked example.
        QStringList shown;
        for (const std::string& text : WorkedExampleNamed("put").shown) {
            shown << QString::fromStdString(text);
        }
        QCOMPARE(Results(s), shown);
        Keys(s, "vsbVolatility", Qt::Key_Down);  // the row is filled now: no message
        QCOMPARE(boxes().shown().size(), 1);
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(DividendRowTest)

#include "dividend_row_test.moc"
