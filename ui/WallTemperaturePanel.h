#pragma once

#include <QGroupBox>
#include <QString>
#include <optional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
struct TLodoComp;

// The optional wall temperature of a tube or bend (thermophoresis): a check box, the
// temperature and its C / F buttons. It holds no logic: the window forwards its
// edits to the session and shows the record's value with showRecord.
class WallTemperaturePanel : public QGroupBox {
    Q_OBJECT
public:
    // `prefix` names the widgets ("Tube", "Bend": TubeWallTempEdit, TubeWallTempMRB, ...).
    explicit WallTemperaturePanel(const QString& prefix, QWidget* parent = nullptr);

    void showRecord(const TLodoComp& c);

    QCheckBox* check() const { return check_; }
    QLineEdit* edit() const { return edit_; }
    QRadioButton* metric() const { return metric_; }
    QRadioButton* english() const { return english_; }

signals:
    // The user asked for this wall temperature (nullopt: none) in this unit
    // ("Metric" or "English"). A text that is no number is reported as nothing typed.
    void changed(std::optional<double> value, const QString& unit);
    // The typed text is no number.
    void notANumber();

private:
    void report();
    void switchUnit(bool english);

    QCheckBox* check_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QRadioButton* metric_ = nullptr;
    QRadioButton* english_ = nullptr;
    bool showing_ = false;
};
