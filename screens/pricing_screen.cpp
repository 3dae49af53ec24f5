#include "screens/pricing_screen.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QScrollBar>
#include <QShortcut>

#include "screens/chart_window.h"
#include "screens/focus_ring_style.h"
#include "screens/locale_numbers.h"
#include "screens/navigation.h"
#include "screens/percent_tip.h"
#include "screens/result_announcer.h"
#include "screens/screen_style.h"
#include "screens/scroll_events.h"
#include "screens/unit_captions.h"

namespace volantra {
namespace {

// The put screen's own places are given in twips (1/1440 inch), as its layout was
// drawn; 15 twips make a pixel at 96 dots per inch.
constexpr int TWIPS_PER_PIXEL = 15;
constexpr int Pixels(int twips) {
    return twips / TWIPS_PER_PIXEL;
}

constexpr int ENTER_KEY = 13;
constexpr qreal VALUE_FONT_POINTS = 13.5;
constexpr qreal BUTTON_FONT_POINTS = 9.75;

// Object names of the unit labels, which differ between the two screens.
struct UnitNames {
    const char* asset;
    const char* strike;
    const char* volatility;
    const char* interest;
    const char* dividend;
    const char* dividendInterest;
    const char* dividendTime;
};
constexpr UnitNames CALL_UNITS{"Label16", "Label17", "Label19", "Label20",
                               "Label13", "Label14", "Label15"};
constexpr UnitNames PUT_UNITS{"Label13", "Label14", "Label15", "Label16",
                              "Label17", "Label20", "Label19"};

}  // namespace

PricingScreen::PricingScreen(OptionKind kind, QWidget* parent)
    : QWidget(parent), kind_(kind), conventions_(LocaleConventions(QLocale())) {
    ui.setupUi(this);
    volatility_ =
        new ScrollEvents(ui.vsbVolatility, VOLATILITY_LOWEST, VOLATILITY_HIGHEST, BAR_START);
    interest_ = new ScrollEvents(ui.vsbInterest, INTEREST_LOWEST, INTEREST_HIGHEST, BAR_START);
    volatilityTip_ = new PercentTip(ui.vsbVolatility, QStringLiteral("Volatility"));
    interestTip_ = new PercentTip(ui.vsbInterest, QStringLiteral("Interest rate"));
    announcer_ = new ResultAnnouncer(kind, this);
    MapBoxes();
    SetUpKind();
    SetUpLook();
    SetUpHelp();
    SetUpFocusOrder();
    ConnectEvents();
    for (QWidget* control : DividendRow()) {
        control->hide();
    }
    ui.txtAsset->setFocus();
}

void PricingScreen::MapBoxes() {
    boxes_[InputBox::Asset] = ui.txtAsset;
    boxes_[InputBox::Strike] = ui.txtStrike;
    boxes_[InputBox::Maturity] = ui.txtMaturity;
    boxes_[InputBox::Dividend] = ui.txtDividend;
    boxes_[InputBox::DividendInterest] = ui.txtInterest;
    boxes_[InputBox::DividendTime] = ui.txtTime;
    results_[ResultBox::Value] = ui.lblDbir;
    results_[ResultBox::Delta] = ui.lblCalldelta;
    results_[ResultBox::Gamma] = ui.lblCallgamma;
    results_[ResultBox::Theta] = ui.lblCalltheta;
    results_[ResultBox::Vega] = ui.lblCallvega;
    results_[ResultBox::Rho] = ui.lblCallrho;
}

void PricingScreen::SetUpKind() {
    const bool call = kind_ == OptionKind::Call;
    setObjectName(call ? QStringLiteral("frmCall") : QStringLiteral("frmPut"));
    setWindowTitle(call ? QStringLiteral("CALL PRICING") : QStringLiteral("PUT PRICING"));
    const QString prefix = call ? QStringLiteral("CALL") : QStringLiteral("PUT");
    ui.lblCallvalue->setText(prefix + QStringLiteral(" VALUE"));
    ui.lblDelta->setText(prefix + QStringLiteral("DELTA"));
    ui.lblGamma->setText(prefix + QStringLiteral("GAMMA"));
    ui.lblTheta->setText(prefix + QStringLiteral("THETA"));
    ui.lblVega->setText(prefix + QStringLiteral("VEGA"));
    ui.lblRho->setText(prefix + QStringLiteral("RHO"));
    if (!call) {
        ui.Command3->setText(QStringLiteral("E&xit"));
        ui.Command3->setGeometry(Pixels(6960), Pixels(5400), Pixels(1335), Pixels(495));
        ui.unitDividend->move(Pixels(480), Pixels(3480));
    }
    const UnitNames& names = call ? CALL_UNITS : PUT_UNITS;
    ui.unitAsset->setObjectName(names.asset);
    ui.unitStrike->setObjectName(names.strike);
    ui.unitVolatility->setObjectName(names.volatility);
    ui.unitInterest->setObjectName(names.interest);
    ui.unitDividend->setObjectName(names.dividend);
    ui.unitDividendInterest->setObjectName(names.dividendInterest);
    ui.unitDividendTime->setObjectName(names.dividendTime);
    ui.unitMaturity->setObjectName("Label18");
    ui.unitValue->setObjectName("Label7");
    ui.unitDelta->setObjectName("Label8");
    ui.unitGamma->setObjectName("Label9");
    ui.unitTheta->setObjectName("Label10");
    ui.unitVega->setObjectName("Label11");
    ui.unitRho->setObjectName("Label12");
}

void PricingScreen::SetUpLook() {
    SetBackground(this, SCREEN_BLUE);
    SetBackground(ui.chkDividend, SCREEN_BLUE);
    for (QLabel* label : findChildren<QLabel*>()) {
        SetForeground(label, CAPTION_RED);
    }
    const QPalette system = QApplication::palette();
    for (QLabel* box : {ui.lblVolatility, ui.lblInterest, ui.lblDbir, ui.lblCalldelta,
                        ui.lblCallgamma, ui.lblCalltheta, ui.lblCallvega, ui.lblCallrho}) {
        SetBackground(box, Qt::white);  // the active title-bar text colour of the standard scheme
        SetForeground(box, system.color(QPalette::ButtonText));
    }
    SetBackground(ui.lblCallrho, system.color(QPalette::HighlightedText));
    for (QFrame* frame : {ui.Shape1, ui.Shape2, ui.Shape3, ui.Shape4, ui.Shape5, ui.Shape6}) {
        SetForeground(frame, Qt::black);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    for (QLabel* label :
         {ui.lblCallvalue, static_cast<QLabel*>(ui.lblDbir), ui.unitAsset, ui.unitStrike,
          ui.unitMaturity, ui.unitVolatility, ui.unitInterest, ui.unitDividend,
          ui.unitDividendInterest, ui.unitDividendTime, ui.unitValue, ui.unitDelta, ui.unitGamma,
          ui.unitTheta, ui.unitVega, ui.unitRho}) {
        SetPointSize(label, VALUE_FONT_POINTS);
    }
    for (QPushButton* button : {ui.Command1, ui.Command2, ui.Command3}) {
        SetPointSize(button, BUTTON_FONT_POINTS);
    }
    for (ResultLabel* result : results_) {
        result->KeepWidth();  // only the value labels grow to fit
    }
    PressFocusedButtonOnEnter(this);
    ShowFocusPlainly(this);
}

void PricingScreen::SetUpHelp() {
    struct Help {
        QWidget* control;
        const char* name;
        const char* description;
        QLabel* unit;  // the caption read as the end of the description
    };
    const Help help[] = {
        {ui.txtAsset, "Asset price", "Price of the underlying asset", ui.unitAsset},
        {ui.txtStrike, "Strike price", "Strike price of the option", ui.unitStrike},
        {ui.txtMaturity, "Maturity", "Time to maturity", ui.unitMaturity},
        {ui.vsbVolatility, "Volatility", "Volatility per year, 1 to 200", ui.unitVolatility},
        {ui.vsbInterest, "Interest rate", "Risk-free interest rate per year, 0 to 100",
         ui.unitInterest},
        {ui.lblVolatility, "Volatility shown", "Volatility, in percent per year", nullptr},
        {ui.lblInterest, "Interest rate shown", "Risk-free interest rate, in percent per year",
         nullptr},
        {ui.chkDividend, "Dividends", "Tick to include an expected dividend", nullptr},
        {ui.txtDividend, "Dividend amount", "Expected dividend", ui.unitDividend},
        {ui.txtInterest, "Dividend interest rate",
         "Interest rate for discounting the dividend, per year", ui.unitDividendInterest},
        {ui.txtTime, "Dividend time", "Time to the dividend payment", ui.unitDividendTime},
        {ui.lblDbir, "Option value", "Value of the option", ui.unitValue},
        {ui.lblCalldelta, "Delta", "Delta: change of the option value per 1 of asset price",
         ui.unitDelta},
        {ui.lblCallgamma, "Gamma", "Gamma: change of delta per 1 of asset price", ui.unitGamma},
        {ui.lblCalltheta, "Theta", "Theta: change of the option value per year of elapsed time",
         ui.unitTheta},
        {ui.lblCallvega, "Vega",
         "Vega: change of the option value per 1.00 of volatility (100 percentage points)",
         ui.unitVega},
        {ui.lblCallrho, "Rho",
         "Rho: change of the option value per 1.00 of interest rate (100 percentage points)",
         ui.unitRho},
    };
    for (const Help& h : help) {
        const QString description = WithUnit(QString::fromUtf8(h.description), h.unit);
        if (auto* shown = qobject_cast<ResultLabel*>(h.control)) {
            shown->SetHelp(QString::fromUtf8(h.name), description);
            continue;  // read with the text it shows
        }
        h.control->setAccessibleName(QString::fromUtf8(h.name));
        h.control->setAccessibleDescription(description);
        h.control->setToolTip(description);
    }
}

void PricingScreen::SetUpFocusOrder() {
    const QWidget* order[] = {ui.txtAsset,    ui.txtStrike,   ui.txtMaturity, ui.vsbVolatility,
                              ui.vsbInterest, ui.txtDividend, ui.txtInterest, ui.txtTime,
                              ui.chkDividend, ui.Command1,    ui.Command2,    ui.Command3};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    }
}

void PricingScreen::ConnectEvents() {
    connect(volatility_, &ScrollEvents::Changed, this, &PricingScreen::vsbVolatility_Change);
    connect(volatility_, &ScrollEvents::Scrolled, this, &PricingScreen::vsbVolatility_Scroll);
    connect(interest_, &ScrollEvents::Changed, this, &PricingScreen::vsbInterest_Change);
    connect(interest_, &ScrollEvents::Scrolled, this, &PricingScreen::vsbInterest_Scroll);
    connect(ui.Command1, &QPushButton::clicked, this, &PricingScreen::Command1_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &PricingScreen::Command2_Click);
    connect(ui.Command3, &QPushButton::clicked, this, &PricingScreen::Command3_Click);
    connect(ui.chkDividend, &QCheckBox::clicked, this, &PricingScreen::chkDividend_Click);
    for (ResultLabel* shown : {ui.lblVolatility, ui.lblInterest, ui.lblDbir, ui.lblCalldelta,
                               ui.lblCallgamma, ui.lblCalltheta, ui.lblCallvega, ui.lblCallrho}) {
        connect(shown, &ResultLabel::CopyAllRequested, this, &PricingScreen::CopyAllResults);
        connect(shown, &ResultLabel::SpeakAllRequested, this, &PricingScreen::SpeakAllResults);
        connect(shown, &ResultLabel::ChartRequested, this, &PricingScreen::OpenChart);
    }
    // The result boxes never take the focus, so the keyboard copies them from anywhere.
    auto* copyAll = new QShortcut(CopyAllResultsKeys(), this);
    connect(copyAll, &QShortcut::activated, this, &PricingScreen::CopyAllResults);
    auto* speakAll = new QShortcut(SpeakAllResultsKeys(), this);
    connect(speakAll, &QShortcut::activated, this, &PricingScreen::SpeakAllResults);
    auto* chart = new QShortcut(ChartKeys(), this);
    connect(chart, &QShortcut::activated, this, &PricingScreen::OpenChart);
    connect(ui.txtAsset, &QLineEdit::returnPressed, this, [this] { txtAsset_KeyPress(ENTER_KEY); });
    connect(ui.txtStrike, &QLineEdit::returnPressed, this,
            [this] { txtStrike_KeyPress(ENTER_KEY); });
    connect(ui.txtDividend, &QLineEdit::returnPressed, this,
            [this] { txtDividend_KeyPress(ENTER_KEY); });
    connect(ui.txtInterest, &QLineEdit::returnPressed, this,
            [this] { txtInterest_KeyPress(ENTER_KEY); });
}

// Recalculation: both events of both bars run the whole cycle.

void PricingScreen::vsbVolatility_Change() {
    RunCycle(ScrollBar::Volatility);
}
void PricingScreen::vsbVolatility_Scroll() {
    RunCycle(ScrollBar::Volatility);
}
void PricingScreen::vsbInterest_Change() {
    RunCycle(ScrollBar::Interest);
}
void PricingScreen::vsbInterest_Scroll() {
    RunCycle(ScrollBar::Interest);
}

void PricingScreen::RunCycle(ScrollBar moved) {
    if (cycleRunning_) {
        return;  // one cycle runs to its end before the next, also across a message box
    }
    cycleRunning_ = true;
    EnumArray<InputBox, std::string> texts;
    const CycleOutcome outcome =
        volantra::Recalculate(kind_, moved, ReadInputs(texts), conventions_);
    for (const ScreenChange& change : outcome.changes) {
        Apply(change);
    }
    announcer_->AfterStep(moved == ScrollBar::Volatility ? ui.vsbVolatility : ui.vsbInterest,
                          outcome.changes);
    cycleRunning_ = false;
    RefreshChart();
}

// What the cycle reads: the boxes' texts, kept in `texts`, the check box and the bars.
ScreenInputs PricingScreen::ReadInputs(EnumArray<InputBox, std::string>& texts) const {
    ScreenInputs inputs;
    for (InputBox box : INPUT_BOXES) {
        texts[box] = boxes_[box]->text().toStdString();
        inputs.boxes[box] = texts[box];
    }
    inputs.dividendTicked = ui.chkDividend->isChecked();
    inputs.volatilityPercent = volatility_->Percent();
    inputs.interestPercent = interest_->Percent();
    return inputs;
}

void PricingScreen::Apply(const ScreenChange& change) {
    if (const auto* message = std::get_if<ShowMessage>(&change)) {
        ShowMessageBox(QString::fromStdString(message->text));
    } else if (const auto* reset = std::get_if<ResetBox>(&change)) {
        boxes_[reset->box]->setText(QString::fromStdString(reset->text));
    } else if (const auto* focus = std::get_if<FocusBox>(&change)) {
        boxes_[focus->box]->setFocus();
        if (focus->selectText) {
            boxes_[focus->box]->selectAll();
        }
    } else if (const auto* label = std::get_if<WriteValueLabel>(&change)) {
        ResultLabel* shown =
            label->bar == ScrollBar::Volatility ? ui.lblVolatility : ui.lblInterest;
        const QString text = QString::fromStdString(label->text);
        shown->ShowText(text);
        const int width = FittingWidth(shown, text);  // grows to fit its text
        if (width != shown->width()) {
            shown->resize(width, shown->height());
        }
    } else if (const auto* result = std::get_if<WriteResult>(&change)) {
        results_[result->box]->ShowText(QString::fromStdString(result->text));
    }
}

// The label's own fitting width for the text it now shows; the few widths a bar can ask
// for are kept, since measuring text is the slowest step of a cycle.
int PricingScreen::FittingWidth(QLabel* label, const QString& text) {
    auto known = labelWidths_.constFind(text);
    if (known == labelWidths_.constEnd()) {
        known =
            labelWidths_.insert(text, std::max(label->sizeHint().width(), label->minimumWidth()));
    }
    return *known;
}

void PricingScreen::ShowMessageBox(const QString& text) {
    volatility_->EndPress();  // the box takes the mouse: a press under way ends here
    interest_->EndPress();
    QMessageBox box(QMessageBox::NoIcon, APPLICATION_TITLE, text, QMessageBox::Ok, this);
    box.exec();
    // Without a window manager nothing hands activation back, and an inactive screen
    // ignores its Alt shortcuts and tooltips.
    activateWindow();
}

// The six captions with their results, one per line, as the screen shows them; with no
// results the clipboard keeps what it held. Either way a screen reader hears which.
void PricingScreen::CopyAllResults() {
    if (std::all_of(results_.begin(), results_.end(),
                    [](const ResultLabel* box) { return box->text().isEmpty(); })) {
        Say(QStringLiteral("No results"));
        return;
    }
    const QLabel* captions[] = {ui.lblCallvalue, ui.lblDelta, ui.lblGamma,
                                ui.lblTheta,     ui.lblVega,  ui.lblRho};
    QStringList lines;
    for (ResultBox box : RESULT_BOXES) {
        lines << captions[static_cast<std::size_t>(box)]->text() + QLatin1Char('\t') +
                     results_[box]->text();
    }
    QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    Say(QStringLiteral("Results copied"));
}

void PricingScreen::SpeakAllResults() {
    EnumArray<ResultBox, QString> shown;
    for (ResultBox box : RESULT_BOXES) {
        shown[box] = results_[box]->text();
    }
    Say(AllResultsAnnouncement(kind_, shown));
}

// Spoken on behalf of the control with the focus, which is the one a screen reader hears.
void PricingScreen::Say(const QString& text) {
    QWidget* focused = focusWidget();
    announcer_->Say(focused != nullptr ? focused : this, text);
}

// The chart reads the boxes when it opens and after each bar move, as the cycle does.
void PricingScreen::OpenChart() {
    if (chart_.isNull()) {
        chart_ = new ChartWindow(kind_, conventions_, this);
        connect(chart_, &ChartWindow::MoveBarRequested, this, &PricingScreen::MoveBar);
        PlaceBeside(chart_, this);
        RefreshChart();
    }
    chart_->show();
    chart_->raise();
    chart_->activateWindow();
}

void PricingScreen::RefreshChart() {
    if (!chart_.isNull()) {
        EnumArray<InputBox, std::string> texts;
        chart_->Refresh(ReadInputs(texts));
    }
}

// A move as the user's own: the bar's change event runs the cycle.
void PricingScreen::MoveBar(ScrollBar bar, int percent) {
    QScrollBar* moved = bar == ScrollBar::Volatility ? ui.vsbVolatility : ui.vsbInterest;
    moved->setValue(Mirrored(*moved, percent));
}

// Commands.

void PricingScreen::Command1_Click() {
    for (QLineEdit* box : boxes_) {
        box->clear();
    }
    for (ResultLabel* result : results_) {
        result->ShowText({});
    }
    ui.txtAsset->setFocus();
}

void PricingScreen::Command2_Click() {
    Navigate(this, ScreenId::Menu);
}

void PricingScreen::Command3_Click() {
    ExitProgram();
}

void PricingScreen::chkDividend_Click() {
    const bool ticked = ui.chkDividend->isChecked();
    for (QWidget* control : DividendRow()) {
        control->setVisible(ticked);
    }
    if (ticked) {  // the boxes stand before the check box, where Tab does not lead
        announcer_->Say(ui.chkDividend,
                        QStringLiteral("Dividend amount, interest rate and time shown; "
                                       "Shift+Tab to fill them"));
    }
    // The first main field that is exactly empty; a text of spaces counts as text.
    for (QLineEdit* box : {ui.txtAsset, ui.txtStrike, ui.txtMaturity}) {
        if (box->text().isEmpty()) {
            box->setFocus();
            return;
        }
    }
}

void PricingScreen::txtAsset_KeyPress(int keyAscii) {
    if (keyAscii == ENTER_KEY) {
        ui.txtStrike->setFocus();
    }
}

void PricingScreen::txtStrike_KeyPress(int keyAscii) {
    if (keyAscii == ENTER_KEY) {
        ui.txtMaturity->setFocus();
    }
}

void PricingScreen::txtDividend_KeyPress(int keyAscii) {
    if (keyAscii == ENTER_KEY) {
        ui.txtInterest->setFocus();
    }
}

void PricingScreen::txtInterest_KeyPress(int keyAscii) {
    if (keyAscii == ENTER_KEY) {
        ui.txtTime->setFocus();
    }
}

QList<QWidget*> PricingScreen::DividendRow() const {
    return {ui.txtDividend,  ui.txtInterest,          ui.txtTime,
            ui.unitDividend, ui.unitDividendInterest, ui.unitDividendTime,
            ui.lblDividend,  ui.lblInterest2,         ui.lblTime,
            ui.Shape4};
}

}  // namespace volantra
