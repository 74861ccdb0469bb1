// The process's pseudo-random numbers, 0 to 32767 per draw. The test run asks
// through this interface so that the random walk and the answer placement can
// be driven by fixed sequences in tests.
#pragma once

namespace qb {

constexpr int kRandomMax = 32767;

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // An integer from 0 to kRandomMax.
    virtual int Next() = 0;
};

// The C runtime's generator, which the main window seeds once per process.
class RuntimeRandom : public RandomSource {
public:
    int Next() override;
};

}  // namespace qb
