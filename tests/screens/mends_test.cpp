#include <QClipboard>
#include <QLabel>
#include <QTest>

#include "gui_test_main.h"
#include "screen_test_case.h"
#include "worked_examples.h"

namespace volantra::testing {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The call or put screen showing its worked example's results.
QWidget* Priced(const char* example) {
    const WorkedExample& row = WorkedExampleNamed(example);
    QWidget* s = Open(row.IsCall() ? ScreenId::Call : ScreenId::Put);
    FillMain(s, Q(row.asset), Q(row.strike), Q(row.maturity));
    MoveTo(s, "vsbVolatility", row.volatility);
    MoveTo(s, "vsbInterest", row.interest);
    return s;
}

void PressCopy(QWidget* s) {
    QTest::keyClick(s->window()->focusWidget(), Qt::Key_C, Qt::ControlModifier);
}

}  // namespace

// What a new user trying the screens stumbled on.
class MendsTest : public ScreenTestCase {
    Q_OBJECT

private slots:

    // A double-click selects the whole number, which Ctrl+C then copies.
    void aDoubleClickedResultIsCopiedWhole_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("result");  // its place in the table's results; -1: a bar's
        QTest::newRow("call value") << "call"
                                    << "lblDbir" << 0;
        QTest::newRow("put delta, negative") << "put"
                                             << "lblCalldelta" << 1;
        QTest::newRow("put rho") << "put"
                                 << "lblCallrho" << 5;
        QTest::newRow("volatility shown") << "call"
                                          << "lblVolatility" << -1;
    }
    void aDoubleClickedResultIsCopiedWhole() {
        QFETCH(QString, example);
        QFETCH(QString, box);
        QFETCH(int, result);
        const WorkedExample& row = WorkedExampleNamed(example.toStdString());
        QWidget* s = Priced(row.name.c_str());
        auto* label = Control<QLabel>(s, box.toLatin1().constData());
        const QString expected =
            result < 0 ? QString::number(row.volatility) : Q(row.shown.at(result));
        QApplication::clipboard()->setText(QStringLiteral("before"));
        const QPoint inText(label->contentsRect().left() + label->indent() + 4,
                            label->height() / 2);
        QTest::mouseDClick(label, Qt::LeftButton, {}, inText);
        QCOMPARE(label->selectedText(), expected);
        PressCopy(s);
        QCOMPARE(QApplication::clipboard()->text(), expected);
        QCOMPARE(label->text(), expected);
    }

    // Part of a result dragged over with the mouse is what Ctrl+C copies.
    void aSelectedPartIsCopied() {
        QWidget* s = Priced("put");
        auto* value = Control<QLabel>(s, "lblCalltheta");
        const int left = value->contentsRect().left() + value->indent();
        QTest::mousePress(value, Qt::LeftButton, {}, QPoint(left, value->height() / 2));
        QTest::mouseMove(value, QPoint(left + value->width() / 3, value->height() / 2));
        QTest::mouseRelease(value, Qt::LeftButton, {},
                            QPoint(left + value->width() / 3, value->height() / 2));
        const QString part = value->selectedText();
        QVERIFY(!part.isEmpty() && part.size() < value->text().size());
        QVERIFY(value->text().startsWith(part));
        QApplication::clipboard()->setText(QStringLiteral("before"));
        PressCopy(s);
        QCOMPARE(QApplication::clipboard()->text(), part);
        // The bar the user goes back to still steps by keys.
        Keys(s, "vsbVolatility", Qt::Key_Up);
        QCOMPARE(FocusName(s), QStringLiteral("vsbVolatility"));
    }

    void aClickAnywhereOnTheDividendSquareTicksIt_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<double>("across");  // where along the square, 0 left to 1 right
        for (ScreenId id : {ScreenId::Call, ScreenId::Put}) {
            const char* kind = id == ScreenId::Call ? "call" : "put";
            for (double across : {0.1, 0.5, 0.75, 0.95}) {
                QTest::addRow("%s at %.2f", kind, across) << static_cast<int>(id) << across;
            }
        }
    }
    void aClickAnywhereOnTheDividendSquareTicksIt() {
        QFETCH(int, screen);
        QFETCH(double, across);
        QWidget* s = Open(static_cast<ScreenId>(screen));
        auto* square = Control<QCheckBox>(s, "chkDividend");
        const QPoint at(static_cast<int>(across * (square->width() - 1)), square->height() / 2);
        QTest::mouseClick(square, Qt::LeftButton, {}, at);
        QVERIFY(square->isChecked());
        QVERIFY(Control(s, "txtDividend")->isVisible());
        QTest::mouseClick(square, Qt::LeftButton, {}, at);
        QVERIFY(!square->isChecked());
        QVERIFY(!Control(s, "txtDividend")->isVisible());
    }

    // Ctrl+Shift+C with no results leaves the clipboard as it was.
    void copyAllWithNoResultsCopiesNothing_data() {
        QTest::addColumn<bool>("priced");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<bool>("copies");
        QTest::newRow("never priced") << false << false << false;
        QTest::newRow("priced, then cleared") << true << true << false;
        QTest::newRow("priced") << true << false << true;
    }
    void copyAllWithNoResultsCopiesNothing() {
        QFETCH(bool, priced);
        QFETCH(bool, cleared);
        QFETCH(bool, copies);
        QWidget* s = priced ? Priced("call") : Open(ScreenId::Call);
        if (cleared) {
            Click(s, "Command1");
        }
        QApplication::clipboard()->setText(QStringLiteral("before"));
        QTest::keyClick(Control(s, "txtAsset"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QString copied = QApplication::clipboard()->text();
        QCOMPARE(copied != QStringLiteral("before"), copies);
        if (copies) {
            QVERIFY(copied.contains(Q(WorkedExampleNamed("call").shown.at(0))));
        }
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(MendsTest)

#include "mends_test.moc"
