// Concurrent clients and a killed service: nothing fails, nothing acknowledged is lost.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <map>
#include <mutex>
#include <thread>

#include "server/CRequestStore.h"
#include "tests/server/ServiceFixture.h"

namespace {

using clientdecoding::Decode;
using clientdecoding::XmlRead;

class ServiceLoadTest : public ServiceFixture
{
};

TEST_F(ServiceLoadTest, SixteenClientsTimesFiveHundredRequestsWithoutErrorAndEachRequestStoredOnce)
{
    Start();
    constexpr int kClients = 16;
    constexpr int kRequests = 500;
    const std::string package = FileText(Catalog() / "Zoë.zip");
    std::atomic<int> failures{0};
    std::mutex firstFailureMutex;
    std::string firstFailure;
    auto fail = [&](const std::string& what) {
        if (failures++ == 0) {
            std::lock_guard<std::mutex> lock(firstFailureMutex);
            firstFailure = what;
        }
    };
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c)
        clients.emplace_back([&, c] {
            HttpClient client(Port());
            for (int i = 0; i < kRequests; ++i) {
                const std::string tag = std::to_string(c) + "-" + std::to_string(i);
                HttpReply reply;
                switch (i % 4) {
                case 0:
                    reply = client.Service(ListEnvelope());
                    if (!reply.ok || reply.status != 200 || Decode(reply.body).rc != "0")
                        fail("list " + tag + ": " + reply.error);
                    break;
                case 1:
                    reply = client.Service(DownloadEnvelope("Zoë"));
                    if (!reply.ok || XmlRead(Decode(reply.body).replyText, "url").find("/packages/Zoë.zip") ==
                                         std::string::npos)
                        fail("download request " + tag + ": " + reply.error);
                    break;
                case 2:
                    reply =
                        client.Service(NameRequestEnvelope("name " + tag, "client & co " + tag, tag + "@x"));
                    if (!reply.ok || Decode(reply.body).rc != "0")
                        fail("name request " + tag + ": " + reply.error);
                    break;
                default:
                    reply = client.Get("/packages/Zo%C3%AB.zip");
                    if (!reply.ok || reply.status != 200 || reply.body != package)
                        fail("package " + tag + ": " + reply.error);
                }
            }
        });
    for (auto& client : clients)
        client.join();
    EXPECT_EQ(failures.load(), 0) << firstFailure;

    std::map<std::string, int> seen;
    for (const auto& r : CRequestStore(Db()).All()) {
        ++seen[r.record];
        EXPECT_EQ(r.requester, "client & co " + r.record.substr(5));
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kClients * kRequests / 4));
    for (const auto& [record, count] : seen)
        EXPECT_EQ(count, 1) << record;
}

TEST_F(ServiceLoadTest, KillDuringWritesKeepsEveryAcknowledgedRequest)
{
    Start();
    constexpr int kClients = 6;
    constexpr int kMaxEach = 2000;
    constexpr int kKillAfter = 150;
    std::mutex mutex;
    std::condition_variable enough;
    std::vector<std::string> acknowledged;
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c)
        clients.emplace_back([&, c] {
            HttpClient client(Port());
            for (int i = 0; i < kMaxEach; ++i) {
                const std::string record = "k" + std::to_string(c) + "-" + std::to_string(i);
                const HttpReply reply = client.Service(NameRequestEnvelope(record, "Jo", "j@x"));
                if (!reply.ok)
                    return; // the service is gone
                if (Decode(reply.body).rc == "0") {
                    std::lock_guard<std::mutex> lock(mutex);
                    acknowledged.push_back(record);
                    if (acknowledged.size() == kKillAfter)
                        enough.notify_one();
                }
            }
        });
    {
        std::unique_lock<std::mutex> lock(mutex);
        enough.wait(lock, [&] { return acknowledged.size() >= kKillAfter; });
    }
    m_service->Signal(SIGKILL);
    EXPECT_EQ(m_service->Wait(), 128 + SIGKILL);
    for (auto& client : clients)
        client.join();

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Db().string().c_str(), &db), SQLITE_OK);
    sqlite3_stmt* check = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(db);

    std::map<std::string, int> stored;
    for (const auto& r : CRequestStore(Db()).All())
        ++stored[r.record];
    ASSERT_GE(acknowledged.size(), static_cast<size_t>(kKillAfter));
    for (const std::string& record : acknowledged)
        EXPECT_EQ(stored[record], 1) << record;
}

} // namespace
