// Parsing of request envelopes by plain substring search, the way they are composed.
#include "server/CEnvelope.h"

#include <vector>

namespace {

struct OperationLayout
{
    const char* name;
    std::vector<std::string> tags;
};

const std::vector<OperationLayout>& Layouts()
{
    static const std::vector<OperationLayout> layouts = {
        {"ListPackages", {"type"}},
        {"DLRequest", {"type", "packagename"}},
        {"NameRequest", {"record", "request", "email", "pron", "comments"}},
    };
    return layouts;
}

bool StartsWithAt(std::string_view text, size_t pos, std::string_view what)
{
    return pos <= text.size() && text.substr(pos, what.size()) == what;
}

// Reads "<tag>value</tag>" at pos where the value's end is the first "</tag>" followed by one of
// the given continuations (an empty continuation matches the end of the text).
bool ReadElement(std::string_view text, size_t& pos, const std::string& tag,
                 const std::vector<std::string>& continuations, std::string& value)
{
    const std::string open = "<" + tag + ">";
    const std::string close = "</" + tag + ">";
    if (!StartsWithAt(text, pos, open))
        return false;
    const size_t start = pos + open.size();
    for (size_t end = text.find(close, start); end != std::string_view::npos;
         end = text.find(close, end + 1)) {
        const size_t after = end + close.size();
        for (const std::string& next : continuations) {
            if (next.empty() ? after == text.size() : StartsWithAt(text, after, next)) {
                value.assign(text.substr(start, end - start));
                pos = after;
                return true;
            }
        }
    }
    return false;
}

} // namespace

CEnvelope CEnvelope::Parse(std::string_view text)
{
    CEnvelope envelope;
    size_t pos = 0;
    std::string comver, conmeth, prod;
    if (!ReadElement(text, pos, "comver", {"<conmeth>"}, comver) ||
        !ReadElement(text, pos, "conmeth", {"<prod>"}, conmeth) ||
        !ReadElement(text, pos, "prod", {"<op>"}, prod))
        return envelope;

    // The operation names hold no "<", so its value ends at the first closing tag.
    if (!StartsWithAt(text, pos, "<op>"))
        return envelope;
    const size_t opEnd = text.find("</op>", pos + 4);
    if (opEnd == std::string_view::npos)
        return envelope;
    envelope.m_operation.assign(text.substr(pos + 4, opEnd - pos - 4));
    pos = opEnd + 5;

    if (comver != "1.0") {
        envelope.m_status = ServiceStatus::UnsupportedVersion;
        return envelope;
    }
    if (prod != "vmr") {
        envelope.m_status = ServiceStatus::UnknownProduct;
        return envelope;
    }

    const OperationLayout* layout = nullptr;
    for (const OperationLayout& candidate : Layouts())
        if (envelope.m_operation == candidate.name)
            layout = &candidate;
    if (!layout) {
        envelope.m_status = ServiceStatus::UnknownOperation;
        return envelope;
    }

    const std::vector<std::string>& tags = layout->tags;
    size_t next = 0;
    while (pos < text.size()) {
        // Elements may be left out, but those present keep the operation's order.
        size_t index = next;
        while (index < tags.size() && !StartsWithAt(text, pos, "<" + tags[index] + ">"))
            ++index;
        if (index == tags.size())
            return envelope;
        std::vector<std::string> continuations{""};
        for (size_t later = index + 1; later < tags.size(); ++later)
            continuations.push_back("<" + tags[later] + ">");
        std::string value;
        if (!ReadElement(text, pos, tags[index], continuations, value))
            return envelope;
        envelope.m_fields[tags[index]] = std::move(value);
        next = index + 1;
    }
    envelope.m_status = ServiceStatus::Ok;
    return envelope;
}

std::string CEnvelope::Field(const std::string& tag) const
{
    auto it = m_fields.find(tag);
    return it == m_fields.end() ? std::string() : it->second;
}
