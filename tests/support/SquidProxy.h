// A real squid proxy on a free 127.0.0.1 port for tests, optionally demanding Basic authentication.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "tests/support/ScratchDir.h"

// Usage: SquidProxy proxy; then send through proxy.HostPort() with proxy.User() / proxy.Password().
// Without credentials (or with wrong ones) an authenticating proxy answers 407. The configuration,
// password file and logs live in a private folder; the proxy is stopped by its PID when the object goes.
// Starting takes a few seconds; the constructor returns once the proxy accepts connections.
class SquidProxy
{
public:
    struct Options
    {
        bool requireAuth = true;
        std::string user = "zuser";
        std::string password = "zpass";
    };

    SquidProxy() : SquidProxy(Options{}) {}

    explicit SquidProxy(Options options) : m_options(std::move(options)), m_dir("squid")
    {
        // squid drops to its own user when started as root: everything it touches must be open to it.
        std::filesystem::permissions(m_dir.Path(), std::filesystem::perms::all);
        m_port = FreePort();
        const std::string dir = m_dir.Path().string();
        std::ofstream conf(m_dir / "squid.conf");
        conf << "http_port 127.0.0.1:" << m_port << "\n"
             << "pid_filename " << dir << "/squid.pid\n"
             << "cache_log " << dir << "/cache.log\n"
             << "access_log " << dir << "/access.log\n"
             << "cache deny all\n"
             << "coredump_dir " << dir << "\n"
             << "shutdown_lifetime 1 seconds\n";
        if (m_options.requireAuth) {
            const std::string cmd = "htpasswd -bc '" + dir + "/passwd' '" + m_options.user + "' '" +
                                    m_options.password + "' >/dev/null 2>&1";
            if (std::system(cmd.c_str()) != 0)
                throw std::runtime_error("SquidProxy: htpasswd failed");
            std::filesystem::permissions(m_dir / "passwd", std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_write |
                                                               std::filesystem::perms::group_read |
                                                               std::filesystem::perms::others_read);
            conf << "auth_param basic program /usr/lib/squid/basic_ncsa_auth " << dir << "/passwd\n"
                 << "acl authed proxy_auth REQUIRED\n"
                 << "http_access allow authed\n";
        } else {
            conf << "http_access allow all\n";
        }
        conf << "http_access deny all\n";
        conf.close();
        Start();
    }

    ~SquidProxy()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            int status = 0;
            waitpid(m_pid, &status, 0);
        }
    }

    SquidProxy(const SquidProxy&) = delete;
    SquidProxy& operator=(const SquidProxy&) = delete;

    int Port() const { return m_port; }
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(m_port); }
    const std::string& User() const { return m_options.user; }
    const std::string& Password() const { return m_options.password; }
    std::filesystem::path Folder() const { return m_dir.Path(); }

    std::string CacheLog() const
    {
        std::ifstream in(m_dir / "cache.log");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    static int FreePort()
    {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
            throw std::runtime_error("SquidProxy: no free port");
        close(fd);
        return ntohs(addr.sin_port);
    }

    bool Accepts() const
    {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(static_cast<uint16_t>(m_port));
        const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        close(fd);
        return ok;
    }

    void Start()
    {
        const std::string conf = (m_dir / "squid.conf").string();
        const std::string out = (m_dir / "squid.out").string();
        m_pid = fork();
        if (m_pid < 0)
            throw std::runtime_error("SquidProxy: fork failed");
        if (m_pid == 0) {
            if (!freopen(out.c_str(), "w", stdout) || !freopen(out.c_str(), "a", stderr))
                _exit(126);
            execlp("squid", "squid", "-f", conf.c_str(), "-N", static_cast<char*>(nullptr));
            _exit(127);
        }
        // Polls until the port accepts, failing fast when squid has exited.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!Accepts()) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                throw std::runtime_error("SquidProxy: squid exited at start:\n" + CacheLog());
            }
            if (std::chrono::steady_clock::now() > deadline)
                throw std::runtime_error("SquidProxy: squid did not start listening:\n" + CacheLog());
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    Options m_options;
    ScratchDir m_dir;
    int m_port = 0;
    pid_t m_pid = -1;
};
