// The request database: what goes in comes out, concurrently and across reopening.
#include "server/CRequestStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <set>
#include <thread>

#include "server/CStoreException.h"
#include "tests/support/ScratchDir.h"

namespace {

NameRequestRecord Sample(const std::string& record)
{
    NameRequestRecord r;
    r.client = "127.0.0.1";
    r.record = record;
    r.requester = "Jane & <Joe>";
    r.email = "jane+x@example.org";
    r.pron = "zo-ë";
    r.comments = std::string("tab\there, line\nthere, nul-free \xff bytes");
    return r;
}

TEST(RequestStoreTest, StoredFieldsComeBackByteForByte)
{
    ScratchDir dir("store");
    CRequestStore store(dir / "r.db");
    const int64_t id = store.Add(Sample("Zoë"));
    const auto all = store.All();
    ASSERT_EQ(all.size(), 1u);
    const NameRequestRecord expected = Sample("Zoë");
    EXPECT_EQ(all[0].id, id);
    EXPECT_EQ(all[0].record, expected.record);
    EXPECT_EQ(all[0].requester, expected.requester);
    EXPECT_EQ(all[0].email, expected.email);
    EXPECT_EQ(all[0].pron, expected.pron);
    EXPECT_EQ(all[0].comments, expected.comments);
    EXPECT_EQ(all[0].client, "127.0.0.1");
    EXPECT_EQ(all[0].received.size(), 24u) << all[0].received;
    EXPECT_EQ(all[0].received.back(), 'Z');
}

TEST(RequestStoreTest, SurvivesReopeningAndUsesWriteAheadLogging)
{
    ScratchDir dir("store");
    {
        CRequestStore store(dir / "r.db");
        store.Add(Sample("one"));
        store.Add(Sample("two"));
    }
    CRequestStore again(dir / "r.db");
    const auto all = again.All();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].record, "one");
    EXPECT_EQ(all[1].record, "two");
    EXPECT_LT(all[0].id, all[1].id);

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "r.db").string().c_str(), &db), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &statement, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)), "wal");
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

TEST(RequestStoreTest, ConcurrentWritersStoreEveryRequestOnce)
{
    ScratchDir dir("store");
    CRequestStore store(dir / "r.db");
    constexpr int kThreads = 8;
    constexpr int kEach = 40;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&store, t] {
            for (int i = 0; i < kEach; ++i)
                store.Add(Sample(std::to_string(t) + "-" + std::to_string(i)));
        });
    for (auto& thread : threads)
        thread.join();
    std::set<std::string> records;
    for (const auto& r : store.All())
        EXPECT_TRUE(records.insert(r.record).second) << "stored twice: " << r.record;
    EXPECT_EQ(records.size(), static_cast<size_t>(kThreads * kEach));
}

TEST(RequestStoreTest, UnopenableDatabaseThrowsAStoreError)
{
    ScratchDir dir("store");
    EXPECT_THROW(CRequestStore(dir / "missing-folder" / "r.db"), CStoreException);
    std::filesystem::create_directory(dir / "a-folder.db");
    EXPECT_THROW(CRequestStore(dir / "a-folder.db"), CStoreException);
}

} // namespace
