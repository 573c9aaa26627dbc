#include "cli/CliPort.h"

#include "app/AppState.h"
#include "cli/CliServices.h"

namespace qvx {

bool OpenCliPort(AppState& state, const QString& port, CliServices& io) {
    if (state.port.openPath(port)) return true;
    io.err() << state.port.openFailure() << Qt::endl;
    return false;
}

} // namespace qvx
