#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTest>

#include "gui_test_main.h"
#include "screen_test_case.h"
#include "screens/startup.h"
#include "worked_examples.h"

namespace volantra::testing {

namespace {

QAccessibleInterface* Accessible(QWidget* control) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    if (iface == nullptr) {
        qFatal("no accessible interface for %s", qPrintable(control->objectName()));
    }
    return iface;
}

// Pixels that differ between two pictures of the same control.
int DifferentPixels(const QImage& a, const QImage& b) {
    int differ = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            differ += a.pixel(x, y) != b.pixel(x, y);
        }
    }
    return differ;
}

// How the control looks without and then with the keyboard focus.
std::pair<QImage, QImage> WithoutAndWithFocus(QWidget* screen, QWidget* control) {
    Control(screen, screen->objectName() == QLatin1String("frmGiris") ? "Command4" : "txtAsset")
        ->setFocus();
    const QImage without = control->grab().toImage();
    control->setFocus();
    return {without, control->grab().toImage()};
}

}  // namespace

// What a screen reader hears, what a keyboard user sees, and how the desktop knows us.
class AccessibilityTest : public ScreenTestCase {
    Q_OBJECT

private slots:
    void resultBoxesAndValueLabelsAreReadWithTheirNumbers() {
        QWidget* s = Open(ScreenId::Call);
        auto* delta = Control(s, "lblCalldelta");
        QCOMPARE(Accessible(delta)->text(QAccessible::Name), QStringLiteral("Delta"));
        const WorkedExample& example = WorkedExampleNamed("call");
        FillMain(s, QString::fromStdString(example.asset), QString::fromStdString(example.strike),
                 QString::fromStdString(example.maturity));
        MoveTo(s, "vsbVolatility", example.volatility);
        MoveTo(s, "vsbInterest", example.interest);
        const std::pair<const char*, const char*> boxes[] = {
            {"lblDbir", "Option value"}, {"lblCalldelta", "Delta"}, {"lblCallgamma", "Gamma"},
            {"lblCalltheta", "Theta"},   {"lblCallvega", "Vega"},   {"lblCallrho", "Rho"},
        };
        QStringList spoken;
        for (std::size_t i = 0; i < std::size(boxes); ++i) {
            spoken << QString("%1 %2").arg(boxes[i].second,
                                           QString::fromStdString(example.shown.at(i)));
        }
        spoken << QString("Volatility shown %1").arg(example.volatility)
               << QString("Interest rate shown %1").arg(example.interest);
        QStringList read;
        for (const auto& box : boxes) {
            read << Accessible(Control(s, box.first))->text(QAccessible::Name);
        }
        for (const char* label : {"lblVolatility", "lblInterest"}) {
            read << Accessible(Control(s, label))->text(QAccessible::Name);
        }
        QCOMPARE(read, spoken);
        for (const char* name : {"lblDbir", "lblCallrho", "lblVolatility", "lblInterest"}) {
            QCOMPARE(Accessible(Control(s, name))->role(), QAccessible::StaticText);
        }
        Click(s, "Command1");  // Clear: the boxes are blank and read as their names
        QCOMPARE(Accessible(delta)->text(QAccessible::Name), QStringLiteral("Delta"));
        QCOMPARE(Accessible(Control(s, "lblVolatility"))->text(QAccessible::Name),
                 spoken.at(std::size(boxes)));
    }

    void barsReportThePercentageTheScreenShows() {
        QWidget* s = Open(ScreenId::Put);
        FillMain(s, "100", "100", "365");
        MoveTo(s, "vsbVolatility", 20);
        MoveTo(s, "vsbInterest", 5);
        const struct {
            const char* bar;
            int shown;
            int lowest;
            int highest;
        } bars[] = {{"vsbVolatility", 20, 1, 200}, {"vsbInterest", 5, 0, 100}};
        for (const auto& b : bars) {
            QAccessibleInterface* iface = Accessible(Control(s, b.bar));
            QCOMPARE(iface->role(), QAccessible::ScrollBar);
            QCOMPARE(iface->text(QAccessible::Value), QString::number(b.shown));
            QAccessibleValueInterface* value = iface->valueInterface();
            QVERIFY(value != nullptr);
            QCOMPARE(value->currentValue().toInt(), b.shown);
            QCOMPARE(value->minimumValue().toInt(), b.lowest);
            QCOMPARE(value->maximumValue().toInt(), b.highest);
        }
        // Setting the value through the screen reader moves the bar to that percentage.
        Accessible(Control(s, "vsbInterest"))->valueInterface()->setCurrentValue(6);
        QCOMPARE(Percent(s, "vsbInterest"), 6);
        QCOMPARE(Text(s, "lblInterest"), QStringLiteral("6"));
    }

