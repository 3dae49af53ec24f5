#include <QLocale>
#include <QTest>

#include "gui_test_main.h"
#include "screen_test_case.h"
#include "worked_examples.h"

namespace volantra::testing {

namespace {

const QString kEnterMain = QStringLiteral("Enter Asset,Strike,Maturity values");
const QString kEnterDividend = QStringLiteral("Enter Dividend,Interest,Time values");

// The results a worked example shows, written with the locale's decimal point.
QStringList Shown(const WorkedExample& example, char decimalPoint = '.') {
    QStringList shown;
    for (const std::string& text : example.shown) {
        shown << QString::fromStdString(text).replace('.', decimalPoint);
    }
    return shown;
}

}  // namespace

class PricingScreenTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void opensInItsInitialState_data() {
        QTest::addColumn<int>("screen");
        QTest::newRow("call") << int(ScreenId::Call);
        QTest::newRow("put") << int(ScreenId::Put);
    }
    void opensInItsInitialState() {
        QFETCH(int, screen);
        const bool call = screen == int(ScreenId::Call);
        QWidget* s = Open(ScreenId(screen));
        QCOMPARE(s->objectName(), call ? QStringLiteral("frmCall") : QStringLiteral("frmPut"));
        QCOMPARE(s->windowTitle(),
                 call ? QStringLiteral("CALL PRICING") : QStringLiteral("PUT PRICING"));
        QCOMPARE(s->size(), QSize(598, 397));
        QCOMPARE(Text(s, "lblCallvalue"),
                 call ? QStringLiteral("CALL VALUE") : QStringLiteral("PUT VALUE"));
        QCOMPARE(Text(s, "lblRho"), call ? QStringLiteral("CALLRHO") : QStringLiteral("PUTRHO"));
        QCOMPARE(Control<QPushButton>(s, "Command3")->text(),
                 call ? QStringLiteral("&Exit") : QStringLiteral("E&xit"));
        QCOMPARE(Control(s, "Command3")->geometry(),
                 call ? QRect(472, 360, 81, 33) : QRect(464, 360, 89, 33));
        QCOMPARE(Control(s, call ? "Label13" : "Label17")->geometry(),
                 QRect(32, call ? 240 : 232, 17, 25));
        QCOMPARE(Text(s, call ? "Label15" : "Label19"), QStringLiteral("days"));
        QCOMPARE(Text(s, call ? "Label16" : "Label13"), QStringLiteral("$"));  // beside txtAsset
        QCOMPARE(Control(s, call ? "Label16" : "Label13")->geometry(), QRect(16, 40, 17, 25));
        QCOMPARE(FocusName(s), QStringLiteral("txtAsset"));
        for (QLabel* label : s->findChildren<QLabel*>()) {  // every caption fits its box
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
        }
        for (QPushButton* button : s->findChildren<QPushButton*>()) {
            QVERIFY(button->fontMetrics().horizontalAdvance(button->text().remove('&')) <
                    button->width());
        }
        QVERIFY(Text(s, "lblVolatility").isEmpty());  // though both bars stand at 1
        QVERIFY(Text(s, "lblInterest").isEmpty());
        QCOMPARE(Results(s), QStringList(6, QString()));
        for (const char* hidden : {"txtDividend", "txtInterest", "txtTime", "lblDividend",
                                   "lblInterest2", "lblTime", "Shape4"}) {
            QVERIFY2(!Control(s, hidden)->isVisible(), hidden);
        }
        QVERIFY(Control(s, "lblDividends")->isVisible());
        QVERIFY(!Control<QCheckBox>(s, "chkDividend")->isChecked());
        QVERIFY(Control(s, "txtAsset")->toolTip().contains("in dollars"));
        QVERIFY(Control(s, "lblCalltheta")->toolTip().contains("per year"));
        QVERIFY(
            Control(s, "lblCallvega")->accessibleDescription().contains("per 1.00 of volatility"));
    }

