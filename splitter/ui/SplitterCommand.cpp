#include "splitter/ui/SplitterCommand.h"

#include "session/LodoSession.h"
#include "splitter/ui/SplitterWindow.h"

void MenuItemWyeClick(QWidget* window, const LodoSession& session) {
    SplitterWindow splitter(session.Distribution(), window);
    splitter.exec();
}
