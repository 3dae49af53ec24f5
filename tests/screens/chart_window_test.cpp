#include <QAbstractItemModel>
#include <QAccessible>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QImage>
#include <QLineSeries>
#include <QProcess>
#include <QScatterSeries>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "cycle/recalculation.h"
#include "gui_test_main.h"
#include "rows/schema.h"
#include "screen_test_case.h"
#include "screens/chart_window.h"
#include "worked_examples.h"

namespace volantra::testing {
namespace {

QWidget* OpenChart(QWidget* screen) {
    QTest::keyClick(screen->windowHandle(), Qt::Key_G, Qt::ControlModifier);
    return Window("frmChart");
}

QStringList Row(QWidget* chart, int row) {
    const QAbstractItemModel* model = Control<QTableView>(chart, "tblPositions")->model();
    QStringList texts;
    for (int column = 1; column < model->columnCount(); ++column) {
        texts << model->index(row, column).data().toString();
    }
    return texts;
}

// The drawn curve, position by position, with the marker's point.
QMap<int, double> Curve(QWidget* chart, QList<QPointF>& marker) {
    QMap<int, double> points;
    for (QAbstractSeries* series : Control<QChartView>(chart, "chtBar")->chart()->series()) {
        if (auto* scatter = qobject_cast<QScatterSeries*>(series)) {
            marker = scatter->points();
        } else if (series->name() == QStringLiteral("curve")) {
            for (const QPointF& p : static_cast<QLineSeries*>(series)->points()) {
                points.insert(qRound(p.x()), p.y());
            }
        }
    }
    return points;
}

ScreenInputs Canonical(const WorkedExample& e) {
    ScreenInputs in;
    in.boxes = {e.asset, e.strike, e.maturity, e.dividend, e.dividendInterest, e.dividendTime};
    in.dividendTicked = e.HasDividend();
    in.interestPercent = e.interest;
    return in;
}

}  // namespace

class ChartWindowTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    // Every point is the value the screen shows there, the table holds the results,
    // and the marker stands where the screen's bar does.
    void drawsWhatTheScreenShowsAtEveryPosition() {
        for (const WorkedExample& example : WorkedExamples()) {
            QWidget* chart = OpenChart(OpenWith(example));
            QVERIFY(chart != nullptr);
            QCOMPARE(chart->windowTitle(),
                     QString::fromLatin1(example.IsCall() ? "Call Chart" : "Put Chart"));
            QStringList shown;
            for (const std::string& text : example.shown) {
                shown << QString::fromStdString(text);
            }
            QCOMPARE(Row(chart, example.volatility - 1), shown);
            // A screen reader reads the points as a table, one row per position.
            QAccessibleInterface* table =
                QAccessible::queryAccessibleInterface(Control(chart, "tblPositions"));
            QCOMPARE(table->role(), QAccessible::Table);
            QCOMPARE(table->tableInterface()->rowCount(), 200);
            const QAbstractItemModel* model =
                qobject_cast<QTableView*>(Control(chart, "tblPositions"))->model();
            for (std::size_t c = 0; c < RESULT_COLUMNS.size(); ++c) {
                const std::string_view caption = RESULT_COLUMNS[c].caption;
                QCOMPARE(
                    model->headerData(static_cast<int>(c) + 1, Qt::Horizontal).toString(),
                    QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
            }
            const BarValues along =
                ValueAlongBar(example.IsCall() ? OptionKind::Call : OptionKind::Put,
                              ScrollBar::Volatility, Canonical(example));
            QList<QPointF> marker;
            const QMap<int, double> curve = Curve(chart, marker);
            QCOMPARE(curve.size(), static_cast<qsizetype>(along.positions.size()));
            for (std::size_t i = 0; i < along.positions.size(); ++i) {
                QCOMPARE(curve.value(static_cast<int>(i) + 1),
                         ShownValue(along.positions[i].value.optionValue));
            }
            QCOMPARE(marker,
                     (QList<QPointF>{QPointF(example.volatility, std::stod(example.shown[0]))}));
            CloseAll();
        }
    }

    void followsEveryBarMoveAndShowsGapsWithTheirMessage() {
        QWidget* s = Open(ScreenId::Call);
        FillMain(s, QString(), QStringLiteral("100"), QStringLiteral("365"));
        QWidget* chart = OpenChart(s);
        QList<QPointF> marker;
        QVERIFY(Curve(chart, marker).isEmpty());
        QVERIFY(Text(chart, "lblMessage")
                    .contains(QStringLiteral("1-200: Enter Asset,Strike,Maturity values")));
        Type(s, "txtAsset", QStringLiteral("100"));
        QVERIFY(Curve(chart, marker).isEmpty());  // the boxes are read at a bar move only
        MoveTo(s, "vsbVolatility", 20);
        QCOMPARE(Curve(chart, marker).size(), 200);
        QCOMPARE(marker.value(0).x(), 20.0);
        QVERIFY(Control(chart, "lblMessage")->isHidden());
        Click(s, "Command2");  // back to the menu: the chart goes with its screen
        QVERIFY(Settle("frmGiris") != nullptr);
        QCOMPARE(Window("frmChart"), nullptr);
    }

    void marketValueListsItsPositionsAndMovesTheBar() {
        const WorkedExample& example = WorkedExampleNamed("call_with_dividend");
        QWidget* s = OpenWith(example);
        MoveTo(s, "vsbVolatility", 12);
        QWidget* chart = OpenChart(s);
        Type(chart, "txtMarketValue", QStringLiteral("9999"));
        QVERIFY(Text(chart, "lblMatches").contains(QStringLiteral("the nearest is 200")));
        QVERIFY(!Control(chart, "cmdMoveBar")->isEnabled());
        Control<QLineEdit>(chart, "txtMarketValue")->clear();
        Type(chart, "txtMarketValue", QString::fromStdString(example.shown[0]));
        QCOMPARE(Text(chart, "lblMatches"),
                 QStringLiteral("Shown at volatility %1").arg(example.volatility));
        chart->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(chart));
        QTest::keyClick(chart->windowHandle(), Qt::Key_M, Qt::AltModifier);
        QTRY_COMPARE(Percent(s, "vsbVolatility"), example.volatility);
        QCOMPARE(Text(s, "lblDbir"), QString::fromStdString(example.shown[0]));
    }