    void workedExamplesShowTheirDigitsWhenTypedAndScrolledByKeyboard_data() {
        QTest::addColumn<QString>("name");
        for (const WorkedExample& example : WorkedExamples()) {
            QTest::newRow(example.name.c_str()) << QString::fromStdString(example.name);
        }
    }
    void workedExamplesShowTheirDigitsWhenTypedAndScrolledByKeyboard() {
        QFETCH(QString, name);
        const WorkedExample& example = WorkedExampleNamed(name.toStdString());
        QWidget* s = Open(example.IsCall() ? ScreenId::Call : ScreenId::Put);
        FillExample(s, example);
        Keys(s, "vsbVolatility", Qt::Key_PageUp, 2);
        QCOMPARE(Percent(s, "vsbVolatility"), 21);
        MoveTo(s, "vsbVolatility", example.volatility);
        MoveTo(s, "vsbInterest", example.interest);
        QCOMPARE(Text(s, "lblVolatility"), QString::number(example.volatility));
        QCOMPARE(Text(s, "lblInterest"), QString::number(example.interest));
        QCOMPARE(Results(s), Shown(example));
    }

    void emptyFieldsStopTheCycle() {
        QWidget* s = Open(ScreenId::Call);
        Type(s, "txtStrike", "   ");
        boxes().expect(kEnterMain);
        Keys(s, "vsbInterest", Qt::Key_Up);
        QCOMPARE(FocusName(s), QStringLiteral("txtAsset"));
        QVERIFY(Text(s, "lblInterest").isEmpty());
        QCOMPARE(Results(s), QStringList(6, QString()));
    }

    void onlyTheMovedBarWritesItsLabel() {
        QWidget* s = Open(ScreenId::Call);
        FillMain(s, "100", "100", "365");
        MoveTo(s, "vsbVolatility", 20);
        QCOMPARE(Text(s, "lblVolatility"), QStringLiteral("20"));
        QVERIFY(Text(s, "lblInterest").isEmpty());
        QLabel* shown = Control<QLabel>(s, "lblVolatility");
        QVERIFY(shown->width() >= shown->sizeHint().width());  // grew to fit its text
    }

    void badInputNamesItsBoxSelectsItAndBlanksTheResults_data() {
        QTest::addColumn<QString>("strike");
        QTest::addColumn<QString>("message");
        QTest::newRow("text") << "abc"
                              << "Strike is not a number";
        QTest::newRow("zero") << "0"
                              << "Strike must be greater than 0";
        QTest::newRow("huge") << "1e39"
                              << "Strike is too large (the largest is 3.4e+38)";
        QTest::newRow("unicode") << QString::fromUtf8("１００€\u202e") << "Strike is not a number";
        QTest::newRow("long") << QString(100000, '9')
                              << "Strike is too large (the largest is 3.4e+38)";
    }
    void badInputNamesItsBoxSelectsItAndBlanksTheResults() {
        QFETCH(QString, strike);
        QFETCH(QString, message);
        QWidget* s = Open(ScreenId::Call);
        FillMain(s, "100", "100", "365");
        Keys(s, "vsbVolatility", Qt::Key_Up);
        QVERIFY(!Text(s, "lblDbir").isEmpty());
        QLineEdit* box = Control<QLineEdit>(s, "txtStrike");
        box->setText(strike);
        boxes().expect(message);
        Keys(s, "vsbVolatility", Qt::Key_Up);
        QCOMPARE(FocusName(s), QStringLiteral("txtStrike"));
        QCOMPARE(box->selectedText(), strike);
        QCOMPARE(box->text(), strike);  // nothing typed is changed
        QCOMPARE(Results(s), QStringList(6, QString()));
    }

    void assetMustExceedTheDividendsPresentValue() {
        QWidget* s = Open(ScreenId::Put);
        FillMain(s, "1", "100", "365");
        Click(s, "chkDividend");
        Type(s, "txtDividend", "2");
        Type(s, "txtInterest", "5");
        Type(s, "txtTime", "73");
        boxes().expect("Asset must be greater than the dividend's present value (1.98)");
        Keys(s, "vsbInterest", Qt::Key_Up);
        QCOMPARE(FocusName(s), QStringLiteral("txtAsset"));
    }

