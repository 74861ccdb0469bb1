#include "shell/session/question_pick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "tests/unit/shell/sequence_random.h"

namespace qb {
namespace {

struct Node {
    Node* next = nullptr;
    int status = 0;
    int misses = 0;
};

// A question index whose statuses are given in index order.
class Index {
public:
    explicit Index(const std::vector<int>& statuses) : nodes_(statuses.size()) {
        for (size_t i = 0; i < nodes_.size(); ++i) {
            nodes_[i].status = statuses[i];
            nodes_[i].next = i + 1 < nodes_.size() ? &nodes_[i + 1] : nullptr;
        }
    }
    Node* head() { return nodes_.empty() ? nullptr : &nodes_[0]; }
    Node* at(size_t i) { return &nodes_.at(i); }
    int indexOf(const Node* node) const { return node ? static_cast<int>(node - nodes_.data()) : -1; }

private:
    std::vector<Node> nodes_;
};

int Pick(Index& index, Node* current, const Node* lastAsked, int steps) {
    SequenceRandom random({DrawForSteps(steps)});
    Node* picked = PickRandomQuestion(index.head(), current, lastAsked, random);
    EXPECT_EQ(random.Used(), 1u) << "the walk draws exactly once";
    return index.indexOf(picked);
}

TEST(RandomPick, StepCountRunsFromFiveToFifteen) {
    Index index(std::vector<int>(20, 0));
    // From no current question the first step lands on the head.
    EXPECT_EQ(Pick(index, nullptr, nullptr, 5), 4);
    EXPECT_EQ(Pick(index, nullptr, nullptr, 15), 14);
    SequenceRandom lowest({0});
    EXPECT_EQ(index.indexOf(PickRandomQuestion(index.head(), index.at(0), nullptr, lowest)), 5);
    SequenceRandom highest({kRandomMax});
    EXPECT_EQ(index.indexOf(PickRandomQuestion(index.head(), index.at(0), nullptr, highest)), 15);
}

TEST(RandomPick, WrapsFromTheLastNodeToTheHead) {
    Index index(std::vector<int>(4, 0));
    // 6 steps from node 3: 0, 1, 2, 3, 0, 1.
    EXPECT_EQ(Pick(index, index.at(3), nullptr, 6), 1);
    EXPECT_EQ(Pick(index, index.at(2), nullptr, 5), 3);
}

TEST(RandomPick, SingleQuestionIsReturnedForEveryStepCount) {
    for (int steps = 5; steps <= 15; ++steps) {
        Index index({0});
        EXPECT_EQ(Pick(index, nullptr, nullptr, steps), 0) << steps << " steps";
        EXPECT_EQ(Pick(index, index.at(0), index.at(0), steps), 0) << steps << " steps, asked last time";
    }
}

TEST(RandomPick, LastAskedIsReturnedWhenItIsTheOnlyUnansweredQuestion) {
    for (int steps = 5; steps <= 15; ++steps) {
        Index index({1, 1, 0, 1, 1});
        EXPECT_EQ(Pick(index, index.at(2), index.at(2), steps), 2) << steps << " steps";
        EXPECT_EQ(Pick(index, nullptr, index.at(2), steps), 2) << steps << " steps";
    }
}

TEST(RandomPick, LastAskedIsPassedOverWhileAnotherQuestionIsOpen) {
    Index index({0, 0, 0, 0, 0, 0});
    // 5 steps from none land on node 4, the last asked one; node 5 follows.
    EXPECT_EQ(Pick(index, nullptr, index.at(4), 5), 5);
    // 6 steps land on node 5; when it was last asked the walk wraps to the head.
    EXPECT_EQ(Pick(index, nullptr, index.at(5), 6), 0);
}

TEST(RandomPick, AnsweredQuestionsAreNeverReturned) {
    const std::vector<int> statuses = {1, 0, 1, 1, 0, 1, 1, 1, 0};
    for (int start = -1; start < static_cast<int>(statuses.size()); ++start) {
        for (int steps = 5; steps <= 15; ++steps) {
            Index index(statuses);
            Node* current = start < 0 ? nullptr : index.at(start);
            const int picked = Pick(index, current, index.at(4), steps);
            ASSERT_GE(picked, 0);
            EXPECT_EQ(statuses[picked], 0) << "start " << start << ", " << steps << " steps";
            EXPECT_NE(picked, 4) << "the last asked question came again";
        }
    }
}

TEST(RandomPick, SkipsToTheNextUnansweredQuestionInIndexOrder) {
    Index index({0, 1, 1, 1, 1, 1, 1, 0, 1});
    // 5 steps from none reach node 4; nodes 4 to 6 are answered.
    EXPECT_EQ(Pick(index, nullptr, nullptr, 5), 7);
    // 8 steps reach node 7, last asked: the walk goes round to node 0.
    EXPECT_EQ(Pick(index, nullptr, index.at(7), 8), 0);
}

TEST(RandomPick, EndsWithoutAQuestionWhenNoneIsOpen) {
    Index empty({});
    SequenceRandom unused({});
    EXPECT_EQ(PickRandomQuestion(empty.head(), static_cast<Node*>(nullptr), nullptr, unused), nullptr);
    Index allAnswered({1, 1, 1});
    EXPECT_EQ(Pick(allAnswered, nullptr, nullptr, 7), -1);
    EXPECT_EQ(Pick(allAnswered, allAnswered.at(1), allAnswered.at(1), 15), -1);
}

std::vector<int> Placement(int count, const std::vector<int>& positionsTried) {
    std::vector<int> draws;
    for (int p : positionsTried) draws.push_back(p < 0 ? kRandomMax : DrawForPosition(p, count));
    SequenceRandom random(draws);
    std::vector<int> placed = DrawAnswerPlacement(count, random);
    EXPECT_EQ(random.Used(), draws.size()) << "every draw was needed";
    return placed;
}

// Missed first: the unanswered questions of the highest count, the last asked
// left out while another missed question is open; none without misses.
TEST(MostMissedPick, HighestCountAmongTheUnansweredAtRandom) {
    const struct {
        std::vector<int> statuses;
        std::vector<int> misses;
        int lastAsked;
        int draw;
        int picked;
    } cases[] = {
        {{0, 0, 0}, {0, 0, 0}, -1, 0, -1},                    // no misses: the walk decides
        {{0, 1, 0}, {1, 9, 2}, -1, 0, 2},                     // answered counts are left out
        {{0, 0, 0, 0}, {3, 1, 3, 0}, -1, 0, 0},               // ties: the draw decides
        {{0, 0, 0, 0}, {3, 1, 3, 0}, -1, kRandomMax, 2},      //
        {{0, 0, 0}, {5, 2, 0}, 0, 0, 1},                      // the last asked stands back
        {{0, 0, 0}, {5, 0, 0}, 0, 0, 0},                      // unless it is the only missed one
        {{0, 0, 0}, {5, 5, 5}, 1, kRandomMax, 2},             //
    };
    for (const auto& c : cases) {
        Index index(c.statuses);
        for (size_t i = 0; i < c.misses.size(); ++i) index.at(i)->misses = c.misses[i];
        SequenceRandom random({c.draw});
        const Node* last = c.lastAsked < 0 ? nullptr : index.at(static_cast<size_t>(c.lastAsked));
        EXPECT_EQ(index.indexOf(PickMostMissedQuestion(index.head(), last, random)), c.picked);
        EXPECT_EQ(random.Used(), c.picked < 0 ? 0u : 1u);
    }
}

TEST(AnswerPlacement, EveryOrderOfThreeAnswersCanBeDrawn) {
    std::vector<int> order = {0, 1, 2};
    int orders = 0;
    do {
        EXPECT_EQ(Placement(3, order), order);
        ++orders;
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(orders, 6);
}

TEST(AnswerPlacement, TakenPositionsAndTheTopDrawAreDrawnAgain) {
    // Answer 1 takes 2; answer 2 draws 2 again and 32767 (position 3 of 3) before
    // taking 0; answer 3 draws 2 and 0 before taking 1.
    EXPECT_EQ(Placement(3, {2, 2, -1, 0, 2, 0, 1}), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(Placement(2, {-1, 1, 1, 1, 0}), (std::vector<int>{1, 0}));
}

// Uniform draws from a seeded engine, for properties over many placements.
class EngineRandom : public RandomSource {
public:
    explicit EngineRandom(unsigned seed) : engine_(seed) {}
    int Next() override { return draw_(engine_); }

private:
    std::mt19937 engine_;
    std::uniform_int_distribution<int> draw_{0, kRandomMax};
};

TEST(AnswerPlacement, AnyDrawsFillEveryPositionOnce) {
    EngineRandom random(12345);
    for (int count = 2; count <= 5; ++count) {
        std::vector<int> seen(count * count, 0);
        for (int run = 0; run < 2000; ++run) {
            std::vector<int> placed = DrawAnswerPlacement(count, random);
            std::vector<int> sorted = placed;
            std::sort(sorted.begin(), sorted.end());
            std::vector<int> all(count);
            std::iota(all.begin(), all.end(), 0);
            ASSERT_EQ(sorted, all) << count << " answers";
            for (int answer = 0; answer < count; ++answer) ++seen[answer * count + placed[answer]];
        }
        // Each answer lands on each position in some run.
        for (int cell : seen) EXPECT_GT(cell, 0) << count << " answers";
    }
}

TEST(AnswerPlacement, RightAnswerTakesEachOfTwoPositionsAboutEquallyOften) {
    EngineRandom random(777);
    int first = 0;
    const int runs = 4000;
    for (int run = 0; run < runs; ++run) {
        if (DrawAnswerPlacement(2, random)[0] == 0) ++first;
    }
    EXPECT_GT(first, runs * 45 / 100);
    EXPECT_LT(first, runs * 55 / 100);
}

}  // namespace
}  // namespace qb
