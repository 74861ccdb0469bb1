// At start-up: the change journal of an instance that did not end properly.
#pragma once
#include <string>

namespace qb {

struct MainWindow;

// Asks whether the complete records of a journal left behind are kept in a
// new test, and carries out the answer. Returns the test file written on
// Yes, or empty. Asks nothing when the journal is held by another instance,
// names no test or holds no complete record.
std::string OfferRecovery(MainWindow& state);

}  // namespace qb
