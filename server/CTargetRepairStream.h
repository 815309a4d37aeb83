// A connection stream that makes a request target containing more than one "?" readable.
#pragma once

#include <httplib.h>

#include <string>

// The HTTP library refuses a request target with a second "?" before any handler sees it, yet
// the program sends typed values raw, and a question mark in a comment is ordinary. While the
// request line passes through, every "?" after the first is handed on as "%3F", which the service
// decodes back once with the rest of the envelope. Everything else passes unchanged.
class CTargetRepairStream : public httplib::Stream
{
public:
    CTargetRepairStream(socket_t sock, time_t readSec, time_t readUsec, time_t writeSec, time_t writeUsec);

    // Call before each request is read: its first line is the one that gets repaired.
    void BeginRequest();
    // Waits up to timeoutMs for the next request's bytes; false when none came.
    bool WaitForRequest(int timeoutMs);

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, size_t size) override;
    ssize_t write(const char* ptr, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override { return m_sock; }

private:
    bool Fill();

    socket_t m_sock;
    int m_readTimeoutMs;
    int m_writeTimeoutMs;
    std::string m_raw; // received, not yet handed on
    size_t m_rawPos = 0;
    std::string m_out; // repaired bytes not yet handed on
    size_t m_outPos = 0;
    bool m_inRequestLine = false;
    bool m_seenQuery = false;
};
