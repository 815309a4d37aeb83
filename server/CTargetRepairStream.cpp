// Socket reads and writes for the service's connections, with the request-line repair.
#include "server/CTargetRepairStream.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace {

int Milliseconds(time_t sec, time_t usec)
{
    return static_cast<int>(sec * 1000 + usec / 1000);
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

} // namespace

CTargetRepairStream::CTargetRepairStream(socket_t sock, time_t readSec, time_t readUsec, time_t writeSec,
                                         time_t writeUsec)
    : m_sock(sock), m_readTimeoutMs(Milliseconds(readSec, readUsec)), m_writeTimeoutMs(Milliseconds(writeSec, writeUsec))
{
}

void CTargetRepairStream::BeginRequest()
{
    m_inRequestLine = true;
    m_seenQuery = false;
}

bool CTargetRepairStream::Poll(short events, int timeoutMs) const
{
    pollfd fd{m_sock, events, 0};
    int rc;
    do {
        rc = poll(&fd, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    return rc > 0;
}

bool CTargetRepairStream::WaitForRequest(int timeoutMs)
{
    return m_outPos < m_out.size() || m_rawPos < m_raw.size() || Poll(POLLIN, timeoutMs);
}

bool CTargetRepairStream::is_readable() const
{
    return m_outPos < m_out.size() || m_rawPos < m_raw.size() || Poll(POLLIN, m_readTimeoutMs);
}

bool CTargetRepairStream::is_writable() const
{
    return Poll(POLLOUT, m_writeTimeoutMs);
}

bool CTargetRepairStream::Fill()
{
    if (!Poll(POLLIN, m_readTimeoutMs))
        return false;
    char buffer[16 * 1024];
    ssize_t n;
    do {
        n = recv(m_sock, buffer, sizeof buffer, 0);
    } while (n < 0 && errno == EINTR);
    if (n <= 0)
        return false;
    m_raw.assign(buffer, static_cast<size_t>(n));
    m_rawPos = 0;
    return true;
}

ssize_t CTargetRepairStream::read(char* ptr, size_t size)
{
    if (m_outPos == m_out.size()) {
        if (m_rawPos == m_raw.size() && !Fill())
            return -1;
        m_out.clear();
        m_outPos = 0;
        if (!m_inRequestLine) {
            m_out.assign(m_raw, m_rawPos, std::string::npos);
            m_rawPos = m_raw.size();
        } else {
            // Only the request line is rewritten; the bytes after it are left for the next read.
            while (m_rawPos < m_raw.size() && m_inRequestLine) {
                const char c = m_raw[m_rawPos++];
                if (c == '?' && m_seenQuery)
                    m_out += "%3F";
                else
                    m_out += c;
                m_seenQuery |= c == '?';
                m_inRequestLine = c != '\n';
            }
        }
    }
    const size_t n = std::min(size, m_out.size() - m_outPos);
    m_out.copy(ptr, n, m_outPos);
    m_outPos += n;
    return static_cast<ssize_t>(n);
}

ssize_t CTargetRepairStream::write(const char* ptr, size_t size)
{
    if (!is_writable())
        return -1;
    ssize_t n;
    do {
        n = send(m_sock, ptr, size, MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    return n;
}

void CTargetRepairStream::get_remote_ip_and_port(std::string& ip, int& port) const
{
    Address(m_sock, true, ip, port);
}

void CTargetRepairStream::get_local_ip_and_port(std::string& ip, int& port) const
{
    Address(m_sock, false, ip, port);
}
