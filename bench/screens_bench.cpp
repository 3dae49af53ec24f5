// One recalculation on a pricing screen, from a scroll-bar change to the six labels
// written, without and with the chart open (whose every point is valued again), over the
// volatility bar and over the asset price; and
// start-up to the first shown menu beside a minimal Qt Widgets program,
// both started as fresh processes from this binary.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstring>
#include <string>

#include "screens/navigation.h"
#include "screens/screen_style.h"
#include "screens/startup.h"

extern char** environ;

namespace {

std::string gSelf;

// `over` is the chart's Over choice when the chart is open: 0 the volatility bar, 2 the
// asset price (201 cycles, the payoff line and the table).
void BM_ScreenCycle(benchmark::State& state, bool withChart, int over = 0) {
    volantra::InstallFontSubstitutes();
    QWidget* screen = volantra::OpenScreen(volantra::ScreenId::Call);
    screen->findChild<QLineEdit*>("txtAsset")->setText("100");
    screen->findChild<QLineEdit*>("txtStrike")->setText("100");
    screen->findChild<QLineEdit*>("txtMaturity")->setText("365");
    auto* bar = screen->findChild<QScrollBar*>("vsbVolatility");
    const auto* value = screen->findChild<QLabel*>("lblDbir");
    bar->setValue(bar->maximum() - 20);
    if (withChart) {
        QTest::keyClick(screen->windowHandle(), Qt::Key_G, Qt::ControlModifier);
        if (!QTest::qWaitForWindowActive(screen) ||
            screen->findChild<QWidget*>("frmChart") == nullptr) {
            state.SkipWithError("no chart opened");
            return;
        }
        screen->findChild<QWidget*>("frmChart")
            ->findChild<QComboBox*>("cboOver")
            ->setCurrentIndex(over);
    }
    int step = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        bar->triggerAction(++step % 2 ? QAbstractSlider::SliderSingleStepAdd
                                      : QAbstractSlider::SliderSingleStepSub);
        benchmark::DoNotOptimize(value->text().size());
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        // Outside the timing: the event loop's share, repaints and layouts, as a user's has.
        QCoreApplication::processEvents();
    }
    if (value->text().isEmpty()) {
        state.SkipWithError("the cycle wrote no value");
    }
    screen->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Wall time of one child process that starts, shows its first window and quits.
void BM_StartUp(benchmark::State& state, const char* mode) {
    for (auto _ : state) {
        char* argv[] = {gSelf.data(), const_cast<char*>("--start-up"), const_cast<char*>(mode),
                        nullptr};
        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        if (posix_spawn(&child, gSelf.c_str(), nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start the child");
            return;
        }
        int status = 0;
        waitpid(child, &status, 0);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the child failed");
            return;
        }
        state.SetIterationTime(elapsed.count());
    }
}

BENCHMARK_CAPTURE(BM_ScreenCycle, without_chart, false)->UseManualTime();
BENCHMARK_CAPTURE(BM_ScreenCycle, chart_open, true)
    ->UseManualTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScreenCycle, chart_over_asset_price, true, 2)
    ->UseManualTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartUp, minimal_qt_window, "minimal")
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartUp, volantra_menu, "volantra")
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

int RunStartUpChild(int argc, char** argv, const char* mode) {
    QApplication app(argc, argv);
    QLabel minimal(QStringLiteral("Hello, world"));  // the classic minimal program
    if (std::strcmp(mode, "minimal") == 0) {
        minimal.show();
    } else {
        volantra::StartVolantra();
    }
    QTimer::singleShot(0, &app, &QCoreApplication::quit);  // once the first window is shown
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    gSelf = argv[0];
    if (argc == 3 && std::strcmp(argv[1], "--start-up") == 0) {
        return RunStartUpChild(argc, argv, argv[2]);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
