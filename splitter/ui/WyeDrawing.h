#pragma once

#include <QWidget>

// The picture of the splitter: an inlet tube of diameter Di and length Li dividing
// into two branches of diameter Do and length Lo at the angle between them, with
// flow arrows and the table of relative dimensions. The tubes are drawn in the
// proportions of the branch diameter; lengths are shortened to fit.
class WyeDrawing : public QWidget {
    Q_OBJECT
public:
    explicit WyeDrawing(QWidget* parent = nullptr);

    // The bifurcation angle between the branches [deg].
    void setAngle(double degrees);
    double angle() const { return angle_; }

    QSize sizeHint() const override { return {420, 360}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double angle_ = 30.0;
};
