#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "cycle/along_bar.h"
#include "cycle/number_conventions.h"

namespace volantra {

/// Every position of one bar with the value and the five Greeks the screen would show
/// there, in the user's locale: the chart's table, which a screen reader reads as one.
class BarTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit BarTableModel(QObject* parent = nullptr);

    /// Shows the results of `along` as `conventions` write numbers, and names the bar's
    /// column.
    void Show(const BarValues& along, const QString& barName, const NumberConventions& conventions);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    QString barName_;
    int lowest_ = 0;
    std::vector<QStringList> rows_;  // the six result texts of each position
};

}  // namespace volantra
