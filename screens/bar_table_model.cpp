#include "screens/bar_table_model.h"

#include <QLocale>

#include "rows/schema.h"

namespace volantra {

BarTableModel::BarTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void BarTableModel::Show(const std::vector<ChartPoint>& points, const QStringList& labels,
                         const QString& header, const NumberConventions& conventions,
                         GreekUnits units) {
    beginResetModel();
    header_ = header;
    units_ = units;
    labels_ = labels;
    rows_.assign(points.size(), QStringList());
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!points[i].valued) {
            continue;  // a row of empty cells, as the result boxes stand blank
        }
        ShownTexts texts;
        WriteResultTexts(*points[i].valued, conventions, units, texts);
        for (const std::string& text : texts) {
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
    if (index.column() == 0) {  // a screen reader names the row by its column: "Asset 95.00"
        return role == Qt::AccessibleTextRole
                   ? header_ + QLatin1Char(' ') + labels_.value(index.row())
                   : labels_.value(index.row());
    }
    return rows_[row].value(index.column() - 1);
}

QVariant BarTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return labels_.value(section);
    }
    if (section == 0) {
        return header_;
    }
    const std::string_view caption =
        RESULT_COLUMNS[static_cast<std::size_t>(section - 1)].Caption(units_);
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
}

}  // namespace volantra
