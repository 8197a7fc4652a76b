#include "studies/ui/ChartImage.h"

#include <QChartView>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>

bool SaveChartImage(QChartView* view, const QString& title, const QString& path) {
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator generator;
        generator.setFileName(path);
        generator.setSize(view->size());
        generator.setViewBox(QRect(QPoint(0, 0), view->size()));
        generator.setTitle(title);
        QPainter painter;
        if (!painter.begin(&generator))
            return false;
        view->render(&painter);
        return painter.end();
    }
    return view->grab().save(path, "PNG");
}
