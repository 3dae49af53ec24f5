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
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "engine/number_text.h"
#include "rows/priced_row.h"
#include "rows/solved_row.h"
#include "screens/bar_table_model.h"
#include "screens/result_announcer.h"
#include "screens/screen_style.h"

namespace volantra {
namespace {

// Room kept for the window's title bar and the screen's edges.
constexpr int TITLE_BAR_ROOM = 30;

// How long typing pauses before what the market value finds is said.
constexpr int SEARCH_PAUSE_MS = 700;

QString Caption(std::string_view caption) {
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
}

}  // namespace

ChartWindow::ChartWindow(OptionKind kind, NumberConventions conventions, QWidget* screen)
    : QWidget(screen, Qt::Window), kind_(kind), conventions_(std::move(conventions)) {
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
    SayChoice(overChoice_);
    SayChoice(resultChoice_);
    SayChoice(unitsChoice_);
    resultChoice_->setFocus();
    resize(620, 720);
    if (const QScreen* display = screen->screen()) {  // no taller than the screen's room
        const int room = display->availableGeometry().height() - 2 * TITLE_BAR_ROOM;
        resize(width(), std::max(minimumSizeHint().height(), std::min(height(), room)));
    }
}

void ChartWindow::BuildControls() {
    breakeven_ = new QLabel(this);
    breakeven_->setObjectName(QStringLiteral("lblBreakeven"));
    breakeven_->setTextInteractionFlags(Qt::TextSelectableByMouse);
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
    layout->addWidget(breakeven_);
    layout->addWidget(message_);
    marketRow_ = BuildMarketRow();
    layout->addWidget(marketRow_);
    layout->addWidget(table_, 2);
    layout->addWidget(BuildButtons());
    // The order they stand in: Show, Over, the market value, Move Bar, the table.
    setTabOrder(resultChoice_, overChoice_);
    setTabOrder(overChoice_, unitsChoice_);
    setTabOrder(unitsChoice_, marketValue_);
    setTabOrder(marketValue_, moveBar_);
    setTabOrder(moveBar_, table_);
}

QWidget* ChartWindow::BuildChoices() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    overChoice_ = new QComboBox(row);
    overChoice_->setObjectName(QStringLiteral("cboOver"));
    overChoice_->setAccessibleName(QStringLiteral("Over"));
    // In the order of ChartOver.
    overChoice_->addItems({QStringLiteral("Volatility"), QStringLiteral("Interest"),
                           QStringLiteral("Asset price"), QStringLiteral("Days to maturity")});
    resultChoice_ = new QComboBox(row);
    resultChoice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);  // "Theta per day"
    resultChoice_->setObjectName(QStringLiteral("cboResult"));
    const QString value =
        kind_ == OptionKind::Call ? QStringLiteral("Call value") : QStringLiteral("Put value");
    resultChoice_->addItem(value);
    for (std::size_t i = 1; i < RESULT_COLUMNS.size(); ++i) {
        resultChoice_->addItem(Caption(RESULT_COLUMNS[i].caption));
    }
    // The Greeks as the screen gives them, or as traders quote them; never on the screen.
    unitsChoice_ = new QComboBox(row);
    unitsChoice_->setObjectName(QStringLiteral("cboUnits"));
    unitsChoice_->addItems(
        {QStringLiteral("As the screen"), QStringLiteral("Per day and per 1 %")});
    auto* unitsLabel = new QLabel(QStringLiteral("&Units:"), row);
    unitsLabel->setBuddy(unitsChoice_);
    // Alt+B, as when it chose only a bar; Alt+O would take the Close button's place.
    auto* overLabel = new QLabel(QStringLiteral("Over (Alt+B):"), row);
    overLabel->setBuddy(overChoice_);
    auto* overKeys = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_B), this);
    connect(overKeys, &QShortcut::activated, overChoice_,
            [this] { overChoice_->setFocus(Qt::ShortcutFocusReason); });
    auto* resultLabel = new QLabel(QStringLiteral("&Show:"), row);
    resultLabel->setBuddy(resultChoice_);
    layout->addWidget(resultLabel);
    layout->addWidget(resultChoice_);
    layout->addSpacing(12);
    layout->addWidget(overLabel);
    layout->addWidget(overChoice_);
    layout->addSpacing(12);
    layout->addWidget(unitsLabel);
    layout->addWidget(unitsChoice_);
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
    payoffLine_ = AddLine(QPen(Qt::darkGray, 1.5, Qt::DashLine));
    payoffLine_->setName(QStringLiteral("payoff"));
    assetLine_ = AddLine(QPen(Qt::gray, 1, Qt::DotLine));
    assetLine_->setName(QStringLiteral("asset"));
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

QLineSeries* ChartWindow::AddLine(const QPen& pen) {
    auto* line = new QLineSeries(chart_);
    line->setPen(pen);
    chart_->addSeries(line);
    line->attachAxis(axisX_);
    line->attachAxis(axisY_);
    return line;
}

void ChartWindow::ConnectControls() {
    connect(overChoice_, &QComboBox::currentIndexChanged, this, [this] {
        Recompute();
        Redraw();
        SayChoice(overChoice_);
    });
    connect(resultChoice_, &QComboBox::currentIndexChanged, this, [this] {
        Redraw();
        SayChoice(resultChoice_);
    });
    connect(unitsChoice_, &QComboBox::currentIndexChanged, this, [this] {
        NameResults();
        Recompute();
        Redraw();
        SayChoice(unitsChoice_);
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
    const auto i = static_cast<std::size_t>(position - data_.along.lowest);
    if (i < data_.along.positions.size() && data_.along.positions[i].Ok()) {
        const float value = data_.along.positions[i].value.optionValue;
        Say(resultChoice_->itemText(0) + QLatin1Char(' ') + Local(ShownValueText(value)));
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
    const std::string csv = ChartTableCsv(kind_, Over(), rows, Units());
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

ChartOver ChartWindow::Over() const {
    return static_cast<ChartOver>(std::max(0, overChoice_->currentIndex()));
}

// Over a bar, that bar; the market value is searched only there.
ScrollBar ChartWindow::Bar() const {
    return Over() == ChartOver::Interest ? ScrollBar::Interest : ScrollBar::Volatility;
}

GreekUnits ChartWindow::Units() const {
    return unitsChoice_->currentIndex() == 1 ? GreekUnits::Trader : GreekUnits::Screen;
}

// The results as Show lists them, in the units chosen: "Theta per day".
void ChartWindow::NameResults() {
    for (std::size_t i = 1; i < RESULT_COLUMNS.size(); ++i) {
        resultChoice_->setItemText(static_cast<int>(i),
                                   Caption(RESULT_COLUMNS[i].Caption(Units())));
    }
}

ResultBox ChartWindow::Shown() const {
    return RESULT_BOXES[static_cast<std::size_t>(std::max(0, resultChoice_->currentIndex()))];
}

QString ChartWindow::OverName() const {
    return overChoice_->currentText();
}

QString ChartWindow::Local(const std::string& canonical) const {
    return QString::fromStdString(Localized(conventions_, canonical));
}

}  // namespace volantra
