// The rich-text converter on arbitrary bytes: whatever it is given, the HTML
// it writes is balanced, made only of its own elements and escaped text, so
// no rich-text file can break the web page or run script in it.
#include <cstdint>
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "tests/support/html_fragment.h"
#include "webpage/rtf_html.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const std::string& input : {bytes, "{\\rtf1" + bytes}) {
        const std::string html = qb::RtfToHtml(input);
        QB_FUZZ_CHECK(qb::testing_support::HtmlFragmentFault(html).empty());
    }
    return 0;
}
