// Composition of reply texts and reply documents.
#include "server/ServiceReply.h"

namespace servicereply {

std::string ReplyText(ServiceStatus status, std::string_view message, std::string_view elements)
{
    std::string text;
    text.reserve(64 + message.size() + elements.size());
    text += "<OLVServerCall ver=\"1.0\"><rc>";
    text += StatusCode(status);
    text += "</rc><rm>";
    text += message;
    text += "</rm>";
    text += elements;
    text += "</OLVServerCall>";
    return text;
}

std::string StatusReply(ServiceStatus status, std::string_view detail)
{
    std::string message = StatusMessage(status);
    if (!detail.empty()) {
        message += "  ";
        message += Inert(detail);
    }
    return ReplyText(status, message);
}

std::string ReplyDocument(std::string_view replyText)
{
    std::string body;
    body.reserve(replyText.size() + replyText.size() / 4 + 96);
    body += "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<string xmlns=\"urn:olv:webservice\">";
    for (char c : replyText) {
        if (c == '<')
            body += "&lt;";
        else if (c == '>')
            body += "&gt;";
        else
            body += c;
    }
    body += "</string>\r\n";
    return body;
}

namespace {

std::string InertPass(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7f || c == '<' || c == '>')
            continue;
        if (c == '&' && (text.substr(i + 1, 3) == "lt;" || text.substr(i + 1, 3) == "gt;"))
            continue;
        out.push_back(text[i]);
    }
    return out;
}

} // namespace

std::string Inert(std::string_view text)
{
    // Dropping a character can join an ampersand to a following "lt;" ("&&lt;"), so repeat until
    // nothing changes; every pass that changes anything makes the text shorter.
    std::string out = InertPass(text);
    for (std::string next = InertPass(out); next != out; next = InertPass(out))
        out = std::move(next);
    return out;
}

} // namespace servicereply
