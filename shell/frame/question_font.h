// The question font of the Test pane and Options > Font.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include "common/scoped_handles.h"
#include "settings/settings_text.h"

namespace qb {

class QuestionFont {
public:
    // The stored "Font", or the system font written back as it.
    void Create(HWND owner);
    HFONT Handle() const { return static_cast<HFONT>(font_.get()); }
    // Runs the font dialog; on OK stores "Font" and returns true.
    bool Choose();

private:
    LOGFONTA logFont_ = {};
    ScopedGdiObject font_;
    CHOOSEFONTA dialog_ = {};
};

// The logical-font record and its stored form.
FontRecord ToFontRecord(const LOGFONTA& font);
LOGFONTA ToLogFont(const FontRecord& record);

}  // namespace qb
