#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "cycle/along_bar.h"

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

/// "Call Chart" or "Put Chart": the value or a Greek at every position of one bar, as
/// the screen would show it there, with a table of the same points, and the positions
/// that show a market value. It belongs to its screen and never changes the screen but
/// through the bar move the user asks for.
class ChartWindow : public QWidget {
    Q_OBJECT

public:
    /// A window of `screen`, which owns it; numbers are read and shown by `conventions`.
    ChartWindow(OptionKind kind, NumberConventions conventions, QWidget* screen);

    /// Computes every position again from the screen's inputs as they stand now.
    void Refresh(const ScreenInputs& inputs);

    /// Writes the chart as a PNG picture; false when it cannot be written.
    bool SavePicture(const QString& path);

    /// Writes the table as CSV, as the batch pricer writes a sweep of the bar; false
    /// when it cannot be written.
    bool SaveTable(const QString& path, QString& error) const;

protected:
    void closeEvent(QCloseEvent* event) override;

signals:
    /// The user asked to move the screen's `bar` to `percent`.
    void MoveBarRequested(ScrollBar bar, int percent);

private:
    void BuildControls();
    QWidget* BuildChoices();
    QWidget* BuildMarketRow();
    QWidget* BuildButtons();
    void SetUpChart();
    void ConnectControls();

    void Recompute();
    void Redraw();
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

    [[nodiscard]] ScrollBar Bar() const;
    [[nodiscard]] ResultBox Shown() const;
    [[nodiscard]] QString BarName() const;

    OptionKind kind_;
    NumberConventions conventions_;  // the screen's
    NumberConventions readOnly_;     // reads the screen's numbers, writes canonical text
    EnumArray<InputBox, std::string> texts_;
    ScreenInputs inputs_;  // views into texts_
    BarValues along_;
    std::optional<double> target_;
    std::vector<int> matches_;

    QComboBox* barChoice_ = nullptr;
    QComboBox* resultChoice_ = nullptr;
    QChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    std::vector<QLineSeries*> segments_;  // one per run of valued positions
    QScatterSeries* marker_ = nullptr;
    QLineSeries* marketLine_ = nullptr;
    QLabel* message_ = nullptr;
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
