#pragma once

#include <cstddef>
#include <cstdint>

namespace qvx {

// One fuzz input through every reader of files the program takes from users:
// the document loader (open and merge), the pose table import, the INI reader
// and the board backup reader. The first byte picks the file name the readers
// see (a document or a pose table name); the rest is the file. Returns 0; a
// fault found aborts (a sanitizer report, or a broken invariant checked here).
int FuzzReaders(const std::uint8_t* data, std::size_t size);

} // namespace qvx
