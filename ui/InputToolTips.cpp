#include "ui/InputToolTips.h"

#include "model/InputRules.h"
#include "model/NumberFormat.h"
#include "session/PropertyPages.h"
#include "ui/PropertyPagesWidget.h"

#include <QLineEdit>
#include <cmath>

namespace {

struct Meaning {
    Field Feeds;
    const char* Text;
};

// What each kind of box holds, in plain words.
constexpr Meaning Meanings[] = {
    {Field::Len, "Length of the component along its axis."},
    {Field::Ang1, "Angle of the component's axis from horizontal; a negative angle points up."},
    {Field::Ang2, "Angle the flow turns through (bend), or half the opening angle (cone)."},
    {Field::Ang3, "Angle the bend's plane is turned about the incoming axis."},
    {Field::DiaBoth, "Internal diameter of the tube (inlet and outlet)."},
    {Field::Dia1, "Internal diameter at the inlet."},
    {Field::Dia2, "Internal diameter at the outlet."},
    {Field::Flow, "Sample flow at the line's actual temperature and pressure; the same for "
                  "every component."},
    {Field::Temp, "Air temperature in the component."},
    {Field::Press, "Absolute pressure in the line; the same for every component."},
    {Field::FStream, "Air velocity in the stack or duct at the inlet."},
    {Field::Brd, "Radius of the bend's centre line."},
};

QString Number(double v) {
    return QString::fromStdString(NumberFormat::General(v, 6));
}

QString Range(const InputRules::Rule& r, const QString& unit) {
    const QString u = unit.isEmpty() ? QString() : QLatin1Char(' ') + unit;
    const bool low = std::isfinite(r.Min), high = std::isfinite(r.Max);
    if (low && high) {
        if (r.MinIncluded && r.MaxIncluded)
            return QStringLiteral("from %1 to %2%3").arg(Number(r.Min), Number(r.Max), u);
        return QStringLiteral("%1 %2, up to %3%4")
            .arg(r.MinIncluded ? QStringLiteral("from") : QStringLiteral("above"), Number(r.Min),
                 Number(r.Max), u);
    }
    if (low)
        return (r.MinIncluded ? QStringLiteral("%1%2 or more") : QStringLiteral("above %1%2"))
            .arg(Number(r.Min), u);
    return QStringLiteral("any number");
}

} // namespace

QString InputToolTip(const BoxInfo& info) {
    QString tip = QString::fromUtf8(info.Caption.data(), qsizetype(info.Caption.size()));
    for (const Meaning& m : Meanings)
        if (m.Feeds == info.Feeds) {
            tip += QStringLiteral("\n") + QString::fromUtf8(m.Text);
            break;
        }
    const QString metric =
        QString::fromUtf8(info.MetricText.data(), qsizetype(info.MetricText.size()));
    const QString english =
        QString::fromUtf8(info.EnglishText.data(), qsizetype(info.EnglishText.size()));
    const bool angle = info.Unit == Quantity::None;
    tip +=
        angle
            ? QStringLiteral("\nUnit: degrees")
            : QStringLiteral("\nUnit: %1 or %2 (the buttons beside the box)").arg(metric, english);
    if (!info.Focusable) {
        tip += QStringLiteral("\nShown only: the nozzle's outlet follows its inlet and the line.");
        return tip;
    }
    if (const auto id = InputRules::RuleOfCheckCode(info.CheckCode)) {
        const InputRules::Rule& r = InputRules::RuleOf(*id);
        // A rule in a working unit of its own (temperature) says it in that unit; the
        // others hold in whichever unit the box shows.
        const QString unit = !r.Unit.empty()
                                 ? QString::fromUtf8(r.Unit.data(), qsizetype(r.Unit.size()))
                             : angle ? QStringLiteral("\u00b0")
                                     : QString();
        tip += QStringLiteral("\nAllowed: ") + Range(r, unit);
        if (*id == InputRules::RuleId::Temperature)
            tip += QStringLiteral(" (-459.67 \u00b0F)");
    }
    tip += QStringLiteral("\nNumbers take \".\" as the decimal point. Enter stores the value; "
                          "Ctrl+Z undoes typing not yet entered.");
    return tip;
}

void SetInputToolTips(PropertyPagesWidget* pages) {
    for (const BoxInfo& info : Boxes)
        pages->box(info.Id)->setToolTip(InputToolTip(info));
}
