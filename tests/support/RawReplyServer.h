// A TCP server on 127.0.0.1 that answers every request with fixed raw bytes (no HTTP framing of its own).
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

// For replies no HTTP server library would send: a body without a status line, junk, an immediate close.
// Each connection: read up to the end of the request head, write the bytes, close.
class RawReplyServer
{
public:
    explicit RawReplyServer(std::string reply) : m_reply(std::move(reply))
    {
        m_listen = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (m_listen < 0 || bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            listen(m_listen, 8) != 0 || getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
            throw std::runtime_error("RawReplyServer: cannot listen on 127.0.0.1");
        m_port = ntohs(addr.sin_port);
        if (pipe(m_wake) != 0)
            throw std::runtime_error("RawReplyServer: pipe failed");
        m_thread = std::thread([this] { Serve(); });
    }

    ~RawReplyServer()
    {
        const char stop = 'x';
        (void)!write(m_wake[1], &stop, 1);
        m_thread.join();
        close(m_listen);
        close(m_wake[0]);
        close(m_wake[1]);
    }

    RawReplyServer(const RawReplyServer&) = delete;
    RawReplyServer& operator=(const RawReplyServer&) = delete;

    int Port() const { return m_port; }
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(m_port); }
    int Connections() const { return m_connections; }

private:
    void Serve()
    {
        for (;;) {
            pollfd fds[2] = {{m_listen, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
            if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN))
                return;
            const int conn = accept(m_listen, nullptr, nullptr);
            if (conn < 0)
                continue;
            ++m_connections;
            std::string head;
            char buf[1024];
            while (head.find("\r\n\r\n") == std::string::npos) {
                const ssize_t n = read(conn, buf, sizeof buf);
                if (n <= 0)
                    break;
                head.append(buf, static_cast<std::size_t>(n));
            }
            std::size_t sent = 0;
            while (sent < m_reply.size()) {
                const ssize_t n = send(conn, m_reply.data() + sent, m_reply.size() - sent, MSG_NOSIGNAL);
                if (n <= 0)
                    break;
                sent += static_cast<std::size_t>(n);
            }
            shutdown(conn, SHUT_RDWR);
            close(conn);
        }
    }

    std::string m_reply;
    int m_listen = -1;
    int m_wake[2] = {-1, -1};
    int m_port = 0;
    std::atomic<int> m_connections{0};
    std::thread m_thread;
};
