#include "ui/CompSel.h"

#include "gui/StyledLabel.h"
#include "model/DisplaySink.h"
#include "session/SessionUi.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>

namespace {

// A whole-number box that takes any typed number and clamps it to its range when
// it is left, instead of refusing the keystroke; arrows and the wheel do nothing.
class IndexBox : public QSpinBox {
public:
    explicit IndexBox(QWidget* parent) : QSpinBox(parent) {
        setButtonSymbols(QAbstractSpinBox::NoButtons);
        setSingleStep(0);
        setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
        setFixedWidth(65);
        setAlignment(Qt::AlignRight);
    }

protected:
    QValidator::State validate(QString& text, int& pos) const override {
        const QValidator::State s = QSpinBox::validate(text, pos);
        if (s != QValidator::Invalid)
            return s;
        bool ok = false;
        text.trimmed().toLongLong(&ok);
        return ok ? QValidator::Intermediate : QValidator::Invalid;
    }
    void fixup(QString& text) const override {
        bool ok = false;
        const long long v = text.trimmed().toLongLong(&ok);
        if (ok)
            text = QString::number(std::clamp<long long>(v, minimum(), maximum()));
    }
};

} // namespace

CompSel::CompSel(const SelectionRequest& request, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Select Components"));
    const QString title = QString::fromStdString(request.Title);
    const QString caption2 = QString::fromStdString(request.FirstCaption);
    const bool move = request.ShowSecond;
    const int lodoCnt = request.LodoCnt;

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(16, 12, 16, 12);
    auto* label1 = new QLabel(title, this);
    label1->setObjectName(QStringLiteral("Label1"));
    QFont big = label1->font();
    big.setPointSize(16);
    label1->setFont(big);
    label1->setAlignment(Qt::AlignCenter);
    // The titles read on one line: at 16 points "Select a Component to Delete" is
    // wider than the 241 pixels of the classic layout, so the window grows to it.
    const int titleWidth = std::max(241, QFontMetrics(big).horizontalAdvance(title) + 12);
    label1->setFixedWidth(titleWidth);
    lay->addWidget(label1, 0, Qt::AlignHCenter);
    setFixedSize(std::max(273, titleWidth + 32), 234);

    auto* label4 = new QLabel(QStringLiteral("Be sure to use the Index number"), this);
    label4->setObjectName(QStringLiteral("Label4"));
    setLabelColour(label4, Argb::Crimson);
    label4->setAlignment(Qt::AlignCenter);
    lay->addWidget(label4);

    auto* grid = new QGridLayout;
    auto* label2 = new QLabel(caption2, this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label2->setFixedWidth(121);
    auto* label3 = new QLabel(QString::fromStdString(request.SecondCaption), this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label3->setFixedWidth(121);
    m_box1 = new IndexBox(this);
    m_box1->setObjectName(QStringLiteral("NumberBox1"));
    m_box2 = new IndexBox(this);
    m_box2->setObjectName(QStringLiteral("NumberBox2"));
    for (QSpinBox* b : {m_box1, m_box2}) {
        b->setMinimum(0);
        b->setMaximum(INT_MAX);
        b->setValue(0);
    }
    m_box1->setMaximum(std::max(lodoCnt, 0));
    if (move)
        m_box2->setMaximum(std::max(lodoCnt, 0));
    grid->addWidget(label2, 0, 0);
    grid->addWidget(m_box1, 0, 1, Qt::AlignLeft);
    grid->addWidget(label3, 1, 0);
    grid->addWidget(m_box2, 1, 1, Qt::AlignLeft);
    lay->addLayout(grid);
    label3->setVisible(move);
    m_box2->setVisible(move);

    lay->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_confirm = new QPushButton(QStringLiteral("Confirm"), this);
    m_confirm->setObjectName(QStringLiteral("Button1"));
    m_confirm->setDefault(true);
    connect(m_confirm, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(m_confirm);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        reject();
    });
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    lay->addLayout(buttons);

    m_box1->setFocus();
    m_box1->selectAll();
}

// interpretText() applies a typed but unconfirmed number, clamped, as leaving
// the box would.
int CompSel::item1() const {
    m_box1->interpretText();
    return m_box1->value();
}

int CompSel::item2() const {
    m_box2->interpretText();
    return m_box2->value();
}
