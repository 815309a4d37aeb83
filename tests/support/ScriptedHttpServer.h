// A scripted HTTP server on 127.0.0.1 for tests: fixed replies, redirects, stalled and cut-off bodies.
#pragma once

#include <httplib.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Usage: ScriptedHttpServer server; server.Reply("/x", 200, "body"); then GET http://server.HostPort()/x.
// Paths are matched exactly (without the query); an unscripted path answers 404 "not scripted".
// Every request is recorded (raw target, decoded path and parameters, headers) for later checks.
class ScriptedHttpServer
{
public:
    using Headers = std::vector<std::pair<std::string, std::string>>;
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    struct Seen
    {
        std::string target;                             // as on the wire, percent-encoding included
        std::string path;                               // decoded
        std::multimap<std::string, std::string> params; // decoded query parameters
        httplib::Headers headers;
    };

    ScriptedHttpServer()
    {
        m_server.new_task_queue = [] { return new httplib::ThreadPool(4); };
        // A proxy keeps its connection to us open; a short idle limit keeps stop() from waiting on it.
        m_server.set_keep_alive_timeout(1);
        m_server.Get(".*",
                     [this](const httplib::Request& req, httplib::Response& res) { Dispatch(req, res); });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        if (m_port <= 0)
            throw std::runtime_error("ScriptedHttpServer: cannot bind 127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // The socket listens already; wait for the accept loop so that stop() always reaches it.
        while (!m_server.is_running())
            std::this_thread::yield();
    }

    ~ScriptedHttpServer()
    {
        ReleaseStalls();
        m_server.stop();
        if (m_thread.joinable())
            m_thread.join();
    }

    ScriptedHttpServer(const ScriptedHttpServer&) = delete;
    ScriptedHttpServer& operator=(const ScriptedHttpServer&) = delete;

    int Port() const { return m_port; }
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(m_port); }

    // A complete reply with Content-Length.
    void Reply(const std::string& path, int status, std::string body, Headers headers = {},
               std::string contentType = "text/xml; charset=utf-8")
    {
        Handle(path, [=](const httplib::Request&, httplib::Response& res) {
            res.status = status;
            for (const auto& [name, value] : headers)
                res.set_header(name, value);
            res.set_content(body, contentType);
        });
    }

    // A redirect to location (an absolute URL or a path on this server); no Location header when empty.
    void Redirect(const std::string& path, int status, const std::string& location)
    {
        Headers headers;
        if (!location.empty())
            headers.emplace_back("Location", location);
        Reply(path, status, "moved", headers, "text/plain");
    }

    // Sends the headers announcing announcedLength bytes and the first part of the body, then sends
    // nothing more until ReleaseStalls() (or the end of the server), and then drops the connection.
    void Stall(const std::string& path, std::string firstPart, std::size_t announcedLength)
    {
        Handle(path, [=, this](const httplib::Request&, httplib::Response& res) {
            res.status = 200;
            res.set_content_provider(announcedLength, "text/xml",
                                     [=, this](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                         if (offset == 0 && !firstPart.empty()) {
                                             sink.write(firstPart.data(), firstPart.size());
                                             return true;
                                         }
                                         std::unique_lock lock(m_mutex);
                                         m_stallCv.wait(lock, [this] { return m_released; });
                                         return false;
                                     });
        });
    }

    // Announces announcedLength bytes, sends firstPart and closes the connection at once.
    void CutOff(const std::string& path, std::string firstPart, std::size_t announcedLength)
    {
        Handle(path, [=](const httplib::Request&, httplib::Response& res) {
            res.status = 200;
            res.set_content_provider(announcedLength, "text/xml",
                                     [=](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                         if (offset == 0 && !firstPart.empty()) {
                                             sink.write(firstPart.data(), firstPart.size());
                                             return true;
                                         }
                                         return false;
                                     });
        });
    }

    void Handle(const std::string& path, Handler handler)
    {
        std::lock_guard lock(m_mutex);
        m_handlers[path] = std::move(handler);
    }

    void ReleaseStalls()
    {
        {
            std::lock_guard lock(m_mutex);
            m_released = true;
        }
        m_stallCv.notify_all();
    }

    // A copy taken under the lock: keep it in a local before holding references or iterators into it
    // (`const auto seen = server.Requests();`); those into the temporary dangle after the statement.
    std::vector<Seen> Requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_seen;
    }

private:
    void Dispatch(const httplib::Request& req, httplib::Response& res)
    {
        Handler handler;
        {
            std::lock_guard lock(m_mutex);
            Seen seen{req.target, req.path, {}, req.headers};
            for (const auto& [name, value] : req.params)
                seen.params.emplace(name, value);
            m_seen.push_back(std::move(seen));
            const auto it = m_handlers.find(req.path);
            if (it != m_handlers.end())
                handler = it->second;
        }
        if (handler) {
            handler(req, res);
        } else {
            res.status = 404;
            res.set_content("not scripted", "text/plain");
        }
    }

    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_stallCv;
    bool m_released = false;
    std::map<std::string, Handler> m_handlers;
    std::vector<Seen> m_seen;
};
