#include "analysis/ui/PenetrationCurveWindow.h"

#include "analysis/PenetrationCurve.h"
#include "analysis/SizeResolvedText.h"
#include "analysis/ui/PenetrationCurveModel.h"
#include "analysis/ui/SizeResolvedComponentsModel.h"
#include "gui/ChartImage.h"
#include "gui/ChartPane.h"
#include "gui/QtText.h"
#include "gui/SavePath.h"
#include "model/NumberFormat.h"
#include "persistence/FileIo.h"
#include "session/LodoSession.h"

#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

const QString Mu = QStringLiteral("\u00B5");
const QString ClickHint = QStringLiteral("Click a curve to read its value.");
const QString RangeRefused = QStringLiteral("The first size must be below the last.");

// Colours of the component curves, in turn.
const QColor Palette[] = {
    QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e), QColor(0x2c, 0xa0, 0x2c),
    QColor(0xd6, 0x27, 0x28), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
    QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
    QColor(0x17, 0xbe, 0xcf),
};

QString SizeText(double d) {
    return QString::number(d, 'g', 4) + QLatin1Char(' ') + Mu + QLatin1Char('m');
}

// The largest finite penetration on the chart [%], at least 100, rounded up to 10.
double PenetrationTop(const PenetrationCurveModel& m) {
    double top = 100;
    for (int r = 0; r < m.rowCount(); ++r)
        for (int c = 1; c <= m.systemColumn(); ++c) {
            const double v = m.value(r, c);
            if (std::isfinite(v))
                top = std::max(top, v);
        }
    return std::ceil(top / 10 - 1e-9) * 10;
}

} // namespace

