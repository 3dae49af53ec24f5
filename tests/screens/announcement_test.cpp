#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include "gui_test_main.h"
#include "screen_test_case.h"
#include "screens/result_announcer.h"
#include "worked_examples.h"

namespace volantra::testing {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The screen's announcements, as they are sent to the screen reader.
std::unique_ptr<QSignalSpy> ListenTo(QWidget* screen) {
    auto* announcer = screen->findChild<ResultAnnouncer*>();
    if (announcer == nullptr) {
        qFatal("no announcer on %s", qPrintable(screen->objectName()));
    }
    return std::make_unique<QSignalSpy>(announcer, &ResultAnnouncer::Announced);
}

// A worked example's boxes typed in, its dividend row too when it has one.
QWidget* Typed(const WorkedExample& example) {
    QWidget* s = Open(example.IsCall() ? ScreenId::Call : ScreenId::Put);
    FillMain(s, Q(example.asset), Q(example.strike), Q(example.maturity));
    if (example.HasDividend()) {
        Click(s, "chkDividend");
        Type(s, "txtDividend", Q(example.dividend));
        Type(s, "txtInterest", Q(example.dividendInterest));
        Type(s, "txtTime", Q(example.dividendTime));
    }
    return s;
}

QString Described(QWidget* control) {
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Description);
}

}  // namespace

// What a screen reader is told after each bar step, beyond the bar's own number.
class AnnouncementTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void eachStepSaysTheValueItShowsOnce_data() {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QString>("bar");
        QTest::newRow("call, volatility") << "call"
                                          << "vsbVolatility";
        QTest::newRow("put, interest") << "put"
                                       << "vsbInterest";
        QTest::newRow("call with dividend, volatility") << "call_with_dividend"
                                                        << "vsbVolatility";
    }
    void eachStepSaysTheValueItShowsOnce() {
        QFETCH(QString, example);
        QFETCH(QString, bar);
        const WorkedExample& row = WorkedExampleNamed(example.toStdString());
        QWidget* s = Typed(row);
        const bool volatility = bar == "vsbVolatility";
        MoveTo(s, volatility ? "vsbInterest" : "vsbVolatility",
               volatility ? row.interest : row.volatility);
        const auto heard = ListenTo(s);
        const QByteArray moved = bar.toLatin1();
        const int target = volatility ? row.volatility : row.interest;
        const QString name = row.IsCall() ? "Call value " : "Put value ";
        while (Percent(s, moved.constData()) != target) {
            Keys(s, moved.constData(),
                 Percent(s, moved.constData()) < target ? Qt::Key_Up : Qt::Key_Down);
            QCOMPARE(heard->size(), 1);  // once a step, what the value box now shows
            QCOMPARE(heard->takeFirst().at(0).toString(), name + Text(s, "lblDbir"));
        }
        QCOMPARE(Text(s, "lblDbir"), Q(row.shown.at(0)));
    }

    // A step that ends in a message leaves the speaking to its box; one that goes on to
    // results after the box says the value.
    void aStepEndingInAMessageSaysNothingMore_data() {
        QTest::addColumn<QString>("asset");
        QTest::addColumn<bool>("dividendTicked");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("valueSaid");
        QTest::newRow("main row empty")
            << "" << false << Q(std::string(MESSAGE_ENTER_MAIN)) << false;
        QTest::newRow("asset not a number") << "x" << false << "Asset is not a number" << false;
        QTest::newRow("dividend row empty, valued without it")
            << "call" << true << Q(std::string(MESSAGE_ENTER_DIVIDEND)) << true;
    }
    void aStepEndingInAMessageSaysNothingMore() {
        QFETCH(QString, asset);
        QFETCH(bool, dividendTicked);
        QFETCH(QString, message);
        QFETCH(bool, valueSaid);
        const WorkedExample& row = WorkedExampleNamed("call");
        QWidget* s = Open(ScreenId::Call);
        if (!asset.isEmpty()) {
            FillMain(s, asset == "call" ? Q(row.asset) : asset, Q(row.strike), Q(row.maturity));
        }
        if (dividendTicked) {
            Click(s, "chkDividend");
        }
        const auto heard = ListenTo(s);
        boxes().expect(message);
        Keys(s, "vsbVolatility", Qt::Key_Up);
        const QStringList expected =
            valueSaid ? QStringList{QStringLiteral("Call value ") + Text(s, "lblDbir")}
                      : QStringList{};
        QStringList said;
        for (const QList<QVariant>& signal : *heard) {
            said << signal.at(0).toString();
        }
        QCOMPARE(said, expected);
    }

    // The "$", "%" and "days" beside a box are read as the end of its description, not
    // met as objects of their own.
    void unitCaptionsAreReadInTheirBoxesDescriptions_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("unit");
        for (ScreenId id : {ScreenId::Call, ScreenId::Put}) {
            const char* kind = id == ScreenId::Call ? "call" : "put";
            const std::pair<const char*, const char*> rows[] = {
                {"txtAsset", "in dollars"},    {"txtStrike", "in dollars"},
                {"txtMaturity", "in days"},    {"vsbVolatility", "in percent"},
                {"vsbInterest", "in percent"}, {"txtDividend", "in dollars"},
                {"txtInterest", "in percent"}, {"txtTime", "in days"},
                {"lblDbir", "in dollars"},     {"lblCallrho", "in dollars"},
            };
            for (const auto& [box, unit] : rows) {
                QTest::addRow("%s %s", kind, box) << static_cast<int>(id) << box << unit;
            }
        }
    }
    void unitCaptionsAreReadInTheirBoxesDescriptions() {
        QFETCH(int, screen);
        QFETCH(QString, box);
        QFETCH(QString, unit);
        QWidget* s = Open(static_cast<ScreenId>(screen));
        QWidget* control = Control(s, box.toLatin1().constData());
        QVERIFY2(Described(control).endsWith(QStringLiteral(", ") + unit),
                 qPrintable(Described(control)));
        QVERIFY(control->toolTip().contains(unit));
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(s);
        for (int i = 0; i < window->childCount(); ++i) {
            const QString name = window->child(i)->text(QAccessible::Name);
            QVERIFY2(name != "$" && name != "%" && name != "days",
                     qPrintable(window->child(i)->object()->objectName()));
        }
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(AnnouncementTest)

#include "announcement_test.moc"
