// The host socket calls of the service's connections, on POSIX sockets.
#include "server/ServerSocket.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace serversocket {

namespace {

bool Wait(int sock, short events, int timeoutMs)
{
    pollfd fd{sock, events, 0};
    int rc;
    do {
        rc = poll(&fd, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    return rc > 0;
}

} // namespace

void SetNoDelay(int sock)
{
    const int one = 1;
    setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

void ShutdownAndClose(int sock)
{
    shutdown(sock, SHUT_RDWR);
    close(sock);
}

bool WaitReadable(int sock, int timeoutMs)
{
    return Wait(sock, POLLIN, timeoutMs);
}

bool WaitWritable(int sock, int timeoutMs)
{
    return Wait(sock, POLLOUT, timeoutMs);
}

ssize_t Receive(int sock, char* buffer, size_t size)
{
    ssize_t n;
    do {
        n = recv(sock, buffer, size, 0);
    } while (n < 0 && errno == EINTR);
    return n;
}

ssize_t Send(int sock, const char* buffer, size_t size)
{
    ssize_t n;
    do {
        n = send(sock, buffer, size, MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    return n;
}

void Address(int sock, bool peer, std::string& ip, int& port)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    const int rc = peer ? getpeername(sock, reinterpret_cast<sockaddr*>(&address), &length)
                        : getsockname(sock, reinterpret_cast<sockaddr*>(&address), &length);
    if (rc != 0)
        return;
    char host[NI_MAXHOST];
    char service[NI_MAXSERV];
    if (getnameinfo(reinterpret_cast<sockaddr*>(&address), length, host, sizeof host, service, sizeof service,
                    NI_NUMERICHOST | NI_NUMERICSERV) == 0) {
        ip = host;
        port = std::atoi(service);
    }
}

} // namespace serversocket
