#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

#include "cycle/recalculation.h"
#include "ui_pricing_screen.h"

namespace volantra {

class ChartWindow;
class PercentTip;
class ResultAnnouncer;
class ScrollEvents;

/// The call screen frmCall or the put screen frmPut: the same controls, captions and
/// valuation set by the option kind. It only applies what the recalculation returns.
class PricingScreen : public QWidget {
    Q_OBJECT

public:
    explicit PricingScreen(OptionKind kind, QWidget* parent = nullptr);

private:
    void SetUpLook();
    void MapBoxes();
    void SetUpKind();
    void SetUpHelp();
    void SetUpFocusOrder();
    void ConnectEvents();

    void vsbVolatility_Change();
    void vsbVolatility_Scroll();
    void vsbInterest_Change();
    void vsbInterest_Scroll();
    void RunCycle(ScrollBar moved);
    ScreenInputs ReadInputs(EnumArray<InputBox, std::string>& texts) const;
    void Apply(const ScreenChange& change);
    void ShowMessageBox(const QString& text);
    int FittingWidth(QLabel* label, const QString& text);
    void CopyAllResults();
    void SpeakAllResults();
    void Say(const QString& text);
    void OpenChart();
    void RefreshChart();
    void MoveBar(ScrollBar bar, int percent);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void chkDividend_Click();
    void txtAsset_KeyPress(int keyAscii);
    void txtStrike_KeyPress(int keyAscii);
    void txtDividend_KeyPress(int keyAscii);
    void txtInterest_KeyPress(int keyAscii);

    QList<QWidget*> DividendRow() const;

    Ui::PricingScreen ui;
    OptionKind kind_;
    NumberConventions conventions_;
    EnumArray<InputBox, QLineEdit*> boxes_;
    EnumArray<ResultBox, ResultLabel*> results_;
    ScrollEvents* volatility_ = nullptr;
    ScrollEvents* interest_ = nullptr;
    PercentTip* volatilityTip_ = nullptr;  // owned by its bar, as the events are
    PercentTip* interestTip_ = nullptr;
    ResultAnnouncer* announcer_ = nullptr;
    bool cycleRunning_ = false;
    QHash<QString, int> labelWidths_;
    QPointer<ChartWindow> chart_;
};

}  // namespace volantra
