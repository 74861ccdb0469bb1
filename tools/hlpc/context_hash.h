// Topics are found by a 32-bit hash of their context name.
#pragma once
#include <cstdint>
#include <string>

namespace qb::help {

// The viewer's hash of a context name (case-insensitive for letters).
uint32_t ContextHash(const std::string& name);

// Context names are limited to letters, digits, '.' and '_': the viewers
// disagree on the hash of every other character.
bool IsValidContextName(const std::string& name);

}  // namespace qb::help
