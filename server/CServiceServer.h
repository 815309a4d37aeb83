// The HTTP side of the service: the ProcessReq endpoint, the packages, the request log.
#pragma once

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "server/CCatalog.h"
#include "server/CServiceHandler.h"

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

struct ServerSettings
{
    std::string host = "127.0.0.1";
    int port = 8642; // 0 picks a free port
    int threads = 32;
    // host[:port] put into package addresses; empty: the request's Host header, or the address
    // listened on when the request has none.
    std::string publicHost;
};

class CServiceServer
{
public:
    // catalog and handler must outlive the server; log receives one line per request.
    CServiceServer(ServerSettings settings, const CCatalog& catalog, CServiceHandler& handler,
                   std::FILE* log);
    ~CServiceServer();
    CServiceServer(const CServiceServer&) = delete;
    CServiceServer& operator=(const CServiceServer&) = delete;

    // Binds the listening socket; returns the port, or -1 when binding failed.
    int Bind();
    // Serves until Stop; requests in progress are finished before it returns. Returns at once
    // when Stop came first.
    bool Run();
    // Safe from any thread, before, during or after Run; only the first call counts.
    void Stop();

    // "HOST:PORT" as bound, with brackets around an IPv6 host.
    std::string Address() const;

    // The value of clientXMLString in a raw request target, percent-decoded once: everything after
    // "clientXMLString=" at the start of the query or after an "&", to the end of the target.
    // False when the target has no such parameter.
    static bool ExtractEnvelope(const std::string& target, std::string& envelope);

private:
    void Route(const httplib::Request& request, httplib::Response& response);
    void ServiceRequest(const httplib::Request& request, httplib::Response& response);
    void PackageRequest(const std::string& rawPath, httplib::Response& response);
    std::string PackageHost(const httplib::Request& request) const;
    void LogLine(const httplib::Request& request, const httplib::Response& response);

    ServerSettings m_settings;
    const CCatalog& m_catalog;
    CServiceHandler& m_handler;
    std::FILE* m_log;
    std::mutex m_logMutex;
    std::unique_ptr<httplib::Server> m_server;
    int m_boundPort = -1;
    std::mutex m_runMutex;
    std::condition_variable m_runChanged;
    bool m_running = false;
    bool m_stopRequested = false;
};
