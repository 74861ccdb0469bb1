// Rich text as an HTML fragment for the web page: the part of RTF a question's
// text file shows in practice (paragraphs, line breaks, tabs, bold, italic,
// underline, font sizes, colours of the colour table, characters in the
// document's code page or as Unicode). Groups the page cannot show (pictures,
// objects, field instructions, destinations marked optional) are skipped,
// keeping the visible result of a field or an object.
#pragma once
#include <string>

namespace qb {

// Any input gives balanced markup made only of <p>, <br>, <span style>, <b>,
// <i> and <u>, with every character of the text escaped and valid UTF-8.
// Tabs stay tab characters: the page shows the fragment with its white space
// kept. Bytes that do not begin as rich text are shown as plain text.
std::string RtfToHtml(const std::string& rtf);

// Plain Windows-1252 text as one paragraph, its line breaks as <br>.
std::string PlainTextToHtml(const std::string& text);

// Appends text (UTF-8) to html with &, <, >, " and ' escaped.
void AppendEscapedHtml(std::string& html, const std::string& text);

}  // namespace qb
