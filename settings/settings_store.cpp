#include "settings/settings_store.h"

#include "base/data_path.h"
#include "base/path_limits.h"
#include "base/product_names.h"

namespace qb {

const char kValueWindowPosMain[] = "WindowPosMain";
const char kValueWinPosText[] = "WinPosText";
const char kValueWinPosBild[] = "WinPosBild";
const char kValueFont[] = "Font";
const char kValueListDetails[] = "ListDetails";
const char kValueMissedFirst[] = "MissedFirst";

bool ReadOrInitValue(UserValueStore& store, const std::string& name, std::string& value) {
    std::string stored;
    if (store.Read(name, kPathBufferSize, stored)) {
        value = stored;
        return true;
    }
    store.Write(name, value);
    return false;
}

namespace {

// The store's DataPath as the current user's value, noting whether it was there at all.
class StoredDataPath final : public DataPathValues {
public:
    explicit StoredDataPath(UserValueStore& store) : store_(store) {}
    std::optional<std::string> CurrentUser() override {
        std::string value;
        if (!store_.Read(kDataPathValue, kPathBufferSize, value)) return std::nullopt;
        present = true;
        return value;
    }
    std::optional<std::string> DefaultUser() override { return std::nullopt; }

    bool present = false;

private:
    UserValueStore& store_;
};

}  // namespace

bool ReadStartupValues(UserValueStore& store, const std::string& startDirectory, Directory& programDir,
                       StoredRect& mainRect) {
    StoredDataPath dataPath(store);
    std::optional<Directory> directory =
        ReadProgramDirectory(dataPath, DataPathLookup::CurrentUser, DriveRoot::Accepted);
    if (!dataPath.present) {
        store.Write(kDataPathValue, startDirectory);
        directory = ProgramDirectoryFromDataPath(startDirectory, DriveRoot::Accepted);
    }
    const bool dirPresent = dataPath.present;
    // Unlike the other programs, this one goes on with whatever directory is named, even none.
    programDir = directory.value_or(Directory());
    bool rectPresent = ReadRectValue(store, kValueWindowPosMain, mainRect);
    if (!rectPresent) WriteRectValue(store, kValueWindowPosMain, mainRect);
    return dirPresent && rectPresent;
}

bool ReadRectValue(UserValueStore& store, const std::string& name, StoredRect& rect) {
    std::string text;
    if (!store.Read(name, kRectBufferSize, text)) return false;
    rect = ParseRect(text);
    return true;
}

bool WriteRectValue(UserValueStore& store, const std::string& name, const StoredRect& rect) {
    return store.Write(name, FormatRect(rect));
}

bool ReadSwitchValue(UserValueStore& store, const std::string& name) {
    std::string text;
    return store.Read(name, kPathBufferSize, text) && IsChoiceOn(text);
}

bool WriteSwitchValue(UserValueStore& store, const std::string& name, bool on) {
    return store.Write(name, ChoiceText(on));
}

}  // namespace qb
