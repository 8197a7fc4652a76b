#include "splitter/ui/SplitterCommand.h"

#include "session/LodoSession.h"
#include "splitter/ui/SplitterWindow.h"
#include "studies/engine/DataPass.h"

void MenuItemWyeClick(QWidget* window, const LodoSession& session) {
    DataPass data;
    data.PartSize = session.DistributionWindowValues().PartSize;
    SplitterWindow splitter(data, window);
    splitter.exec();
}
