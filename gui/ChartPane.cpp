#include "gui/ChartPane.h"

#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableView>

QLabel* MakeChartTitle(QWidget* parent) {
    auto* title = new QLabel(parent);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);
    return title;
}

ChartPane MakeChartPane(QAbstractItemModel* model, const QSize& minimumSize, QWidget* parent) {
    ChartPane pane;
    pane.Chart = new QChart;
    pane.Chart->setBackgroundRoundness(0);
    pane.View = new QChartView(pane.Chart, parent);
    pane.View->setRenderHint(QPainter::Antialiasing);
    pane.View->setRubberBand(QChartView::NoRubberBand);
    pane.View->setMinimumSize(minimumSize);

    pane.Table = new QTableView(parent);
    pane.Table->setModel(model);
    pane.Table->setLocale(QLocale::c());
    pane.Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    pane.Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pane.Table->verticalHeader()->setDefaultSectionSize(20);
    return pane;
}
