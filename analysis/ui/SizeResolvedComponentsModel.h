#pragma once

#include "analysis/SizeResolvedPenetration.h"

#include <QAbstractTableModel>
#include <string>
#include <vector>

// Where a log-normal aerosol's mass goes: one row per component (the mass and number
// penetration of the aerosol that reaches it, and the share of the line's mass that
// it keeps), then the line as a whole. Empty without a distribution result.
class SizeResolvedComponentsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Index, Name, Mass, Number, Deposited, ColumnCount };

    explicit SizeResolvedComponentsModel(QObject* parent = nullptr);

    void setResult(std::vector<std::string> names,
                   std::optional<Analysis::SizeResolvedResult> result);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<std::string> names_;
    std::optional<Analysis::SizeResolvedResult> result_;
};
