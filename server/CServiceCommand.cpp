// The subcommands of zentrimo-service and what they print.
#include "server/CServiceCommand.h"

#include <filesystem>
#include <atomic>
#include <ctime>
#include <exception>
#include <mutex>
#include <thread>

#include "platform/core/CException.h"
#include "server/CCatalog.h"
#include "server/CPackagePublisher.h"
#include "server/CPublishException.h"
#include "server/CRequestStore.h"
#include "server/CSampleCatalog.h"
#include "server/CServiceHandler.h"
#include "server/CServiceOptions.h"
#include "server/CServiceServer.h"
#include "server/CStopSignal.h"

namespace {

// One TSV field: the separators and the escape character itself are escaped.
std::string TsvField(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void Print(std::FILE* to, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), to);
}

} // namespace

int CServiceCommand::Run(const std::vector<std::string>& args)
{
    CServiceOptions options;
    std::string error;
    if (!options.Parse(args, error)) {
        Print(m_err, "zentrimo-service: " + error + "\n" + CServiceOptions::Usage());
        return 2;
    }
    try {
        switch (options.command) {
        case CServiceOptions::Command::Help:
            Print(m_out, CServiceOptions::Usage());
            return 0;
        case CServiceOptions::Command::Serve:
            return Serve(options);
        case CServiceOptions::Command::Publish:
            return Publish(options);
        case CServiceOptions::Command::Requests:
            return Requests(options);
        case CServiceOptions::Command::Sample:
            return Sample(options);
        }
    } catch (const CException& e) {
        Print(m_err, "zentrimo-service: " + e.GetErrorMessage() + "\n");
    } catch (const std::exception& e) {
        Print(m_err, std::string("zentrimo-service: ") + e.what() + "\n");
    }
    return 1;
}

int CServiceCommand::Serve(const CServiceOptions& options)
{
    std::error_code ec;
    std::filesystem::create_directories(options.catalog, ec);
    CCatalog catalog(options.catalog);
    CRequestStore store(options.db);
    CServiceHandler handler(catalog, store);
    ServerSettings settings;
    settings.host = options.listenHost;
    settings.port = options.listenPort;
    settings.threads = options.threads;
    settings.publicHost = options.publicHost;
    CServiceServer server(settings, catalog, handler, m_err);
    if (server.Bind() < 0) {
        Print(m_err, "zentrimo-service: cannot listen on " + options.listenHost + ":" +
                         std::to_string(options.listenPort) + "\n");
        return 1;
    }
    Print(m_out, "listening on " + server.Address() + "\n");
    std::fflush(m_out);

    CStopSignal stopSignal([&server] { server.Stop(); });
    const bool ok = server.Run();
    if (stopSignal.Received() != 0)
        Print(m_err, "zentrimo-service: stopped by signal " + std::to_string(stopSignal.Received()) + "\n");
    return ok ? 0 : 1;
}

int CServiceCommand::Publish(const CServiceOptions& options)
{
    const std::string& name = options.positional.front();
    std::vector<std::filesystem::path> files(options.positional.begin() + 1, options.positional.end());
    std::error_code ec;
    std::filesystem::create_directories(options.catalog, ec);
    CCatalog catalog(options.catalog);
    const std::filesystem::path package = CPackagePublisher(catalog).Publish(name, files);
    Print(m_out, "published " + name + ": " + package.string() + "\n");
    return 0;
}

int CServiceCommand::Requests(const CServiceOptions& options)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(options.db, ec)) {
        Print(m_err, "zentrimo-service: no request database at " + options.db + "\n");
        return 1;
    }
    CRequestStore store(options.db);
    Print(m_out, "id\treceived\tclient\trecord\trequester\temail\tpron\tcomments\n");
    store.ForEach([this](const NameRequestRecord& r) {
        Print(m_out, std::to_string(r.id) + "\t" + TsvField(r.received) + "\t" + TsvField(r.client) + "\t" +
                         TsvField(r.record) + "\t" + TsvField(r.requester) + "\t" + TsvField(r.email) + "\t" +
                         TsvField(r.pron) + "\t" + TsvField(r.comments) + "\n");
    });
    return 0;
}

int CServiceCommand::Sample(const CServiceOptions& options)
{
    const std::vector<std::string> names = CSampleCatalog::Names(options.count);
    if (options.listOnly) {
        for (const std::string& name : names)
            Print(m_out, name + "\n");
        return 0;
    }
    std::filesystem::create_directories(options.catalog);
    CCatalog catalog(options.catalog);
    CPackagePublisher publisher(catalog);
    // A fixed time stamp keeps generated packages identical from run to run.
    const std::time_t stamp = 1577880000; // 2020-01-01 12:00 UTC
    std::atomic<size_t> next{0};
    std::atomic<size_t> spoken{0};
    std::mutex failureMutex;
    std::exception_ptr failure;
    auto publishSome = [&] {
        try {
            for (size_t i; (i = next++) < names.size() && !failure;) {
                const std::string& name = names[i];
                std::vector<std::filesystem::path> recordings;
                if (!options.recordings.empty()) {
                    const std::filesystem::path dir = options.recordings;
                    std::error_code ec;
                    for (const std::string& file : {std::to_string(i) + ".wav", std::to_string(i) + "^.wav"})
                        if (std::filesystem::is_regular_file(dir / file, ec))
                            recordings.push_back(dir / file);
                }
                if (!recordings.empty()) {
                    publisher.Publish(name, recordings);
                    ++spoken;
                } else {
                    publisher.Publish(name,
                                      std::vector<CPackagePublisher::Entry>{
                                          {name + ".wav", CSampleCatalog::ToneWav(name, false), stamp},
                                          {name + "^.wav", CSampleCatalog::ToneWav(name, true), stamp}});
                }
            }
        } catch (...) {
            std::lock_guard<std::mutex> lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
        }
    };
    // Each package is synced to disk as it is closed; several publishers at once keep the disk busy
    // instead of waiting on it one package at a time.
    std::vector<std::thread> publishers;
    for (size_t t = 0; t < std::min<size_t>(8, names.size()); ++t)
        publishers.emplace_back(publishSome);
    for (std::thread& thread : publishers)
        thread.join();
    if (failure)
        std::rethrow_exception(failure);
    Print(m_out, std::to_string(names.size()) + " packages in " + options.catalog + " (" +
                     std::to_string(spoken.load()) + " spoken, " +
                     std::to_string(names.size() - spoken.load()) + " tones)\n");
    return 0;
}
