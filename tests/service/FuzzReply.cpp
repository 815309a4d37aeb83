// Fuzzes the reply reading and decoding and XmlValue: no crash, no out-of-bounds read, sane sizes.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "service/ReplyDecoding.h"
#include "service/XmlText.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// The request's line reader: lines split at '\n', a '\r' before it dropped, "" and false at the end.
service::LineReader LinesOf(const std::string& body)
{
    auto pos = std::make_shared<std::size_t>(0);
    return [body, pos](std::string& line) {
        line.clear();
        if (*pos >= body.size())
            return false;
        const std::size_t lf = body.find('\n', *pos);
        const std::size_t end = lf == std::string::npos ? body.size() : lf;
        line = body.substr(*pos, end - *pos);
        *pos = lf == std::string::npos ? body.size() : lf + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);

    const std::string body = service::ReadReplyBody(LinesOf(input));
    Check(body.size() <= input.size());
    const service::DecodedReply reply = service::DecodeReply(body);
    Check(reply.text.size() <= body.size());
    if (reply.outcome == service::DecodedReply::Outcome::Text)
        Check(reply.rc == "0");

    // The first byte picks a tag length, the tag comes from the next bytes, the rest is the text.
    const std::size_t tagLength = size > 0 ? data[0] % 8 : 0;
    const std::string tag = input.substr(size > 0 ? 1 : 0, tagLength);
    const std::string text = input.size() > 1 + tagLength ? input.substr(1 + tagLength) : std::string();
    const std::string value = "v";
    const std::string read = service::XmlValue(text, tag, "Read", "");
    const std::string written = service::XmlValue(text, tag, "Write", value);
    if (written != "Value not found.") {
        Check(read.size() <= text.size());
        Check(written.size() == text.size() - read.size() + value.size());
    }
    Check(service::XmlValue(text, tag, "read", "") == "Invalid Operation");
    return 0;
}
