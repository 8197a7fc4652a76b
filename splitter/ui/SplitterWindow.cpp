#include "splitter/ui/SplitterWindow.h"

#include "gui/NumberBox.h"
#include "model/EvalContext.h"
#include "splitter/ui/WyeDrawing.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

namespace {

QFont boldOf(const QWidget* w, double scale = 1.0) {
    QFont f = w->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * scale);
    return f;
}

} // namespace

SplitterWindow::SplitterWindow(const DistributionSetting& data, QWidget* parent,
                               std::optional<Wye::WyeInputs> start)
    : QDialog(parent), data_(data), start_(start) {
    setWindowTitle(QStringLiteral("Split/Combine"));

    // Top panel.
    auto* caption = new QLabel(QStringLiteral("Component Transmission (%):"), this);
    caption->setFont(boldOf(caption, 1.3));
    Label1 = new QLabel(this);
    Label1->setFont(boldOf(Label1, 1.3));
    Label1->setStyleSheet(QStringLiteral("color: #00008B;"));
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* top = new QHBoxLayout;
    top->addWidget(caption);
    top->addWidget(Label1);
    top->addStretch(1);
    ParticleSizeLabel = new QLabel(QString::fromStdString(Wye::ParticleSizeText(
                                       data_.PartSize, data_.TypeDist == Distribution::LogNormal)),
                                   this);
    ParticleSizeLabel->setObjectName(QStringLiteral("ParticleSizeLabel"));
    ParticleSizeLabel->setWordWrap(true);
    ShowMessage = [this](const QString& text) {
        QMessageBox::information(this, QStringLiteral("Split/Combine"), text);
    };

    // Splitter tab: inputs, results, limitations and the picture.
    auto* splitterTab = new QWidget;
    struct InputSpec {
        NumberBox** Box;
        const char* Caption;
        const char* Unit;
        Wye::InputLimit Limit;
        int Decimals;
    };
    const InputSpec specs[] = {
        {&NBFlow, "Inlet Flow Rate (Actual)", "LPM", Wye::FlowLimit, 2},
        {&NBAngle, "Bifurcation Angle", "Deg", Wye::AngleLimit, 1},
        {&NBDi, "Inlet Internal Diameter", "mm", Wye::DiLimit, 2},
        {&NBTemp, "Temperature", "C", Wye::TempLimit, 2},
        {&NBPress, "Pressure", "kPa", Wye::PressLimit, 4},
    };
    auto* inputs = new QGridLayout;
    int row = 0;
    for (const InputSpec& s : specs) {
        auto* box = new NumberBox(splitterTab);
        box->setDecimals(s.Decimals);
        box->setRange(s.Limit.Min, std::isfinite(s.Limit.Max) ? s.Limit.Max
                                                              : std::numeric_limits<double>::max());
        box->setMinimumWidth(100);
        *s.Box = box;
        inputs->addWidget(new QLabel(QString::fromUtf8(s.Caption), splitterTab), row, 0);
        inputs->addWidget(box, row, 1);
        inputs->addWidget(new QLabel(QString::fromUtf8(s.Unit), splitterTab), row, 2);
        ++row;
    }
    // A number outside its box's limits is refused with the range, as the property
    // pages refuse theirs, instead of being pulled to the limit.
    for (int i = 0; i < static_cast<int>(ring().size()); ++i) {
        NumberBox* box = ring()[static_cast<std::size_t>(i)];
        const auto which = static_cast<Wye::Input>(i);
        // The results beside the boxes are those of the values that stand: a box
        // never shows a refused entry once it has been left.
        box->revertRefusedOnLeave();
        box->setCheck([which](double v) {
            const auto message = Wye::CheckInput(which, v);
            return message ? QString::fromStdString(*message) : QString();
        });
        connect(box, &NumberBox::refused, this, [this, box](const QString& message) {
            ShowMessage(message);
            box->setFocus(Qt::OtherFocusReason);
        });
    }
    for (NumberBox* box : ring()) {
        connect(box, &NumberBox::valueChanged, this, [this, box](double v) { ChangeW(box, v); });
        connect(box, &NumberBox::moveRequested, this, [this, box](int step) { MoveW(box, step); });
    }

    auto* results = new QGroupBox(QStringLiteral("Results"), splitterTab);
    Label7 = new QLabel(results);
    Label9 = new QLabel(results);
    Label10 = new QLabel(results);
    Label15 = new QLabel(results);
    Label16 = new QLabel(results);
    LimitsNote = new QLabel(results);
    LimitsNote->setObjectName(QStringLiteral("LimitsNote"));
    LimitsNote->setWordWrap(true);
    LimitsNote->setStyleSheet(QStringLiteral("color: #FF0000;"));
    auto* resultsLayout = new QVBoxLayout(results);
    for (QLabel* l : {Label7, Label9, Label10, Label15, Label16, LimitsNote}) {
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        resultsLayout->addWidget(l);
    }

    auto* limits = new QFrame(splitterTab);
    limits->setFrameShape(QFrame::StyledPanel);
    auto* limitsTitle = new QLabel(QStringLiteral("Model Limitations"), limits);
    limitsTitle->setFont(boldOf(limitsTitle));
    limitsTitle->setAlignment(Qt::AlignCenter);
    Label17 = new QLabel(limits);
    Label17->setAlignment(Qt::AlignCenter);
    auto* limitsLayout = new QVBoxLayout(limits);
    limitsLayout->addWidget(limitsTitle);
    limitsLayout->addWidget(Label17);

    auto* left = new QVBoxLayout;
    left->addLayout(inputs);
    left->addWidget(results);
    left->addWidget(limits);
    left->addStretch(1);
    Drawing = new WyeDrawing(splitterTab);
    auto* splitterLayout = new QHBoxLayout(splitterTab);
    splitterLayout->addLayout(left);
    splitterLayout->addWidget(Drawing, 1);

    // Combiner tab.
    auto* combinerTab = new QWidget;
    auto* notAvailable =
        new QLabel(QStringLiteral("Model not available at this time"), combinerTab);
    notAvailable->setFont(boldOf(notAvailable, 1.2));
    notAvailable->setAlignment(Qt::AlignCenter);
    auto* combinerLayout = new QVBoxLayout(combinerTab);
    combinerLayout->addWidget(notAvailable);

    Tabs = new QTabWidget(this);
    Tabs->addTab(splitterTab, QStringLiteral("Splitter"));
    Tabs->addTab(combinerTab, QStringLiteral("Combiner"));
    Tabs->setCurrentIndex(0);

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ParticleSizeLabel);
    layout->addWidget(Tabs, 1);
    layout->addLayout(bottom);

    FormCreate();
}