PenetrationCurveWindow::PenetrationCurveWindow(const LodoSession& session, QWidget* parent)
    : QDialog(parent), saveQuestions(DialogQuestions(this)), session_(session),
      from_(Analysis::CurveFrom), to_(Analysis::CurveTo), points_(Analysis::CurvePoints),
      model_(new PenetrationCurveModel(this)) {
    setObjectName(QStringLiteral("PenetrationCurve"));
    setWindowTitle(QStringLiteral("Penetration Curve"));
    setModal(false);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        for (const Feed& f : feeds_)
            readFeed(f);
    });

    title_ = MakeChartTitle(this);
    title_->setTextFormat(Qt::PlainText); // it holds the line's name
    summary_ = new QLabel(this);
    summary_->setAlignment(Qt::AlignCenter);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readout_ = new QLabel(ClickHint, this);
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readout_->setTextFormat(Qt::PlainText); // it names the component read

    // The sizes of the curve.
    fromBox_ = new QDoubleSpinBox(this);
    toBox_ = new QDoubleSpinBox(this);
    for (QDoubleSpinBox* box : {fromBox_, toBox_}) {
        box->setLocale(QLocale::c());
        box->setDecimals(3);
        box->setRange(Analysis::SizeFloor, Analysis::SizeCeil);
        box->setKeyboardTracking(false);
        box->setSuffix(QLatin1Char(' ') + Mu + QLatin1Char('m'));
    }
    fromBox_->setValue(from_);
    toBox_->setValue(to_);
    pointsBox_ = new QSpinBox(this);
    pointsBox_->setRange(2, 2000);
    pointsBox_->setValue(points_);
    pointsBox_->setKeyboardTracking(false);
    connect(fromBox_, &QDoubleSpinBox::valueChanged, this, &PenetrationCurveWindow::rangeEdited);
    connect(toBox_, &QDoubleSpinBox::valueChanged, this, &PenetrationCurveWindow::rangeEdited);
    connect(pointsBox_, &QSpinBox::valueChanged, this, &PenetrationCurveWindow::rangeEdited);
    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(QStringLiteral("From"), this));
    range->addWidget(fromBox_);
    range->addWidget(new QLabel(QStringLiteral("to"), this));
    range->addWidget(toBox_);
    range->addWidget(new QLabel(QStringLiteral("in"), this));
    range->addWidget(pointsBox_);
    range->addWidget(new QLabel(QStringLiteral("sizes"), this));
    range->addStretch(1);

    auto* saveButton = new QPushButton(QStringLiteral("Save Image..."), this);
    auto* copyButton = new QPushButton(QStringLiteral("Copy Data"), this);
    auto* csvButton = new QPushButton(QStringLiteral("Export CSV..."), this);
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    // No default button: Enter in a size box applies the range and the window stays.
    for (QPushButton* b : {saveButton, copyButton, csvButton, closeButton})
        b->setAutoDefault(false);
    connect(saveButton, &QPushButton::clicked, this, &PenetrationCurveWindow::askSaveImage);
    connect(copyButton, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(dataText()); });
    connect(csvButton, &QPushButton::clicked, this, &PenetrationCurveWindow::askExportCsv);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(readout_, 1);
    for (QPushButton* b : {saveButton, copyButton, csvButton, closeButton})
        buttons->addWidget(b);

    const ChartPane pane = MakeChartPane(model_, QSize(640, 420), this);
    chart_ = pane.Chart;
    view_ = pane.View;
    table_ = pane.Table;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    axisX_ = new QLogValueAxis;
    axisX_->setBase(10);
    axisX_->setLabelFormat(QStringLiteral("%g"));
    axisX_->setMinorTickCount(8);
    axisX_->setTitleText(QStringLiteral("Particle Size (") + Mu + QStringLiteral("m)"));
    axisY_ = new QValueAxis;
    axisY_->setLabelFormat(QStringLiteral("%g"));
    axisY_->setTitleText(QStringLiteral("Penetration (%)"));
    axisDist_ = new QValueAxis;
    axisDist_->setLabelFormat(QStringLiteral("%g"));
    axisDist_->setRange(0, 1.25);
    axisDist_->setTickType(QValueAxis::TicksDynamic);
    axisDist_->setTickAnchor(0);
    axisDist_->setTickInterval(0.25);
    axisDist_->setGridLineVisible(false);
    axisDist_->setTitleText(QStringLiteral("Distribution (peak = 1)"));
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);
    chart_->addAxis(axisDist_, Qt::AlignRight);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    showReadout(model_->systemColumn(), current.row());
            });

    auto* note = new QLabel(
        QStringLiteral(
            "Each size is evaluated on its own, as in Mono mode; an inlet's curve includes its "
            "aspiration and may exceed 100 %. The curve follows the line while this window is "
            "open."),
        this);
    note->setWordWrap(true);
    auto* chartPage = new QWidget(this);
    auto* chartLayout = new QVBoxLayout(chartPage);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(view_, 1);
    chartLayout->addWidget(note);

    tabs_ = new QTabWidget(this);
    tabs_->addTab(chartPage, QStringLiteral("Chart"));
    tabs_->addTab(table_, QStringLiteral("Table"));
    componentsModel_ = new SizeResolvedComponentsModel(this);
    componentsView_ = new QTableView(this);
    componentsView_->setModel(componentsModel_);
    componentsView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    componentsView_->verticalHeader()->setVisible(false);
    componentsView_->verticalHeader()->setDefaultSectionSize(22);
    componentsView_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    componentsView_->setToolTip(QStringLiteral(
        "Mass and number penetration of the aerosol that reaches each component, and the "
        "share of the line's mass (for an inlet, of what it aspirates) that stays in it."));
    tabs_->addTab(componentsView_, QStringLiteral("Where the mass goes"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(summary_);
    layout->addLayout(range);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    resize(StartSize(screen ? screen->availableGeometry().size() : QSize()));
    refresh();
}

QSize PenetrationCurveWindow::StartSize(const QSize& available) {
    const QSize wanted(1000, 700);
    if (available.isEmpty())
        return wanted;
    // Room for the window manager's frame and title bar, so the buttons stay on screen.
    return wanted.boundedTo(available - QSize(16, 40));
}

PenetrationCurveWindow::~PenetrationCurveWindow() = default;

void PenetrationCurveWindow::bringToFront() {
    sessionChanged();
    show();
    raise();
    activateWindow();
}

void PenetrationCurveWindow::sessionChanged(unsigned mask) {
    if (!(mask & (RefreshGrid | RefreshTotals | RefreshLabels)))
        return;
    if (shown_ && session_.Revision() == revision_)
        return;
    refresh();
}

void PenetrationCurveWindow::refresh() {
    shown_ = true;
    revision_ = session_.Revision();
    const LodoList& line = session_.List();
    const EvalContext& ctx = session_.Ctx();
    const bool logNormal = ctx.DType == Distribution::LogNormal;

    // No line, no curve: a system of nothing would pass everything.
    Analysis::PenetrationCurve curve = Analysis::ComputePenetrationCurve(
        line, line.empty() ? std::vector<float>{} : Analysis::LogSpacedSizes(from_, to_, points_),
        ctx.Particle);
    std::optional<PenetrationCurveModel::Aerosol> aerosol;
    if (logNormal)
        aerosol = PenetrationCurveModel::Aerosol{ctx.MDp, ctx.DpSD};
    // The curves are rebuilt only when the columns change; otherwise they re-read
    // the model when it is reset.
    const bool sameColumns = curve.Names == model_->curve().Names &&
                             aerosol.has_value() == model_->hasDistributions() && system_;
    if (!sameColumns) {
        feeds_.clear();
        chart_->removeAllSeries();
        components_.clear();
        system_ = half_ = d50Line_ = nullptr;
        d50Marker_ = nullptr;
        numberArea_ = massArea_ = nullptr;
    }
    model_->setCurve(std::move(curve), aerosol);
    // A value read out was about the curve that was there; a refused range still
    // stands in the boxes.
    readout_->setText(rangeRefused_ ? RangeRefused : ClickHint);
    if (!sameColumns)
        rebuildSeries();
    const Analysis::SizeResolvedSummary summary = Analysis::SizeResolvedOf(session_.Model());
    d50_ = line.empty() ? std::nullopt : summary.D50;
    componentsModel_->setResult(model_->curve().Names,
                                line.empty() ? std::nullopt : summary.Distribution);
    tabs_->setTabEnabled(2, logNormal && !line.empty());
    tabs_->setTabToolTip(2, logNormal ? QString() : QStringLiteral("In log-normal mode"));

    const QString name = qs(session_.LineName());
    title_->setText(name.isEmpty() ? QStringLiteral("Penetration Curve")
                                   : QStringLiteral("Penetration Curve of ") + name);
    if (line.empty()) {
        summary_->setText(QStringLiteral("The line has no components."));
    } else {
        QString text = qs(Analysis::StripLine(summary, logNormal));
        if (logNormal) {
            const auto& r = summary.Distribution;
            text += QStringLiteral("\nAerosol: mass median ") + SizeText(ctx.MDp) +
                    QStringLiteral(", GSD ") + qs(NumberFormat::Fixed(ctx.DpSD, 2)) +
                    QStringLiteral(" (count median ") +
                    SizeText(Analysis::CountMedian(ctx.MDp, ctx.DpSD)) + QStringLiteral(")");
            if (r && std::isfinite(r->PenetratedMMAD))
                text += QStringLiteral("; mass median of what leaves the line ") +
                        SizeText(r->PenetratedMMAD);
        }
        summary_->setText(text);
    }
    updateMarks();
}

bool PenetrationCurveWindow::setRange(double from, double to, int points) {
    if (!(from >= Analysis::SizeFloor && from < to && to <= Analysis::SizeCeil && points >= 2))
        return false;
    from_ = from;
    to_ = to;
    points_ = points;
    rangeRefused_ = false;
    for (auto* box : {static_cast<QWidget*>(fromBox_), static_cast<QWidget*>(toBox_),
                      static_cast<QWidget*>(pointsBox_)})
        box->blockSignals(true);
    fromBox_->setValue(from);
    toBox_->setValue(to);
    pointsBox_->setValue(points);
    for (auto* box : {static_cast<QWidget*>(fromBox_), static_cast<QWidget*>(toBox_),
                      static_cast<QWidget*>(pointsBox_)})
        box->blockSignals(false);
    refresh();
    return true;
}

void PenetrationCurveWindow::rangeEdited() {
    if (!setRange(fromBox_->value(), toBox_->value(), pointsBox_->value())) {
        rangeRefused_ = true;
        readout_->setText(RangeRefused);
    }
}

QLineSeries* PenetrationCurveWindow::addCurve(int column, const QColor& colour, double width) {
    auto* series = new QLineSeries;
    // The legend reads its labels as HTML; a component's name is plain text.
    series->setName(model_->headerData(column, Qt::Horizontal)
                        .toString()
                        .remove(QStringLiteral(" (%)"))
                        .toHtmlEscaped());
    QPen pen(colour);
    pen.setWidthF(width);
    series->setPen(pen);
    chart_->addSeries(series);
    series->attachAxis(axisX_);
    series->attachAxis(axisY_);
    feed(series, column);
    connect(series, &QXYSeries::clicked, this,
            [this, series, column](const QPointF& p) { curveClicked(series, p, column); });
    return series;
}

void PenetrationCurveWindow::curveClicked(QAbstractSeries* series, const QPointF& p, int column) {
    // The click gives a place in the values of `series`; read the size nearest to it,
    // on the curve drawn nearest to the click: curves overlap, and the shading of
    // the distributions lies over them for the mouse.
    const auto& dp = model_->curve().Dp;
    if (dp.empty() || !(p.x() > 0))
        return;
    int row = 0;
    for (int k = 1; k < static_cast<int>(dp.size()); ++k)
        if (std::fabs(std::log(dp[std::size_t(k)] / p.x())) <
            std::fabs(std::log(dp[std::size_t(row)] / p.x())))
            row = k;
    const QPointF at = chart_->mapToPosition(p, series);
    double nearest = 6.0; // [px] how far from a curve a click still reads it
    std::vector<QLineSeries*> curves = components_;
    curves.push_back(system_);
    for (std::size_t i = 0; i < curves.size(); ++i) {
        if (!curves[i]->isVisible())
            continue;
        const int c =
            i < components_.size() ? model_->componentColumn(int(i)) : model_->systemColumn();
        const double v = model_->value(row, c);
        if (!std::isfinite(v))
            continue;
        const double distance = std::fabs(
            chart_->mapToPosition(QPointF(dp[std::size_t(row)], v), curves[i]).y() - at.y());
        if (distance <= nearest) {
            nearest = distance;
            column = c;
        }
    }
    table_->selectRow(row);
    showReadout(column, row);
}

void PenetrationCurveWindow::addDistribution(int column, const QColor& colour, QAreaSeries*& area) {
    auto* upper = new QLineSeries(this);
    feed(upper, column);
    area = new QAreaSeries(upper);
    upper->setParent(area);
    area->setName(model_->headerData(column, Qt::Horizontal).toString());
    QColor fill = colour;
    fill.setAlpha(60);
    area->setBrush(fill);
    area->setPen(QPen(colour, 1.0));
    chart_->addSeries(area);
    area->attachAxis(axisX_);
    area->attachAxis(axisDist_);
    connect(area, &QAreaSeries::clicked, this,
            [this, area, column](const QPointF& p) { curveClicked(area, p, column); });
}

// A series shows model column `column` against the sizes, re-read whenever the model
// is reset. All points at once: a model mapper adds them one by one, which takes a
// second for the 200 curves of a long line.
void PenetrationCurveWindow::feed(QXYSeries* series, int column) {
    feeds_.push_back({series, column});
    readFeed(feeds_.back());
}

void PenetrationCurveWindow::readFeed(const Feed& f) {
    QList<QPointF> points;
    points.reserve(model_->rowCount());
    for (int k = 0; k < model_->rowCount(); ++k)
        points.append(QPointF(model_->value(k, PenetrationCurveModel::SizeColumn),
                              model_->value(k, f.Column)));
    f.Series->replace(points);
}

void PenetrationCurveWindow::rebuildSeries() {
    // Distributions first, so the curves are drawn over the shading.
    if (model_->hasDistributions()) {
        addDistribution(model_->numberColumn(), QColor(0x46, 0x82, 0xb4), numberArea_);
        addDistribution(model_->massColumn(), QColor(0xd2, 0x69, 0x1e), massArea_);
    }
    axisDist_->setVisible(model_->hasDistributions());
    for (int i = 0; i < model_->componentCount(); ++i)
        components_.push_back(addCurve(model_->componentColumn(i),
                                       Palette[std::size_t(i) % std::size(Palette)], 1.5));
    system_ = addCurve(model_->systemColumn(), Qt::black, 3.5);

    half_ = new QLineSeries;
    half_->setName(QStringLiteral("50 %"));
    QPen dashed(QColor(0x80, 0x80, 0x80), 1.2, Qt::DashLine);
    half_->setPen(dashed);
    d50Line_ = new QLineSeries;
    d50Line_->setPen(QPen(Qt::red, 1.2, Qt::DotLine));
    d50Marker_ = new QScatterSeries;
    d50Marker_->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    d50Marker_->setMarkerSize(11);
    d50Marker_->setColor(Qt::red);
    d50Marker_->setBorderColor(Qt::darkRed);
    for (QXYSeries* s : {static_cast<QXYSeries*>(half_), static_cast<QXYSeries*>(d50Line_),
                         static_cast<QXYSeries*>(d50Marker_)}) {
        chart_->addSeries(s);
        s->attachAxis(axisX_);
        s->attachAxis(axisY_);
    }
    connect(d50Marker_, &QXYSeries::clicked, this, [this] {
        if (d50_)
            readout_->setText(QStringLiteral("Cut size d50 = ") +
                              qs(Analysis::DiameterText(*d50_)) + QLatin1Char(' ') + Mu +
                              QLatin1Char('m'));
    });
    connectLegend();
}

void PenetrationCurveWindow::connectLegend() {
    for (QLegendMarker* marker : chart_->legend()->markers()) {
        if (marker->series() == d50Line_) {
            marker->setVisible(false); // drawn and toggled with the d50 marker
            continue;
        }
        connect(marker, &QLegendMarker::clicked, this, [this, marker] {
            QAbstractSeries* series = marker->series();
            const bool visible = !series->isVisible();
            series->setVisible(visible);
            if (series == d50Marker_)
                d50Line_->setVisible(visible);
            // A hidden curve keeps its legend entry, dimmed, to bring it back.
            marker->setVisible(true);
            const qreal alpha = visible ? 1.0 : 0.35;
            QColor label = marker->labelBrush().color();
            label.setAlphaF(alpha);
            marker->setLabelBrush(label);
            QColor fill = marker->brush().color();
            fill.setAlphaF(visible ? std::min(1.0, fill.alphaF() / 0.35) : fill.alphaF() * 0.35);
            marker->setBrush(fill);
        });
    }
}

void PenetrationCurveWindow::updateMarks() {
    // A hair wider than the sizes, so the decades at the ends keep their labels.
    axisX_->setRange(from_ / 1.0001, to_ * 1.0001);
    // Round ticks from 0, also when an inlet's aspiration lifts a curve above 100 %.
    const double top = PenetrationTop(*model_);
    axisY_->setRange(0, top);
    axisY_->setTickType(QValueAxis::TicksDynamic);
    axisY_->setTickAnchor(0);
    axisY_->setTickInterval(top <= 120 ? 10 : top <= 250 ? 25 : 50);
    half_->replace(QList<QPointF>{{from_, 50.0}, {to_, 50.0}});
    if (d50_) {
        const QString d50 =
            qs(Analysis::DiameterText(*d50_)) + QLatin1Char(' ') + Mu + QLatin1Char('m');
        d50Marker_->replace(QList<QPointF>{{*d50_, 50.0}});
        d50Line_->replace(QList<QPointF>{{*d50_, 0.0}, {*d50_, 50.0}});
        const bool beyond = *d50_ < from_ || *d50_ > to_;
        d50Marker_->setName(QStringLiteral("d50 = ") + d50 +
                            (beyond ? QStringLiteral(" (beyond the sizes shown)") : QString()));
    } else {
        d50Marker_->clear();
        d50Line_->clear();
        d50Marker_->setName(QStringLiteral("d50 none"));
    }
}

void PenetrationCurveWindow::showReadout(int column, int row) {
    if (row < 0 || row >= model_->rowCount() || column <= 0 || column >= model_->columnCount())
        return;
    QString name = model_->headerData(column, Qt::Horizontal).toString();
    const double v = model_->value(row, column);
    const QString at =
        QStringLiteral(" at ") + SizeText(model_->value(row, 0)) + QStringLiteral(": ");
    if (column <= model_->systemColumn()) {
        name.remove(QStringLiteral(" (%)"));
        const QString value = std::isfinite(v)
                                  ? qs(NumberFormat::Fixed(v, 2)) + QStringLiteral(" %")
                                  : QStringLiteral("invalid");
        readout_->setText(name + at + value);
    } else {
        readout_->setText(name + at + QString::number(v, 'g', 3) + QStringLiteral(" of its peak"));
    }
}

bool PenetrationCurveWindow::saveChartImage(const QString& path) {
    return SaveChartImage(view_, title_->text(), path);
}

QString PenetrationCurveWindow::dataText() const {
    return model_->toTabSeparated();
}

std::optional<FileError> PenetrationCurveWindow::exportCsv(const QString& path) const {
    return FileIo::WriteFileAtomically(std::filesystem::path(path.toStdString()), model_->toCsv());
}

namespace {

// The line's file name with its extension replaced by `word` (line.lxl -> lineCurve),
// or the bare word for a line never saved.
QString ProposedName(const std::string& dFileName, const QString& word) {
    if (dFileName.empty())
        return word;
    const QFileInfo file(qs(dFileName));
    return file.dir().filePath(file.completeBaseName() + word);
}

} // namespace

void PenetrationCurveWindow::askSaveImage() {
    AskSaveChartImage(this, saveQuestions, view_, title_->text(),
                      ProposedName(session_.DFileName(), QStringLiteral("Curve")) +
                          QStringLiteral(".png"));
}

void PenetrationCurveWindow::askExportCsv() {
    const QString path = AskSavePath(
        saveQuestions, QStringLiteral("Export CSV"),
        ProposedName(session_.DFileName(), QStringLiteral("Curve")) + QStringLiteral(".csv"),
        {{QStringLiteral("CSV file (*.csv)"), QStringLiteral(".csv")}});
    if (path.isEmpty())
        return;
    if (const auto error = exportCsv(path))
        QMessageBox::warning(this, windowTitle(), qs(error->Message));
}
