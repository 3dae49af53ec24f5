#include <QTest>
#include <fstream>

#include "gui_test_main.h"
#include "screen_test_case.h"

namespace volantra::testing {

namespace {

// Delivers what the windows posted, as the event loop would between two clicks: the
// queue of posted events otherwise keeps an entry for every widget ever made, which
// grows like a leak of about 3 KiB a screen.
void DeliverPostedEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            return value;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

}  // namespace

class StressTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void openingAndLeavingEachScreenAThousandTimesLeavesNothingBehind() {
        Open(ScreenId::Menu);
        long warmedUp = 0;
        for (int round = 0; round < 1000; ++round) {
            for (const char* button : {"Command1", "Command2", "Command4"}) {
                Click(Window("frmGiris"), button);
                DeliverPostedEvents();
                QWidget* screen = nullptr;
                for (const char* name : {"frmCall", "frmPut", "Form1"}) {
                    screen = screen ? screen : Window(name);
                }
                QVERIFY(screen != nullptr);
                if (screen->objectName() != QLatin1String("Form1")) {
                    Type(screen, "txtAsset", "100");
                    Click(screen, "Command2");
                } else {
                    Click(screen, "Command1");
                }
                DeliverPostedEvents();
                QCOMPARE(OpenWindows(), QStringList{"frmGiris"});
            }
            if (round == 100) {
                warmedUp = ResidentKiB();
            }
        }
        QCOMPARE(QApplication::topLevelWidgets().size(), 1);
        const long growth = ResidentKiB() - warmedUp;
        QVERIFY2(growth < 8 * 1024, qPrintable(QString("grew by %1 KiB").arg(growth)));
    }

    void movingABarTenThousandTimesKeepsGivingTheSameDigits() {
        QWidget* s = Open(ScreenId::Put);
        FillMain(s, "100", "100", "365");
        MoveTo(s, "vsbVolatility", 20);
        MoveTo(s, "vsbInterest", 5);
        const QStringList expected = Results(s);
        const long before = ResidentKiB();
        for (int i = 0; i < 5000; ++i) {
            Keys(s, "vsbVolatility", Qt::Key_PageUp);
            Keys(s, "vsbVolatility", Qt::Key_PageDown);
        }
        QCOMPARE(Results(s), expected);
        QCOMPARE(Text(s, "lblVolatility"), QStringLiteral("20"));
        QVERIFY(ResidentKiB() - before < 4 * 1024);
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(StressTest)

#include "stress_test.moc"
