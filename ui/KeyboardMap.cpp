#include "ui/KeyboardMap.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace KeyboardMap {

namespace {

// Mnemonics of the two menu bars differ from one another, so that Alt+letter always
// means one command. New, Open, Save, Save As and Exit keep the platform's keys.
constexpr Entry Table[] = {
    // Main menu bar.
    {"MenuItemFile", "&File", ""},
    {"NewLine", "&New Sample Line", ""},
    {"OpenFile", "&Open File", ""},
    {"MenuItemPreOpen", "Open &Pre V2 File", ""},
    {"RecentFilesMenu", "Recent &Files", ""},
    {"MenuItemSave", "&Save", ""},
    {"MenuItemSaveAs", "Save &As", ""},
    {"ExportReportPdf", "&Export Report as PDF...", "Ctrl+E"},
    {"ExportDrawingPng", "Export &Drawing as PNG...", "Ctrl+Shift+E"},
    {"MenuItemPrint", "Pr&int", ""},
    {"MenuItemResult", "&Results", "Ctrl+P"},
    {"MenuItemDraw", "&Drawing", "Ctrl+Shift+P"},
    {"MenuItemExit", "E&xit", ""},
    {"MenuItemEdit", "&Edit", ""},
    {"MenuItemRedo", "&Redo", "Ctrl+Y; Ctrl+Shift+Z"},
    {"MenuItemUndoHistory", "Undo &History", ""},
    {"MenuItemEditComp", "Edit &Component", "F2"},
    {"MenuItemMoveComp", "&Move Component", "Ctrl+M"},
    {"MenuItemDelComp", "&Delete Component", "Ctrl+Shift+Del"},
    {"MenuReplaceInlet", "Replace &Inlet", ""},
    {"MenuInsertBefore", "Insert &Before", ""},
    {"MenuInsertAfter", "Insert &After", ""},
    {"MenuItemCopyResults", "Copy Re&sults", "Ctrl+Shift+R"},
    {"MenuItemDist", "&Distribution", "F6"},
    {"MenuStudies", "&Studies", ""},
    {"MenuVary", "&Vary Parameters", "F7"},
    {"MenuModelLimits", "&Model limits", "F8"},
    {"MenuPenetrationCurve", "&Penetration Curve", "Ctrl+Shift+C"},
    {"MenuDesignMap", "&Design Map", "Ctrl+Shift+M"},
    {"MenuDesign", "Desi&gn", ""},
    {"MenuDesignCase", "Design &Case...", ""},
    {"MenuDesignVerdict", "&Verdict at Every Point...", ""},
    {"MenuItemWye", "S&plitter", "F9"},
    {"MenuRedraw", "&Redraw", "Ctrl+R"},
    {"MenuItemHelp", "&Help", ""},
    {"MenuUserGuide", "&User Guide", "F1"},
    {"MenuItemAbout", "&About", ""},
    // Component menu bar: adding one of each type.
    {"TubeMenu", "&Tube", "Ctrl+1"},
    {"BendMenu", "&Bend", "Ctrl+2"},
    {"ContractMenu", "&Contraction", "Ctrl+3"},
    {"ExpandMenu", "E&xpansion", "Ctrl+4"},
    {"ShroudMenu", "Shr&oud Probe", "Ctrl+5"},
    {"NozzleMenu", "&Nozzle", "Ctrl+6"},
};

QList<QKeySequence> KeysOf(const char* keys) {
    QList<QKeySequence> list;
    for (const QString& k :
         QString::fromLatin1(keys).split(QStringLiteral("; "), Qt::SkipEmptyParts))
        list << QKeySequence(k, QKeySequence::PortableText);
    return list;
}

} // namespace

std::span<const Entry> Entries() {
    return Table;
}

QStringList Apply(QWidget* root) {
    QStringList missing;
    for (const Entry& e : Table) {
        const QString name = QString::fromLatin1(e.ObjectName);
        if (auto* menu = root->findChild<QMenu*>(name)) {
            menu->setTitle(QString::fromUtf8(e.Text));
            continue;
        }
        if (auto* action = root->findChild<QAction*>(name)) {
            action->setText(QString::fromUtf8(e.Text));
            if (*e.Keys)
                action->setShortcuts(KeysOf(e.Keys));
            // Menu-bar headers and the component bar work from anywhere in the window.
            action->setShortcutContext(Qt::WindowShortcut);
            continue;
        }
        missing << name;
    }
    return missing;
}

} // namespace KeyboardMap
