#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QMenu>
#include <QTest>
#include <QToolTip>

#include "gui_test_main.h"
#include "screen_test_case.h"
#include "screens/result_label.h"

namespace volantra::testing {

namespace {

const char* const kResultBoxes[] = {"lblDbir",      "lblCalldelta", "lblCallgamma",
                                    "lblCalltheta", "lblCallvega",  "lblCallrho"};

// Where the label lays out its text: inside the frame, after the indent.
int TextWidth(const QLabel* label) {
    return label->contentsRect().width() - std::max(label->indent(), 0);
}

// The lowest row of the box, inside its frame, that holds dark ink: the baseline of a
// text of digits, which have no descenders.
int LowestInkRow(QLabel* box) {
    const QImage image = box->grab().toImage();
    const int frame = box->frameWidth();
    for (int y = image.height() - 1 - frame; y >= frame; --y) {
        for (int x = frame; x < image.width() - frame; ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                return y;
            }
        }
    }
    return -1;
}

// The tooltip the control shows when the mouse rests on it.
QString ToolTipOf(QWidget* control) {
    const QPoint at = control->rect().center();
    QHelpEvent hover(QEvent::ToolTip, at, control->mapToGlobal(at));
    QCoreApplication::sendEvent(control, &hover);
    const QString tip = QToolTip::isVisible() ? QToolTip::text() : QString();
    QToolTip::hideText();
    return tip;
}

QString SpokenName(QWidget* control) {
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

QWidget* PricedScreen(ScreenId id, const QString& asset, const QString& strike) {
    QWidget* s = Open(id);
    FillMain(s, asset, strike, "365");
    MoveTo(s, "vsbVolatility", 20);
    MoveTo(s, "vsbInterest", 5);
    return s;
}

// Opens the box's context menu and triggers the entry named `entry`; false when the
// menu or the entry is missing.
bool ChooseFromContextMenu(QWidget* box, const QString& entry) {
    bool chosen = false;
    QTimer::singleShot(50, [&chosen, entry] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == entry && action->isEnabled()) {
                action->trigger();
                chosen = true;
            }
        }
        menu->close();
    });
    const QPoint at = box->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, box->mapToGlobal(at));
    QCoreApplication::sendEvent(box, &event);
    QTest::qWait(100);
    return chosen;
}

}  // namespace

