#include "analysis/ui/SizeResolvedComponentsModel.h"

#include "analysis/SizeResolvedText.h"

SizeResolvedComponentsModel::SizeResolvedComponentsModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void SizeResolvedComponentsModel::setResult(std::vector<std::string> names,
                                            std::optional<Analysis::SizeResolvedResult> result) {
    beginResetModel();
    names_ = std::move(names);
    result_ = std::move(result);
    if (result_ && result_->Components.size() != names_.size())
        result_.reset();
    endResetModel();
}

int SizeResolvedComponentsModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !result_)
        return 0;
    return static_cast<int>(names_.size()) + 1; // the line last
}

int SizeResolvedComponentsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SizeResolvedComponentsModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((index.column() == Name ? Qt::AlignLeft : Qt::AlignRight) |
                                   Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const bool line = row == names_.size();
    const auto percent = [](double fraction) {
        return QString::fromStdString(Analysis::PercentText(fraction));
    };
    switch (index.column()) {
    case Index:
        return line ? QVariant() : QVariant(index.row());
    case Name:
        return line ? QStringLiteral("Line") : QString::fromStdString(names_[row]);
    case Mass:
        return percent(line ? result_->MassPenetration : result_->Components[row].MassPenetration);
    case Number:
        return percent(line ? result_->NumberPenetration
                            : result_->Components[row].NumberPenetration);
    case Deposited: {
        if (!line)
            return percent(result_->Components[row].MassDeposited);
        // What the components do not keep leaves the line.
        double kept = 0;
        for (const auto& c : result_->Components)
            kept += c.MassDeposited;
        return percent(kept) + QStringLiteral(" (") + percent(1 - kept) +
               QStringLiteral(" leaves)");
    }
    default:
        return {};
    }
}

QVariant SizeResolvedComponentsModel::headerData(int section, Qt::Orientation orientation,
                                                 int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    switch (section) {
    case Index:
        return QStringLiteral("Index");
    case Name:
        return QStringLiteral("Component");
    case Mass:
        return QStringLiteral("Mass penetration");
    case Number:
        return QStringLiteral("Number penetration");
    case Deposited:
        return QStringLiteral("Mass deposited");
    default:
        return {};
    }
}
