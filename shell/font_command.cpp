#include "shell/font_command.h"

#include <utility>

#include "base/product_names.h"
#include "common/scoped_handles.h"
#include "settings/settings_registry.h"
#include "shell/main_window.h"

namespace qb {

void OnChooseFont(MainWindow& state) {
    // The dialog works on a copy so a cancel changes nothing.
    LOGFONTA chosen = state.questionLogFont;
    CHOOSEFONTA dialog = state.fontDialog;
    dialog.hwndOwner = state.window;
    dialog.lpLogFont = &chosen;
    if (!ChooseFontA(&dialog)) return;
    ScopedGdiObject font(CreateFontIndirectA(&chosen));
    if (!font) return;
    state.questionLogFont = chosen;
    WriteUserValue(kValueFont, FormatFont(ToFontRecord(chosen)));
    state.questionFont = std::move(font);
    ApplyQuestionFont(state);
    InvalidateRect(state.testPane, nullptr, TRUE);
}

}  // namespace qb
