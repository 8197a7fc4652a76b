#pragma once

#include <QWidget>
#include <array>

class QLabel;
struct DisplaySink;
struct LodoModel;

// The "Intermediate Values" tab: the standard conditions, the log-normal note and
// the 29 rows of names and values the last evaluation wrote.
class IntermediateValuesPane : public QWidget {
    Q_OBJECT
public:
    explicit IntermediateValuesPane(QWidget* parent = nullptr);

    void render(const DisplaySink& sink);
    void setLogNormalNoteVisible(bool visible);
    // The model-limit findings of the component evaluated last, in plain words.
    void renderLimits(const LodoModel& model);

private:
    QLabel* m_density = nullptr;
    QLabel* m_viscosity = nullptr;
    QLabel* m_freePath = nullptr;
    QLabel* m_flow = nullptr;
    QLabel* m_slip = nullptr;
    QLabel* m_lnNote = nullptr;
    QLabel* m_heading = nullptr;
    QLabel* m_limits = nullptr;
    std::array<QLabel*, 24> m_names{};
    std::array<QLabel*, 24> m_values{};
    // Rows below the 24 (particle diameters, thermophoresis), hidden while unused.
    std::array<QLabel*, 9> m_extraNames{};
    std::array<QLabel*, 9> m_extraValues{};
};
