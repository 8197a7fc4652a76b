#include "ui/WallTemperaturePanel.h"

#include "model/NumberFormat.h"
#include "model/TLodoComp.h"
#include "model/Units.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

WallTemperaturePanel::WallTemperaturePanel(const QString& prefix, QWidget* parent)
    : QGroupBox(QStringLiteral("Thermophoresis"), parent) {
    setObjectName(prefix + QStringLiteral("WallTempGroup"));
    check_ = new QCheckBox(QStringLiteral("Wall colder than the gas: wall temperature"), this);
    check_->setObjectName(prefix + QStringLiteral("WallTempCheck"));
    edit_ = new QLineEdit(this);
    edit_->setObjectName(prefix + QStringLiteral("WallTempEdit"));
    edit_->setFixedWidth(70);
    edit_->setAlignment(Qt::AlignCenter);
    metric_ = new QRadioButton(QStringLiteral("C"), this);
    metric_->setObjectName(prefix + QStringLiteral("WallTempMRB"));
    english_ = new QRadioButton(QStringLiteral("F"), this);
    english_->setObjectName(prefix + QStringLiteral("WallTempERB"));
    auto* group = new QButtonGroup(this);
    group->addButton(metric_);
    group->addButton(english_);
    metric_->setChecked(true);

    auto* line = new QHBoxLayout;
    line->setSpacing(12);
    line->addWidget(edit_);
    line->addWidget(metric_);
    line->addWidget(english_);
    line->addStretch(1);
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(6, 4, 6, 4);
    lay->setSpacing(2);
    lay->addWidget(check_);
    lay->addLayout(line);

    connect(check_, &QCheckBox::toggled, this, [this] {
        if (!showing_)
            report();
    });
    connect(edit_, &QLineEdit::editingFinished, this, [this] {
        if (!showing_ && edit_->isModified())
            report();
    });
    connect(english_, &QRadioButton::toggled, this, [this](bool on) {
        if (!showing_)
            switchUnit(on);
    });
}

void WallTemperaturePanel::showRecord(const TLodoComp& c) {
    showing_ = true;
    const bool has = c.WallTemp.has_value();
    check_->setChecked(has);
    edit_->setEnabled(has);
    metric_->setEnabled(has);
    english_->setEnabled(has);
    const bool english = has && Units::IsEnglish(c.WallTempUnit);
    (english ? english_ : metric_)->setChecked(true);
    // Without one, the gas temperature is where a wall temperature starts.
    const double shown = has ? *c.WallTemp : Units::TempToC(c.Temp, c.TempUnit);
    const QString text = QString::fromStdString(NumberFormat::General15(shown));
    if (edit_->text() != text && !edit_->hasFocus())
        edit_->setText(text);
    edit_->setModified(false);
    showing_ = false;
}

void WallTemperaturePanel::report() {
    const QString unit =
        english_->isChecked() ? QStringLiteral("English") : QStringLiteral("Metric");
    if (!check_->isChecked()) {
        emit changed(std::nullopt, unit);
        return;
    }
    const auto v = NumberFormat::ParseNumber(edit_->text().trimmed().toStdString());
    if (!v) {
        emit notANumber();
        return;
    }
    emit changed(*v, unit);
}

void WallTemperaturePanel::switchUnit(bool english) {
    // The temperature stays the same; its number changes with the unit.
    if (const auto v = NumberFormat::ParseNumber(edit_->text().trimmed().toStdString())) {
        const double converted = english ? *v * 1.8 + 32 : (*v - 32) / 1.8;
        edit_->setText(QString::fromStdString(NumberFormat::General15(converted)));
    }
    if (check_->isChecked())
        report();
}
