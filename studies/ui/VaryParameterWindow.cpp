#include "studies/ui/VaryParameterWindow.h"

#include "gui/NumberBox.h"
#include "studies/engine/DataPass.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>
#include <cmath>

VaryParameterWindow::VaryParameterWindow(DataPass& data, QWidget* parent)
    : QDialog(parent), data_(data) {
    setWindowTitle(QStringLiteral("Variable Parameters"));

    auto* group = new QGroupBox(QStringLiteral("Parameter to Vary"), this);
    RadioButton1 = new QRadioButton(QStringLiteral("Tube Diameter (mm)"), group);
    RadioButton2 = new QRadioButton(QStringLiteral("Flow Rate (LPM)"), group);
    RadioButton3 = new QRadioButton(group);
    RadioButton4 = new QRadioButton(QStringLiteral("Free Stream (m/s)"), group);
    auto* groupLayout = new QVBoxLayout(group);
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        groupLayout->addWidget(b);
    SizeResolvedBox = new QCheckBox(QStringLiteral("Size-resolved mass penetration"), this);
    SizeResolvedBox->setObjectName(QStringLiteral("SizeResolvedBox"));
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
        connect(b, &QRadioButton::toggled, this, &VaryParameterWindow::updateSizeResolvedBox);

    NumberBox1 = new NumberBox(this);
    NumberBox2 = new NumberBox(this);
    NumberBox3 = new NumberBox(this);
    NumberBox1->setRange(0.01, 1000.0);
    NumberBox2->setRange(0.01, 1000.0);
    NumberBox3->setDecimals(0);
    NumberBox3->setRange(1.0, 50.0);
    const std::array<NumberBox*, 3> boxes{NumberBox1, NumberBox2, NumberBox3};
    // A refused number is said in the window itself, beside the boxes.
    RangeNote = new QLabel(this);
    RangeNote->setObjectName(QStringLiteral("RangeNote"));
    RangeNote->setStyleSheet(QStringLiteral("color: red"));
    RangeNote->hide();
    for (NumberBox* box : boxes) {
        box->refuseOutsideRange();
        connect(box, &NumberBox::refused, this, [this, box](const QString& message) {
            RangeNote->setText(message);
            RangeNote->show();
            box->setFocus(Qt::OtherFocusReason);
        });
        // The note is about the entry refused; a new entry, even one that gives the
        // box back the value it had, makes it stale.
        connect(box, &NumberBox::valueChanged, RangeNote, &QLabel::hide);
        connect(box, &QLineEdit::textEdited, RangeNote, &QLabel::hide);
    }
    for (int i = 0; i < 3; ++i) {
        connect(boxes[static_cast<std::size_t>(i)], &NumberBox::moveRequested, this,
                [boxes, i](int step) {
                    boxes[static_cast<std::size_t>((i + step + 3) % 3)]->setFocus(
                        Qt::TabFocusReason);
                });
    }

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(NumberBox3);
    countRow->addWidget(new QLabel(QStringLiteral("(Max = 50)"), this));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Intial Value"), NumberBox1);
    form->addRow(QStringLiteral("Final Value"), NumberBox2);
    form->addRow(QStringLiteral("Number Intervals"), countRow);

    auto* confirm = new QPushButton(QStringLiteral("Confirm"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    confirm->setObjectName(QStringLiteral("Button1"));
    cancel->setObjectName(QStringLiteral("Button2"));
    confirm->setDefault(true);
    connect(confirm, &QPushButton::clicked, this, &VaryParameterWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &VaryParameterWindow::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(confirm);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(SizeResolvedBox);
    layout->addLayout(form);
    layout->addWidget(RangeNote);
    layout->addLayout(buttons);

    FormCreate();
}

void VaryParameterWindow::FormCreate() {
    IV = data_.InitialVal;
    FV = data_.FinalVal;
    Step = data_.NoOfSteps;
    NumberBox1->setValue(IV);
    NumberBox2->setValue(FV);
    NumberBox3->setValue(Step);
    RadioButton3->setText(QStringLiteral("Particle Size (") + QStringLiteral("\u00B5") +
                          QStringLiteral("m)"));
    if (data_.VaryType == "Diameter")
        RadioButton1->setChecked(true);
    else if (data_.VaryType == "Flow")
        RadioButton2->setChecked(true);
    else if (data_.VaryType == "Particle")
        RadioButton3->setChecked(true);
    else
        RadioButton4->setChecked(true);
    SizeResolvedBox->setChecked(data_.SizeResolved);
    updateSizeResolvedBox();
}

void VaryParameterWindow::setLogNormal(bool logNormal) {
    logNormal_ = logNormal;
    updateSizeResolvedBox();
}

void VaryParameterWindow::updateSizeResolvedBox() {
    SizeResolvedBox->setEnabled(logNormal_ && !RadioButton3->isChecked());
    SizeResolvedBox->setToolTip(
        SizeResolvedBox->isEnabled()
            ? QStringLiteral(
                  "Record at each point the exact penetration of the distribution's mass "
                  "instead of the log-normal method's value.")
            : QStringLiteral(
                  "For a log-normal distribution, in a diameter, flow or free-stream study."));
}

void VaryParameterWindow::FormClose() {
    IV = static_cast<float>(NumberBox1->value());
    FV = static_cast<float>(NumberBox2->value());
    const int J = static_cast<int>(std::trunc(NumberBox3->value()));
    data_.InitialVal = IV;
    data_.FinalVal = FV;
    data_.NoOfSteps = J;
    data_.SizeResolved = SizeResolvedBox->isChecked();
    if (RadioButton1->isChecked())
        data_.VaryType = "Diameter";
    else if (RadioButton2->isChecked())
        data_.VaryType = "Flow";
    else if (RadioButton3->isChecked())
        data_.VaryType = "Particle";
    else
        data_.VaryType = "Free_Stream";
}

void VaryParameterWindow::accept() {
    // A number still being typed counts as entered; one outside its range stops the study.
    for (NumberBox* box : {NumberBox1, NumberBox2, NumberBox3})
        if (!box->commit(true))
            return;
    FormClose();
    QDialog::accept();
}