    void arrowsStepOneAndTheTrackTenStoppingAtTheEnds() {
        QWidget* s = Open(ScreenId::Call);
        FillMain(s, "100", "100", "365");
        auto* bar = Control<QScrollBar>(s, "vsbVolatility");
        QTest::mouseClick(bar, Qt::LeftButton, {}, PartOf(bar, QStyle::SC_ScrollBarSubLine));
        QCOMPARE(Percent(s, "vsbVolatility"), 2);  // the top arrow raises the percentage
        QTest::mouseClick(bar, Qt::LeftButton, {}, PartOf(bar, QStyle::SC_ScrollBarSubPage));
        QCOMPARE(Percent(s, "vsbVolatility"), 12);
        QTest::mouseClick(bar, Qt::LeftButton, {}, PartOf(bar, QStyle::SC_ScrollBarAddLine));
        QCOMPARE(Percent(s, "vsbVolatility"), 11);
        QCOMPARE(Text(s, "lblVolatility"), QStringLiteral("11"));
        Keys(s, "vsbVolatility", Qt::Key_Home);
        QCOMPARE(Percent(s, "vsbVolatility"), 200);
        Keys(s, "vsbVolatility", Qt::Key_PageUp);
        QCOMPARE(Percent(s, "vsbVolatility"), 200);
        Keys(s, "vsbVolatility", Qt::Key_End);
        QCOMPARE(Percent(s, "vsbVolatility"), 1);
        Keys(s, "vsbVolatility", Qt::Key_Down);
        QCOMPARE(Percent(s, "vsbVolatility"), 1);
        Keys(s, "vsbInterest", Qt::Key_End);
        QCOMPARE(Percent(s, "vsbInterest"), 0);
        Keys(s, "vsbInterest", Qt::Key_Home);
        QCOMPARE(Percent(s, "vsbInterest"), 100);
        QCOMPARE(Text(s, "lblInterest"), QStringLiteral("100"));
    }

    void aDragRecalculatesAtEveryStepAndOnRelease() {
        QWidget* s = Open(ScreenId::Call);
        FillMain(s, "100", "100", "365");
        auto* bar = Control<QScrollBar>(s, "vsbVolatility");
        bar->setSliderDown(true);
        QStringList seen;
        for (int percent : {5, 10, 20}) {
            bar->setSliderPosition(bar->minimum() + bar->maximum() - percent);
            seen << Text(s, "lblVolatility");
        }
        QCOMPARE(seen, (QStringList{"5", "10", "20"}));
        Control<QLineEdit>(s, "txtStrike")->setText("90");  // only the release can show this
        bar->setSliderDown(false);
        QCOMPARE(Text(s, "lblDbir"), QStringLiteral("14.18"));
    }

    void aMessageDuringADragHoldsTheNextCycle() {
        QWidget* s = Open(ScreenId::Call);
        auto* bar = Control<QScrollBar>(s, "vsbVolatility");
        bar->setSliderDown(true);
        boxes().expect(kEnterMain);
        boxes().whileShown([bar] { bar->setSliderPosition(bar->sliderPosition() - 5); });
        bar->setSliderPosition(bar->sliderPosition() - 1);
        QCOMPARE(boxes().shown().size(), 1);
        QVERIFY(!bar->isSliderDown());  // the box ended the drag
    }

    void focusOrderFollowsTheRowsThatAreShown() {
        const QStringList withoutDividend{"txtAsset",      "txtStrike",   "txtMaturity",
                                          "vsbVolatility", "vsbInterest", "chkDividend",
                                          "Command1",      "Command2",    "Command3"};
        const QStringList withDividend{"txtAsset",    "txtStrike",   "txtMaturity", "vsbVolatility",
                                       "vsbInterest", "txtDividend", "txtInterest", "txtTime",
                                       "chkDividend", "Command1",    "Command2",    "Command3"};
        QWidget* s = Open(ScreenId::Put);
        auto tabs = [s] {
            QStringList order{FocusName(s)};
            for (int i = 0; i < 12 && order.size() < 13; ++i) {
                QTest::keyClick(s->focusWidget(), Qt::Key_Tab);
                if (FocusName(s) == order.front()) {
                    break;
                }
                order << FocusName(s);
            }
            return order;
        };
        QCOMPARE(tabs(), withoutDividend);
        FillMain(s, "1", "1", "1");
        Click(s, "chkDividend");
        Control(s, "txtAsset")->setFocus();
        QCOMPARE(tabs(), withDividend);
    }

