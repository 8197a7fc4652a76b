#include "gui/ChartImage.h"

#include "gui/SavePath.h"
#include "persistence/FileIo.h"

#include <QBuffer>
#include <QByteArray>
#include <QChartView>
#include <QMessageBox>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>
#include <filesystem>
#include <string_view>

namespace {

// The picture's bytes: SVG for an ".svg" path, PNG otherwise; empty when it could not
// be drawn.
QByteArray ChartImageBytes(QChartView* view, const QString& title, const QString& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(view->size());
        generator.setViewBox(QRect(QPoint(0, 0), view->size()));
        generator.setTitle(title);
        QPainter painter;
        if (!painter.begin(&generator))
            return {};
        view->render(&painter);
        if (!painter.end())
            return {};
        return bytes;
    }
    if (!view->grab().save(&buffer, "PNG"))
        return {};
    return bytes;
}

} // namespace

bool SaveChartImage(QChartView* view, const QString& title, const QString& path) {
    const QByteArray bytes = ChartImageBytes(view, title, path);
    if (bytes.isEmpty())
        return false;
    // Through the program's one writer: a pipe or a device is written into, a
    // read-only picture is refused, a failed write leaves the old one.
    return !FileIo::WriteFileAtomically(
        std::filesystem::path(path.toStdU16String()),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
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
