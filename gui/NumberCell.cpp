#include "gui/NumberCell.h"

#include "model/NumberFormat.h"

#include <QString>

QVariant NumberCellData(double value, int role) {
    switch (role) {
    case Qt::DisplayRole:
        return value;
    case Qt::ToolTipRole:
        return QString::fromStdString(NumberFormat::General15(value));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}
