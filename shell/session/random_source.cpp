#include "shell/session/random_source.h"

#include <cstdlib>

namespace qb {

// glibc's RAND_MAX is larger than the Windows runtime's; keep both in range.
int RuntimeRandom::Next() {
    return std::rand() & kRandomMax;
}

}  // namespace qb
