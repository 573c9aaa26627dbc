#pragma once

#include <cstddef>
#include <cstdint>

namespace qvx {

// One fuzz input through the JPEG decoder of the pose window's background
// picture; the input is the whole file. Returns 0; a fault found aborts (a
// sanitizer report, or a broken invariant checked here).
//
// Kept apart from the readers' entry: the decoder belongs to the ui library
// (QtGui and libjpeg), which the readers' entry and its fuzz target do not link.
int FuzzPictures(const std::uint8_t* data, std::size_t size);

} // namespace qvx
