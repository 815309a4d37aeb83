// The SQLite database of name requests.
#pragma once

#include <filesystem>
#include <functional>
#include <mutex>
#include <vector>

#include "server/NameRequestRecord.h"

struct sqlite3;

// Write-ahead logging with full synchronisation: once Add has returned, the request survives the
// process being killed and the machine losing power. Several threads may call Add at once; each
// takes a connection of its own from a pool, and a busy database is waited for, not failed.
class CRequestStore
{
public:
    // Opens the database, creating it and its table when missing. Throws CStoreException.
    explicit CRequestStore(const std::filesystem::path& file);
    ~CRequestStore();
    CRequestStore(const CRequestStore&) = delete;
    CRequestStore& operator=(const CRequestStore&) = delete;

    // Stores one request in a transaction of its own and returns its id. An empty received time
    // is set to now. Throws CStoreException; nothing of the request is stored then.
    int64_t Add(NameRequestRecord record);

    // Every stored request in id order. Throws CStoreException.
    void ForEach(const std::function<void(const NameRequestRecord&)>& visit);
    std::vector<NameRequestRecord> All();

    // The current UTC time in the form of NameRequestRecord::received.
    static std::string Now();

private:
    sqlite3* Acquire();
    void Release(sqlite3* db);
    sqlite3* Open();

    std::filesystem::path m_file;
    std::mutex m_mutex;
    std::vector<sqlite3*> m_idle;
};
