#include "shell/session/question_pick.h"

namespace qb {

std::vector<int> DrawAnswerPlacement(int count, RandomSource& random) {
    std::vector<int> positions;
    std::vector<bool> taken(count > 0 ? count : 0, false);
    for (int answer = 0; answer < count; ++answer) {
        int position;
        do {
            position = (random.Next() * count) / kRandomMax;
        } while (position < 0 || position >= count || taken[position]);
        taken[position] = true;
        positions.push_back(position);
    }
    return positions;
}

}  // namespace qb
