// Reading and replacing one element's content in reply text by plain substring search.
#pragma once

#include <string>

namespace service {

// operation "Read": the content of the first <tag>...</tag>; "Write": the whole text with that content
// replaced by newValue. The closing tag is searched from the start of the text, not from the opening
// tag, so a closing tag standing first gives an empty content (Read) or a pure insertion (Write).
// kValueNotFound when either tag is missing; kInvalidOperation for any other operation (ServiceTexts.h).
// Exact, case-sensitive matching; never throws for any input.
std::string XmlValue(const std::string& text, const std::string& tagName, const std::string& operation,
                     const std::string& newValue);

} // namespace service
