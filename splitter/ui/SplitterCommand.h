#pragma once

#include "splitter/core/Wye.h"

#include <optional>

class LodoSession;
class QWidget;

// "Splitter": a fresh "Split/Combine" window, modal, with the monodisperse size of
// the distribution window, opening with the conditions where the line ends (its
// flow, outlet diameter, temperature and pressure) when there is a line. The line
// is not changed.
void MenuItemWyeClick(QWidget* window, const LodoSession& session);

// The splitter's start values from the line's last component; none for an empty line.
std::optional<Wye::WyeInputs> SplitterStartOf(const LodoSession& session);
