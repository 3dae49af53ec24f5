// The screens' tests against the real widgets, offscreen unless a display is asked for.
//   screens_gui_tests navigation|pricing|stress|dividend|mouse|readable|accessibility [QtTest
//   options]
#include <QApplication>
#include <QLocale>
#include <cstring>

#include "screens/screen_style.h"

int RunNavigationTests(int argc, char** argv);
int RunPricingScreenTests(int argc, char** argv);
int RunStressTests(int argc, char** argv);
int RunDividendRowTests(int argc, char** argv);
int RunMousePressTests(int argc, char** argv);
int RunReadableResultsTests(int argc, char** argv);
int RunAccessibilityTests(int argc, char** argv);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);  // the tests watch lastWindowClosed
    QLocale::setDefault(QLocale::c());
    volantra::InstallFontSubstitutes();
    const char* suite = argc > 1 ? argv[1] : "";
    char** rest = argv + 1;  // QtTest reads its options after the suite's name
    const int restCount = argc > 1 ? argc - 1 : argc;
    if (std::strcmp(suite, "navigation") == 0) {
        return RunNavigationTests(restCount, rest);
    }
    if (std::strcmp(suite, "pricing") == 0) {
        return RunPricingScreenTests(restCount, rest);
    }
    if (std::strcmp(suite, "stress") == 0) {
        return RunStressTests(restCount, rest);
    }
    if (std::strcmp(suite, "dividend") == 0) {
        return RunDividendRowTests(restCount, rest);
    }
    if (std::strcmp(suite, "mouse") == 0) {
        return RunMousePressTests(restCount, rest);
    }
    if (std::strcmp(suite, "readable") == 0) {
        return RunReadableResultsTests(restCount, rest);
    }
    if (std::strcmp(suite, "accessibility") == 0) {
        return RunAccessibilityTests(restCount, rest);
    }
    return RunNavigationTests(argc, argv) | RunPricingScreenTests(argc, argv) |
           RunStressTests(argc, argv) | RunDividendRowTests(argc, argv) |
           RunMousePressTests(argc, argv) | RunReadableResultsTests(argc, argv) |
           RunAccessibilityTests(argc, argv);
}
