#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>
#include <cstdlib>

#include "gui_test_main.h"
#include "screen_test_case.h"
#include "screens/artwork.h"
#include "screens/user_guide.h"
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

// How much a picture changes from each pixel to the next along its rows: blur lowers it.
double Sharpness(const QImage& image) {
    double change = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 1; x < image.width(); ++x) {
            change += std::abs(qGray(image.pixel(x, y)) - qGray(image.pixel(x - 1, y)));
        }
    }
    return change / (image.width() * image.height());
}

QTextBrowser* GuideWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowTitle() == QLatin1String(USER_GUIDE_TITLE)) {
            return qobject_cast<QTextBrowser*>(w);
        }
    }
    return nullptr;
}

}  // namespace

// What a new user trying the screens stumbled on.
class MendsTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The guide as laid out in the build tree, as under PREFIX/share when installed.
        qputenv("XDG_DATA_DIRS", VOLANTRA_BINARY_DIR "/share");
    }

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

    void f1OpensTheUserGuideFromEveryScreen_data() {
        QTest::addColumn<int>("screen");
        QTest::newRow("menu") << static_cast<int>(ScreenId::Menu);
        QTest::newRow("call") << static_cast<int>(ScreenId::Call);
        QTest::newRow("put") << static_cast<int>(ScreenId::Put);
        QTest::newRow("instructions") << static_cast<int>(ScreenId::Instructions);
    }
    void f1OpensTheUserGuideFromEveryScreen() {
        QFETCH(int, screen);
        QWidget* s = Open(static_cast<ScreenId>(screen));
        QTest::keyClick(s->window()->focusWidget() ? s->window()->focusWidget() : s, Qt::Key_F1);
        QTextBrowser* guide = GuideWindow();
        QVERIFY(guide != nullptr);
        QFile source(QStringLiteral(VOLANTRA_SOURCE_DIR "/docs/user-guide.md"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QString title = QString::fromUtf8(source.readLine()).remove('#').trimmed();
        QVERIFY2(guide->toPlainText().startsWith(title), qPrintable(guide->toPlainText().left(80)));
        // Its pictures come with it.
        for (const char* picture : {"images/call.png", "images/menu.png"}) {
            const QVariant image =
                guide->loadResource(QTextDocument::ImageResource, QUrl(QLatin1String(picture)));
            QVERIFY2(!QImage::fromData(image.toByteArray()).isNull(), picture);
        }
        // Pressed again, it raises the same window.
        QTest::keyClick(s, Qt::Key_F1);
        QCOMPARE(ShowUserGuide(), guide);
        // Closing the screen that is open still ends the program.
        QVERIFY(ProgramEndsAfter([s] { s->close(); }));
    }

    // At scale 2 (the suite is also run with QT_SCALE_FACTOR=2) the menu's picture is
    // drawn with twice the pixels, the same picture, not the small one enlarged.
    void theMenuPictureIsSharpAtItsScale() {
        QWidget* menu = Open(ScreenId::Menu);
        const qreal ratio = menu->devicePixelRatioF();
        const QPixmap shown = Control<QLabel>(menu, "Image1")->pixmap();
        QCOMPARE(shown.devicePixelRatio(), ratio);
        QCOMPARE(shown.width(), qRound(TRADING_FLOOR_WIDTH * ratio));
        const QImage sharp = DrawTradingFloor(2);
        const QImage small = DrawTradingFloor(1);
        const QImage enlarged =
            small.scaled(sharp.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(Sharpness(sharp) > 1.3 * Sharpness(enlarged));
        const QImage reduced =
            sharp.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        long differ = 0;
        for (int y = 0; y < small.height(); ++y) {
            for (int x = 0; x < small.width(); ++x) {
                differ += std::abs(qGray(reduced.pixel(x, y)) - qGray(small.pixel(x, y)));
            }
        }
        QVERIFY(differ < 12L * small.width() * small.height());  // the same picture
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(MendsTest)

#include "mends_test.moc"
