#include "screens/chart_window.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <map>

#include "engine/number_text.h"
#include "rows/priced_row.h"
#include "rows/solved_row.h"
#include "screens/bar_table_csv.h"
#include "screens/bar_table_model.h"
#include "screens/result_announcer.h"
#include "screens/screen_style.h"

namespace volantra {
namespace {

// How long typing pauses before what the market value finds is said.
constexpr int SEARCH_PAUSE_MS = 700;

QString Caption(std::string_view caption) {
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
}

}  // namespace

ChartWindow::ChartWindow(OptionKind kind, NumberConventions conventions, QWidget* screen)
    : QWidget(screen, Qt::Window), kind_(kind), conventions_(std::move(conventions)) {
    readOnly_.toCanonical = conventions_.toCanonical;
    setObjectName(QStringLiteral("frmChart"));
    setWindowTitle(kind == OptionKind::Call ? QStringLiteral("Call Chart")
                                            : QStringLiteral("Put Chart"));
    announcer_ = new ResultAnnouncer(kind, this);
    searchPause_ = new QTimer(this);
    searchPause_->setSingleShot(true);
    searchPause_->setInterval(SEARCH_PAUSE_MS);
    BuildControls();
    SetUpChart();
    ConnectControls();
    SayChoice(barChoice_);
    SayChoice(resultChoice_);
    resultChoice_->setFocus();
    resize(620, 720);
}

void ChartWindow::BuildControls() {
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("lblMessage"));
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    view_ = new QChartView(this);
    view_->setObjectName(QStringLiteral("chtBar"));
    view_->setMinimumHeight(300);
    view_->setRenderHint(QPainter::Antialiasing);
    model_ = new BarTableModel(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("tblPositions"));
    table_->setAccessibleName(QStringLiteral("Positions"));
    table_->setModel(model_);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);  // Tab leaves the table; the arrows move inside it
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildChoices());
    layout->addWidget(view_, 3);
    layout->addWidget(message_);
    layout->addWidget(BuildMarketRow());
    layout->addWidget(table_, 2);
    layout->addWidget(BuildButtons());
    // The order they stand in: Show, Bar, the market value, Move Bar, the table.
    setTabOrder(resultChoice_, barChoice_);
    setTabOrder(barChoice_, marketValue_);
    setTabOrder(marketValue_, moveBar_);
    setTabOrder(moveBar_, table_);
}

QWidget* ChartWindow::BuildChoices() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    barChoice_ = new QComboBox(row);
    barChoice_->setObjectName(QStringLiteral("cboBar"));
    barChoice_->addItems({QStringLiteral("Volatility"), QStringLiteral("Interest")});
    resultChoice_ = new QComboBox(row);
    resultChoice_->setObjectName(QStringLiteral("cboResult"));
    const QString value =
        kind_ == OptionKind::Call ? QStringLiteral("Call value") : QStringLiteral("Put value");
    resultChoice_->addItem(value);
    for (std::size_t i = 1; i < RESULT_COLUMNS.size(); ++i) {
        resultChoice_->addItem(Caption(RESULT_COLUMNS[i].caption));
    }
    auto* barLabel = new QLabel(QStringLiteral("&Bar:"), row);
    barLabel->setBuddy(barChoice_);
    auto* resultLabel = new QLabel(QStringLiteral("&Show:"), row);
    resultLabel->setBuddy(resultChoice_);
    layout->addWidget(resultLabel);
    layout->addWidget(resultChoice_);
    layout->addSpacing(12);
    layout->addWidget(barLabel);
    layout->addWidget(barChoice_);
    layout->addStretch();
    return row;
}

