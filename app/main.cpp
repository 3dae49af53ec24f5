// Volantra: prices European stock options with the Black-Scholes model.
#include <QApplication>

#include "screens/startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    volantra::StartVolantra();
    return QApplication::exec();
}
