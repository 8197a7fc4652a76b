#include "studies/ui/ChartWindow.h"

#include "gui/ChartImage.h"
#include "gui/ChartPane.h"
#include "gui/SavePath.h"
#include "studies/ui/PointTableModel.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <QVXYModelMapper>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

ChartWindow::ChartWindow(const QString& caption, const QStringList& headers,
                         const QString& readout1, const QString& readout2, QWidget* parent)
    : QDialog(parent), saveQuestions(DialogQuestions(this)),
      model_(new PointTableModel(headers, this)) {
    setWindowTitle(caption);

    label1_ = MakeChartTitle(this);
    subtitle_ = new QLabel(this);
    subtitle_->setAlignment(Qt::AlignCenter);
    label2_ = new QLabel(readout1, this);
    label3_ = new QLabel(readout2, this);
    for (QLabel* l : {label2_, label3_})
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* saveButton = new QPushButton(tr("Save Image..."), this);
    auto* copyButton = new QPushButton(tr("Copy Data"), this);
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    saveButton->setAutoDefault(false);
    copyButton->setAutoDefault(false);
    closeButton->setDefault(true);
    connect(saveButton, &QPushButton::clicked, this, &ChartWindow::askSaveImage);
    connect(copyButton, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(dataText()); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* readouts = new QVBoxLayout;
    readouts->addWidget(label2_);
    readouts->addWidget(label3_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton);
    buttons->addWidget(copyButton);
    buttons->addWidget(closeButton);
    auto* panel = new QHBoxLayout;
    panel->addLayout(readouts, 1);
    panel->addLayout(buttons);

    const ChartPane pane = MakeChartPane(model_, QSize(560, 380), this);
    chart_ = pane.Chart;
    view_ = pane.View;
    table_ = pane.Table;
    chart_->legend()->hide();
    axisX_ = new QValueAxis;
    axisY_ = new QValueAxis;
    for (QValueAxis* axis : {axisX_, axisY_})
        axis->setLabelFormat(QStringLiteral("%g"));
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(view_);
    split->addWidget(table_);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setSizes({720, 250});
    split->setChildrenCollapsible(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1_);
    layout->addWidget(subtitle_);
    layout->addLayout(panel);
    layout->addWidget(split, 1);
    resize(1000, 620);
}

QScatterSeries* ChartWindow::addSeries(int yColumn, QValueAxis* yAxis, const QColor& colour) {
    auto* series = new QScatterSeries;
    series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    series->setMarkerSize(10.0);
    series->setColor(colour);
    series->setBorderColor(colour.darker(140));
    series->setSelectedColor(QColor(0xff, 0xa5, 0x00));
    chart_->addSeries(series);
    series->attachAxis(axisX_);
    series->attachAxis(yAxis);

    if (yColumn >= 0) {
        auto* mapper = new QVXYModelMapper(series);
        mapper->setXColumn(0);
        mapper->setYColumn(yColumn);
        mapper->setSeries(series);
        mapper->setModel(model_);
        yAxes_.append({yAxis, yColumn});
    }

    const int seriesIndex = static_cast<int>(chart_->series().size()) - 1;
    connect(series, &QScatterSeries::clicked, this,
            [this, series, seriesIndex, yColumn](QPointF p) {
                // The click reports the point's values; find which row it is, measured on the
                // screen because the two axes have different scales. The series leaves out
                // the rows it cannot draw (not finite), so its points are not the rows.
                if (yColumn < 0)
                    return;
                const auto& rows = model_->rows();
                const QPointF at = chart_->mapToPosition(p, series);
                int best = -1;
                int bestPoint = -1;
                int point = 0;
                double bestDistance = std::numeric_limits<double>::infinity();
                for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
                    const QPointF xy(
                        rows[static_cast<std::size_t>(i)][0],
                        rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(yColumn)]);
                    if (!std::isfinite(xy.x()) || !std::isfinite(xy.y()))
                        continue;
                    const QPointF d = chart_->mapToPosition(xy, series) - at;
                    const double distance = std::hypot(d.x(), d.y());
                    if (distance < bestDistance) {
                        bestDistance = distance;
                        best = i;
                        bestPoint = point;
                    }
                    ++point;
                }
                if (best < 0)
                    return;
                table_->selectRow(best);
                pointClicked(seriesIndex, best);
                // Mark the point whose values the read-out shows. Later, not inside the
                // click: a selection rebuilds the marker that is still handling the mouse.
                QMetaObject::invokeMethod(
                    series,
                    [this, series, bestPoint] {
                        for (QAbstractSeries* other : chart_->series())
                            if (auto* xy = qobject_cast<QXYSeries*>(other))
                                xy->deselectAllPoints();
                        if (bestPoint < series->count())
                            series->selectPoint(bestPoint);
                    },
                    Qt::QueuedConnection);
            });
    return series;
}

