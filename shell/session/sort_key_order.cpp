#include "shell/session/sort_key_order.h"

#include <algorithm>
#include <cstdint>

namespace qb {

namespace {

size_t SharedLength(std::string_view a, std::string_view b) {
    const size_t most = std::min(a.size(), b.size());
    size_t shared = 0;
    while (shared < most && a[shared] == b[shared]) ++shared;
    return shared;
}

// The eight bytes of key from at on as one number, the first the highest,
// filled with zeros behind the key's end. Keys whose heads differ are
// ordered by them; equal heads leave the order to the bytes behind.
uint64_t HeadOf(std::string_view key, size_t at) {
    uint64_t head = 0;
    for (size_t i = at; i < at + 8; ++i)
        head = (head << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return head;
}

struct OrderEntry {
    uint64_t head;
    size_t index;
};

}  // namespace

int CompareSortKeys(std::string_view a, std::string_view b) {
    const size_t shared = SharedLength(a, b);
    if (shared < a.size() && shared < b.size())
        return static_cast<unsigned char>(a[shared]) < static_cast<unsigned char>(b[shared]) ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

void SortKeys::Reserve(size_t keys) {
    ends_.reserve(keys);
}

void SortKeys::Add(std::string_view key) {
    bytes_.append(key.data(), key.size());
    ends_.push_back(bytes_.size());
}

void SortKeys::Clear() {
    bytes_.clear();
    ends_.clear();
}

std::string_view SortKeys::Key(size_t index) const {
    const size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(bytes_).substr(begin, ends_[index] - begin);
}

std::vector<size_t> SortKeys::Order() const {
    const size_t count = Count();
    // The bytes every key starts with decide nothing.
    size_t shared = count > 0 ? Key(0).size() : 0;
    for (size_t i = 1; i < count && shared > 0; ++i) shared = std::min(shared, SharedLength(Key(0), Key(i)));
    std::vector<OrderEntry> entries(count);
    for (size_t i = 0; i < count; ++i) entries[i] = OrderEntry{HeadOf(Key(i), shared), i};
    std::sort(entries.begin(), entries.end(), [&](const OrderEntry& a, const OrderEntry& b) {
        if (a.head != b.head) return a.head < b.head;
        const int byKey = CompareSortKeys(Key(a.index).substr(shared), Key(b.index).substr(shared));
        return byKey != 0 ? byKey < 0 : a.index > b.index;
    });
    std::vector<size_t> order(count);
    for (size_t i = 0; i < count; ++i) order[i] = entries[i].index;
    return order;
}

}  // namespace qb
