// The HTTP server of the service: cpp-httplib's, with connections read through the repair stream.
#pragma once

#include <httplib.h>

class CServiceHttp : public httplib::Server
{
private:
    // Serves the requests of one connection, kept alive as the library would, but reading
    // through CTargetRepairStream and ending idle connections promptly once the server stops.
    bool process_and_close_socket(socket_t sock) override;
};
