#pragma once

#include <QString>

namespace qvx {

struct AppState;
class CliServices;

// Opens the serial device a verb was given by its path; when it will not open,
// tells why on standard error (the device's own message included) and
// returns false.
bool OpenCliPort(AppState& state, const QString& port, CliServices& io);

} // namespace qvx
