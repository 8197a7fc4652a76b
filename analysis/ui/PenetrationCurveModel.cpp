#include "analysis/ui/PenetrationCurveModel.h"

#include "analysis/CurveCsv.h"
#include "analysis/SizeResolvedPenetration.h"
#include "gui/NumberCell.h"
#include "model/NumberFormat.h"

#include <cmath>

namespace {

const QString Mu = QStringLiteral("\u00B5");

// Log-normal density in ln d around `median`, scaled to 1 at the median.
double Bell(double d, double median, double lnGsd) {
    const double z = (std::log(d) - std::log(median)) / lnGsd;
    return std::exp(-z * z / 2);
}

} // namespace

PenetrationCurveModel::PenetrationCurveModel(QObject* parent) : QAbstractTableModel(parent) {}

void PenetrationCurveModel::setCurve(Analysis::PenetrationCurve curve,
                                     std::optional<Aerosol> aerosol) {
    beginResetModel();
    curve_ = std::move(curve);
    aerosol_.reset();
    number_.clear();
    mass_.clear();
    const double lnGsd = aerosol ? std::fabs(std::log(aerosol->GSD)) : 0.0;
    if (aerosol && aerosol->MMAD > 0 && std::isfinite(aerosol->MMAD) && lnGsd > 0 &&
        std::isfinite(lnGsd)) {
        aerosol_ = aerosol;
        const double countMedian = Analysis::CountMedian(aerosol->MMAD, aerosol->GSD);
        for (const float d : curve_.Dp) {
            number_.push_back(Bell(d, countMedian, lnGsd));
            mass_.push_back(Bell(d, aerosol->MMAD, lnGsd));
        }
    }
    endResetModel();
}

double PenetrationCurveModel::value(int row, int column) const {
    const auto k = static_cast<std::size_t>(row);
    if (column == SizeColumn)
        return curve_.Dp[k];
    if (column < systemColumn())
        return 100 * curve_.At(k, static_cast<std::size_t>(column - 1));
    if (column == systemColumn())
        return 100 * curve_.System[k];
    return column == numberColumn() ? number_[k] : mass_[k];
}

int PenetrationCurveModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(curve_.Dp.size());
}

int PenetrationCurveModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return systemColumn() + 1 + (aerosol_ ? 2 : 0);
}

QVariant PenetrationCurveModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return NumberCellData(value(index.row(), index.column()), role);
}

QVariant PenetrationCurveModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section == SizeColumn)
        return QStringLiteral("Particle Size (") + Mu + QStringLiteral("m)");
    if (section < systemColumn())
        return QString::fromStdString(curve_.Names[static_cast<std::size_t>(section - 1)]) +
               QStringLiteral(" (%)");
    if (section == systemColumn())
        return QStringLiteral("System (%)");
    if (aerosol_ && section == numberColumn())
        return QStringLiteral("Number distribution");
    if (aerosol_ && section == massColumn())
        return QStringLiteral("Mass distribution");
    return {};
}

QString PenetrationCurveModel::toTabSeparated() const {
    QStringList header;
    for (int c = 0; c < columnCount(); ++c)
        header << headerData(c, Qt::Horizontal).toString();
    QString text = header.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columnCount(); ++c)
            cells << QString::fromStdString(NumberFormat::General15(value(r, c)));
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

std::string PenetrationCurveModel::toCsv() const {
    return Analysis::CurveCsv(curve_);
}
