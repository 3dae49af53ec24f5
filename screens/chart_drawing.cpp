// What the chart window draws and lists: the points, their gaps and messages, the marker,
// the payoff at expiry and the breakeven, and what a market value finds along a bar.
#include <QChart>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <map>

#include "engine/number_text.h"
#include "rows/solved_row.h"
#include "screens/bar_table_model.h"
#include "screens/chart_window.h"

namespace volantra {
namespace {

// Ticks on the value axis before its numbers are made round.
constexpr int Y_TICKS = 5;

// About this many ticks along the axis of a sweep.
constexpr double SWEEP_TICKS = 8;

// A round tick interval near `span` / SWEEP_TICKS: 1, 2 or 5 times a power of ten.
double NiceInterval(double span) {
    const double rough = span / SWEEP_TICKS;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            return factor * power;
        }
    }
    return 10 * power;
}

}  // namespace

// The screen's result at every point, and what the market value finds there now.
void ChartWindow::Recompute() {
    data_ = ComputeChart(kind_, Over(), inputs_, conventions_);
    QStringList labels;
    for (const ChartPoint& point : data_.points) {
        labels << PointLabel(point.x);
    }
    const QString header = Over() == ChartOver::Asset  ? QStringLiteral("Asset")
                           : Over() == ChartOver::Days ? QStringLiteral("Days")
                                                       : OverName();
    model_->Show(data_.points, labels, header, conventions_, Units());
    SetUpAxisX();
    marketRow_->setEnabled(OverBar(Over()));  // a market value is searched along a bar
    ShowMessages();
    ShowBreakeven();
    Search();
}

void ChartWindow::SetUpAxisX() {
    if (OverBar(Over())) {
        axisX_->setLabelFormat(QStringLiteral("%.0f"));
        axisX_->setRange(BarLowest(Bar()), BarHighest(Bar()));
        axisX_->setTickInterval(Bar() == ScrollBar::Volatility ? 25 : 10);
        axisX_->setTitleText(OverName() + QStringLiteral(" (%)"));
        return;
    }
    const bool asset = Over() == ChartOver::Asset;
    axisX_->setTitleText(asset ? QStringLiteral("Asset price ($)")
                               : QStringLiteral("Days to maturity"));
    if (data_.points.empty()) {
        axisX_->setRange(0, 1);  // nothing to draw: no range left from another sweep
        return;
    }
    const double low = data_.points.front().x;
    const double high = data_.points.back().x;
    const double interval = NiceInterval(std::max(high - low, 1.0));
    axisX_->setLabelFormat(interval < 1 ? QStringLiteral("%.2f") : QStringLiteral("%.0f"));
    axisX_->setRange(low, std::max(high, low + 1));
    axisX_->setTickAnchor(0);
    axisX_->setTickInterval(interval);
}

// The chosen result at every point: one line per run of valued points, so a point
// that ends with a message leaves a gap.
void ChartWindow::Redraw() {
    std::vector<QList<QPointF>> runs(1);
    double low = 0;
    double high = 0;
    bool any = false;
    for (const ChartPoint& point : data_.points) {
        if (!point.valued) {
            if (!runs.back().isEmpty()) {
                runs.emplace_back();
            }
            continue;
        }
        const double y = ResultNumbers(*point.valued, Units())[Shown()];
        low = any ? std::min(low, y) : y;
        high = any ? std::max(high, y) : y;
        any = true;
        runs.back().append(QPointF(point.x, y));
    }
    while (segments_.size() < runs.size()) {
        QLineSeries* series = AddLine(QPen(QColor(0, 0, 160), 2));
        series->setName(QStringLiteral("curve"));
        segments_.push_back(series);
    }
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        segments_[i]->replace(i < runs.size() ? runs[i] : QList<QPointF>());
    }
    DrawPayoff(low, high);
    MarkPosition();
    DrawMarketLine();
}

// Over the asset price with the option value shown: the payoff at expiry beside it, and
// a vertical line at the asset typed. The value axis takes in both.
void ChartWindow::DrawPayoff(double low, double high) {
    QList<QPointF> payoff;
    QList<QPointF> asset;
    if (Over() == ChartOver::Asset && Shown() == ResultBox::Value && data_.reading.Read()) {
        const double strike = data_.reading.numbers.strike;
        for (const ChartPoint& point : data_.points) {
            const double y = PayoffAtExpiry(kind_, strike, point.x);
            payoff.append(QPointF(point.x, y));
            low = std::min(low, y);
            high = std::max(high, y);
        }
    }
    const double pad = high > low ? (high - low) * 0.05 : 1.0;
    // A sweep of values that are never negative keeps its axis from zero up.
    const bool floorAtZero = !OverBar(Over()) && low >= 0;
    axisY_->setRange(floorAtZero ? std::max(low - pad, 0.0) : low - pad, high + pad);
    axisY_->setTickCount(Y_TICKS);  // the nice numbers depend on it: the same each time
    axisY_->applyNiceNumbers();
    axisY_->setTitleText(resultChoice_->currentText());
    if (Over() == ChartOver::Asset && data_.reading.Read()) {
        const double typed = data_.reading.numbers.asset;
        asset = {QPointF(typed, axisY_->min()), QPointF(typed, axisY_->max())};
    }
    payoffLine_->replace(payoff);
    assetLine_->replace(asset);
}

