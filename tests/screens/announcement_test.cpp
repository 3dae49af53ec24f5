#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include "gui_test_main.h"
#include "screen_test_case.h"
#include "screens/result_announcer.h"
#include "worked_examples.h"

namespace volantra::testing {

// What a screen reader is told beyond Qt's defaults.
class AnnouncementTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    // Each step says what the value box then shows, once; one ending in a message, nothing.
    void eachStepSaysTheValueItShowsOnce_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QByteArray>("bar");
        QTest::addColumn<bool>("typed");  // else the main row is empty: a message
        QTest::newRow("call, volatility") << "call" << QByteArray("vsbVolatility") << true;
        QTest::newRow("put, interest") << "put" << QByteArray("vsbInterest") << true;
        QTest::newRow("main row empty") << "call" << QByteArray("vsbVolatility") << false;
    }
    void eachStepSaysTheValueItShowsOnce() {
        QFETCH(QString, example);
        QFETCH(QByteArray, bar);
        QFETCH(bool, typed);
        const WorkedExample& row = WorkedExampleNamed(example.toStdString());
        QWidget* s = Open(row.IsCall() ? ScreenId::Call : ScreenId::Put);
        const bool volatility = bar == "vsbVolatility";
        if (typed) {
            FillMain(s, row.asset.c_str(), row.strike.c_str(), row.maturity.c_str());
            MoveTo(s, volatility ? "vsbInterest" : "vsbVolatility",
                   volatility ? row.interest : row.volatility);
        } else {
            boxes().expect(QString::fromLatin1(MESSAGE_ENTER_MAIN));
        }
        QSignalSpy heard(s->findChild<ResultAnnouncer*>(), &ResultAnnouncer::Announced);
        do {
            Keys(s, bar, Qt::Key_Up);
            QCOMPARE(heard.size(), typed ? 1 : 0);
            if (typed) {
                QCOMPARE(heard.takeFirst().at(0).toString(),
                         (row.IsCall() ? "Call value " : "Put value ") + Text(s, "lblDbir"));
            }
        } while (typed && Percent(s, bar) != (volatility ? row.volatility : row.interest));
        QCOMPARE(Text(s, "lblDbir"), typed ? QString::fromStdString(row.shown.at(0)) : "");
    }

    // The "$", "%" and "days" captions end their boxes' descriptions, not met on their own.
    void unitCaptionsAreReadInTheirBoxesDescriptions() {
        const std::pair<const char*, const char*> rows[] = {
            {"txtAsset", "in dollars"},    {"txtMaturity", "in days"},
            {"vsbInterest", "in percent"}, {"txtInterest", "in percent"},
            {"lblDbir", "in dollars"},     {"lblCallrho", "in dollars"}};
        for (ScreenId id : {ScreenId::Call, ScreenId::Put}) {
            QWidget* s = Open(id);
            for (const auto& [box, unit] : rows) {
                const QString described = QAccessible::queryAccessibleInterface(Control(s, box))
                                              ->text(QAccessible::Description);
                QVERIFY2(described.endsWith(QString(", ") + unit), qPrintable(described));
            }
            QAccessibleInterface* window = QAccessible::queryAccessibleInterface(s);
            for (int i = 0; i < window->childCount(); ++i) {
                const QString name = window->child(i)->text(QAccessible::Name);
                QVERIFY2(name != "$" && name != "%" && name != "days", qPrintable(name));
            }
            s->close();
        }
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(AnnouncementTest)

#include "announcement_test.moc"
