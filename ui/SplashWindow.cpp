#include "ui/SplashWindow.h"

#include "version/ProgramVersion.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QSvgRenderer>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The product picture across the top: the icon and the name.
class ProductLogo : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer icon(QStringLiteral(":/lodo/lodo-calculator.svg"));
        const int side = height() - 40;
        icon.render(&p, QRectF(40, 20, side, side));
        QFont title = font();
        title.setPointSize(26);
        title.setBold(true);
        p.setFont(title);
        p.setPen(QColor(0x3B, 0x43, 0x4B));
        const QRectF text(50 + side, 40, width() - side - 70, 90);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lodo Calculator"));
        QFont sub = font();
        sub.setPointSize(14);
        p.setFont(sub);
        p.setPen(QColor(0x5D, 0x66, 0x70));
        p.drawText(QRectF(text.left(), text.bottom(), text.width(), 60),
                   Qt::AlignLeft | Qt::AlignTop,
                   QString::fromStdString("Aerosol sampling line penetration\nVersion " +
                                          ProgramVersion::Shown()));
    }
};

// The second picture: a sampling line from the stack to the filter.
class LineLogo : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor steel(0x3B, 0x43, 0x4B);
        p.setPen(QPen(steel, 2));
        p.setBrush(QColor(0xD8, 0xDD, 0xE2));
        p.drawRoundedRect(QRectF(6, 10, 46, 116), 5, 5); // stack
        p.setPen(QPen(QColor(0x5D, 0x88, 0xB5), 2, Qt::DashLine));
        for (int x : {18, 30, 42})
            p.drawLine(x, 18, x, 118);
        QPainterPath line;
        line.moveTo(40, 50);
        line.lineTo(210, 50);
        line.arcTo(QRectF(170, 50, 80, 80), 90, -90);
        line.lineTo(250, 120);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(steel, 16, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(line);
        p.setPen(QPen(QColor(0xE9, 0xEE, 0xF2), 10, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(line);
        p.setPen(QPen(steel, 2));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(226, 112, 48, 18), 3, 3); // filter
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xB7, 0x93, 0x17));
        for (QPointF c : {QPointF(80, 50), QPointF(120, 49), QPointF(160, 51), QPointF(231, 78)})
            p.drawEllipse(c, 3, 3);
    }
};

} // namespace

SplashWindow::SplashWindow(QWidget* parent, int tickMs) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(QStringLiteral("Lodo Calculator"));
    setFixedSize(640, 452);

    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 12);
    lay->setSpacing(0);

    auto* logo = new ProductLogo(this);
    logo->setFixedHeight(241);
    lay->addWidget(logo);

    auto* panel = new QWidget(this);
    panel->setFixedHeight(136);
    auto* panelLay = new QHBoxLayout(panel);
    panelLay->setContentsMargins(0, 0, 0, 0);
    auto* lineLogo = new LineLogo(panel);
    lineLogo->setFixedSize(310, 136);
    panelLay->addWidget(lineLogo, 0, Qt::AlignHCenter);
    lay->addWidget(panel);

    auto* copyright =
        new QLabel(QStringLiteral("Copyright \u00A9 Lodo Calculator developers"), this);
    copyright->setFixedHeight(25);
    copyright->setAlignment(Qt::AlignCenter);
    lay->addWidget(copyright);
    lay->addStretch(1);

    m_bar = new QProgressBar(this);
    m_bar->setFixedSize(401, 16);
    m_bar->setRange(0, 100);
    m_bar->setValue(m_i);
    m_bar->setTextVisible(false);
    lay->addWidget(m_bar, 0, Qt::AlignHCenter);

    m_timer = new QTimer(this);
    m_timer->setInterval(tickMs);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::BarUpdate);
    m_timer->start();
}

void SplashWindow::BarUpdate() {
    ++m_i;
    m_bar->setValue(m_i);
    m_bar->repaint();
    if (m_i >= 100) {
        m_timer->stop();
        accept();
    }
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0.0, Qt::white);
    g.setColorAt(1.0, QColor::fromRgba(0xFFB79317));
    p.fillRect(rect(), g);
}
