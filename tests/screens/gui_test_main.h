#pragma once

#include <QApplication>
#include <QLocale>
#include <QTest>

#include "screens/screen_style.h"

namespace volantra::testing {

// Runs one suite of screen tests in a program of its own, offscreen unless a display is
// asked for, with the fonts and the C locale the expected texts assume.
template <typename Suite>
int RunGuiSuite(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);  // the tests watch lastWindowClosed
    QLocale::setDefault(QLocale::c());
    InstallFontSubstitutes();
    Suite suite;
    return QTest::qExec(&suite, argc, argv);
}

}  // namespace volantra::testing

/// The main function of a screen test program running `Suite`.
#define VOLANTRA_GUI_TEST_MAIN(Suite)                                                \
    int main(int argc, char** argv) {                                                \
        return volantra::testing::RunGuiSuite<volantra::testing::Suite>(argc, argv); \
    }