QWidget* ChartWindow::BuildMarketRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    marketValue_ = new QLineEdit(row);
    marketValue_->setObjectName(QStringLiteral("txtMarketValue"));
    marketValue_->setAccessibleName(QStringLiteral("Market value"));
    marketValue_->setAccessibleDescription(
        QStringLiteral("The option value the market quotes; the positions showing it follow"));
    marketValue_->setMaximumWidth(100);
    // A box whose text was never set reports its caret before its focus, and a screen
    // reader then takes the caret for the focus and does not name the box.
    marketValue_->setText(QString());
    auto* label = new QLabel(QStringLiteral("Market &value:"), row);
    label->setBuddy(marketValue_);
    matchesText_ = new QLabel(row);
    matchesText_->setObjectName(QStringLiteral("lblMatches"));
    matchesText_->setWordWrap(true);
    matchesText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    moveBar_ = new QPushButton(QStringLiteral("&Move Bar"), row);
    moveBar_->setObjectName(QStringLiteral("cmdMoveBar"));
    moveBar_->setEnabled(false);
    layout->addWidget(label);
    layout->addWidget(marketValue_);
    layout->addWidget(matchesText_, 1);
    layout->addWidget(moveBar_);
    return row;
}

QWidget* ChartWindow::BuildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QPushButton(QStringLiteral("Save &Picture…"), row);
    picture->setObjectName(QStringLiteral("cmdSavePicture"));
    auto* table = new QPushButton(QStringLiteral("Save &Table…"), row);
    table->setObjectName(QStringLiteral("cmdSaveTable"));
    auto* close = new QPushButton(QStringLiteral("&Close"), row);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(picture, &QPushButton::clicked, this, &ChartWindow::AskToSavePicture);
    connect(table, &QPushButton::clicked, this, &ChartWindow::AskToSaveTable);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(picture);
    layout->addWidget(table);
    layout->addStretch();
    layout->addWidget(close);
    return row;
}

void ChartWindow::SetUpChart() {
    chart_ = new QChart;
    chart_->legend()->hide();
    chart_->setLocalizeNumbers(true);
    chart_->setLocale(QLocale());
    axisX_ = new QValueAxis(chart_);
    axisY_ = new QValueAxis(chart_);
    axisX_->setLabelFormat(QStringLiteral("%.0f"));
    axisX_->setTickType(QValueAxis::TicksDynamic);
    axisX_->setTickAnchor(0);
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);
    marker_ = new QScatterSeries(chart_);
    marker_->setMarkerSize(11);
    marker_->setColor(Qt::red);
    marketLine_ = new QLineSeries(chart_);
    marketLine_->setPen(QPen(Qt::darkGreen, 1.5, Qt::DashLine));
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(marketLine_), static_cast<QAbstractSeries*>(marker_)}) {
        chart_->addSeries(series);
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
    }
    view_->setChart(chart_);  // the view owns the chart
}

void ChartWindow::ConnectControls() {
    connect(barChoice_, &QComboBox::currentIndexChanged, this, [this] {
        Recompute();
        Redraw();
        SayChoice(barChoice_);
    });
    connect(resultChoice_, &QComboBox::currentIndexChanged, this, [this] {
        Redraw();
        SayChoice(resultChoice_);
    });
    connect(marketValue_, &QLineEdit::textChanged, this, [this] {
        Search();
        DrawMarketLine();
        searchPause_->start();
    });
    connect(marketValue_, &QLineEdit::returnPressed, this, [this] { SaySearch(true); });
    connect(searchPause_, &QTimer::timeout, this, [this] { SaySearch(false); });
    connect(moveBar_, &QPushButton::clicked, this, &ChartWindow::MoveBar);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

// The screen's bar does not have the focus, so what the screen then shows is said here.
void ChartWindow::MoveBar() {
    if (matches_.empty()) {
        return;
    }
    const int position = matches_.front();
    emit MoveBarRequested(Bar(), position);
    const auto i = static_cast<std::size_t>(position - along_.lowest);
    if (i < along_.positions.size() && along_.positions[i].Ok()) {
        const std::string shown = ShownValueText(along_.positions[i].value.optionValue);
        Say(resultChoice_->itemText(0) + QLatin1Char(' ') +
            QString::fromStdString(Localized(conventions_, shown)));
    }
}

// What the market value finds, said once the user pauses while the box has the focus,
// or at once on Enter.
void ChartWindow::SaySearch(bool asked) {
    searchPause_->stop();
    const QString found = matchesText_->text();
    if (found.isEmpty() || (!asked && (!marketValue_->hasFocus() || found == spokenSearch_))) {
        return;
    }
    spokenSearch_ = found;
    announcer_->Say(marketValue_, found);
}

// A choice box says its choice on focus, through its description, and when it changes.
void ChartWindow::SayChoice(QComboBox* choice) {
    choice->setAccessibleDescription(choice->currentText());
    if (choice->hasFocus()) {
        announcer_->Say(choice, choice->currentText());
    }
}

void ChartWindow::Say(const QString& text) {
    QWidget* focused = focusWidget();
    announcer_->Say(focused != nullptr ? focused : this, text);
}

// The focus goes back to the screen the chart belongs to.
void ChartWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (parentWidget() != nullptr) {
        parentWidget()->activateWindow();
    }
}

