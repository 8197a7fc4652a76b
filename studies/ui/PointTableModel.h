#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

// The points a chart window shows, one row per point and one column per quantity
// (x first). It feeds both the chart series (through model mappers) and the data
// table, so the two always show the same numbers.
class PointTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PointTableModel(QStringList headers, QObject* parent = nullptr);

    void setRows(std::vector<std::vector<double>> rows);
    const std::vector<std::vector<double>>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Header line and one line per row, tab-separated, numbers with "." and up to 15
    // significant digits.
    QString toTabSeparated() const;

private:
    QStringList headers_;
    std::vector<std::vector<double>> rows_;
};
