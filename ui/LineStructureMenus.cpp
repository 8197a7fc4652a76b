#include "ui/LineStructureMenus.h"

#include "model/TLodoComp.h"
#include "session/LineStructureEdits.h"
#include "session/LodoSession.h"

#include <QAction>
#include <QMenu>

namespace {

struct Item {
    const char* ObjectName;
    const char* Text;
    int Code;
};

constexpr Item Inlets[] = {
    {"ReplaceInletNozzle", "&Nozzle", NodeNozzle},
    {"ReplaceInletShroud", "&Shrouded Probe", NodeShroud},
};

constexpr Item Inserted[] = {
    {"Tube", "&Tube", NodeTube},
    {"Bend", "&Bend", NodeBend},
    {"Contraction", "&Contraction", NodeContraction},
    {"Expansion", "E&xpansion", NodeExpansion},
};

} // namespace

void AddLineStructureMenus(QMenu* edit, LodoSession& session, QWidget* window) {
    edit->addSeparator();
    QMenu* replace = edit->addMenu(QStringLiteral("Replace Inlet"));
    replace->setObjectName(QStringLiteral("MenuReplaceInlet"));
    for (const Item& item : Inlets) {
        QAction* a = replace->addAction(QString::fromLatin1(item.Text));
        a->setObjectName(QString::fromLatin1(item.ObjectName));
        const int code = item.Code;
        QObject::connect(a, &QAction::triggered, window,
                         [&session, code] { LineStructureEdits::ReplaceInlet(session, code); });
    }
    const struct {
        const char* Name;
        const char* Title;
        InsertPlace Where;
    } places[] = {{"MenuInsertBefore", "Insert Before", InsertPlace::Before},
                  {"MenuInsertAfter", "Insert After", InsertPlace::After}};
    for (const auto& place : places) {
        QMenu* menu = edit->addMenu(QString::fromLatin1(place.Title));
        menu->setObjectName(QString::fromLatin1(place.Name));
        for (const Item& item : Inserted) {
            QAction* a = menu->addAction(QString::fromLatin1(item.Text));
            a->setObjectName(QString::fromLatin1(place.Name) +
                             QString::fromLatin1(item.ObjectName));
            const int code = item.Code;
            const InsertPlace where = place.Where;
            QObject::connect(a, &QAction::triggered, window, [&session, code, where] {
                LineStructureEdits::InsertComponent(session, code, where);
            });
        }
    }
}
