#include "ui/GridModel.h"

#include "analysis/LimitFindings.h"
#include "model/PanelText.h"
#include "session/LodoSession.h"

#include <QApplication>
#include <QStyle>

GridModel::GridModel(const LodoSession& session, QObject* parent)
    : QAbstractTableModel(parent), m_session(session), m_rows(session.GridRowCount()) {
    m_mark = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    readLimits();
}

// The findings are read once per refresh, not once per painted cell.
void GridModel::readLimits() {
    const LodoModel& model = m_session.Model();
    const bool logNormal = model.Ctx.DType == Distribution::LogNormal;
    m_limits.clear();
    for (const std::vector<std::string>& row : ModelLimits::LineFindingTexts(model)) {
        QStringList lines;
        for (const std::string& text : row)
            lines << QString::fromStdString(text);
        if (!lines.isEmpty() && logNormal)
            lines << QString::fromUtf8(ModelLimits::LogNormalNote.data(),
                                       qsizetype(ModelLimits::LogNormalNote.size()));
        m_limits << lines.join(QLatin1Char('\n'));
    }
}

QString GridModel::limitsToolTip(int row) const {
    return row >= 0 && row < m_limits.size() ? m_limits[row] : QString();
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole && index.column() == ThermophoresisColumn)
        return QString::fromStdString(thermophoresisText(index.row()));
    if (role == Qt::DisplayRole)
        return QString::fromStdString(m_session.Grid1GetValue(index.column(), index.row()));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(index.column() == 0 ? Qt::AlignCenter
                                                       : Qt::AlignLeft | Qt::AlignVCenter);
    if (role == Qt::DecorationRole && index.column() == 1 && !limitsToolTip(index.row()).isEmpty())
        return m_mark;
    if (role == Qt::ToolTipRole) {
        const QString tip = limitsToolTip(index.row());
        if (!tip.isEmpty())
            return tip;
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole && section == ThermophoresisColumn)
        return QStringLiteral("Thermophoresis");
    if (role == Qt::DisplayRole) {
        const std::string_view h = GridColumns[std::size_t(section)].Header;
        return QString::fromUtf8(h.data(), qsizetype(h.size()));
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable; // cells are never edited through the grid
}

std::string GridModel::thermophoresisText(int row) const {
    if (row < 0 || row >= m_session.Count())
        return {};
    const TLodoComp& c = m_session.List()[std::size_t(row)];
    return c.WallTemp && (c.NTypeInt == NodeTube || c.NTypeInt == NodeBend)
               ? PanelText::Fixed(c.TransTh, 4)
               : "NA";
}

bool GridModel::anyWallTemperature() const {
    for (const TLodoComp& c : m_session.List())
        if (c.WallTemp)
            return true;
    return false;
}

int GridModel::nominalWidth(int column) {
    if (column == ThermophoresisColumn)
        return 90;
    return GridColumns[std::size_t(column)].Width;
}

void GridModel::refresh() {
    readLimits();
    const int rows = m_session.GridRowCount();
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, ColumnCount - 1),
                         {Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole});
}