void SplitterWindow::FormCreate() {
    in_ = start_.value_or(Wye::WyeInputs{});
    NBFlow->setValue(in_.YFlow);
    NBAngle->setValue(in_.YAngle);
    NBDi->setValue(in_.YDi);
    NBTemp->setValue(in_.YTemp);
    NBPress->setValue(in_.YPress);
    CalcT();
    NBFlow->setFocus(Qt::OtherFocusReason);
    Label17->setText(QString::fromStdString(Wye::LimitsText()));
}

void SplitterWindow::CalcT() {
    const Wye::WyeResults r = Wye::CalcT(in_, data_.PartSize);
    Label1->setText(QString::fromStdString(r.Label1));
    Label7->setText(QString::fromStdString(r.Label7));
    Label9->setText(QString::fromStdString(r.Label9));
    Label10->setText(QString::fromStdString(r.Label10));
    Label15->setText(QString::fromStdString(r.Label15));
    Label16->setText(QString::fromStdString(r.Label16));
    // Red where the correlation is used outside the range it was fitted to.
    const QString red = QStringLiteral("color: #FF0000;");
    Label15->setStyleSheet(r.StokesOutside ? red : QString());
    Label16->setStyleSheet(r.ReynoldsOutside ? red : QString());
    LimitsNote->setText(QString::fromStdString(r.LimitsNote));
    LimitsNote->setVisible(!r.LimitsNote.empty());
    Drawing->setAngle(in_.YAngle);
    fitHeight();
}

void SplitterWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fitHeight();
}

// The size taken before the window was first shown, or before the note on the model
// limitations came back, leaves no room for all the note's lines; a window never
// shrinks by itself to its height for width.
void SplitterWindow::fitHeight() {
    if (!isVisible())
        return;
    layout()->activate();
    const int need = heightForWidth(width());
    if (need > height())
        resize(width(), need);
}

void SplitterWindow::ChangeW(NumberBox* box, double value) {
    if (box == NBFlow)
        in_.YFlow = value;
    else if (box == NBAngle)
        in_.YAngle = value;
    else if (box == NBDi)
        in_.YDi = value;
    else if (box == NBTemp)
        in_.YTemp = value;
    else if (box == NBPress)
        in_.YPress = value;
    CalcT();
}

void SplitterWindow::MoveW(NumberBox* box, int step) {
    const auto boxes = ring();
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
        if (boxes[static_cast<std::size_t>(i)] != box)
            continue;
        const int n = static_cast<int>(boxes.size());
        boxes[static_cast<std::size_t>((i + step + n) % n)]->setFocus(Qt::TabFocusReason);
        return;
    }
}
