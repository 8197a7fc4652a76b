#include "ui/GridColumnChooser.h"

#include "session/LodoSession.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>

namespace GridColumnChooser {

namespace {

constexpr GridCol Compact[] = {GridCol::Index, GridCol::Component, GridCol::Type,
                               GridCol::Transmission, GridCol::InletDiameter};

bool InCompactSet(int column) {
    for (GridCol c : Compact)
        if (static_cast<int>(c) == column)
            return true;
    return false;
}

} // namespace

void Install(QTableView* grid) {
    QHeaderView* header = grid->horizontalHeader();
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        header, &QHeaderView::customContextMenuRequested, grid, [grid, header](const QPoint& at) {
            QMenu menu(grid);
            menu.setObjectName(QStringLiteral("GridColumnsMenu"));
            for (int c = 0; c < static_cast<int>(GridColumns.size()); ++c) {
                const std::string_view h = GridColumns[std::size_t(c)].Header;
                QAction* a =
                    menu.addAction(QString::fromUtf8(h.data(), qsizetype(h.size())).trimmed());
                a->setCheckable(true);
                a->setChecked(!grid->isColumnHidden(c));
                // The component's name stays: without it a row means nothing.
                a->setEnabled(c != static_cast<int>(GridCol::Component));
                QObject::connect(a, &QAction::toggled, grid,
                                 [grid, c](bool shown) { grid->setColumnHidden(c, !shown); });
            }
            menu.exec(header->mapToGlobal(at));
        });
}

void ApplyCompact(QTableView* grid, bool compact) {
    for (int c = 0; c < static_cast<int>(GridColumns.size()); ++c)
        grid->setColumnHidden(c, compact && !InCompactSet(c));
}

} // namespace GridColumnChooser