void ChartWindow::Refresh(const ScreenInputs& inputs) {
    for (InputBox box : INPUT_BOXES) {
        texts_[box] = inputs.boxes[box];
        inputs_.boxes[box] = texts_[box];
    }
    inputs_.dividendTicked = inputs.dividendTicked;
    inputs_.volatilityPercent = inputs.volatilityPercent;
    inputs_.interestPercent = inputs.interestPercent;
    Recompute();
    Redraw();
}

// The cycle at every position, and what the market value finds there now.
void ChartWindow::Recompute() {
    along_ = ValueAlongBar(kind_, Bar(), inputs_, readOnly_);
    model_->Show(along_, BarName(), conventions_);
    axisX_->setRange(BarLowest(Bar()), BarHighest(Bar()));
    axisX_->setTickInterval(Bar() == ScrollBar::Volatility ? 25 : 10);
    axisX_->setTitleText(BarName() + QStringLiteral(" (%)"));
    ShowMessages();
    Search();
}

// The chosen result along the bar: one line per run of valued positions, so a position
// that ends with a message leaves a gap.
void ChartWindow::Redraw() {
    std::vector<QList<QPointF>> runs(1);
    double low = 0;
    double high = 0;
    bool any = false;
    for (std::size_t i = 0; i < along_.positions.size(); ++i) {
        const Checked<PricingResult>& valued = along_.positions[i];
        if (!valued.Ok()) {
            if (!runs.back().isEmpty()) {
                runs.emplace_back();
            }
            continue;
        }
        const double y = ResultNumbers(valued.value)[Shown()];
        low = any ? std::min(low, y) : y;
        high = any ? std::max(high, y) : y;
        any = true;
        runs.back().append(QPointF(along_.lowest + static_cast<double>(i), y));
    }
    while (segments_.size() < runs.size()) {
        auto* series = new QLineSeries(chart_);
        series->setName(QStringLiteral("curve"));
        series->setPen(QPen(QColor(0, 0, 160), 2));
        chart_->addSeries(series);
        series->attachAxis(axisX_);
        series->attachAxis(axisY_);
        segments_.push_back(series);
    }
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        segments_[i]->replace(i < runs.size() ? runs[i] : QList<QPointF>());
    }
    const double pad = high > low ? (high - low) * 0.05 : 1.0;
    axisY_->setRange(low - pad, high + pad);
    axisY_->applyNiceNumbers();
    axisY_->setTitleText(resultChoice_->currentText());
    MarkPosition();
    DrawMarketLine();
}

