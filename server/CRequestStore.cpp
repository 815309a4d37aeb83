// Name requests kept in SQLite, one transaction per request.
#include "server/CRequestStore.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>

#include "server/CStoreException.h"

namespace {

constexpr int kBusyTimeoutMs = 10000;

std::string Describe(sqlite3* db, const std::string& what)
{
    return what + ": " + (db ? sqlite3_errmsg(db) : "out of memory");
}

void Exec(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = std::string("request store: ") + (error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        throw CStoreException(message);
    }
}

struct StatementCloser
{
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementCloser>;

Statement Prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        throw CStoreException(Describe(db, "request store"));
    return Statement(statement);
}

std::string Column(sqlite3_stmt* statement, int index)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, index));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, index)))
                : std::string();
}

} // namespace

CRequestStore::CRequestStore(const std::filesystem::path& file) : m_file(file)
{
    sqlite3* db = Open();
    try {
        Exec(db, "CREATE TABLE IF NOT EXISTS name_requests ("
                 "id INTEGER PRIMARY KEY AUTOINCREMENT, received TEXT NOT NULL, client TEXT NOT NULL, "
                 "record TEXT NOT NULL, requester TEXT NOT NULL, email TEXT NOT NULL, "
                 "pron TEXT NOT NULL, comments TEXT NOT NULL)");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    Release(db);
}

CRequestStore::~CRequestStore()
{
    for (sqlite3* db : m_idle)
        sqlite3_close(db);
}

sqlite3* CRequestStore::Open()
{
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(m_file.string().c_str(), &db, flags, nullptr) != SQLITE_OK) {
        std::string message = Describe(db, "cannot open request store " + m_file.string());
        sqlite3_close(db);
        throw CStoreException(message);
    }
    try {
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        Exec(db, "PRAGMA journal_mode=WAL");
        Exec(db, "PRAGMA synchronous=FULL");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    return db;
}

sqlite3* CRequestStore::Acquire()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_idle.empty()) {
            sqlite3* db = m_idle.back();
            m_idle.pop_back();
            return db;
        }
    }
    return Open();
}

void CRequestStore::Release(sqlite3* db)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_idle.push_back(db);
}

std::string CRequestStore::Now()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(millis));
    return text;
}

int64_t CRequestStore::Add(NameRequestRecord record)
{
    if (record.received.empty())
        record.received = Now();
    sqlite3* db = Acquire();
    struct Returner
    {
        CRequestStore* store;
        sqlite3* db;
        ~Returner() { store->Release(db); }
    } returner{this, db};

    // IMMEDIATE takes the write lock up front, so a busy database is waited for at BEGIN rather
    // than failing a half-done transaction.
    Exec(db, "BEGIN IMMEDIATE");
    try {
        Statement insert = Prepare(db, "INSERT INTO name_requests "
                                       "(received, client, record, requester, email, pron, comments) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?)");
        const std::string* values[] = {&record.received, &record.client, &record.record,  &record.requester,
                                       &record.email,    &record.pron,   &record.comments};
        for (int i = 0; i < 7; ++i)
            sqlite3_bind_text(insert.get(), i + 1, values[i]->data(), static_cast<int>(values[i]->size()),
                              SQLITE_STATIC);
        if (sqlite3_step(insert.get()) != SQLITE_DONE)
            throw CStoreException(Describe(db, "cannot store request"));
        const int64_t id = sqlite3_last_insert_rowid(db);
        insert.reset();
        Exec(db, "COMMIT");
        return id;
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void CRequestStore::ForEach(const std::function<void(const NameRequestRecord&)>& visit)
{
    sqlite3* db = Acquire();
    struct Returner
    {
        CRequestStore* store;
        sqlite3* db;
        ~Returner() { store->Release(db); }
    } returner{this, db};
    Statement select = Prepare(db, "SELECT id, received, client, record, requester, email, pron, comments "
                                   "FROM name_requests ORDER BY id");
    int step;
    while ((step = sqlite3_step(select.get())) == SQLITE_ROW) {
        NameRequestRecord record;
        record.id = sqlite3_column_int64(select.get(), 0);
        record.received = Column(select.get(), 1);
        record.client = Column(select.get(), 2);
        record.record = Column(select.get(), 3);
        record.requester = Column(select.get(), 4);
        record.email = Column(select.get(), 5);
        record.pron = Column(select.get(), 6);
        record.comments = Column(select.get(), 7);
        visit(record);
    }
    if (step != SQLITE_DONE)
        throw CStoreException(Describe(db, "cannot read requests"));
}

std::vector<NameRequestRecord> CRequestStore::All()
{
    std::vector<NameRequestRecord> records;
    ForEach([&](const NameRequestRecord& record) { records.push_back(record); });
    return records;
}
