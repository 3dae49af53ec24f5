#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "screens/chart_points.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QPushButton;
class QScatterSeries;
class QTableView;
class QTimer;
class QValueAxis;

namespace volantra {

class BarTableModel;
class ResultAnnouncer;

/// "Call Chart" or "Put Chart": the value or a Greek over one input, as the screen would
/// show it there: every position of a bar, or prices of the asset around the one typed
/// with the payoff at expiry, or the days left; with a table of the same points, and
/// over a bar the positions that show a market value. It belongs to its screen and never
/// changes the screen but through the bar move the user asks for.
class ChartWindow : public QWidget {
    Q_OBJECT

public:
    /// A window of `screen`, which owns it; numbers are read and shown by `conventions`.
    ChartWindow(OptionKind kind, NumberConventions conventions, QWidget* screen);

    /// Computes every point again from the screen's inputs as they stand now.
    void Refresh(const ScreenInputs& inputs);

    /// Writes the chart as a PNG picture; false when it cannot be written.
    bool SavePicture(const QString& path);

    /// Writes the table as CSV, as the batch pricer writes the same sweep; false when it
    /// cannot be written.
    bool SaveTable(const QString& path, QString& error) const;

signals:
    /// The user asked to move the screen's `bar` to `percent`.
    void MoveBarRequested(ScrollBar bar, int percent);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildChoices();
    QWidget* BuildMarketRow();
    QWidget* BuildButtons();
    void SetUpChart();
    QLineSeries* AddLine(const QPen& pen);
    void ConnectControls();

    void Recompute();
    void SetUpAxisX();
    void Redraw();
    void DrawPayoff(double low, double high);
    void ShowBreakeven();
    void ShowMessages();
    void MarkPosition();
    void Search();
    void SearchMarketValue();
    void ShowSearch(const BarSearch& search, const QString& typed);
    void DrawMarketLine();
    void AskToSavePicture();
    void AskToSaveTable();
    void MoveBar();
    void SaySearch(bool asked);
    void SayChoice(QComboBox* choice);
    void Say(const QString& text);

    [[nodiscard]] ChartOver Over() const;
    [[nodiscard]] ScrollBar Bar() const;
    [[nodiscard]] ResultBox Shown() const;
    [[nodiscard]] GreekUnits Units() const;
    void NameResults();
    [[nodiscard]] QString OverName() const;
    [[nodiscard]] QString PointLabel(double x) const;
    [[nodiscard]] QString Local(const std::string& canonical) const;

    OptionKind kind_;
    NumberConventions conventions_;  // the screen's
    EnumArray<InputBox, std::string> texts_;
    ScreenInputs inputs_;  // views into texts_
    ChartData data_;
    std::optional<double> target_;
    std::vector<int> matches_;

    QComboBox* overChoice_ = nullptr;
    QComboBox* resultChoice_ = nullptr;
    QComboBox* unitsChoice_ = nullptr;
    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    std::vector<QLineSeries*> segments_;  // one per run of valued points
    QScatterSeries* marker_ = nullptr;
    QLineSeries* marketLine_ = nullptr;
    QLineSeries* payoffLine_ = nullptr;  // over the asset price: the payoff at expiry
    QLineSeries* assetLine_ = nullptr;   // over the asset price: the asset typed
    QLabel* message_ = nullptr;
    QLabel* breakeven_ = nullptr;
    QWidget* marketRow_ = nullptr;
    QLineEdit* marketValue_ = nullptr;
    QLabel* matchesText_ = nullptr;
    QPushButton* moveBar_ = nullptr;
    BarTableModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    ResultAnnouncer* announcer_ = nullptr;
    QTimer* searchPause_ = nullptr;
    QString spokenSearch_;  // what the market value found when it was last said
};

}  // namespace volantra
