// The toolbar's entries and the groups of commands that are switched on and
// off together. Portable, so the tables are checked natively.
#pragma once
#include <cstddef>

namespace qb {

struct ToolbarEntry {
    int image;    // index into toolbar bitmap, -1 for a separator
    int command;  // 0 for a separator
};

constexpr size_t kToolbarEntryCount = 17;
constexpr int kToolbarImageCount = 14;
extern const ToolbarEntry kToolbarEntries[kToolbarEntryCount];

// Everything that needs an open test: disabled at start-up and by New, Open, Close.
constexpr size_t kDocumentCommandCount = 11;
extern const int kDocumentCommands[kDocumentCommandCount];

// What an open test enables at once: Close, Save, Save as, New Question.
constexpr size_t kOpenTestCommandCount = 4;
extern const int kOpenTestCommands[kOpenTestCommandCount];

}  // namespace qb
