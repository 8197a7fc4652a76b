#include "ui/PropertyPagesWidget.h"

#include "gui/QtText.h"
#include "gui/StyledLabel.h"
#include "ui/WallTemperaturePanel.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

int tabIndex(Page p) {
    return int(p) - 1;
}

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

PropertyPagesWidget::PropertyPagesWidget(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("TabControl2"));
    setUsesScrollButtons(false);
    for (const PageInfo& info : Pages) {
        addTab(buildPage(info), qs(info.Title));
        setTabVisible(tabIndex(info.Id), false);
    }
}

void PropertyPagesWidget::showOnly(Page page) {
    m_shown = page;
    if (page == Page::None) {
        setVisible(false);
        return;
    }
    // Show the new tab before hiding the others so the bar never goes empty.
    setTabVisible(tabIndex(page), true);
    setCurrentIndex(tabIndex(page));
    for (const PageInfo& info : Pages)
        if (info.Id != page)
            setTabVisible(tabIndex(info.Id), false);
    setVisible(true);
}

std::optional<Box> PropertyPagesWidget::boxOf(const QObject* w) const {
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        if (m_boxes[i] == w)
            return Box(i);
    return std::nullopt;
}

QWidget* PropertyPagesWidget::buildAspirationPanel(QLabel*& value, const QString& name) {
    auto* panel = new QWidget;
    auto* lay = new QHBoxLayout(panel);
    lay->setContentsMargins(6, 4, 6, 4);
    QFont bold = panel->font();
    bold.setBold(true);
    auto* caption = new QLabel(QStringLiteral("Aspiration Ratio"), panel);
    caption->setFont(bold);
    value = makeLabel(name, QString(), panel);
    value->setFont(bold);
    value->setMinimumWidth(60);
    lay->addWidget(caption);
    lay->addWidget(value);
    lay->addStretch(1);
    lay->addWidget(new QLabel(QStringLiteral("ANSI Limit: 0.8 to 1.5"), panel));
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(0xE6, 0xEA, 0xF0));
    panel->setPalette(pal);
    return panel;
}

QWidget* PropertyPagesWidget::buildPage(const PageInfo& info) {
    auto* page = new QWidget;
    page->setObjectName(qs(info.ItemName));
    auto* lay = new QVBoxLayout(page);
    lay->setContentsMargins(10, 6, 10, 6);
    lay->setSpacing(1);

    if (info.Id == Page::Shroud)
        lay->addWidget(buildAspirationPanel(m_shrAsp, QStringLiteral("LabelShrAsp")));
    if (info.Id == Page::Nozzle)
        lay->addWidget(buildAspirationPanel(m_nozAsp, QStringLiteral("LabelNozAsp")));
    if (info.Id == Page::Shroud || info.Id == Page::Nozzle)
        lay->addSpacing(4);

    for (const BoxInfo& row : info.Rows) {
        auto* caption = makeLabel(qs(row.Name) + QStringLiteral("Caption"), qs(row.Caption), page);
        lay->addWidget(caption);

        auto* line = new QHBoxLayout;
        line->setSpacing(12);
        auto* box = new QLineEdit(page);
        box->setObjectName(qs(row.Name));
        box->setFixedWidth(70);
        box->setAlignment(Qt::AlignCenter);
        m_boxes[std::size_t(row.Id)] = box;
        line->addWidget(box);

        auto* group = new QButtonGroup(page); // each quantity's pair on its own
        auto addButton = [&](std::string_view name, std::string_view text) {
            auto* b = new QRadioButton(qs(text), page);
            b->setObjectName(qs(name));
            group->addButton(b);
            line->addWidget(b);
            return b;
        };
        QRadioButton* metric = addButton(row.MetricButton, row.MetricText);
        m_metric[std::size_t(row.Id)] = metric;
        if (row.EnglishButton.empty()) {
            metric->setChecked(true); // "Deg": the only unit an angle has
            metric->setFocusPolicy(Qt::NoFocus);
        } else {
            m_english[std::size_t(row.Id)] = addButton(row.EnglishButton, row.EnglishText);
        }
        if (!row.Focusable) {
            // Display only: it follows the inlet.
            box->setFocusPolicy(Qt::NoFocus);
            box->setReadOnly(true);
            for (QRadioButton* b : {metric, m_english[std::size_t(row.Id)]}) {
                if (!b)
                    continue;
                b->setAttribute(Qt::WA_TransparentForMouseEvents);
                b->setFocusPolicy(Qt::NoFocus);
            }
            group->setExclusive(false);
            metric->setChecked(false);
        }
        line->addStretch(1);
        lay->addLayout(line);
        lay->addSpacing(5);

        if (row.Id == Box::BendRadiusEdit) {
            m_curveR =
                makeLabel(QStringLiteral("CurveR"), QStringLiteral("Curvature Ratio :"), page);
            lay->addWidget(m_curveR);
            // Two ratios go by this name: the page's and the reports' Ro.
            QLabel* meaning = makeLabel(
                QStringLiteral("CurveRMeaning"),
                QStringLiteral("(bend radius / tube radius; the reports' Ro is bend radius / "
                               "tube diameter, half of it)"),
                page);
            meaning->setWordWrap(true);
            QFont small = meaning->font();
            small.setPointSizeF(small.pointSizeF() * 0.9);
            meaning->setFont(small);
            lay->addWidget(meaning);
            lay->addSpacing(5);
        }
    }

    if (info.Id == Page::Bend) {
        m_crError =
            makeLabel(QStringLiteral("CRError"),
                      QStringLiteral("Transmission efficiency has been calculated, but the "
                                     "curvature ratio is < 4 and outside the range of the models."),
                      page);
        m_crError->setWordWrap(true);
        setLabelColour(m_crError, Argb::Crimson);
        m_crError->setVisible(false);
        lay->addWidget(m_crError);
    }

    if (info.Id == Page::Tube || info.Id == Page::Bend) {
        auto* wall = new WallTemperaturePanel(
            info.Id == Page::Tube ? QStringLiteral("Tube") : QStringLiteral("Bend"), page);
        (info.Id == Page::Tube ? m_tubeWall : m_bendWall) = wall;
        lay->addSpacing(4);
        lay->addWidget(wall);
    }

    if (info.Id == Page::Shroud) {
        m_probeGroup = new QGroupBox(QStringLiteral("Please Select a Probe Type"), page);
        m_probeGroup->setObjectName(QStringLiteral("ProbeGroupBox"));
        auto* g = new QVBoxLayout(m_probeGroup);
        g->setSpacing(1);
        auto* group = new QButtonGroup(m_probeGroup);
        for (std::size_t i = 0; i < ProbeButtons.size(); ++i) {
            auto* b = new QRadioButton(qs(ProbeButtons[i].Text), m_probeGroup);
            b->setObjectName(qs(ProbeButtons[i].Name));
            group->addButton(b);
            m_probes[i] = b;
            g->addWidget(b);
        }
        g->addWidget(new QLabel(QStringLiteral("Please Note:"), m_probeGroup));
        lay->addSpacing(2);
        lay->addWidget(m_probeGroup);
        m_label8 = makeLabel(QStringLiteral("Label8"), QString(), page);
        m_label8->setWordWrap(true);
        lay->addWidget(m_label8);
    }

    if (info.Id == Page::Nozzle) {
        lay->addSpacing(2);
        lay->addWidget(new QLabel(QStringLiteral("Please Note: "), page));
        m_label9 = makeLabel(QStringLiteral("Label9"), QString(), page);
        m_label9->setWordWrap(true);
        lay->addWidget(m_label9);
    }

    lay->addStretch(1);
    return page;
}
