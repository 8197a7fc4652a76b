#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>
#include <string>

class LodoSession;

// Grid1: one row per component of the line, the ten columns of texts the session
// formats (Grid1GetValue) and the thermophoretic transmission. Read only. A component outside the
// published range of one of its models carries a warning mark beside its name, and the findings as
// the tooltip of its row; the cell texts stay as they are.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 11;
    // The thermophoresis column, which the window shows only while a component has a
    // wall temperature.
    static constexpr int ThermophoresisColumn = 10;
    bool anyWallTemperature() const;

    explicit GridModel(const LodoSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Reads every cell again; the row count follows the line.
    void refresh();

    // Nominal column widths in pixels, before the grid's 1.2 scale.
    static int nominalWidth(int column);

    // The tooltip of a row: its model-limit findings, empty when it has none.
    QString limitsToolTip(int row) const;

private:
    void readLimits();
    // The thermophoretic transmission of a tube or bend with a wall temperature, else "NA".
    std::string thermophoresisText(int row) const;

    const LodoSession& m_session;
    int m_rows = 0;
    QStringList m_limits; // by row
    QIcon m_mark;
};
