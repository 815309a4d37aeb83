// ListPackages, DLRequest and NameRequest.
#include "server/CServiceHandler.h"

#include "server/CEnvelope.h"
#include "server/CRequestStore.h"
#include "server/CStoreException.h"
#include "server/ServiceReply.h"

namespace {

ServiceCall Reply(std::string operation, ServiceStatus status, const std::string& replyText)
{
    return {std::move(operation),
            status,
            std::make_shared<const std::string>(servicereply::ReplyDocument(replyText)),
            {}};
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

} // namespace

CServiceHandler::CServiceHandler(const CCatalog& catalog, CRequestStore& store)
    : m_catalog(catalog), m_store(store)
{
}

std::string CServiceHandler::PackageUrl(const std::string& packageHost, const std::string& name)
{
    // The name goes in as it is: the client's transport percent-encodes what a request target
    // cannot carry raw, "%" included, so an encoded name would arrive encoded twice.
    return packageHost + "/olvwebservice" + std::string(kPackagePath) + name + ".zip";
}

ServiceCall CServiceHandler::Process(std::string_view envelopeText, const std::string& client,
                                     const std::string& packageHost)
{
    if (envelopeText.size() > kMaxEnvelopeBytes)
        return Reply({}, ServiceStatus::EnvelopeTooLong,
                     servicereply::StatusReply(ServiceStatus::EnvelopeTooLong));
    const CEnvelope envelope = CEnvelope::Parse(envelopeText);
    if (envelope.Status() != ServiceStatus::Ok)
        return Reply(envelope.Operation(), envelope.Status(), servicereply::StatusReply(envelope.Status()));

    const std::string& operation = envelope.Operation();
    if (operation == "NameRequest")
        return NameRequest(envelope, client);
    if (envelope.Field("type") != "name")
        return Reply(operation, ServiceStatus::UnknownPackageType,
                     servicereply::StatusReply(ServiceStatus::UnknownPackageType));
    if (operation == "ListPackages")
        return ListPackages();
    return DownloadRequest(envelope.Field("packagename"), packageHost);
}

ServiceCall CServiceHandler::ListPackages()
{
    std::shared_ptr<const CCatalog::NameList> names = m_catalog.Names();
    std::lock_guard<std::mutex> lock(m_listMutex);
    // The catalogue hands out the same list until the folder changes, so the document built for
    // it can be handed out as often.
    if (names != m_listedNames) {
        std::string items;
        for (const std::string& name : *names)
            items += "<item><displayname>" + name + "</displayname></item>";
        m_listDocument = std::make_shared<const std::string>(
            servicereply::ReplyDocument(servicereply::ReplyText(ServiceStatus::Ok, items)));
        m_listedNames = names;
    }
    return {"ListPackages", ServiceStatus::Ok, m_listDocument, {}};
}

ServiceCall CServiceHandler::DownloadRequest(const std::string& name, const std::string& packageHost)
{
    if (m_catalog.FindPackage(name).empty())
        return Reply("DLRequest", ServiceStatus::UnknownPackage,
                     servicereply::StatusReply(ServiceStatus::UnknownPackage, "Requested: " + name));
    const std::string url = "<url>" + PackageUrl(packageHost, name) + "</url>";
    return Reply("DLRequest", ServiceStatus::Ok, servicereply::ReplyText(ServiceStatus::Ok, "OK", url));
}

ServiceCall CServiceHandler::NameRequest(const CEnvelope& envelope, const std::string& client)
{
    NameRequestRecord record;
    record.client = client;
    record.record = envelope.Field("record");
    record.requester = envelope.Field("request");
    record.email = envelope.Field("email");
    record.pron = envelope.Field("pron");
    record.comments = envelope.Field("comments");
    if (IsBlank(record.record) || IsBlank(record.requester) || IsBlank(record.email))
        return Reply("NameRequest", ServiceStatus::MissingFields,
                     servicereply::StatusReply(ServiceStatus::MissingFields));
    try {
        m_store.Add(record);
    } catch (const CStoreException& e) {
        ServiceCall failed = Reply("NameRequest", ServiceStatus::StoreFailed,
                                   servicereply::StatusReply(ServiceStatus::StoreFailed));
        failed.note = e.GetErrorMessage();
        return failed;
    }
    const std::string thanks = "Thank you, " + servicereply::Inert(record.requester) +
                               ".  Your request to record the name \"" + servicereply::Inert(record.record) +
                               "\" has been received.";
    return Reply("NameRequest", ServiceStatus::Ok, servicereply::ReplyText(ServiceStatus::Ok, thanks));
}