    void dividendSwitchShowsTheRowAndMovesTheFocus() {
        QWidget* s = Open(ScreenId::Call);
        Type(s, "txtAsset", "100");
        Click(s, "chkDividend");
        QCOMPARE(FocusName(s), QStringLiteral("txtStrike"));
        QVERIFY(Control(s, "Label13")->isVisible());
        Type(s, "txtDividend", "2");
        Type(s, "txtStrike", " ");
        Type(s, "txtMaturity", " ");
        Click(s, "chkDividend");
        QVERIFY(!Control(s, "txtDividend")->isVisible());
        QCOMPARE(FocusName(s), QStringLiteral("chkDividend"));  // spaces count as text here
        Click(s, "chkDividend");
        QCOMPARE(Control<QLineEdit>(s, "txtDividend")->text(), QStringLiteral("2"));
    }

    void enterMovesAlongTheInputsAndPressesButtons() {
        QWidget* s = Open(ScreenId::Call);
        Click(s, "chkDividend");
        const std::pair<const char*, const char*> moves[] = {
            {"txtAsset", "txtStrike"},      {"txtStrike", "txtMaturity"},
            {"txtMaturity", "txtMaturity"}, {"txtDividend", "txtInterest"},
            {"txtInterest", "txtTime"},     {"txtTime", "txtTime"}};
        for (const auto& [from, to] : moves) {
            Keys(s, from, Qt::Key_Return);
            QCOMPARE(FocusName(s), QString(to));
        }
        Type(s, "txtAsset", "5");
        Control(s, "Command1")->setFocus();
        QTest::keyClick(Control(s, "Command1"), Qt::Key_Return);  // Clear
        QVERIFY(Control<QLineEdit>(s, "txtAsset")->text().isEmpty());
        QCOMPARE(FocusName(s), QStringLiteral("txtAsset"));
    }

    void clearEmptiesBoxesAndResultsButKeepsBarsAndRow() {
        QWidget* s = Open(ScreenId::Call);
        FillMain(s, "100", "100", "365");
        Click(s, "chkDividend");
        Type(s, "txtDividend", "1");
        Type(s, "txtInterest", "5");
        Type(s, "txtTime", "30");
        MoveTo(s, "vsbVolatility", 20);
        Click(s, "Command1");
        for (const char* box : {"txtAsset", "txtDividend", "txtTime"}) {
            QVERIFY(Control<QLineEdit>(s, box)->text().isEmpty());
        }
        QCOMPARE(Results(s), QStringList(6, QString()));
        QCOMPARE(Text(s, "lblVolatility"), QStringLiteral("20"));
        QCOMPARE(Percent(s, "vsbVolatility"), 20);
        QVERIFY(Control<QCheckBox>(s, "chkDividend")->isChecked());
        QVERIFY(Control(s, "txtDividend")->isVisible());
        boxes().expect(kEnterMain);
        Keys(s, "vsbVolatility", Qt::Key_Up);
    }

    void aCommaLocaleReadsAndShowsCommas() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QWidget* s = Open(ScreenId::Call);
        const WorkedExample& call = WorkedExampleNamed("call");
        FillMain(s, QString::fromStdString(call.asset) + ",0", QString::fromStdString(call.strike),
                 QString::fromStdString(call.maturity));
        MoveTo(s, "vsbVolatility", call.volatility);
        MoveTo(s, "vsbInterest", call.interest);
        QCOMPARE(Results(s), Shown(call, ','));
        Control<QLineEdit>(s, "txtAsset")->setText("100.5");  // a misplaced group separator
        boxes().expect("Asset is not a number: use a comma as the decimal symbol");
        Keys(s, "vsbInterest", Qt::Key_Up);
        Control<QLineEdit>(s, "txtAsset")->setText("1.000,5");
        Keys(s, "vsbInterest", Qt::Key_Down);
        QCOMPARE(Text(s, "lblDbir"), QStringLiteral("905,38"));
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(PricingScreenTest)

#include "pricing_screen_test.moc"
