#pragma once

#include <QString>
#include <span>

class QWidget;

// The keyboard of the main window as data: for every menu and command, by object
// name, its text with the mnemonic ("&") and its shortcuts. The visible texts stay
// the specified ones; the mnemonic only underlines a letter.
namespace KeyboardMap {

struct Entry {
    const char* ObjectName; // a QMenu or a QAction
    const char* Text;       // with "&" before the mnemonic letter
    const char* Keys;       // PortableText, several separated by "; ", or "" for none
};

std::span<const Entry> Entries();

// Sets texts and shortcuts on the menus and actions below `root` that the table
// names; returns the object names the table holds and `root` does not.
QStringList Apply(QWidget* root);

} // namespace KeyboardMap
