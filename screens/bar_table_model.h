#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "screens/chart_points.h"

namespace volantra {

/// Every point of a chart with the value and the five Greeks the screen would show there,
/// in the user's locale: the chart's table, which a screen reader reads as one.
class BarTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit BarTableModel(QObject* parent = nullptr);

    /// Shows the results of `points` as `conventions` write numbers, each row named by its
    /// label in the first column, whose header is `header`.
    void Show(const std::vector<ChartPoint>& points, const QStringList& labels,
              const QString& header, const NumberConventions& conventions, GreekUnits units);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    QString header_;
    GreekUnits units_ = GreekUnits::Screen;
    QStringList labels_;
    std::vector<QStringList> rows_;  // the six result texts of each point
};

}  // namespace volantra
