#include "screens/bar_table_model.h"

#include <QLocale>

namespace volantra {
namespace {

const char* const RESULT_HEADERS[] = {"Value", "Delta", "Gamma", "Theta", "Vega", "Rho"};

}  // namespace

BarTableModel::BarTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void BarTableModel::Show(const BarResults& along, const QString& barName,
                         const NumberConventions& conventions) {
    beginResetModel();
    barName_ = barName;
    lowest_ = along.lowest;
    rows_.assign(along.positions.size(), QStringList());
    for (std::size_t i = 0; i < along.positions.size(); ++i) {
        for (const std::string& text : along.positions[i].results) {
            const std::string local =
                conventions.fromCanonical && !text.empty() ? conventions.fromCanonical(text) : text;
            rows_[i] << QString::fromStdString(local);
        }
    }
    endResetModel();
}

int BarTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BarTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1 + static_cast<int>(std::size(RESULT_HEADERS));
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
    return section == 0 ? barName_ : QString::fromLatin1(RESULT_HEADERS[section - 1]);
}

}  // namespace volantra