    void everyScreenIsAWindow() {
        QWidget* menu = Open(ScreenId::Menu);
        QCOMPARE(Accessible(menu)->role(), QAccessible::Window);
        QCOMPARE(Accessible(menu)->text(QAccessible::Name), menu->windowTitle());
        for (ScreenId id : {ScreenId::Call, ScreenId::Put, ScreenId::Instructions}) {
            QWidget* s = Open(id);
            QCOMPARE(Accessible(s)->role(), QAccessible::Window);
            QCOMPARE(Accessible(s)->text(QAccessible::Name), s->windowTitle());
            s->close();
        }
    }

    // The boxes drawn around groups of controls and the menu's picture are decoration: a
    // screen reader that walks a screen meets only its controls and captions.
    void aScreenReaderMeetsNoUnnamedFrames() {
        for (ScreenId id :
             {ScreenId::Menu, ScreenId::Call, ScreenId::Put, ScreenId::Instructions}) {
            QWidget* s = Open(id);
            QAccessibleInterface* screen = Accessible(s);
            QStringList met;
            for (int i = 0; i < screen->childCount(); ++i) {
                QAccessibleInterface* child = screen->child(i);
                QCOMPARE(screen->indexOfChild(child), i);
                QCOMPARE(child->parent()->object(), s);
                met << child->object()->objectName();
                QVERIFY2(child->role() != QAccessible::Border, qPrintable(met.last()));
                QVERIFY2(child->role() != QAccessible::Graphic ||
                             !child->text(QAccessible::Name).isEmpty(),
                         qPrintable(met.last()));
            }
            QVERIFY2(!met.contains(QStringLiteral("Shape1")), qPrintable(met.join(' ')));
            if (id == ScreenId::Call) {  // every control is still there
                for (const char* name : {"txtAsset", "vsbVolatility", "lblCallrho", "Command3"}) {
                    QVERIFY2(met.contains(QLatin1String(name)), name);
                }
            }
            s->close();
        }
    }

    void theFocusIsPlainlySeenOnBarsButtonsAndTheCheckBox() {
        QWidget* s = Open(ScreenId::Call);
        for (const char* name :
             {"vsbVolatility", "vsbInterest", "Command1", "Command3", "chkDividend"}) {
            QWidget* control = Control(s, name);
            const auto [without, with] = WithoutAndWithFocus(s, control);
            // A ring around the control: at least its outline changes.
            const int outline = 2 * (control->width() + control->height());
            QVERIFY2(DifferentPixels(without, with) >= outline, name);
        }
        s->close();
        QWidget* menu = Open(ScreenId::Menu);
        QWidget* call = Control(menu, "Command1");
        const auto [without, with] = WithoutAndWithFocus(menu, call);
        QVERIFY(DifferentPixels(without, with) >= 2 * (call->width() + call->height()));
    }

    // The window and the launcher meet on the desktop file's name and window class.
    void theProgramNamesItsDesktopFile() {
        StartVolantra();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.volantra.Volantra"));
        QFile entry(QStringLiteral(VOLANTRA_SOURCE_DIR "/data/io.volantra.Volantra.desktop"));
        QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("StartupWMClass=") +
                               QCoreApplication::applicationName()));
    }
};

}  // namespace volantra::testing

VOLANTRA_GUI_TEST_MAIN(AccessibilityTest)

#include "accessibility_test.moc"
