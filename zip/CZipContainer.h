// One ZIP archive open for reading or adding: the component's public face.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "platform/fs/CTempFile.h"
#include "zip/CZipAddRequest.h"
#include "zip/CZipBackingStore.h"
#include "zip/CZipDirectory.h"
#include "zip/CZipEntryHeader.h"
#include "zip/CZipException.h"
#include "zip/CZipStreamState.h"

// Failures that are not plain false results travel as CZipException (structure, CRC, zlib) or
// CFileException (opening or writing files). After one, close with CloseArchive(AfterErrorNoWrite)
// or destroy the container. An archive opened with OpenExisting is put back exactly as it was
// opened when adding to it fails: by CloseArchive after the error or by destroying the container
// while it is still open. Only a normal CloseArchive keeps what was added.
class CZipContainer
{
public:
    enum ZipOpenMode { OpenExisting = 0, OpenReadOnly = 1, Create = 2, CreateMultiVolume = 3 };
    enum AfterError { AfterErrorNone = 0, AfterErrorNoWrite = 1, AfterErrorWrite = 2 };
    static constexpr unsigned ENTRY_BUFFER_SIZE = CZipStreamState::ENTRY_BUFFER_SIZE;

    CZipContainer();
    virtual ~CZipContainer();
    CZipContainer(const CZipContainer&) = delete;
    CZipContainer& operator=(const CZipContainer&) = delete;

    // Does nothing when an archive is open. Throws CFileException when the file cannot be opened,
    // CZipException (101, 116, 103) when an existing archive cannot be read.
    void OpenArchive(const std::string& path, int mode = OpenExisting, uint64_t volumeSize = 0);
    // The same on a caller's file object, which is neither flushed nor closed by the container.
    void OpenArchive(CZipFileBase& file, int mode);
    void CloseArchive(int afterError = AfterErrorNone, bool stampNewest = false);
    bool IsClosed() const { return !m_store.IsOpen(); }
    std::string GetArchivePath() const;

    // The file offset of the central directory of the archive as opened: an archive opened with
    // OpenExisting is changed from there on only, until it is closed.
    uint64_t GetDirectoryOffset() const { return m_directory.GetStartOffset(); }
    int EntryCount() const;
    bool GetEntryInfo(int index, CZipEntryHeader& info) const;
    // Index of the entry called name (memory form), or -1.
    int FindEntry(const std::string& name, bool caseSensitive = false, bool nameOnly = false);
    std::string GetComment() const { return m_directory.GetComment().ToString(); }

    // Extracts entry index below folder. True on success; false when the entry cannot be opened or
    // was not read to its end. The file appears only once it is complete and checked.
    bool ExtractEntry(int index, const std::string& folder, bool keepPath = true,
                      const std::string& newName = std::string(), unsigned bufferSize = ENTRY_BUFFER_SIZE);
    // The first half of ExtractEntry: a file entry is written completely into staged, a new temporary
    // beside its target, which is checked (CRC) and given the entry's time and attributes but not put
    // in place; the caller moves it or lets it go. 1 done, -2 done but time or attributes not set, 0 or
    // -1 nothing staged (as ExtractEntry's false). A folder entry is created at once, staging nothing.
    // A target that is read-only or a folder is refused before anything is written; file errors name
    // the target, never the temporary.
    int StageEntry(int index, const std::string& folder, CTempFile& staged, bool keepPath = true,
                   const std::string& newName = std::string(), unsigned bufferSize = ENTRY_BUFFER_SIZE);
    // Where ExtractEntry would put the entry (empty when the name leaves nothing below folder).
    std::string GetExtractPath(const CZipEntryHeader& header, const std::string& folder, bool keepPath,
                               const std::string& newName = std::string()) const;

    bool BeginEntryRead(int index);
    // Bytes delivered into buffer; fewer than size only at the end of the entry.
    unsigned ReadEntryData(void* buffer, unsigned size);
    // 1 done and checked; -1 not read to its end; -2 time or attributes of path not set; 0 no entry
    // open. A CRC mismatch throws 102. An empty path sets nothing.
    int EndEntryRead(const std::string& path = std::string(), bool afterError = false);

    bool AddFileFromDisk(const std::string& path, int level = -1, bool keepPath = true,
                         int smartFlags = CZipAddRequest::SmartDefault,
                         unsigned bufferSize = ENTRY_BUFFER_SIZE);
    bool AddFile(const CZipAddRequest& request);
    bool BeginEntryWrite(CZipEntryHeader& header, int level = -1,
                         const std::string& sourcePath = std::string());
    bool WriteEntryData(const void* buffer, unsigned size);
    bool EndEntryWrite(bool afterError = false);

    void SetRootPath(const std::string& path);
    void SetIgnoreCrc(bool ignore) { m_bIgnoreCrc = ignore; }
    int GetHostSystem() const { return m_iHostSystem; }
    void SetHostSystem(int system) { m_iHostSystem = system; }

private:
    enum EntryState { StateNone = 0, StateWriting = 1, StateReading = -1 };

    static void* ZlibAlloc(void* opaque, unsigned items, unsigned size);
    static void ZlibFree(void* opaque, void* block);
    void PrepareStream();
    void FreeZlibBlocks();
    [[noreturn]] void Throw(int code) const;
    void CheckZlib(int result) const;
    void FlushWritePending();
    std::string NameRelativeToRoot(const std::string& name) const;
    void CloseAfterError(int afterError);
    // Writes the rest of the open entry's data into out, bufferSize bytes at a time.
    void WriteEntryDataTo(CFile& out, unsigned bufferSize);
    // Fresh state for the archive just opened on m_store; reads its directory unless it is being created.
    void StartOpened(int mode);

    int m_iHostSystem = 0;
    CZipDirectory::CompareFunction m_pCompare;
    CZipStreamState m_info;
    CZipBackingStore m_store;
    CZipDirectory m_directory;
    int m_iState = StateNone;
    bool m_bIgnoreCrc = false;
    std::string m_strRootPath;
    std::vector<void*> m_zlibBlocks;
};
