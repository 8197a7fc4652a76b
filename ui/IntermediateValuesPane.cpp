#include "ui/IntermediateValuesPane.h"

#include "analysis/LimitFindings.h"
#include "gui/StyledLabel.h"
#include "model/DisplaySink.h"
#include "model/NumberFormat.h"
#include "model/Units.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int RowPitch = 17;
constexpr int NameWidth = 209;
constexpr int ValueWidth = 151;

QLabel* named(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

IntermediateValuesPane::IntermediateValuesPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("InterValuesPane"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(6, 8, 6, 6);
    lay->setSpacing(3);

    // Which component and particle size the values are of: the current component.
    m_heading = named(QStringLiteral("ShownComponent"), QString(), this);
    m_heading->setWordWrap(true);
    m_heading->setTextFormat(Qt::PlainText);
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    lay->addWidget(m_heading);

    lay->addWidget(named(QStringLiteral("StdPressLabel"),
                         QStringLiteral("Standard Pressure = %1 kPa")
                             .arg(QString::fromStdString(NumberFormat::General15(Units::Po))),
                         this));
    lay->addWidget(named(QStringLiteral("StdTempLabel"),
                         QStringLiteral("Standard Temperature = %1 K")
                             .arg(QString::fromStdString(NumberFormat::General15(Units::Ts))),
                         this));
    m_lnNote =
        named(QStringLiteral("LNStr2"),
              QStringLiteral("For a LogNormal Distribution the Intermediate Values are based "
                             "on the mass median diameter."),
              this);
    m_lnNote->setWordWrap(true);
    setLabelColour(m_lnNote, Argb::Crimson);
    m_lnNote->setVisible(false);
    lay->addWidget(m_lnNote);
    lay->addSpacing(6);

    auto* table = new QWidget(this);
    auto* panels = new QHBoxLayout(table);
    panels->setContentsMargins(0, 0, 0, 0);
    panels->setSpacing(0);
    auto* names = new QWidget(table);
    names->setObjectName(QStringLiteral("Panel7"));
    names->setFixedWidth(NameWidth);
    auto* values = new QWidget(table);
    values->setObjectName(QStringLiteral("Panel8"));
    values->setFixedWidth(ValueWidth);
    panels->addWidget(names);
    panels->addWidget(values);
    panels->addStretch(1);

    auto* nameLay = new QVBoxLayout(names);
    auto* valueLay = new QVBoxLayout(values);
    nameLay->setContentsMargins(2, 0, 0, 0);
    valueLay->setContentsMargins(6, 0, 2, 0);
    nameLay->setSpacing(0);
    valueLay->setSpacing(0);
    // A long name must not run into its value: the rows keep their columns and
    // the full text stays in the tooltip.
    QFont rowFont = font();
    rowFont.setPointSizeF(rowFont.pointSizeF() * 0.92);
    names->setFont(rowFont);
    values->setFont(rowFont);
    auto addRow = [&](QLabel* name, QLabel* value) {
        name->setFixedHeight(RowPitch);
        value->setFixedHeight(RowPitch);
        name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        nameLay->addWidget(name);
        valueLay->addWidget(value);
    };

    m_density = named(QStringLiteral("AirDensityLabel"), QString(), values);
    m_viscosity = named(QStringLiteral("AirVisLabel"), QString(), values);
    m_freePath = named(QStringLiteral("AirMeanFreePathLabel"), QString(), values);
    m_flow = named(QStringLiteral("Flow_in"), QString(), values);
    m_slip = named(QStringLiteral("Cun_slip"), QString(), values);
    addRow(named(QStringLiteral("Label21"), QStringLiteral("Density:"), names), m_density);
    addRow(named(QStringLiteral("Label20"), QStringLiteral("Dynamic Viscosity:"), names),
           m_viscosity);
    addRow(named(QStringLiteral("Label22"), QStringLiteral("Mean Free Path:"), names), m_freePath);
    addRow(named(QStringLiteral("Label68"), QStringLiteral("Sample Flow Rate"), names), m_flow);
    addRow(named(QStringLiteral("Label3"), QStringLiteral("Slip Correction"), names), m_slip);
    for (int i = 0; i < 24; ++i) {
        m_names[std::size_t(i)] = named(QStringLiteral("IVN%1").arg(i + 1), QString(), names);
        m_values[std::size_t(i)] = named(QStringLiteral("IVR%1").arg(i + 1), QString(), values);
        addRow(m_names[std::size_t(i)], m_values[std::size_t(i)]);
    }
    for (std::size_t i = 0; i < m_extraNames.size(); ++i) {
        m_extraNames[i] = named(QStringLiteral("IVXN%1").arg(i + 1), QString(), names);
        m_extraValues[i] = named(QStringLiteral("IVXR%1").arg(i + 1), QString(), values);
        addRow(m_extraNames[i], m_extraValues[i]);
        m_extraNames[i]->setVisible(false);
        m_extraValues[i]->setVisible(false);
    }
    nameLay->addStretch(1);
    valueLay->addStretch(1);

    lay->addWidget(table);
    // Below the rows, so that the specified layout of the panel stays as it is.
    m_limits = named(QStringLiteral("ModelLimitsText"), QString(), this);
    m_limits->setWordWrap(true);
    m_limits->setTextFormat(Qt::PlainText);
    m_limits->setVisible(false);
    lay->addSpacing(6);
    lay->addWidget(m_limits);
    lay->addStretch(1);
}

void IntermediateValuesPane::renderLimits(const LodoModel& model) {
    const int row = ModelLimits::LastEvaluatedRow(model);
    if (row >= 0) {
        const bool logNormal = model.Ctx.DType == Distribution::LogNormal;
        const QString size = QString::fromStdString(
            NumberFormat::General(logNormal ? model.Ctx.MDp : model.Ctx.Dp, 5));
        m_heading->setText(QStringLiteral("%1 (Index %2), %3 %4 \u00b5m")
                               .arg(QString::fromStdString(model.List[std::size_t(row)].Name))
                               .arg(row)
                               .arg(logNormal ? QStringLiteral("at the mass median diameter")
                                              : QStringLiteral("particles of"),
                                    size));
    } else {
        m_heading->clear();
    }
    if (row < 0) {
        m_limits->clear();
        m_limits->setVisible(false);
        return;
    }
    const QString name = QString::fromStdString(model.List[std::size_t(row)].Name);
    const auto findings = ModelLimits::FindingTexts(ModelLimits::ComponentFindings(model, row));
    const bool logNormal = model.Ctx.DType == Distribution::LogNormal;
    QString text;
    if (findings.empty()) {
        text = QStringLiteral("Model limits: %1 is within the published ranges of its models.")
                   .arg(name);
        setLabelColour(m_limits, Argb::Black);
    } else {
        text = QStringLiteral("Model limits of %1:").arg(name);
        for (const std::string& f : findings)
            text += QStringLiteral("\n\u2022 ") + QString::fromStdString(f);
        if (logNormal)
            text +=
                QLatin1Char('\n') + QString::fromUtf8(ModelLimits::LogNormalNote.data(),
                                                      qsizetype(ModelLimits::LogNormalNote.size()));
        setLabelColour(m_limits, Argb::Red);
    }
    m_limits->setText(text);
    m_limits->setVisible(true);
}

void IntermediateValuesPane::render(const DisplaySink& sink) {
    m_density->setText(QString::fromStdString(sink.AirDensityLabel));
    m_viscosity->setText(QString::fromStdString(sink.AirVisLabel));
    m_freePath->setText(QString::fromStdString(sink.AirMeanFreePathLabel));
    m_flow->setText(QString::fromStdString(sink.Flow_in));
    m_slip->setText(QString::fromStdString(sink.Cun_slip));
    for (std::size_t i = 0; i < sink.IV.size(); ++i) {
        applyStyledText(m_names[i], sink.IV[i].Name);
        applyStyledText(m_values[i], sink.IV[i].Value);
        m_names[i]->setToolTip(m_names[i]->text());
        m_values[i]->setToolTip(m_values[i]->text());
    }
    for (std::size_t i = 0; i < m_extraNames.size(); ++i) {
        const bool used = i < sink.Extra.size();
        m_extraNames[i]->setVisible(used);
        m_extraValues[i]->setVisible(used);
        if (!used)
            continue;
        applyStyledText(m_extraNames[i], sink.Extra[i].Name);
        applyStyledText(m_extraValues[i], sink.Extra[i].Value);
        m_extraNames[i]->setToolTip(m_extraNames[i]->text());
        m_extraValues[i]->setToolTip(m_extraValues[i]->text());
    }
}

void IntermediateValuesPane::setLogNormalNoteVisible(bool visible) {
    m_lnNote->setVisible(visible);
}
