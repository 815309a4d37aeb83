// Fuzz entry: any request target through envelope extraction, parsing and the reply rules.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "server/CEnvelope.h"
#include "server/CServiceServer.h"
#include "server/ServiceReply.h"
#include "server/UrlCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string target(reinterpret_cast<const char*>(data), size);
    std::string envelope;
    if (!CServiceServer::ExtractEnvelope(target, envelope))
        envelope = urlcodec::PercentDecode(target);
    if (envelope.size() > target.size())
        std::abort(); // decoding never grows the text

    const CEnvelope parsed = CEnvelope::Parse(envelope);
    if (parsed.Status() == ServiceStatus::Ok) {
        for (const char* tag : {"type", "packagename", "record", "request", "email", "pron", "comments"})
            if (parsed.Field(tag).size() > envelope.size())
                std::abort();
    }

    // Echoed text must stay inert after the client's decoding, and the rule is a fixed point.
    const std::string inert = servicereply::Inert(envelope);
    if (servicereply::Inert(inert) != inert || inert.find('<') != std::string::npos ||
        inert.find('>') != std::string::npos || inert.find("&lt;") != std::string::npos ||
        inert.find("&gt;") != std::string::npos)
        std::abort();
    const std::string document =
        servicereply::ReplyDocument(servicereply::ReplyText(ServiceStatus::Ok, inert));
    if (document.find('\n') + 1 != document.find("<string") || document.back() != '\n')
        std::abort();
    return 0;
}
