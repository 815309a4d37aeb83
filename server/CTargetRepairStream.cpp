// Socket reads and writes for the service's connections, with the request-line repair.
#include "server/CTargetRepairStream.h"

#include "server/ServerSocket.h"

namespace {

int Milliseconds(time_t sec, time_t usec)
{
    return static_cast<int>(sec * 1000 + usec / 1000);
}

} // namespace

CTargetRepairStream::CTargetRepairStream(socket_t sock, time_t readSec, time_t readUsec, time_t writeSec,
                                         time_t writeUsec)
    : m_sock(sock), m_readTimeoutMs(Milliseconds(readSec, readUsec)),
      m_writeTimeoutMs(Milliseconds(writeSec, writeUsec))
{
}

void CTargetRepairStream::BeginRequest()
{
    m_inRequestLine = true;
    m_seenQuery = false;
}

bool CTargetRepairStream::WaitForRequest(int timeoutMs)
{
    return m_outPos < m_out.size() || m_rawPos < m_raw.size() ||
           serversocket::WaitReadable(m_sock, timeoutMs);
}

bool CTargetRepairStream::is_readable() const
{
    return m_outPos < m_out.size() || m_rawPos < m_raw.size() ||
           serversocket::WaitReadable(m_sock, m_readTimeoutMs);
}

bool CTargetRepairStream::is_writable() const
{
    return serversocket::WaitWritable(m_sock, m_writeTimeoutMs);
}

bool CTargetRepairStream::Fill()
{
    if (!serversocket::WaitReadable(m_sock, m_readTimeoutMs))
        return false;
    char buffer[16 * 1024];
    const ssize_t n = serversocket::Receive(m_sock, buffer, sizeof buffer);
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
    return serversocket::Send(m_sock, ptr, size);
}

void CTargetRepairStream::get_remote_ip_and_port(std::string& ip, int& port) const
{
    serversocket::Address(m_sock, true, ip, port);
}

void CTargetRepairStream::get_local_ip_and_port(std::string& ip, int& port) const
{
    serversocket::Address(m_sock, false, ip, port);
}
