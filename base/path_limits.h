// The limits of a Windows path: buffers hold 260 characters, the last one
// being the terminating zero, so a path or stored file name has at most 259.
#pragma once
#include <cstddef>

namespace qb {

constexpr size_t kPathBufferSize = 260;
constexpr size_t kMaxPathLength = kPathBufferSize - 1;

}  // namespace qb
