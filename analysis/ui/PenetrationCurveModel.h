#pragma once

#include "analysis/PenetrationCurve.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <optional>
#include <vector>

// The penetration curve of a line as a table: one row per particle size; column 0
// the size [um], then every component's transmission and the system penetration in
// percent, and for a log-normal aerosol its number and mass distributions (density
// per ln d, normalised to a peak of 1). It feeds the curve window's chart and its
// table, so the two always show the same numbers.
class PenetrationCurveModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The log-normal aerosol whose distributions are added as two columns.
    struct Aerosol {
        double MMAD = 0; // [um]
        double GSD = 0;  // [-]
    };

    explicit PenetrationCurveModel(QObject* parent = nullptr);

    void setCurve(Analysis::PenetrationCurve curve, std::optional<Aerosol> aerosol);
    const Analysis::PenetrationCurve& curve() const { return curve_; }
    bool hasDistributions() const { return aerosol_.has_value(); }

    int componentCount() const { return static_cast<int>(curve_.Components()); }
    // Columns by meaning.
    static constexpr int SizeColumn = 0;
    int componentColumn(int i) const { return 1 + i; }
    int systemColumn() const { return 1 + componentCount(); }
    int numberColumn() const { return systemColumn() + 1; } // with distributions only
    int massColumn() const { return systemColumn() + 2; }

    // The value of a cell as a number (what the chart plots).
    double value(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The table as shown: header line and one line per size, tab-separated, numbers
    // with "." and up to 15 significant digits.
    QString toTabSeparated() const;
    // The curve as `lodo-cli curve --csv` writes it: "Dp_um,<names>,System", then the
    // sizes and the transmissions as fractions.
    std::string toCsv() const;

private:
    Analysis::PenetrationCurve curve_;
    std::optional<Aerosol> aerosol_;
    std::vector<double> number_; // per row
    std::vector<double> mass_;
};
