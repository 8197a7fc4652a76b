#include "studies/ui/PointTableModel.h"

#include "gui/NumberCell.h"
#include "model/NumberFormat.h"

PointTableModel::PointTableModel(QStringList headers, QObject* parent)
    : QAbstractTableModel(parent), headers_(std::move(headers)) {}

void PointTableModel::setRows(std::vector<std::vector<double>> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    for (auto& row : rows_)
        row.resize(static_cast<std::size_t>(headers_.size()));
    endResetModel();
}

int PointTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PointTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant PointTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return NumberCellData(
        rows_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())],
        role);
}

QVariant PointTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return headers_.value(section);
    return section + 1;
}

QString PointTableModel::toTabSeparated() const {
    QString text = headers_.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const auto& row : rows_) {
        QStringList cells;
        for (const double v : row)
            cells << QString::fromStdString(NumberFormat::General15(v));
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}