QValueAxis* ChartWindow::addRightAxis() {
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%g"));
    chart_->addAxis(axis, Qt::AlignRight);
    return axis;
}

namespace {

// Range of one model column with a margin, so that no circle sits on the frame.
std::pair<double, double> paddedRange(const std::vector<std::vector<double>>& rows,
                                      std::size_t column) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (const auto& row : rows) {
        if (column >= row.size() || !std::isfinite(row[column]))
            continue;
        lo = std::min(lo, row[column]);
        hi = std::max(hi, row[column]);
    }
    if (!std::isfinite(lo))
        return {0.0, 1.0};
    if (hi - lo < 1e-12 * std::max(1.0, std::fabs(hi))) {
        // The chart takes a span of 1e-12 or less for none and then draws nothing, so
        // values that close to 0 get the span that 0 gets.
        const double half = std::fabs(hi) * 0.1 > 1e-11 ? std::fabs(hi) * 0.1 : 1.0;
        return {lo - half, hi + half};
    }
    const double margin = (hi - lo) * 0.04;
    return {lo - margin, hi + margin};
}

// 1, 2 or 5 times a power of ten, near a fifth of the span.
double tickStep(double span) {
    const double raw = span / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double f : {1.0, 2.0, 5.0})
        if (raw <= f * power * 1.5)
            return f * power;
    return 10.0 * power;
}

// Ticks on round values counted from 0; the ends of the axis need not be round, so
// the margin around the points stays small.
void setAxisRange(QValueAxis* axis, std::pair<double, double> range) {
    axis->setRange(range.first, range.second);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(tickStep(range.second - range.first));
}

} // namespace

void ChartWindow::fitAxes() {
    // The table is as wide as its columns, so that no column hides behind a scroll bar.
    table_->resizeColumnsToContents();
    int width = table_->verticalHeader()->sizeHint().width() + 2 * table_->frameWidth() +
                table_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < model_->columnCount(); ++c)
        width += table_->columnWidth(c);
    table_->setMinimumWidth(width);

    const auto& rows = model_->rows();
    setAxisRange(axisX_, paddedRange(rows, 0));
    for (const auto& [axis, column] : yAxes_)
        setAxisRange(axis, paddedRange(rows, static_cast<std::size_t>(column)));
}

bool ChartWindow::saveChartImage(const QString& path) {
    return SaveChartImage(view_, label1_->text(), path);
}

QString ChartWindow::dataText() const {
    return model_->toTabSeparated();
}

void ChartWindow::askSaveImage() {
    // A folder in the proposed name is kept; the file part loses what no file name takes.
    const QFileInfo proposed(imageBaseName);
    QString file = proposed.fileName();
    file.replace(QRegularExpression(QStringLiteral("[\\\\:*?\"<>|]")), QStringLiteral("-"));
    const QString name =
        imageBaseName.contains(QLatin1Char('/')) ? proposed.dir().filePath(file) : file;
    AskSaveChartImage(this, saveQuestions, view_, label1_->text(), name + ".png");
}
