// The settings routines' logic over an abstract per-user value store, so what
// is read, what counts as missing and which defaults are written back can be
// tested without a registry. settings_registry.h binds it to the registry.
#pragma once
#include <string>

#include "base/path_limits.h"
#include "base/paths.h"
#include "settings/settings_text.h"

namespace qb {

// A value is read into a path buffer (kPathBufferSize, terminating zero included).
// A rectangle is read with room for 23 characters and the terminating zero.
constexpr size_t kRectBufferSize = kRectTextLength + 1;

// The string values of one product's per-user key.
class UserValueStore {
public:
    virtual ~UserValueStore() = default;
    // False when the value is missing, unreadable, or does not fit
    // capacity characters including the terminating zero.
    virtual bool Read(const std::string& name, size_t capacity, std::string& value) = 0;
    virtual bool Write(const std::string& name, const std::string& text) = 0;
};

// Reads the value into value, or writes value's current text when missing.
// Returns true when the value was present.
bool ReadOrInitValue(UserValueStore& store, const std::string& name, std::string& value);

// The program directory into programDir, read as every program reads it (the
// current user's DataPath), and "WindowPosMain" into mainRect. A missing
// DataPath is written as startDirectory, which then serves; a missing
// rectangle is written from mainRect. True when both values were present.
bool ReadStartupValues(UserValueStore& store, const std::string& startDirectory, Directory& programDir,
                       StoredRect& mainRect);

// A stored rectangle; false (rect untouched) when missing or longer than 23 characters.
bool ReadRectValue(UserValueStore& store, const std::string& name, StoredRect& rect);

bool WriteRectValue(UserValueStore& store, const std::string& name, const StoredRect& rect);

// A choice the user switches on and off, stored as "1" or "0". Only a stored
// "1" reads as on: a missing or unknown value is off and is not written back.
bool ReadSwitchValue(UserValueStore& store, const std::string& name);
bool WriteSwitchValue(UserValueStore& store, const std::string& name, bool on);

// The names of the per-user values.
extern const char kValueWindowPosMain[];
extern const char kValueWinPosText[];
extern const char kValueWinPosBild[];
extern const char kValueFont[];
extern const char kValueListDetails[];
// "0" or "1": Ask a Question asks the most missed questions first.
extern const char kValueMissedFirst[];

}  // namespace qb