    // The table's CSV is the batch pricer's sweep of the same row, over a bar, the asset
    // price or the days left.
    void savesTheTableAsThePricerWritesItsSweep_data() {
        QTest::addColumn<int>("over");  // the Over choice
        QTest::addColumn<QString>("sweep");
        QTest::addColumn<bool>("trader");  // the Greeks in traders' units
        QTest::addColumn<int>("row");      // a row of the table to read
        QTest::newRow("volatility") << 0 << "volatility=1:200" << false << 29;
        QTest::newRow("asset price") << 2 << "asset=25:75:0.25" << false << 100;
        QTest::newRow("days to maturity") << 3 << "maturity=1:90:1" << false << 44;
        QTest::newRow("asset price, traders' units") << 2 << "asset=25:75:0.25" << true << 100;
    }
    void savesTheTableAsThePricerWritesItsSweep() {
        QFETCH(int, over);
        QFETCH(QString, sweep);
        QFETCH(bool, trader);
        QFETCH(int, row);
        const WorkedExample& example = WorkedExampleNamed("call_with_dividend");
        auto* chart = qobject_cast<ChartWindow*>(OpenChart(OpenWith(example)));
        Control<QComboBox>(chart, "cboOver")->setCurrentIndex(over);
        Control<QComboBox>(chart, "cboUnits")->setCurrentIndex(trader ? 1 : 0);
        QTemporaryDir dir;
        QString error;
        QVERIFY2(chart->SaveTable(dir.filePath(QStringLiteral("chart.csv")), error),
                 qPrintable(error));
        QVERIFY(chart->SavePicture(dir.filePath(QStringLiteral("chart.png"))));
        QVERIFY(!QImage(dir.filePath(QStringLiteral("chart.png"))).isNull());
        QProcess pricer;
        QStringList arguments{QStringLiteral("--sweep"), sweep};
        if (trader) {
            arguments << QStringLiteral("--units") << QStringLiteral("trader");
        }
        pricer.start(QStringLiteral(VOLANTRA_PRICE_PATH), arguments);
        const std::string input =
            "screen,asset,strike,maturity,volatility,interest,dividend,"
            "dividend_interest,dividend_time\ncall," +
            example.asset + ',' + example.strike + ',' + example.maturity + ',' +
            (over == 0 ? std::string() : std::to_string(example.volatility)) + ',' +
            std::to_string(example.interest) + ',' + example.dividend + ',' +
            example.dividendInterest + ',' + example.dividendTime + '\n';
        pricer.write(input.data(), static_cast<qint64>(input.size()));
        pricer.closeWriteChannel();
        QVERIFY(pricer.waitForFinished(10000));
        QFile saved(dir.filePath(QStringLiteral("chart.csv")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray written = pricer.readAllStandardOutput();
        QCOMPARE(saved.readAll(), written);
        // The table shows what the file holds: a row's theta, per day in traders' units.
        const QList<QByteArray> line = written.split('\n').value(row + 1).split(',');
        const QAbstractItemModel* model = Control<QTableView>(chart, "tblPositions")->model();
        QVERIFY(!line.value(12).isEmpty());
        QCOMPARE(model->index(row, 4).data().toString(), QString::fromLatin1(line.value(12)));
        QCOMPARE(model->headerData(4, Qt::Horizontal).toString(),
                 trader ? QStringLiteral("Theta per day") : QStringLiteral("Theta"));
    }

    // Over the asset price with no price to sweep around, the screen's own message; with
    // another box empty, the sweep with its message at every point, as the pricer's.
    void overTheAssetPriceSaysWhyNothingIsValued() {
        QWidget* s = Open(ScreenId::Put);
        FillMain(s, QStringLiteral("-5"), QStringLiteral("100"), QStringLiteral("365"));
        boxes().expect(QStringLiteral("Asset must be greater than 0"));
        MoveTo(s, "vsbVolatility", 2);  // one step, one message
        QWidget* chart = OpenChart(s);
        Control<QComboBox>(chart, "cboOver")->setCurrentIndex(2);
        QCOMPARE(Text(chart, "lblMessage"),
                 QStringLiteral("Asset price: Asset must be greater than 0"));
        Type(s, "txtAsset", QStringLiteral("100"));
        Control<QLineEdit>(s, "txtStrike")->clear();
        boxes().expect(QString::fromLatin1(MESSAGE_ENTER_MAIN));
        MoveTo(s, "vsbVolatility", 3);
        QCOMPARE(Control<QTableView>(chart, "tblPositions")->model()->rowCount(), 201);
        QCOMPARE(Text(chart, "lblMessage"),
                 QStringLiteral("Asset price 50.00 to 150.00: Enter Asset,Strike,Maturity values"));
    }

    // Over the asset price: the payoff at expiry beside the value, a line at the asset
    // typed, the marker on the screen's value there, and the breakeven of a buyer.
    void overTheAssetPriceDrawsThePayoffAndNamesTheBreakeven_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("breakeven");
        QTest::newRow("call") << "call"
                              << "Breakeven at expiry: 110.45 (strike 100 + value 10.45)";
        QTest::newRow("put") << "put"
                             << "Breakeven at expiry: 94.43 (strike 100 − value 5.57)";
    }
    void overTheAssetPriceDrawsThePayoffAndNamesTheBreakeven() {
        QFETCH(QString, example);
        QFETCH(QString, breakeven);
        const WorkedExample& row = WorkedExampleNamed(example.toStdString());
        QWidget* chart = OpenChart(OpenWith(row));
        QVERIFY(Control(chart, "lblBreakeven")->isHidden());  // over a bar
        Control<QComboBox>(chart, "cboOver")->setCurrentIndex(2);
        QCOMPARE(Text(chart, "lblBreakeven"), breakeven);
        QList<QPointF> marker;
        Curve(chart, marker);
        QCOMPARE(marker, (QList<QPointF>{QPointF(100, std::stod(row.shown[0]))}));
        QList<QPointF> payoff;
        QList<QPointF> asset;
        qsizetype points = 0;
        for (QAbstractSeries* series : Control<QChartView>(chart, "chtBar")->chart()->series()) {
            if (series->name() == QStringLiteral("curve")) {
                points += static_cast<QLineSeries*>(series)->count();
            } else if (series->name() == QStringLiteral("payoff")) {
                payoff = static_cast<QLineSeries*>(series)->points();
            } else if (series->name() == QStringLiteral("asset")) {
                asset = static_cast<QLineSeries*>(series)->points();
            }
        }
        QCOMPARE(points, 201);
        QCOMPARE(payoff.size(), 201);
        const bool call = row.IsCall();
        QCOMPARE(payoff.front(), QPointF(50, call ? 0 : 50));
        QCOMPARE(payoff.back(), QPointF(150, call ? 50 : 0));
        QCOMPARE(asset.size(), 2);
        QCOMPARE(asset.front().x(), 100.0);
        const QModelIndex first = Control<QTableView>(chart, "tblPositions")->model()->index(0, 0);
        QCOMPARE(first.data().toString(), QStringLiteral("50.00"));
        QCOMPARE(first.data(Qt::AccessibleTextRole).toString(), QStringLiteral("Asset 50.00"));
        Control<QComboBox>(chart, "cboResult")->setCurrentIndex(1);  // Delta: no payoff
        Curve(chart, marker);
        for (QAbstractSeries* series : Control<QChartView>(chart, "chtBar")->chart()->series()) {
            if (series->name() == QStringLiteral("payoff")) {
                QVERIFY(static_cast<QLineSeries*>(series)->points().isEmpty());
            }
        }
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(ChartWindowTest)

#include "chart_window_test.moc"
