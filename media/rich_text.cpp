#include "media/rich_text.h"

#include "base/paths.h"

namespace qb {

bool IsRichTextName(const std::string& name) {
    return HasExtension(name, ".rtf");
}

}  // namespace qb
