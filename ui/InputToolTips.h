#pragma once

#include <QString>

class PropertyPagesWidget;
struct BoxInfo;

// The tooltip of an entry box: what it means, its units and the range it takes,
// the range read from the input rules the box is checked against.
QString InputToolTip(const BoxInfo& info);

// Gives every box of the pages its tooltip.
void SetInputToolTips(PropertyPagesWidget* pages);
