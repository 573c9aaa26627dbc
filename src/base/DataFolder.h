#pragma once

#include <QString>

namespace qvx {

// The program's shared files (examples, robot models, translations) lie in
// PREFIX/share/quorvex/SUBFOLDER beside an installed program, and in the
// build folder's share/quorvex/SUBFOLDER beside a program that was only built
// (up to three folders above it). Returns the first that exists, else an
// empty string.
QString FindDataFolder(const QString& subfolder);

} // namespace qvx
