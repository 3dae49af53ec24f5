// volantra-render: draws the program's pictures to PNG files, offscreen.
//   volantra-render --icons DIR        DIR/<n>x<n>/apps/io.volantra.Volantra.png
//   volantra-render --screenshots DIR  the four screens, the worked examples filled in, and
//                                      the call screen with results too wide for their boxes,
//                                      and the chart window
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <functional>

#include "screens/artwork.h"
#include "screens/navigation.h"
#include "screens/result_label.h"
#include "screens/screen_style.h"
#include "screens/scroll_events.h"

namespace {

bool WriteIcons(const QDir& root) {
    for (int size : volantra::ICON_SIZES) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!root.mkpath(folder) || !volantra::DrawProgramIcon(size).save(
                                        root.filePath(folder + "/io.volantra.Volantra.png"))) {
            return false;
        }
    }
    return true;
}

void Fill(QWidget* screen, const char* box, const char* text) {
    screen->findChild<QLineEdit*>(box)->setText(QString::fromLatin1(text));
}

void MoveBar(QWidget* screen, const char* bar, int percent) {
    auto* scrollBar = screen->findChild<QScrollBar*>(bar);
    scrollBar->setValue(volantra::Mirrored(*scrollBar, percent));
}

// `price` is both the asset's and the strike's: 5000 gives results too wide for their boxes.
bool Shoot(volantra::ScreenId id, const QDir& folder, const char* file, const char* price = "100") {
    QWidget* screen = volantra::OpenScreen(id);
    if (id == volantra::ScreenId::Call || id == volantra::ScreenId::Put) {
        Fill(screen, "txtAsset", price);
        Fill(screen, "txtStrike", price);
        Fill(screen, "txtMaturity", "365");
        MoveBar(screen, "vsbVolatility", 20);
        MoveBar(screen, "vsbInterest", 5);
    }
    QCoreApplication::processEvents();
    const bool saved = screen->grab().save(folder.filePath(QString::fromLatin1(file)));
    screen->close();
    return saved;
}

// Opens the chart of `screen`, lets `arrange` set it up, and saves it as `file`.
bool ShootChartOf(QWidget* screen, const QDir& folder, const char* file,
                  const std::function<void(QWidget*)>& arrange) {
    emit screen->findChild<volantra::ResultLabel*>("lblDbir")->ChartRequested();
    auto* chart = screen->findChild<QWidget*>("frmChart");
    bool saved = false;
    if (chart != nullptr) {
        arrange(chart);
        QCoreApplication::processEvents();
        saved = chart->grab().save(folder.filePath(QString::fromLatin1(file)));
    }
    screen->close();
    return saved;
}

// The chart of the call with a dividend, the market value it shows at volatility 30 typed.
bool ShootChart(const QDir& folder) {
    QWidget* screen = volantra::OpenScreen(volantra::ScreenId::Call);
    Fill(screen, "txtAsset", "50");
    Fill(screen, "txtStrike", "45");
    Fill(screen, "txtMaturity", "90");
    screen->findChild<QCheckBox*>("chkDividend")->click();
    Fill(screen, "txtDividend", "1");
    Fill(screen, "txtInterest", "5");
    Fill(screen, "txtTime", "30");
    MoveBar(screen, "vsbInterest", 6);
    MoveBar(screen, "vsbVolatility", 30);
    return ShootChartOf(screen, folder, "chart.png", [](QWidget* chart) {
        chart->findChild<QLineEdit*>("txtMarketValue")->setText(QStringLiteral("5.70"));
    });
}

// The call worked example charted over the asset price, with its payoff at expiry.
bool ShootChartOverAsset(const QDir& folder) {
    QWidget* screen = volantra::OpenScreen(volantra::ScreenId::Call);
    Fill(screen, "txtAsset", "100");
    Fill(screen, "txtStrike", "100");
    Fill(screen, "txtMaturity", "365");
    MoveBar(screen, "vsbInterest", 5);
    MoveBar(screen, "vsbVolatility", 20);
    return ShootChartOf(screen, folder, "chart-asset.png", [](QWidget* chart) {
        chart->findChild<QComboBox*>("cboOver")->setCurrentIndex(2);
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    volantra::InstallFontSubstitutes();
    if (argc != 3) {
        std::fprintf(stderr, "usage: volantra-render --icons DIR | --screenshots DIR\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[2]));
    if (!folder.mkpath(".")) {
        return 1;
    }
    bool ok = false;
    if (std::strcmp(argv[1], "--icons") == 0) {
        ok = WriteIcons(folder);
    } else if (std::strcmp(argv[1], "--screenshots") == 0) {
        ok = Shoot(volantra::ScreenId::Menu, folder, "menu.png") &&
             Shoot(volantra::ScreenId::Call, folder, "call.png") &&
             Shoot(volantra::ScreenId::Put, folder, "put.png") &&
             Shoot(volantra::ScreenId::Call, folder, "call-large.png", "5000") &&
             Shoot(volantra::ScreenId::Instructions, folder, "instructions.png") &&
             ShootChart(folder) && ShootChartOverAsset(folder);
    }
    if (!ok) {
        std::fprintf(stderr, "volantra-render: could not write to %s\n", argv[2]);
    }
    return ok ? 0 : 1;
}