// Results a user can read whole, copy and check.
class ReadableResultsTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    // Large results in a comma locale: each box keeps its place and size and draws its
    // text whole, in the same face at a smaller size where it must.
    void largeResultsAreDrawnWholeInTheirBoxes() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QWidget* s = PricedScreen(ScreenId::Call, "5000", "5000");
        const QFont own = Control<QLabel>(s, "lblCallgamma")->font();
        int tooWide = 0;
        for (const char* name : kResultBoxes) {
            auto* box = Control<QLabel>(s, name);
            QVERIFY2(box->text().contains(QLatin1Char(',')), name);
            QFont ownSize = box->font();
            ownSize.setPointSizeF(name == QLatin1String("lblDbir") ? 13.5 : 12);
            tooWide += QFontMetricsF(ownSize).horizontalAdvance(box->text()) > TextWidth(box);
            const QFontMetricsF drawn(box->font());
            QVERIFY2(drawn.horizontalAdvance(box->text()) <= TextWidth(box), name);
            QCOMPARE(box->font().family(), own.family());
            QCOMPARE(box->font().bold(), own.bold());
            QVERIFY(box->font().pointSizeF() >= 7);
        }
        QVERIFY(tooWide >= 2);  // what the boxes cut before
        for (const char* name : kResultBoxes) {
            auto* box = Control<QLabel>(s, name);
            QVERIFY2(ToolTipOf(box).contains(box->text()), name);
            QVERIFY2(SpokenName(box).contains(box->text()), name);
        }
        QCOMPARE(Control(s, "lblCallvega")->geometry(), QRect(472, 232, 73, 28));
        QCOMPARE(Control(s, "lblDbir")->geometry(), QRect(232, 304, 137, 33));

        // Back to small results: the box's own size again.
        Control<QLineEdit>(s, "txtAsset")->setText("100");
        Control<QLineEdit>(s, "txtStrike")->setText("100");
        Keys(s, "vsbVolatility", Qt::Key_Up);
        Keys(s, "vsbVolatility", Qt::Key_Down);
        QCOMPARE(Text(s, "lblCallvega"), QStringLiteral("37,5200"));
        QCOMPARE(Control<QLabel>(s, "lblCallvega")->font(), own);
    }

    // A smaller or elided text stays level with the results beside it, and the box's
    // frame stays at its edge.
    void aSmallerTextSitsOnTheBoxsOwnBaseline() {
        QWidget* s = Open(ScreenId::Call);
        const std::pair<const char*, const char*> boxes[] = {{"lblCallvega", "1234567.0001"},
                                                             {"lblDbir", "1234567890123.0001"}};
        for (const auto& [name, tooWide] : boxes) {
            auto* box = Control<ResultLabel>(s, name);
            const QFont own = box->font();
            box->ShowText(QStringLiteral("37.5200"));
            const QImage fits = box->grab().toImage();
            const int ownBaseline = LowestInkRow(box);
            QVERIFY(ownBaseline > 0);
            const QString smaller = QString::fromLatin1(tooWide);
            const QString elided = QString(80, QLatin1Char('9'));
            for (const QString& text : {smaller, elided}) {
                box->ShowText(text);
                QVERIFY(box->font().pointSizeF() < own.pointSizeF());
                QCOMPARE(box->Drawn().shown != text, text == elided);
                QVERIFY2(std::abs(LowestInkRow(box) - ownBaseline) <= 1,
                         qPrintable(QString("%1: %2 against %3")
                                        .arg(name)
                                        .arg(LowestInkRow(box))
                                        .arg(ownBaseline)));
                const QImage drawn = box->grab().toImage();
                for (int y = 0; y < 3; ++y) {  // the frame and the blank row below it
                    for (int x = 0; x < drawn.width(); ++x) {
                        QVERIFY2(drawn.pixel(x, y) == fits.pixel(x, y),
                                 qPrintable(QString("%1 at %2,%3").arg(name).arg(x).arg(y)));
                    }
                }
            }
            box->ShowText(QStringLiteral("37.5200"));
            QCOMPARE(box->font(), own);
            QCOMPARE(LowestInkRow(box), ownBaseline);
        }
    }

    // Too long even at the smallest size: elided with "…", whole in tooltip and name.
    void aHugeValueIsElidedButWholeInItsTooltip() {
        QWidget* s = PricedScreen(ScreenId::Call, "1e38", "1");
        auto* value = Control<QLabel>(s, "lblDbir");
        QVERIFY(value->text().size() > 40);
        auto* result = qobject_cast<ResultLabel*>(value);
        QVERIFY(result != nullptr);
        const FittedText drawn = result->Drawn();
        QVERIFY(drawn.shown.endsWith(QChar(0x2026)));
        QCOMPARE(drawn.pointSize, 7.0);
        QFont floor = value->font();
        floor.setPointSizeF(drawn.pointSize);
        QVERIFY(QFontMetricsF(floor).horizontalAdvance(drawn.shown) <= TextWidth(value));
        QVERIFY(ToolTipOf(value).contains(value->text()));
        QCOMPARE(SpokenName(value), QStringLiteral("Option value ") + value->text());
    }

    void resultsCanBeSelectedAndCopied() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QWidget* s = PricedScreen(ScreenId::Put, "100", "100");
        for (const char* name : {"lblDbir", "lblCallrho", "lblVolatility", "lblInterest"}) {
            auto* box = Control<QLabel>(s, name);
            QVERIFY(box->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
            QCOMPARE(box->focusPolicy(), Qt::NoFocus);  // the focus order stays as it is
        }
        QApplication::clipboard()->clear();
        QVERIFY(ChooseFromContextMenu(Control(s, "lblCalldelta"), "Copy"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("-0,3632"));
        QVERIFY(ChooseFromContextMenu(Control(s, "lblVolatility"), "Copy"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("20"));
        const QString all = QStringLiteral(
            "PUT VALUE\t5,57\nPUTDELTA\t-0,3632\nPUTGAMMA\t0,0188\n"
            "PUTTHETA\t-1,6578\nPUTVEGA\t37,5241\nPUTRHO\t-41,8922\n");
        QVERIFY(ChooseFromContextMenu(Control(s, "lblInterest"), "Copy All Results"));
        QCOMPARE(QApplication::clipboard()->text(), all);

        // From the keyboard, with the focus in a text box, which keeps its text.
        QApplication::clipboard()->clear();
        auto* asset = Control<QLineEdit>(s, "txtAsset");
        asset->setFocus();
        QTest::keyClick(asset, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), all);
        QCOMPARE(asset->text(), QStringLiteral("100"));
    }

    void keysTypedInTheBoxesBehaveAsBefore() {
        QWidget* s = Open(ScreenId::Call);
        Type(s, "txtAsset", "12a,.5");
        QTest::keyClick(Control(s, "txtAsset"), Qt::Key_Backspace);
        QCOMPARE(Control<QLineEdit>(s, "txtAsset")->text(), QStringLiteral("12a,."));
        QTest::keyClick(Control(s, "txtAsset"), Qt::Key_Return);
        QCOMPARE(FocusName(s), QStringLiteral("txtStrike"));
    }

    void aBarsTooltipGivesItsPercentageOnHoverAndWhileDragged() {
        QWidget* s = Open(ScreenId::Call);
        auto* bar = Control<QScrollBar>(s, "vsbInterest");
        const auto hoverTip = [bar] { return ToolTipOf(bar).section(QLatin1Char('\n'), 0, 0); };
        // The hidden start, which no label shows.
        QCOMPARE(hoverTip(), QStringLiteral("Interest rate: 1%"));

        FillMain(s, "100", "100", "365");
        bar->setSliderDown(true);
        bar->setSliderPosition(bar->minimum() + bar->maximum() - 7);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text().section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("Interest rate: 7%"));
        bar->setSliderDown(false);
        QToolTip::hideText();
        QCOMPARE(Text(s, "lblInterest"), QStringLiteral("7"));

        // A cycle that stops at its first step leaves the label's older text.
        Click(s, "Command1");
        boxes().expect(QStringLiteral("Enter Asset,Strike,Maturity values"));
        Keys(s, "vsbInterest", Qt::Key_Up);
        QCOMPARE(Text(s, "lblInterest"), QStringLiteral("7"));
        QCOMPARE(hoverTip(), QStringLiteral("Interest rate: 8%"));
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(ReadableResultsTest)

#include "readable_results_test.moc"
