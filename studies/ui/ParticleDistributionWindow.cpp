#include "studies/ui/ParticleDistributionWindow.h"

#include "gui/NumberBox.h"
#include "model/EvalContext.h"
#include "model/InputRules.h"
#include "studies/ui/LogNormalPlotWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

namespace {
const QString Mu = QStringLiteral("\u00B5");
const QString GsdMessage = QStringLiteral("Geometric Standard Deviation must be greater than 1.");
} // namespace

ParticleDistributionWindow::ParticleDistributionWindow(DistributionSetting& data, QWidget* parent)
    : QDialog(parent), data_(data) {
    setWindowTitle(QStringLiteral("Particle Distribution"));
    show_ = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };

    auto* title = new QLabel(QStringLiteral("Set Particle Distribution"), this);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* notice = new QLabel(QStringLiteral("(You must confirm any changes!)"), this);
    notice->setStyleSheet(QStringLiteral("color: #DC143C;"));
    notice->setAlignment(Qt::AlignCenter);

    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    NumberBox1 = new NumberBox(this);
    NumberBox2 = new NumberBox(this);
    NumberBox3 = new NumberBox(this);
    const std::array<NumberBox*, 3> boxes{NumberBox1, NumberBox2, NumberBox3};
    for (NumberBox* box : boxes) {
        box->setDecimals(3);
        box->setRange(0.001, 1000.0);
        box->setMinimumWidth(110);
    }
    // A size outside 0.001 to 1000 um is refused, not pulled to the limit.
    NumberBox1->refuseOutsideRange();
    NumberBox2->refuseOutsideRange();
    // A deviation of 1 would divide by zero and one below 1 mirrors the size range.
    NumberBox3->setRange(1.001, 1000.0);
    NumberBox3->setCheck([](double v) { return v <= 1.0 ? GsdMessage : QString(); });
    for (int i = 0; i < 3; ++i) {
        NumberBox* box = boxes[static_cast<std::size_t>(i)];
        connect(box, &NumberBox::refused, this, [this, box](const QString& message) {
            show_(message);
            box->setFocus(Qt::OtherFocusReason);
        });
        connect(box, &NumberBox::moveRequested, this, [boxes, i](int step) {
            boxes[static_cast<std::size_t>((i + step + 3) % 3)]->setFocus(Qt::TabFocusReason);
        });
    }

    // What the particles are: the defaults are the unit-density spheres that the
    // aerodynamic diameter is defined by.
    auto* properties = new QGroupBox(QStringLiteral("Particle Properties"), this);
    DensityBox = new NumberBox(properties);
    DensityBox->setObjectName(QStringLiteral("DensityBox"));
    DensityBox->setDecimals(1);
    DensityBox->setRange(InputRules::RuleOf(InputRules::RuleId::ParticleDensity).Min,
                         InputRules::RuleOf(InputRules::RuleId::ParticleDensity).Max);
    DensityBox->refuseOutsideRange();
    ShapeFactorBox = new NumberBox(properties);
    ShapeFactorBox->setObjectName(QStringLiteral("ShapeFactorBox"));
    ShapeFactorBox->setDecimals(3);
    ShapeFactorBox->setRange(1.0, 5.0);
    ShapeFactorBox->refuseOutsideRange();
    ConductivityBox = new NumberBox(properties);
    ConductivityBox->setObjectName(QStringLiteral("ConductivityBox"));
    ConductivityBox->setDecimals(3);
    ConductivityBox->setRange(0.0, 10000.0);
    ConductivityBox->setCheck([](double v) {
        return v > 0 ? QString()
                     : QString::fromUtf8(
                           InputRules::RuleOf(InputRules::RuleId::ThermalConductivity).Message);
    });
    SizeTypeBox = new QComboBox(properties);
    SizeTypeBox->setObjectName(QStringLiteral("SizeTypeBox"));
    SizeTypeBox->addItem(QStringLiteral("Aerodynamic diameters"));
    SizeTypeBox->addItem(QStringLiteral("Volume-equivalent (physical) diameters"));
    for (NumberBox* box : {DensityBox, ShapeFactorBox, ConductivityBox}) {
        box->setMinimumWidth(110);
        connect(box, &NumberBox::refused, this, [this, box](const QString& message) {
            show_(message);
            box->setFocus(Qt::OtherFocusReason);
        });
    }
    auto* propertyGrid = new QGridLayout(properties);
    propertyGrid->addWidget(new QLabel(QStringLiteral("Particle Density (kg/m\u00B3)"), properties),
                            0, 0);
    propertyGrid->addWidget(DensityBox, 0, 1);
    propertyGrid->addWidget(new QLabel(QStringLiteral("Dynamic Shape Factor"), properties), 1, 0);
    propertyGrid->addWidget(ShapeFactorBox, 1, 1);
    propertyGrid->addWidget(new QLabel(QStringLiteral("Sizes Entered Are"), properties), 2, 0);
    propertyGrid->addWidget(SizeTypeBox, 2, 1);
    propertyGrid->addWidget(
        new QLabel(QStringLiteral("Thermal Conductivity (W/(m K))"), properties), 3, 0);
    propertyGrid->addWidget(ConductivityBox, 3, 1);
    propertyGrid->setColumnStretch(0, 1);

    RadioButton1 = new QRadioButton(QStringLiteral("Monodispersed"), this);
    RadioButton2 = new QRadioButton(QStringLiteral("Polydispersed Lognormal"), this);

    Button1 = new QPushButton(QStringLiteral("Confirm"), this);
    Button2 = new QPushButton(QStringLiteral("Plot"), this);
    Button1->setDefault(true);
    Button2->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &ParticleDistributionWindow::accept);
    connect(Button2, &QPushButton::clicked, this, &ParticleDistributionWindow::Button2Click);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(NumberBox1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(NumberBox2, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(NumberBox3, 2, 1);
    grid->setColumnStretch(0, 1);
    auto* radios = new QHBoxLayout;
    radios->addWidget(RadioButton1);
    radios->addWidget(RadioButton2);
    radios->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(notice);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addLayout(radios);
    layout->addWidget(properties);
    layout->addLayout(buttons);

    FormCreate();
}

void ParticleDistributionWindow::FormCreate() {
    PDia = data_.PartSize;
    MDia = data_.MeanPart;
    SDDia = data_.PartSD;
    NumberBox1->setValue(PDia);
    NumberBox2->setValue(MDia);
    NumberBox3->setValue(SDDia);
    Label1->setText(QStringLiteral("Aerodynamic Particle Diameter (") + Mu + QStringLiteral("m)"));
    Label2->setText(QStringLiteral("Geometric Mass Mean Aerodynamic Particle Diameter (") + Mu +
                    QStringLiteral("m)"));
    Label3->setText(QStringLiteral("Geometric Standard Deviation (") + Mu + QStringLiteral("m)"));
    DensityBox->setValue(data_.Particle.Density);
    ShapeFactorBox->setValue(data_.Particle.ShapeFactor);
    ConductivityBox->setValue(data_.Particle.ThermalConductivity);
    shownDensity_ = DensityBox->value();
    shownShape_ = ShapeFactorBox->value();
    shownConductivity_ = ConductivityBox->value();
    SizeTypeBox->setCurrentIndex(data_.Particle.Sizes == LodoMath::SizeType::Physical ? 1 : 0);
    if (data_.TypeDist == Distribution::LogNormal)
        RadioButton2->setChecked(true);
    else
        RadioButton1->setChecked(true);
}

bool ParticleDistributionWindow::commitBoxes() {
    for (NumberBox* box :
         {NumberBox1, NumberBox2, NumberBox3, DensityBox, ShapeFactorBox, ConductivityBox})
        if (!box->commit(true))
            return false;
    return true;
}

void ParticleDistributionWindow::FormClose() {
    PDia = static_cast<float>(NumberBox1->value());
    MDia = static_cast<float>(NumberBox2->value());
    SDDia = static_cast<float>(NumberBox3->value());
    data_.PartSize = PDia;
    data_.MeanPart = MDia;
    data_.PartSD = SDDia;
    data_.TypeDist = RadioButton1->isChecked() ? Distribution::Mono : Distribution::LogNormal;
    const auto take = [](NumberBox* box, double shown, double& stored) {
        if (box->value() != shown)
            stored = box->value();
    };
    take(DensityBox, shownDensity_, data_.Particle.Density);
    take(ShapeFactorBox, shownShape_, data_.Particle.ShapeFactor);
    take(ConductivityBox, shownConductivity_, data_.Particle.ThermalConductivity);
    data_.Particle.Sizes = SizeTypeBox->currentIndex() == 1 ? LodoMath::SizeType::Physical
                                                            : LodoMath::SizeType::Aerodynamic;
}

void ParticleDistributionWindow::accept() {
    if (!commitBoxes())
        return;
    FormClose();
    QDialog::accept();
}

void ParticleDistributionWindow::Button2Click() {
    if (!commitBoxes())
        return;
    LogNormalPlotWindow plot(static_cast<float>(NumberBox2->value()),
                             static_cast<float>(NumberBox3->value()), RadioButton2->isChecked(),
                             this);
    plot.exec();
}
