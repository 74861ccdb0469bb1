// A RandomSource that plays back given draws, so a test decides every
// random choice. Running out of draws is a test failure, not a hang.
#pragma once
#include <stdexcept>
#include <utility>
#include <vector>

#include "shell/session/random_source.h"

namespace qb {

class SequenceRandom : public RandomSource {
public:
    explicit SequenceRandom(std::vector<int> draws) : draws_(std::move(draws)) {}
    int Next() override {
        if (next_ >= draws_.size()) throw std::runtime_error("more random draws than the test provided");
        return draws_[next_++];
    }
    size_t Used() const { return next_; }
    // Further draws, played after the ones given so far.
    void Append(const std::vector<int>& draws) { draws_.insert(draws_.end(), draws.begin(), draws.end()); }

private:
    std::vector<int> draws_;
    size_t next_ = 0;
};

// The draw r for which 5 + r * 10 / 32767 gives the wanted step count.
inline int DrawForSteps(int steps) {
    return ((steps - 5) * kRandomMax + 9) / 10;
}

// The draw that lands on answer position p of count.
inline int DrawForPosition(int position, int count) {
    return (position * kRandomMax + count - 1) / count;
}

}  // namespace qb
