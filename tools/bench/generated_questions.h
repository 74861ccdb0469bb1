// What the benchmarks share: the generated tests and the timing of the index build.
#pragma once
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>

#include "document/document.h"

namespace qb::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Counts items; a list view would do more, but that is the shell's cost.
class CountingList final : public qb::QuestionList {
public:
    void DeleteAllItems() override { items = 0; }
    bool InsertItem(const std::string&, int, int) override {
        ++items;
        return true;
    }
    long items = 0;
};

class SilentReporter final : public qb::DocumentReporter {
public:
    void Report(const qb::Message&) override {}
};

inline std::string Text(size_t length, unsigned seed) {
    static const char words[] = "the planet moves around the sun on an ellipse\r\nand its moons follow it ";
    std::string text;
    text.reserve(length);
    for (size_t i = 0; text.size() < length; ++i) text.push_back(words[(seed * 7 + i) % (sizeof words - 1)]);
    return text;
}

// A test of count questions; each question text has textLength bytes.
inline bool Generate(const std::string& path, int count, size_t textLength) {
    auto out = qb::RealFileSystem().Open(path, qb::OpenMode::CreateReadWrite);
    if (!out) return false;
    qb::TestFileWriter writer(*out);
    if (!writer.Start()) return false;
    for (int i = 0; i < count; ++i) {
        qb::QuestionRecord record;
        record.keyword = "Question " + std::to_string(i);
        record.slots[qb::kSlotQuestion] = Text(textLength, static_cast<unsigned>(i));
        record.slots[qb::kSlotRightAnswer] = "Answer " + std::to_string(i);
        if (i % 3 == 0) record.slots[qb::kSlotWrongAnswer1 + 1] = "Wrong " + std::to_string(i);
        if (i % 5 == 0) record.slots[qb::kSlotQuestionPictureFile] = "*picture.bmp";
        if (qb::WriteQuestionRecord(writer.Out(), record) < 0) return false;
        writer.Counted(1);
    }
    return writer.Finish() && out->Close();
}

// The smallest bitmap the picture pane shows: one pixel of 24 bits.
inline bool WritePicture(const std::string& path) {
    const unsigned char bytes[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  40,
                                     0,   0,   0,  1, 0, 0, 0, 1, 0, 0, 0,  1, 0, 24, 0};
    auto out = qb::RealFileSystem().Open(path, qb::OpenMode::CreateWrite);
    return out && out->Write(bytes, sizeof bytes) && out->Close();
}

// Processor time of this process: on a machine shared with others the wall
// time also holds the waits for a core.
inline double CpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

inline size_t HeapInUse() {
    return mallinfo2().uordblks;
}

struct IndexFigures {
    double seconds = 1e9;  // best of the runs
    size_t heapBytes = 0;  // held by the index after building
    int questions = 0;
};

inline IndexFigures MeasureIndex(const std::string& path, int runs) {
    IndexFigures figures;
    for (int run = 0; run < runs; ++run) {
        qb::TestDocument document;
        document.testFile = qb::RealFileSystem().Open(path, qb::OpenMode::Read);
        CountingList list;
        SilentReporter reporter;
        int32_t remaining = 0;
        const size_t heapBefore = HeapInUse();
        const Clock::time_point start = Clock::now();
        figures.questions = qb::LoadQuestionIndex(document, list, reporter, remaining);
        figures.seconds = std::min(figures.seconds, Seconds(start));
        figures.heapBytes = HeapInUse() - heapBefore;
    }
    return figures;
}

}  // namespace qb::bench
