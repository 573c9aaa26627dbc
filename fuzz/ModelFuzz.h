#pragma once

#include <cstddef>
#include <cstdint>

namespace qvx {

// One fuzz input through the robot model reader (the whole input is the URDF
// text; meshes are looked up in an empty folder) and, when a model is made,
// through the channel mapping and the scene's joint tree. Returns 0; a fault
// found aborts (a sanitizer report, or a broken invariant checked here).
int FuzzModels(const std::uint8_t* data, std::size_t size);

} // namespace qvx
