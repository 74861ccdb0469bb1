// Text attachments: which are shown as rich text.
#pragma once
#include <string>

namespace qb {

// ".RTF" in any case at the end of the name: streamed as rich text.
bool IsRichTextName(const std::string& name);

}  // namespace qb
