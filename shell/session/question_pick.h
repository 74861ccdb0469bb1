// Choosing the next question of a test run and the order in which the answers
// of a multiple-choice question are shown.
#pragma once
#include <cstdint>
#include <vector>

#include "shell/session/random_source.h"

namespace qb {

// Keeps an argument out of template deduction, so nullptr can be passed.
template <typename T>
struct NotDeduced {
    using Type = T;
};

// The random pick of Ask a Question over a singly linked question index
// (nodes with `next` and `status`). Advances 5 to 15 steps from current (from
// none the first advance lands on the head), then goes on past answered
// questions and past lastAsked, the latter only until the end of the list has
// been passed twice, so lastAsked is repeated only when it is the only
// unanswered question. Returns the accepted node, or nullptr when the index
// is empty or holds no unanswered question at all (the counters may claim
// otherwise, but the walk must still end).
template <typename Node>
Node* PickRandomQuestion(Node* head, typename NotDeduced<Node>::Type* current,
                         const typename NotDeduced<Node>::Type* lastAsked, RandomSource& random) {
    if (head == nullptr) return nullptr;
    int passes = 0;
    auto advance = [&](Node* node) -> Node* {
        if (node != nullptr && node->next != nullptr) return node->next;
        if (node != nullptr) ++passes;
        return head;
    };
    const int steps = 5 + (random.Next() * 10) / kRandomMax;
    Node* node = current;
    for (int i = 0; i < steps; ++i) node = advance(node);
    passes = 0;
    while (node->status != 0 || (node == lastAsked && passes < 2)) {
        node = advance(node);
        // Every node has been looked at since lastAsked became acceptable.
        if (passes >= 3) return nullptr;
    }
    return node;
}

// Missed questions first: at random among the unanswered nodes (with `misses`)
// that have the highest miss count above 0, lastAsked left out while another
// unanswered node with a miss exists. Draws once; nullptr, without drawing,
// when no unanswered node has a miss.
template <typename Node>
Node* PickMostMissedQuestion(Node* head, const typename NotDeduced<Node>::Type* lastAsked, RandomSource& random) {
    auto missed = [](const Node* node) { return node->status == 0 && node->misses > 0; };
    int candidates = 0;
    bool lastIsCandidate = false;
    for (const Node* node = head; node != nullptr; node = node->next) {
        if (!missed(node)) continue;
        ++candidates;
        lastIsCandidate = lastIsCandidate || node == lastAsked;
    }
    if (candidates == 0) return nullptr;
    const Node* left = lastIsCandidate && candidates > 1 ? lastAsked : nullptr;
    auto eligible = [&](const Node* node) { return missed(node) && node != left; };
    decltype(head->misses) highest = 0;
    int tied = 0;
    for (const Node* node = head; node != nullptr; node = node->next) {
        if (!eligible(node) || node->misses < highest) continue;
        tied = node->misses > highest ? 1 : tied + 1;
        highest = node->misses;
    }
    int64_t pick = static_cast<int64_t>(random.Next()) * tied / (kRandomMax + 1);
    for (Node* node = head; node != nullptr; node = node->next) {
        if (eligible(node) && node->misses == highest && pick-- == 0) return node;
    }
    return nullptr;
}

// The answer positions (0 to count - 1) of the count present answers, in the
// order right answer, then the non-empty wrong answers. Each answer draws
// p = r * count / 32767 until it hits a free position.
std::vector<int> DrawAnswerPlacement(int count, RandomSource& random);

}  // namespace qb
