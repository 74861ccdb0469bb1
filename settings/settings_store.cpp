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

bool ReadStartupValues(UserValueStore& store, std::string& programDir, StoredRect& mainRect) {
    bool dirPresent = ReadOrInitValue(store, kDataPathValue, programDir);
    // Unlike the other programs, this one goes on with whatever directory is named, even none.
    programDir = ProgramDirectoryFromDataPath(programDir, DriveRoot::Accepted).value_or(std::string());
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
    return store.Read(name, kPathBufferSize, text) && text == "1";
}

bool WriteSwitchValue(UserValueStore& store, const std::string& name, bool on) {
    return store.Write(name, on ? "1" : "0");
}

}  // namespace qb
