#include "gui/ChartImage.h"

#include "gui/SavePath.h"

#include <QChartView>
#include <QMessageBox>
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

void AskSaveChartImage(QWidget* window, const SaveQuestions& questions, QChartView* view,
                       const QString& title, const QString& proposed) {
    const QString path =
        AskSavePath(questions, QStringLiteral("Save Chart"), proposed,
                    {{QStringLiteral("PNG image (*.png)"), QStringLiteral(".png")},
                     {QStringLiteral("SVG drawing (*.svg)"), QStringLiteral(".svg")}});
    if (path.isEmpty())
        return;
    if (!SaveChartImage(view, title, path))
        QMessageBox::warning(window, window->windowTitle(),
                             QStringLiteral("The chart could not be saved as %1.").arg(path));
}
