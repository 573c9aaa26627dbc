#pragma once

#include "base/ChannelLabels.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "board/MotionTable.h"
#include "compiler/Compiler.h"
#include "document/Chart.h"
#include "document/MotionHeader.h"
#include "ports/PortSession.h"

namespace qvx {

// The state kept once per program: the chart being edited and the header
// values of the open document. One object, owned by the application and handed
// to whoever needs it.
struct AppState {
    Chart chart;
    MotionHeader header;
    Compiler compiler;
    BoardLink link;
    // Which port the link is open on, and the simulated board when it is.
    PortSession port{link};
    BoardCommands board{link};
    MotionTable table;
    // The channels' names and colours every channel window shows.
    ChannelLabels channelLabels;
};

} // namespace qvx
