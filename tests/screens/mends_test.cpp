#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>

#include "gui_test_main.h"
#include "screen_test_case.h"
#include "screens/artwork.h"
#include "worked_examples.h"

namespace volantra::testing {

// What a new user trying the screens stumbled on.
class MendsTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void initTestCase() {  // the guide as the build lays it out, as PREFIX/share holds it
        qputenv("XDG_DATA_DIRS", VOLANTRA_BINARY_DIR "/share");
    }

    // What is selected with the mouse, a double-click selecting the whole number, is
    // what Ctrl+C copies.
    void aSelectionIsCopiedWithCtrlC_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QByteArray>("box");
        QTest::addColumn<int>("result");    // in the table's results; -1 the volatility
        QTest::addColumn<bool>("dragged");  // over its first third, not double-clicked
        QTest::newRow("call value") << "call" << QByteArray("lblDbir") << 0 << false;
        QTest::newRow("put delta") << "put" << QByteArray("lblCalldelta") << 1 << false;
        QTest::newRow("volatility") << "call" << QByteArray("lblVolatility") << -1 << false;
        QTest::newRow("part of theta") << "put" << QByteArray("lblCalltheta") << 3 << true;
    }
    void aSelectionIsCopiedWithCtrlC() {
        QFETCH(QString, example);
        QFETCH(QByteArray, box);
        QFETCH(int, result);
        QFETCH(bool, dragged);
        const WorkedExample& row = WorkedExampleNamed(example.toStdString());
        QWidget* s = Open(row.IsCall() ? ScreenId::Call : ScreenId::Put);
        FillMain(s, row.asset.c_str(), row.strike.c_str(), row.maturity.c_str());
        MoveTo(s, "vsbVolatility", row.volatility);
        MoveTo(s, "vsbInterest", row.interest);
        auto* label = Control<QLabel>(s, box);
        const QString shown = result < 0 ? QString::number(row.volatility)
                                         : QString::fromStdString(row.shown.at(result));
        const QPoint start(label->contentsRect().left() + label->indent(), label->height() / 2);
        const QPoint end = start + QPoint(label->width() / 3, 0);
        if (dragged) {
            QTest::mousePress(label, Qt::LeftButton, {}, start);
            QTest::mouseMove(label, end);
            QTest::mouseRelease(label, Qt::LeftButton, {}, end);
        } else {
            QTest::mouseDClick(label, Qt::LeftButton, {}, start + QPoint(4, 0));
        }
        const QString selected = label->selectedText();
        QVERIFY(dragged ? shown.startsWith(selected) && selected.size() < shown.size()
                        : selected == shown);
        QApplication::clipboard()->setText("before");
        QTest::keyClick(s->window()->focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), selected);
    }

    void aClickAnywhereOnTheDividendSquareTicksIt() {
        QWidget* s = Open(ScreenId::Call);
        auto* square = Control<QCheckBox>(s, "chkDividend");
        for (double across : {0.1, 0.5, 0.75, 0.95}) {  // 0 its left edge, 1 its right
            const QPoint at(int(across * (square->width() - 1)), square->height() / 2);
            for (bool ticked : {true, false}) {
                QTest::mouseClick(square, Qt::LeftButton, {}, at);
                QCOMPARE(square->isChecked(), ticked);
                QCOMPARE(Control(s, "txtDividend")->isVisible(), ticked);
            }
        }
    }

    // Ctrl+Shift+C copies the results, and leaves the clipboard alone when there are none.
    void copyAllCopiesOnlyResults() {
        const WorkedExample& row = WorkedExampleNamed("call");
        QWidget* s = Open(ScreenId::Call);
        const auto copyAll = [s] {
            QApplication::clipboard()->setText("before");
            QTest::keyClick(Control(s, "txtAsset"), Qt::Key_C,
                            Qt::ControlModifier | Qt::ShiftModifier);
            return QApplication::clipboard()->text();
        };
        QCOMPARE(copyAll(), QStringLiteral("before"));  // never priced
        FillMain(s, row.asset.c_str(), row.strike.c_str(), row.maturity.c_str());
        MoveTo(s, "vsbVolatility", row.volatility);
        QVERIFY(copyAll().contains(Text(s, "lblDbir")));
        Click(s, "Command1");
        QCOMPARE(copyAll(), QStringLiteral("before"));  // cleared
    }

    // From every screen; the guide comes with its pictures, and the program still ends
    // when its last screen closes.
    void f1OpensTheUserGuide() {
        QFile source(VOLANTRA_SOURCE_DIR "/docs/user-guide.md");
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QString title = QString(source.readLine()).remove('#').trimmed();
        for (ScreenId id :
             {ScreenId::Call, ScreenId::Put, ScreenId::Instructions, ScreenId::Menu}) {
            QWidget* s = Open(id);
            QTest::keyClick(s->window()->focusWidget(), Qt::Key_F1);
            QTextBrowser* guide = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                guide = w->windowTitle() == "Volantra User Guide" ? qobject_cast<QTextBrowser*>(w)
                                                                  : guide;
            }
            QVERIFY(guide != nullptr && guide->isVisible());
            QVERIFY(guide->toPlainText().startsWith(title));
            const QVariant picture =
                guide->loadResource(QTextDocument::ImageResource, QUrl("images/call.png"));
            QVERIFY(!QImage::fromData(picture.toByteArray()).isNull());
            // A caret the keys move, which a screen reader follows line by line.
            QVERIFY(guide->textInteractionFlags() & Qt::TextSelectableByKeyboard);
            if (id == ScreenId::Call) {  // Escape closes it, and its screen is active again
                QVERIFY(QTest::qWaitForWindowActive(guide));
                QTest::keyClick(guide, Qt::Key_Escape);
                QTRY_VERIFY(Window("UserGuide") == nullptr);
                QTRY_COMPARE(QApplication::activeWindow(), s->window());
            }
            if (id == ScreenId::Menu) {
                QVERIFY(ProgramEndsAfter([s] { s->close(); }));
            } else {
                CloseAll();
            }
        }
    }

    // Also run at QT_SCALE_FACTOR=2: the picture is drawn with the screen's pixels.
    void theMenuPictureIsDrawnAtItsScale() {
        QWidget* menu = Open(ScreenId::Menu);
        const QPixmap shown = Control<QLabel>(menu, "Image1")->pixmap();
        QCOMPARE(shown.devicePixelRatio(), menu->devicePixelRatioF());
        QCOMPARE(shown.width(), qRound(TRADING_FLOOR_WIDTH * menu->devicePixelRatioF()));
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(MendsTest)

#include "mends_test.moc"
