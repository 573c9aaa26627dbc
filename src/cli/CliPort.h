#pragma once

#include <QString>

namespace qvx {

class BoardLink;
class CliServices;

// Opens the serial device a verb was given on the link; when it will not open,
// tells why on standard error (the device's own message included) and
// returns false.
bool OpenCliPort(BoardLink& link, const QString& port, CliServices& io);

} // namespace qvx
