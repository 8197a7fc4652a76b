#pragma once

#include "session/PropertyPages.h"

#include <QTabWidget>
#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class WallTemperaturePanel;

// TabControl2: the six property pages, built from the session's page tables. At
// most one page is visible. The widget holds no editor logic; the window forwards
// its events to the session and renders the session's state onto it.
class PropertyPagesWidget : public QTabWidget {
    Q_OBJECT
public:
    explicit PropertyPagesWidget(QWidget* parent = nullptr);

    // Makes `page` the only visible tab (Page::None hides them all).
    void showOnly(Page page);
    Page shownPage() const { return m_shown; }

    QLineEdit* box(Box b) const { return m_boxes[std::size_t(b)]; }
    QRadioButton* metricButton(Box b) const { return m_metric[std::size_t(b)]; }
    QRadioButton* englishButton(Box b) const { return m_english[std::size_t(b)]; }
    QRadioButton* probeButton(int index) const { return m_probes[std::size_t(index)]; }
    QGroupBox* probeGroup() const { return m_probeGroup; }

    QLabel* curveR() const { return m_curveR; }
    QLabel* crError() const { return m_crError; }
    QLabel* labelShrAsp() const { return m_shrAsp; }
    QLabel* labelNozAsp() const { return m_nozAsp; }
    QLabel* label8() const { return m_label8; }
    QLabel* label9() const { return m_label9; }
    // The wall temperature of the tube or the bend page; nullptr for other pages.
    WallTemperaturePanel* wallTemp(Page page) const {
        return page == Page::Tube ? m_tubeWall : page == Page::Bend ? m_bendWall : nullptr;
    }

    // The box a widget is, if it is one.
    std::optional<Box> boxOf(const QObject* w) const;

private:
    QWidget* buildPage(const PageInfo& info);
    QWidget* buildAspirationPanel(QLabel*& value, const QString& name);

    std::array<QLineEdit*, BoxCount> m_boxes{};
    std::array<QRadioButton*, BoxCount> m_metric{};
    std::array<QRadioButton*, BoxCount> m_english{};
    std::array<QRadioButton*, 6> m_probes{};
    QGroupBox* m_probeGroup = nullptr;
    QLabel* m_curveR = nullptr;
    QLabel* m_crError = nullptr;
    QLabel* m_shrAsp = nullptr;
    QLabel* m_nozAsp = nullptr;
    QLabel* m_label8 = nullptr;
    QLabel* m_label9 = nullptr;
    WallTemperaturePanel* m_tubeWall = nullptr;
    WallTemperaturePanel* m_bendWall = nullptr;
    Page m_shown = Page::None;
};
