// The three operations of the service, from a decoded envelope to the reply document.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "server/CCatalog.h"
#include "server/ServiceStatus.h"

class CRequestStore;

struct ServiceCall
{
    std::string operation; // as named in the envelope; empty when it could not be read
    ServiceStatus status = ServiceStatus::Ok;
    std::shared_ptr<const std::string> document; // the HTTP body
    std::string note;                            // for the log: why a request failed inside
};

class CServiceHandler
{
public:
    static constexpr size_t kMaxEnvelopeBytes = 64 * 1024;
    // The object path under which packages are served; the address handed out puts one segment
    // in front of it, which the client drops.
    static constexpr std::string_view kPackagePath = "/packages/";

    // Both must outlive the handler. Process may be called from several threads at once.
    CServiceHandler(const CCatalog& catalog, CRequestStore& store);

    // envelope: the value of clientXMLString, percent-decoded; client: the caller's address, kept
    // with a name request; packageHost: host[:port] put into the package address.
    ServiceCall Process(std::string_view envelope, const std::string& client, const std::string& packageHost);

    // "host[:port]/olvwebservice/packages/<name>.zip", the name unencoded.
    static std::string PackageUrl(const std::string& packageHost, const std::string& name);

private:
    ServiceCall ListPackages();
    ServiceCall DownloadRequest(const std::string& name, const std::string& packageHost);
    ServiceCall NameRequest(const class CEnvelope& envelope, const std::string& client);

    const CCatalog& m_catalog;
    CRequestStore& m_store;
    std::mutex m_listMutex;
    std::shared_ptr<const CCatalog::NameList> m_listedNames;
    std::shared_ptr<const std::string> m_listDocument;
};
