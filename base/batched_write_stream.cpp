#include "base/batched_write_stream.h"

namespace qb {

bool BatchedWriteStream::Write(const void* data, size_t count) {
    if (failed_) return false;
    batch_.append(static_cast<const char*>(data), count);
    return Flush();
}

bool BatchedWriteStream::Flush() {
    if (failed_) return false;
    return batch_.size() < batchBytes_ || HandOn();
}

bool BatchedWriteStream::HandOn() {
    if (failed_) return false;
    if (batch_.empty()) return true;
    if (!file_.Write(batch_.data(), batch_.size())) {
        failed_ = true;
        batch_.clear();
        return false;
    }
    written_ += static_cast<int64_t>(batch_.size());
    batch_.clear();
    return true;
}

}  // namespace qb
