#include "screens/bar_table_model.h"

#include <QLocale>

#include "rows/schema.h"

namespace volantra {

BarTableModel::BarTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void BarTableModel::Show(const BarValues& along, const QString& barName,
                         const NumberConventions& conventions) {
    beginResetModel();
    barName_ = barName;
    lowest_ = along.lowest;
    rows_.assign(along.positions.size(), QStringList());
    for (std::size_t i = 0; i < along.positions.size(); ++i) {
        const Checked<PricingResult>& valued = along.positions[i];
        if (!valued.Ok()) {
            continue;  // a row of empty cells, as the result boxes stand blank
        }
        for (const std::string& text : ResultTexts(valued.value, conventions)) {
            rows_[i] << QString::fromStdString(text);
        }
    }
    endResetModel();
}

int BarTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BarTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1 + static_cast<int>(RESULT_COLUMNS.size());
}

QVariant BarTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == 0) {
        return QLocale().toString(lowest_ + index.row());
    }
    return rows_[row].value(index.column() - 1);
}

QVariant BarTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return QLocale().toString(lowest_ + section);
    }
    if (section == 0) {
        return barName_;
    }
    const std::string_view caption = RESULT_COLUMNS[static_cast<std::size_t>(section - 1)].caption;
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
}

}  // namespace volantra
