// XmlValue: first opening tag, first closing tag, both searched from the start of the text.
#include "service/XmlText.h"

#include "service/ServiceTexts.h"

namespace service {

std::string XmlValue(const std::string& text, const std::string& tagName, const std::string& operation,
                     const std::string& newValue)
{
    const bool read = operation == "Read";
    if (!read && operation != "Write")
        return kInvalidOperation;
    const std::size_t open = text.find("<" + tagName + ">");
    const std::size_t close = text.find("</" + tagName + ">");
    if (open == std::string::npos || close == std::string::npos)
        return kValueNotFound;
    const std::size_t start = open + tagName.size() + 2;
    const long long length = static_cast<long long>(close) - static_cast<long long>(start);
    if (read)
        return length > 0 ? text.substr(start, static_cast<std::size_t>(length)) : std::string();
    std::string result = text;
    if (length > 0)
        result.erase(start, static_cast<std::size_t>(length));
    result.insert(start, newValue);
    return result;
}

} // namespace service
