#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <map>

namespace qb {
namespace {

// A per-user key in memory that answers like the registry: a value that does
// not fit the caller's buffer is not read.
class MemoryStore : public UserValueStore {
public:
    bool Read(const std::string& name, size_t capacity, std::string& value) override {
        auto found = values.find(name);
        if (found == values.end() || found->second.size() + 1 > capacity) return false;
        value = found->second;
        return true;
    }
    bool Write(const std::string& name, const std::string& text) override {
        ++writes;
        if (refuseWrites) return false;
        values[name] = text;
        return true;
    }
    std::map<std::string, std::string> values;
    int writes = 0;
    bool refuseWrites = false;
};

StoredRect Rect(int32_t a, int32_t b, int32_t c, int32_t d) {
    StoredRect r;
    r.a = a;
    r.b = b;
    r.c = c;
    r.d = d;
    return r;
}

TEST(StartupValues, FirstStartWritesDirectoryAndMainRectangleDefaults) {
    MemoryStore store;
    Directory dir;
    StoredRect rect = Rect(0, 0, 1273, 682);
    EXPECT_FALSE(ReadStartupValues(store, "C:\\Work", dir, rect));
    EXPECT_EQ(store.values["DataPath"], "C:\\Work");
    EXPECT_EQ(store.values["WindowPosMain"], "00000,00000,01273,00682");
    EXPECT_EQ(dir.Text(), "C:\\Work");
    EXPECT_EQ(rect.c, 1273);
}

TEST(StartupValues, StoredValuesReplaceTheDefaultsAndAreNotRewritten) {
    MemoryStore store;
    store.values["DataPath"] = "D:\\Tests\\";
    store.values["WindowPosMain"] = "-0012,00040,00800,00600";
    Directory dir;
    StoredRect rect = Rect(0, 0, 1273, 682);
    EXPECT_TRUE(ReadStartupValues(store, "C:\\Work", dir, rect));
    EXPECT_EQ(dir.Text(), "D:\\Tests");
    EXPECT_EQ(rect.a, -12);
    EXPECT_EQ(rect.b, 40);
    EXPECT_EQ(rect.c, 800);
    EXPECT_EQ(rect.d, 600);
    EXPECT_EQ(store.writes, 0);
    EXPECT_EQ(store.values["DataPath"], "D:\\Tests\\");
}

TEST(StartupValues, OnlyTheMissingValueIsWritten) {
    MemoryStore store;
    store.values["DataPath"] = "D:\\Tests";
    Directory dir;
    StoredRect rect = Rect(1, 2, 3, 4);
    EXPECT_FALSE(ReadStartupValues(store, "C:\\Work", dir, rect));
    EXPECT_EQ(dir.Text(), "D:\\Tests");
    EXPECT_EQ(store.writes, 1);
    EXPECT_EQ(store.values["WindowPosMain"], "00001,00002,00003,00004");
}

TEST(StartupValues, AnUnwritableKeyLeavesTheDefaultsInUse) {
    MemoryStore store;
    store.refuseWrites = true;
    Directory dir;
    StoredRect rect = Rect(0, 0, 640, 480);
    EXPECT_FALSE(ReadStartupValues(store, "C:\\Work\\", dir, rect));
    EXPECT_EQ(dir.Text(), "C:\\Work");
    EXPECT_EQ(rect.c, 640);
    EXPECT_TRUE(store.values.empty());
}

// Unlike a missing value, an empty or a lone backslash is kept: the program
// goes on without a directory.
TEST(StartupValues, ADataPathThatNamesNoDirectoryIsKept) {
    for (const char* stored : {"", "\\"}) {
        MemoryStore store;
        store.values["DataPath"] = stored;
        Directory dir(std::string("C:\\Before"));
        StoredRect rect = Rect(1, 2, 3, 4);
        ReadStartupValues(store, "C:\\Work", dir, rect);
        EXPECT_TRUE(dir.Empty()) << stored;
        EXPECT_EQ(store.values["DataPath"], stored);
    }
}

TEST(RectValue, ValueOf23CharactersIsReadOneOf24IsMissing) {
    MemoryStore store;
    store.values["WinPosText"] = "00010,00020,00300,00200";
    store.values["WinPosBild"] = "00010,00020,00300,002000";
    StoredRect text = Rect(-1, -1, -1, -1);
    StoredRect bild = Rect(-1, -1, -1, -1);
    EXPECT_TRUE(ReadRectValue(store, "WinPosText", text));
    EXPECT_EQ(text.c, 300);
    EXPECT_FALSE(ReadRectValue(store, "WinPosBild", bild));
    EXPECT_EQ(bild.a, -1);
}

TEST(RectValue, MissingValueIsReportedSoTheCallerWritesItsDefault) {
    MemoryStore store;
    StoredRect rect = Rect(5, 6, 7, 8);
    EXPECT_FALSE(ReadRectValue(store, "WinPosText", rect));
    EXPECT_TRUE(WriteRectValue(store, "WinPosText", rect));
    EXPECT_EQ(store.values["WinPosText"], "00005,00006,00007,00008");
}

TEST(UserValue, PresentValueIsReadMissingValueIsInitialised) {
    MemoryStore store;
    store.values["Font"] = "1,2,3,4,5,6,7,8,9,10,11,12,13,Face";
    std::string font = "default";
    EXPECT_TRUE(ReadOrInitValue(store, "Font", font));
    EXPECT_EQ(font, "1,2,3,4,5,6,7,8,9,10,11,12,13,Face");
    std::string other = "default";
    EXPECT_FALSE(ReadOrInitValue(store, "Other", other));
    EXPECT_EQ(other, "default");
    EXPECT_EQ(store.values["Other"], "default");
}

TEST(UserValue, ValueLongerThanTheBufferCountsAsMissingAndIsReplaced) {
    MemoryStore store;
    store.values["DataPath"] = std::string(kPathBufferSize, 'x');
    std::string dir = "C:\\Work";
    EXPECT_FALSE(ReadOrInitValue(store, "DataPath", dir));
    EXPECT_EQ(store.values["DataPath"], "C:\\Work");
}

TEST(SwitchValue, OnlyAStoredOneIsOnAndReadingWritesNothing) {
    MemoryStore store;
    EXPECT_FALSE(ReadSwitchValue(store, "ListDetails"));
    const std::pair<const char*, bool> stored[] = {
        {"1", true}, {"0", false}, {"", false}, {"yes", false}, {"11", false}};
    for (const auto& [text, on] : stored) {
        store.values["ListDetails"] = text;
        EXPECT_EQ(ReadSwitchValue(store, "ListDetails"), on) << text;
    }
    EXPECT_EQ(store.writes, 0);
    EXPECT_TRUE(WriteSwitchValue(store, "ListDetails", true));
    EXPECT_EQ(store.values["ListDetails"], "1");
    EXPECT_TRUE(WriteSwitchValue(store, "ListDetails", false));
    EXPECT_EQ(store.values["ListDetails"], "0");
}

}  // namespace
}  // namespace qb