// What a buyer at the shown value needs the asset to reach by expiry.
void ChartWindow::ShowBreakeven() {
    const bool shown = Over() == ChartOver::Asset && data_.here.has_value();
    breakeven_->setVisible(shown);
    if (!shown) {
        breakeven_->clear();
        return;
    }
    const double value = ShownValue(data_.here->optionValue);
    const double strike = data_.reading.numbers.strike;
    const bool call = kind_ == OptionKind::Call;
    const double breakeven = call ? strike + value : strike - value;
    breakeven_->setText(QStringLiteral("Breakeven at expiry: %1 (strike %2 %3 value %4)")
                            .arg(Local(FormatFixed(breakeven, 2)),
                                 QString::fromStdString(texts_[InputBox::Strike]).trimmed(),
                                 call ? QStringLiteral("+") : QStringLiteral("−"),
                                 Local(ShownValueText(data_.here->optionValue))));
}

// Each message the screen shows somewhere, after the points where it does.
void ChartWindow::ShowMessages() {
    std::map<std::string, std::vector<std::size_t>> where;
    std::vector<std::string> order;
    for (std::size_t i = 0; i < data_.points.size(); ++i) {
        for (const std::string& text : data_.points[i].messages) {
            auto& points = where[text];
            if (points.empty()) {
                order.push_back(text);
            }
            points.push_back(i);
        }
    }
    QStringList lines;
    if (data_.points.empty() && !data_.hereMessage.empty()) {  // no sweep: the screen's message
        lines << OverName() + QStringLiteral(": ") + QString::fromStdString(data_.hereMessage);
    }
    for (const std::string& text : order) {
        const std::vector<std::size_t>& at = where[text];
        QString range;
        if (OverBar(Over())) {
            std::vector<int> positions;
            positions.reserve(at.size());
            for (std::size_t i : at) {
                positions.push_back(static_cast<int>(data_.points[i].x));
            }
            range = QString::fromStdString(PositionRanges(positions));
        } else {
            range = PointLabel(data_.points[at.front()].x);
            if (at.size() > 1) {
                range += QStringLiteral(" to ") + PointLabel(data_.points[at.back()].x);
            }
        }
        lines << OverName() + QLatin1Char(' ') + range + QStringLiteral(": ") +
                     QString::fromStdString(text);
    }
    message_->setText(lines.join(QLatin1Char('\n')));
    message_->setVisible(!lines.isEmpty());
}

// Where the screen stands: its bar's position, or the asset or days typed.
void ChartWindow::MarkPosition() {
    QList<QPointF> point;
    if (OverBar(Over())) {
        const int position = inputs_.Position(Bar());
        const auto i = static_cast<std::size_t>(position - data_.along.lowest);
        if (i < data_.points.size() && data_.points[i].valued) {
            point.append(
                QPointF(position, ResultNumbers(*data_.points[i].valued, Units())[Shown()]));
        }
    } else if (data_.here && data_.reading.Read()) {
        const double x = Over() == ChartOver::Asset ? data_.reading.numbers.asset
                                                    : data_.reading.numbers.maturityDays;
        point.append(QPointF(x, ResultNumbers(*data_.here, Units())[Shown()]));
    }
    marker_->replace(point);
}

// A point's place as the table names it: a bar's position, a price, a number of days.
QString ChartWindow::PointLabel(double x) const {
    if (Over() == ChartOver::Asset) {
        return Local(FormatFixed(x, 2));
    }
    return QString::number(static_cast<long long>(x));
}

// What the market value finds, also read with Move Bar by a screen reader, since the
// text beside the box takes no focus.
void ChartWindow::Search() {
    SearchMarketValue();
    moveBar_->setAccessibleDescription(matchesText_->text());
}

// The positions whose value box shows the market value typed.
void ChartWindow::SearchMarketValue() {
    const QString typed = marketValue_->text().trimmed();
    target_.reset();
    matches_.clear();
    if (typed.isEmpty() || !OverBar(Over())) {
        matchesText_->clear();
        moveBar_->setEnabled(false);
        return;
    }
    const Checked<double> read = ParseNumber<double>(Canonical(conventions_, typed.toStdString()));
    if (!read.Ok()) {
        matchesText_->setText(QStringLiteral("Market value is not a number"));
        moveBar_->setEnabled(false);
        return;
    }
    target_ = read.value;
    ShowSearch(SearchBar(data_.along, *target_), typed);
}

void ChartWindow::ShowSearch(const BarSearch& search, const QString& typed) {
    matches_ = search.matches;
    moveBar_->setEnabled(!matches_.empty());
    const QString bar = OverName().toLower();
    if (!matches_.empty()) {
        matchesText_->setText(QStringLiteral("Shown at %1 %2")
                                  .arg(bar, QString::fromStdString(PositionRanges(matches_))));
    } else if (search.nearest) {
        matchesText_->setText(QString::fromStdString(
            NearestMessage(Bar(), typed.toStdString(), search, conventions_)));
    } else {
        matchesText_->setText(QStringLiteral("No %1 from %2 to %3 gives a value")
                                  .arg(bar)
                                  .arg(BarLowest(Bar()))
                                  .arg(BarHighest(Bar())));
    }
}

// The market value across the chart, where the chart shows option values along a bar.
void ChartWindow::DrawMarketLine() {
    QList<QPointF> line;
    if (target_ && Shown() == ResultBox::Value && OverBar(Over())) {
        line = {QPointF(BarLowest(Bar()), *target_), QPointF(BarHighest(Bar()), *target_)};
        if (*target_ < axisY_->min() || *target_ > axisY_->max()) {
            axisY_->setRange(std::min(axisY_->min(), *target_), std::max(axisY_->max(), *target_));
        }
    }
    marketLine_->replace(line);
}

}  // namespace volantra
