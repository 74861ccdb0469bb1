#include "tests/e2e/driver/ids.h"

#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace qbdrive {

#include "id_tables.inc"

namespace {

// Ids every dialog and message box uses; defined by the system, not by a program.
const IdEntry kSystemIds[] = {
    {"IDOK", IDOK},
    {"IDCANCEL", IDCANCEL},
    {"IDABORT", IDABORT},
    {"IDRETRY", IDRETRY},
    {"IDIGNORE", IDIGNORE},
    {"IDYES", IDYES},
    {"IDNO", IDNO},
    // The static control that holds a message box's text.
    {"MSGBOX_TEXT", 0xFFFF},
    {nullptr, 0},
};

bool ParseNumber(const std::string& text, long* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 0);
    if (*end != '\0') return false;
    *value = parsed;
    return true;
}

// Every name with the set of values it has across the tables.
std::map<std::string, std::map<long, std::string>> AllNames() {
    std::map<std::string, std::map<long, std::string>> names;
    for (const IdEntry* e = kSystemIds; e->name; ++e) names[e->name][e->value] = "system";
    for (const IdTable* t = kProgramTables; t->program; ++t) {
        for (const IdEntry* e = t->entries; e->name; ++e) names[e->name][e->value] = t->program;
    }
    return names;
}

bool LookUpQualified(const std::string& program, const std::string& name, long* value) {
    for (const IdTable* t = kProgramTables; t->program; ++t) {
        if (program != t->program) continue;
        for (const IdEntry* e = t->entries; e->name; ++e) {
            if (name == e->name) {
                *value = e->value;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool ResolveId(const std::string& text, long* value, std::string* error) {
    if (ParseNumber(text, value)) return true;
    size_t dot = text.find('.');
    if (dot != std::string::npos) {
        if (LookUpQualified(text.substr(0, dot), text.substr(dot + 1), value)) return true;
        *error = "unknown id " + text;
        return false;
    }
    auto names = AllNames();
    auto found = names.find(text);
    if (found == names.end()) {
        *error = "unknown id " + text;
        return false;
    }
    if (found->second.size() != 1) {
        *error = "id " + text + " means different values in different programs; write program." + text;
        return false;
    }
    *value = found->second.begin()->first;
    return true;
}

void PrintIdsForShell() {
    for (const auto& [name, values] : AllNames()) {
        if (values.size() == 1) std::printf("%s=%ld\n", name.c_str(), values.begin()->first);
    }
}

}  // namespace qbdrive
