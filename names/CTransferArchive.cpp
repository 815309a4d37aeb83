// The transfer archive VMRNames.zip of a save folder, changed all or nothing.
#include "names/CTransferArchive.h"

#include <cstring>
#include <exception>
#include <vector>

#include "names/CNamePackage.h"
#include "names/NameOrder.h"
#include "platform/fs/CFile.h"
#include "platform/fs/CFileException.h"
#include "platform/fs/CTempFile.h"
#include "platform/fs/FileSystem.h"
#include "zip/CZipContainer.h"
#include "zip/CZipPathParts.h"
#include "zip/ZipCrc32.h"

namespace {

constexpr unsigned kBufferSize = 65536;
// Files shorter than this are stored: deflating them would only make them longer.
constexpr uint32_t kStoreBelow = 5;

// Runs f, naming archive instead of any of the temporaries in the errors it raises: those are ours,
// the user knows only the archive.
template <typename F>
auto AsArchive(const std::vector<std::string>& temporaries, const std::string& archive, F&& f)
{
    auto rename = [&](std::string& file) {
        for (const std::string& temporary : temporaries)
            // Paths compare as the drive mapping matches them: case aside.
            if (!temporary.empty() && namelist::EqualsFolded(file, temporary))
                file = archive;
    };
    try {
        return f();
    } catch (CFileException& e) {
        rename(e.m_strFileName);
        throw;
    } catch (CZipException& e) {
        rename(e.m_strFile);
        throw;
    }
}

// The undo record of a later save: the archive's length and its bytes from the start of the central
// directory on (the directory and the end record: all that adding entries overwrites), under a CRC of the
// whole record. It is forced to the device before the archive changes and removed once the save is
// complete, so that a record found complete belongs to a save that may have changed the archive, and an
// incomplete one to a save that had not begun to.
struct Journal
{
    uint64_t length = 0;
    uint64_t cut = 0;
    std::string tail;
};

constexpr char kJournalMagic[8] = {'Z', 'T', 'J', 'R', 'N', 'L', '0', '1'};
constexpr unsigned kJournalHead = 24;        // magic, length, cut
constexpr uint64_t kLongestTail = 64u << 20; // a directory of 65535 long names and then some

void Put64(std::string& out, uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint64_t Get64(const char* in)
{
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(in[i]);
    return value;
}

uint32_t Crc(const std::string& bytes)
{
    return zipcrc::Update(0, bytes.data(), bytes.size());
}

// The journal of archive as it is now, to be changed from cut on.
Journal TakeTail(const std::string& archive, uint64_t cut)
{
    CFile file(archive, CFile::modeRead | CFile::shareDenyNone);
    Journal journal;
    journal.length = file.GetLength();
    journal.cut = cut;
    if (cut > journal.length || journal.length - cut > kLongestTail)
        throw CZipException(ZipErrorBadZipFile, archive);
    journal.tail.resize(static_cast<size_t>(journal.length - cut));
    file.Seek(static_cast<int64_t>(cut), CFile::begin);
    if (file.Read(journal.tail.data(), static_cast<unsigned>(journal.tail.size())) != journal.tail.size())
        throw CZipException(ZipErrorBadZipFile, archive);
    return journal;
}

// Writes the record into the (empty) journal file at path and forces it to the device.
void WriteJournal(const std::string& path, const Journal& journal)
{
    std::string record(kJournalMagic, sizeof kJournalMagic);
    Put64(record, journal.length);
    Put64(record, journal.cut);
    record += journal.tail;
    const uint32_t crc = Crc(record);
    for (int i = 0; i < 4; ++i)
        record += static_cast<char>((crc >> (8 * i)) & 0xFF);
    CFile file(path, CFile::modeWrite | CFile::shareDenyWrite);
    file.Write(record.data(), static_cast<unsigned>(record.size()));
    file.Flush();
    file.Close();
}

// The record of the journal file at path when it is complete and intact; false for anything else (a
// journal cut short by a kill, or another temporary of the archive).
bool ReadJournal(const std::string& path, Journal& journal)
{
    CFile file(path, CFile::modeRead | CFile::shareDenyNone);
    const uint64_t size = file.GetLength();
    std::string record(kJournalHead, '\0');
    if (size < kJournalHead + 4 || size - kJournalHead - 4 > kLongestTail ||
        file.Read(record.data(), kJournalHead) != kJournalHead ||
        std::memcmp(record.data(), kJournalMagic, sizeof kJournalMagic) != 0)
        return false;
    journal.length = Get64(record.data() + 8);
    journal.cut = Get64(record.data() + 16);
    const uint64_t tailSize = size - kJournalHead - 4;
    if (journal.cut > journal.length || journal.length - journal.cut != tailSize)
        return false;
    record.resize(static_cast<size_t>(size));
    if (file.Read(record.data() + kJournalHead, static_cast<unsigned>(size - kJournalHead)) !=
        size - kJournalHead)
        return false;
    uint32_t stored = 0;
    for (int i = 3; i >= 0; --i)
        stored =
            (stored << 8) | static_cast<unsigned char>(record[record.size() - 4 + static_cast<size_t>(i)]);
    record.resize(record.size() - 4);
    if (Crc(record) != stored)
        return false;
    journal.tail = record.substr(kJournalHead);
    return true;
}

// Cuts archive back to the journal's cut, writes the tail there and forces it to the device: the archive
// is then byte for byte as the journal found it. An archive shorter than the cut is not the one the
// journal was taken of (it was replaced since): it is left alone, as is an absent one.
void PutBack(const std::string& archive, const Journal& journal)
{
    CFile file;
    CFileException error;
    // Others are kept out by the hold on the archive, which stands beside this open on Windows too.
    if (!file.Open(archive, CFile::modeReadWrite | CFile::shareDenyWrite, &error)) {
        if (error.m_cause == CFileException::fileNotFound)
            return;
        throw error;
    }
    if (file.GetLength() < journal.cut)
        return;
    file.SetLength(journal.cut);
    file.Seek(static_cast<int64_t>(journal.cut), CFile::begin);
    file.Write(journal.tail.data(), static_cast<unsigned>(journal.tail.size()));
    file.Flush();
    file.Close();
}

// Opens the archive into holder and holds it there, so that no other save, in this program or another,
// and no put-back changes it until holder closes. False when there is no archive. Another holder is
// refused at once, in the words of the share mode's refusal on Windows: the user can save again once the
// other program is done, where waiting would freeze the window for as long as the other save takes.
bool HoldArchive(CFile& holder, const std::string& archive)
{
    CFileException error;
    if (!holder.Open(archive, CFile::modeRead | CFile::shareDenyNone, &error)) {
        if (error.m_cause == CFileException::fileNotFound)
            return false;
        throw error;
    }
    if (!holder.Hold())
        throw CFileException(CFileException::sharingViolation, 0, archive);
    return true;
}

// UndoKilledSave, its caller holding the archive (or there being none).
void UndoKilledSaveHeld(const std::string& archivePath)
{
    std::exception_ptr failure;
    RemoveStaleTempFiles({archivePath}, [&](const std::string& path) {
        try {
            AsArchive({path}, archivePath, [&] {
                Journal journal;
                if (ReadJournal(path, journal))
                    PutBack(archivePath, journal);
            });
            return true;
        } catch (...) {
            // Kept for a later attempt: without it the archive could not be put back any more.
            if (!failure)
                failure = std::current_exception();
            return false;
        }
    });
    if (failure)
        std::rethrow_exception(failure);
}

// The entry's name when it is a file outside any folder, else empty.
std::string TopLevelFileName(const CZipEntryHeader& header)
{
    if (header.IsFolder())
        return std::string();
    std::string name = CZipPathParts(header.GetName()).GetPathWithoutDrive();
    while (!name.empty() && CZipPathParts::IsSeparator(name.front()))
        name.erase(0, 1);
    for (char c : name)
        if (CZipPathParts::IsSeparator(c))
            return std::string();
    return name;
}

// Copies entry index of source to the end of target under name, through its plain data, so that the
// CRC is checked on the way. False when target refuses a new entry.
bool CopyEntry(CZipContainer& source, int index, const std::string& name, CZipContainer& target)
{
    CZipEntryHeader from;
    source.GetEntryInfo(index, from);
    CZipEntryHeader entry;
    entry.SetName(name);
    entry.SetHostSystem(target.GetHostSystem());
    // The attributes the file would have had on disk after unpacking.
    entry.StoreAttributes(
        (from.GetAttributes() & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) |
        FILE_ATTRIBUTE_ARCHIVE);
    entry.m_uDosTime = from.m_uDosTime;
    entry.m_uDosDate = from.m_uDosDate;
    if (!source.BeginEntryRead(index))
        throw CZipException(ZipErrorBadZipFile, source.GetArchivePath());
    if (!target.BeginEntryWrite(entry, from.m_uPlainSize < kStoreBelow ? 0 : -1))
        return false;
    std::vector<char> buffer(kBufferSize);
    unsigned n;
    do {
        n = source.ReadEntryData(buffer.data(), kBufferSize);
        target.WriteEntryData(buffer.data(), n);
    } while (n == kBufferSize);
    if (source.EndEntryRead() != 1)
        throw CZipException(ZipErrorBadZipFile, source.GetArchivePath());
    target.EndEntryWrite();
    return true;
}

} // namespace

CTransferArchive::CTransferArchive(std::string saveFolder) : m_strSaveFolder(std::move(saveFolder)) {}

std::string CTransferArchive::GetPath() const
{
    return m_strSaveFolder + "VMRNames.zip";
}

bool CTransferArchive::Exists() const
{
    return FileExists(GetPath());
}

void CTransferArchive::RemoveStaleTemporaries() const
{
    UndoKilledSave(GetPath());
}

bool CTransferArchive::AdoptPackage(CTempFile& package)
{
    const std::string archive = GetPath();
    CNamePackage::Verify(package.GetPath());
    if (package.MoveIntoEmptyPlace())
        return true;
    const CFileException refused = CFileException::FromLastOsError(archive);
    // Another program's save made the archive meanwhile, and may be adding to it: replacing it would
    // lose its names and the writes of a save still running. The package joins it in turn instead.
    if (!Exists())
        throw refused;
    return AddPackage(package.GetPath());
}

void CTransferArchive::UndoKilledSave(const std::string& archivePath)
{
    CFile holder;
    HoldArchive(holder, archivePath);
    UndoKilledSaveHeld(archivePath);
}

bool CTransferArchive::AddPackage(const std::string& packagePath)
{
    const std::string archive = GetPath();
    // Held from before the directory is read until the journal is gone: a save that read the directory
    // another was replacing would write its entries over the other's.
    CFile holder;
    if (HoldArchive(holder, archive))
        // A save killed since this one began would have its journal put back over these entries.
        UndoKilledSaveHeld(archive);
    CZipContainer package;
    package.OpenArchive(packagePath, CZipContainer::OpenReadOnly);
    CTempFile journalFile;
    if (!journalFile.Create(archive))
        throw CFileException::FromLastOsError(archive);
    const std::string journalPath = journalFile.GetPath();
    return AsArchive({journalPath}, archive, [&] {
        // Opening reads the directory and changes nothing; the first entry added cuts the directory off.
        CZipContainer target;
        target.OpenArchive(archive, CZipContainer::OpenExisting);
        const Journal journal = TakeTail(archive, target.GetDirectoryOffset());
        WriteJournal(journalPath, journal);
        // The container puts back what it changed as it closes after an error; the journal puts back
        // the rest to the byte, or stays for the next reader of the archive when even that fails.
        const auto undo = [&] {
            try {
                target.CloseArchive(CZipContainer::AfterErrorNoWrite);
            } catch (...) {
            }
            try {
                PutBack(archive, journal);
            } catch (...) {
                journalFile.Abandon();
                return;
            }
            journalFile.Remove();
        };
        bool added = true;
        try {
            for (int i = 0; added && i < package.EntryCount(); ++i) {
                CZipEntryHeader header;
                package.GetEntryInfo(i, header);
                const std::string name = TopLevelFileName(header);
                added = name.empty() || CopyEntry(package, i, name, target);
            }
            if (added)
                target.CloseArchive();
        } catch (...) {
            undo();
            throw;
        }
        if (!added) {
            undo();
            return false;
        }
        package.CloseArchive();
        // The save is done once its journal is gone; a journal that will not go would undo it later.
        if (!DeleteFile(journalPath)) {
            const CFileException refused = CFileException::FromLastOsError(archive);
            undo();
            throw refused;
        }
        journalFile.Remove();
        return true;
    });
}
