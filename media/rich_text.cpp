#include "media/rich_text.h"

#include <cctype>

namespace qb {

bool IsRichTextName(const std::string& name) {
    if (name.size() < 4) return false;
    const std::string tail = name.substr(name.size() - 4);
    return tail[0] == '.' && std::toupper(static_cast<unsigned char>(tail[1])) == 'R' &&
           std::toupper(static_cast<unsigned char>(tail[2])) == 'T' &&
           std::toupper(static_cast<unsigned char>(tail[3])) == 'F';
}

}  // namespace qb
