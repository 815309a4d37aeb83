// The HTTP server of the service: cpp-httplib's, with connections read through the repair stream.
#pragma once

#include <httplib.h>

// The seam into the HTTP library: the one place that leans on its internals. It overrides the
// library's per-connection loop and uses these protected members of httplib::Server:
// process_request, svr_sock_, keep_alive_max_count_, keep_alive_timeout_sec_ and the read and write
// time-outs. They are not part of the library's public interface, so the build accepts only the
// library series this was written against (server/CMakeLists.txt checks it at configure time).
class CServiceHttp : public httplib::Server
{
private:
    // Serves the requests of one connection, kept alive as the library would, but reading
    // through CTargetRepairStream and ending idle connections promptly once the server stops.
    bool process_and_close_socket(socket_t sock) override;
};
