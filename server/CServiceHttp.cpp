// One connection's request loop, on the library's own request processing.
#include "server/CServiceHttp.h"

#include <chrono>

#include "server/CTargetRepairStream.h"
#include "server/ServerSocket.h"

bool CServiceHttp::process_and_close_socket(socket_t sock)
{
    // Headers and body leave in separate writes; without this a small reply waits for the
    // peer's delayed acknowledgement before its body goes out.
    serversocket::SetNoDelay(sock);
    CTargetRepairStream stream(sock, read_timeout_sec_, read_timeout_usec_, write_timeout_sec_,
                               write_timeout_usec_);
    bool ok = true;
    for (size_t left = keep_alive_max_count_; left > 0; --left) {
        // Wait for the next request in short slices, so that a stopping server is noticed.
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::seconds(keep_alive_timeout_sec_);
        bool ready = false;
        while (svr_sock_ != INVALID_SOCKET && !(ready = stream.WaitForRequest(50)) &&
               std::chrono::steady_clock::now() < deadline) {
        }
        if (!ready)
            break;
        stream.BeginRequest();
        bool closed = false;
        ok = process_request(stream, left == 1 || svr_sock_ == INVALID_SOCKET, closed, nullptr);
        if (!ok || closed)
            break;
    }
    serversocket::ShutdownAndClose(sock);
    return ok;
}
