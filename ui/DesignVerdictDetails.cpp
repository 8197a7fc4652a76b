#include "ui/DesignVerdictDetails.h"

#include "design/VerdictText.h"
#include "model/DisplaySink.h"
#include "ui/DesignVerdictStrip.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <fmt/format.h>

namespace {

enum Column { Values, Aspiration, Transport, System, Result, Worst, ColumnCount };

QString Qs(const std::string& s) {
    return QString::fromStdString(s);
}

std::string Operating(const Design::OperatingPoint& v) {
    const auto part = [](const std::optional<double>& x, const char* unit) {
        return x ? fmt::format("{:.4g} {}", *x, unit) : std::string("\u2013");
    };
    return part(v.StackVelocity, "m/s") + ", " + part(v.Flow, "L/min") + ", " +
           part(v.Temperature, "\u00B0C");
}

bool Failed(const Design::PointVerdict& p, Design::Criterion c) {
    return std::find(p.Failed.begin(), p.Failed.end(), c) != p.Failed.end();
}

} // namespace

DesignVerdictDetails::DesignVerdictDetails(const Design::Verdict& v, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("DesignVerdictDetails"));
    setWindowTitle(QStringLiteral("Design Verdict"));
    auto* lay = new QVBoxLayout(this);

    std::string head = Design::CriteriaName(v.Limits) + ": " + Design::CriteriaLimits(v.Limits) +
                       ".\nTaken at the reference size whatever particle description is "
                       "selected; the other figures of the window are information.";
    m_summary = new QLabel(Qs(head + "\n" + Design::VerdictLine(v) +
                              (v.Range ? "\n" + Design::RangeLine(v) : std::string())),
                           this);
    m_summary->setObjectName(QStringLiteral("VerdictSummary"));
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lay->addWidget(m_summary);

    std::vector<const Design::PointVerdict*> points;
    if (v.Range)
        for (const Design::PointVerdict& p : v.Range->Points)
            points.push_back(&p);
    else
        points.push_back(&v.Nominal);

    m_table = new QTableWidget(static_cast<int>(points.size()), ColumnCount, this);
    m_table->setObjectName(QStringLiteral("VerdictPoints"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Stack velocity, flow, temperature"), QStringLiteral("Aspiration ratio"),
         QStringLiteral("Transport (%)"), QStringLiteral("System (%)"), QStringLiteral("Verdict"),
         QStringLiteral("Worst")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->setVisible(false);
    const auto worstAt = [&](std::size_t i) {
        std::string names;
        if (!v.Range)
            return names;
        const auto add = [&](const std::optional<std::size_t>& w, const char* what) {
            if (w && *w == i)
                names += (names.empty() ? "" : ", ") + std::string(what);
        };
        add(v.Range->WorstAspiration, "aspiration");
        add(v.Range->WorstTransport, "transport");
        add(v.Range->WorstSystem, "system");
        return names;
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Design::PointVerdict& p = *points[i];
        const int row = static_cast<int>(i);
        const auto cell = [&](int col, const std::string& text, bool failed) {
            auto* item = new QTableWidgetItem(Qs(text));
            if (col != Values)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (failed)
                item->setForeground(QColor::fromRgba(Argb::Red));
            m_table->setItem(row, col, item);
        };
        cell(Values, (i == 0 ? "nominal: " : "") + Operating(p.Values), false);
        cell(Aspiration, p.AspirationRatio ? fmt::format("{:.3f}", *p.AspirationRatio) : "\u2013",
             Failed(p, Design::Criterion::AspirationRatio));
        cell(Transport, fmt::format("{:.1f}", 100 * p.TransportPenetration),
             Failed(p, Design::Criterion::TransportPenetration));
        cell(System,
             p.SystemPenetration ? fmt::format("{:.1f}", 100 * *p.SystemPenetration) : "\u2013",
             Failed(p, Design::Criterion::SystemPenetration));
        std::string result(Design::OutcomeText(p.Result));
        if (!p.Reason.empty())
            result += " \u2014 " + p.Reason;
        cell(Result, result, false);
        m_table->item(row, Result)->setForeground(QColor::fromRgba(VerdictColour(p.Result)));
        cell(Worst, worstAt(i), false);
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
    lay->addWidget(m_table, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    lay->addWidget(buttons);
    resize(900, std::min(140 + 30 * static_cast<int>(points.size()), 760));
}

void ShowDesignVerdictDetails(QWidget* window, const Design::Verdict& verdict) {
    DesignVerdictDetails details(verdict, window);
    details.exec();
}