// Each message the cycle ends with, after the positions where it does.
void ChartWindow::ShowMessages() {
    std::map<std::string, std::vector<int>> where;
    std::vector<std::string> order;
    for (std::size_t i = 0; i < along_.positions.size(); ++i) {
        for (const std::string& text :
             CycleMessages(along_.reading, along_.positions[i], readOnly_)) {
            auto& positions = where[text];
            if (positions.empty()) {
                order.push_back(text);
            }
            positions.push_back(along_.lowest + static_cast<int>(i));
        }
    }
    QStringList lines;
    for (const std::string& text : order) {
        lines << BarName() + QLatin1Char(' ') +
                     QString::fromStdString(PositionRanges(where[text])) + QStringLiteral(": ") +
                     QString::fromStdString(text);
    }
    message_->setText(lines.join(QLatin1Char('\n')));
    message_->setVisible(!lines.isEmpty());
}

void ChartWindow::MarkPosition() {
    const int position = inputs_.Position(Bar());
    const auto i = static_cast<std::size_t>(position - along_.lowest);
    QList<QPointF> point;
    if (i < along_.positions.size() && along_.positions[i].Ok()) {
        point.append(QPointF(position, ResultNumbers(along_.positions[i].value)[Shown()]));
    }
    marker_->replace(point);
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
    if (typed.isEmpty()) {
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
    ShowSearch(SearchBar(along_, *target_), typed);
}

void ChartWindow::ShowSearch(const BarSearch& search, const QString& typed) {
    matches_ = search.matches;
    moveBar_->setEnabled(!matches_.empty());
    const QString bar = BarName().toLower();
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

// The market value across the chart, where the chart shows option values.
void ChartWindow::DrawMarketLine() {
    QList<QPointF> line;
    if (target_ && Shown() == ResultBox::Value) {
        line = {QPointF(BarLowest(Bar()), *target_), QPointF(BarHighest(Bar()), *target_)};
        if (*target_ < axisY_->min() || *target_ > axisY_->max()) {
            axisY_->setRange(std::min(axisY_->min(), *target_), std::max(axisY_->max(), *target_));
        }
    }
    marketLine_->replace(line);
}

bool ChartWindow::SavePicture(const QString& path) {
    return view_->grab().save(path, "PNG");
}

bool ChartWindow::SaveTable(const QString& path, QString& error) const {
    EnumArray<InputBox, std::string> canonical;
    ScreenInputs rows = inputs_;
    for (InputBox box : INPUT_BOXES) {
        canonical[box] = Canonical(conventions_, texts_[box]);
        rows.boxes[box] = canonical[box];
    }
    const std::string csv = BarTableCsv(kind_, Bar(), rows, along_);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size()) ||
        !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void ChartWindow::AskToSavePicture() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save Picture"),
        windowTitle().toLower().replace(u' ', u'-') + QStringLiteral(".png"),
        QStringLiteral("PNG pictures (*.png)"));
    if (!path.isEmpty() && !SavePicture(path)) {
        QMessageBox box(QMessageBox::NoIcon, APPLICATION_TITLE,
                        QStringLiteral("Could not save the picture to %1").arg(path),
                        QMessageBox::Ok, this);
        box.exec();
    }
}

void ChartWindow::AskToSaveTable() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save Table"),
        windowTitle().toLower().replace(u' ', u'-') + QStringLiteral(".csv"),
        QStringLiteral("CSV files (*.csv)"));
    QString error;
    if (!path.isEmpty() && !SaveTable(path, error)) {
        QMessageBox box(QMessageBox::NoIcon, APPLICATION_TITLE,
                        QStringLiteral("Could not save the table to %1: %2").arg(path, error),
                        QMessageBox::Ok, this);
        box.exec();
    }
}

ScrollBar ChartWindow::Bar() const {
    return barChoice_->currentIndex() == 1 ? ScrollBar::Interest : ScrollBar::Volatility;
}

ResultBox ChartWindow::Shown() const {
    return RESULT_BOXES[static_cast<std::size_t>(std::max(0, resultChoice_->currentIndex()))];
}

QString ChartWindow::BarName() const {
    return barChoice_->currentText();
}

}  // namespace volantra
