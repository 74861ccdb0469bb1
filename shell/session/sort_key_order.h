// The question list's order by sort keys: bytes whose plain comparison orders
// the keywords as the list's own sorting does. The keys of a fill are kept
// back to back in one buffer, and ordered by a comparison that needs no call
// for the bytes all keys share.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

// Plain byte comparison, as std::string's: negative, 0 or positive.
int CompareSortKeys(std::string_view a, std::string_view b);

class SortKeys {
public:
    void Reserve(size_t keys);
    void Add(std::string_view key);
    void Clear();
    size_t Count() const { return ends_.size(); }
    std::string_view Key(size_t index) const;

    // The indices of the keys in their order; of equal keys the later added
    // first, as the list puts a new item before the equal ones.
    std::vector<size_t> Order() const;

private:
    std::string bytes_;
    std::vector<size_t> ends_;
};

}  // namespace qb
