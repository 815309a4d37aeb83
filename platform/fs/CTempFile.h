// A hidden, uniquely named file beside the file it is to become, locked for as long as it is ours.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/fs/CFileException.h"

// The file ".<target name>.~XXXXXX" is created exclusively in the target's folder (an existing name,
// a planted link included, is never opened) with the mode a new file gets, and an advisory lock on it
// is held while the object lives, so that RemoveStaleTempFiles of this or another running instance
// leaves it alone. Unless moved into place it is removed when the object goes.
class CTempFile
{
public:
    CTempFile() = default;
    ~CTempFile();
    CTempFile(CTempFile&& other) noexcept;
    CTempFile& operator=(CTempFile&& other) noexcept;
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    // Makes the file for target (a Windows-form path). False with errno set when it cannot be made;
    // an object already holding a file removes it first.
    bool Create(const std::string& target);
    bool IsCreated() const { return !m_strPath.empty(); }
    // Windows-form paths of the temporary file and of the file it stands for.
    const std::string& GetPath() const { return m_strPath; }
    const std::string& GetTarget() const { return m_strTarget; }

    // The read-only, hidden and system marks the file takes once it is in place (none unless set). They
    // wait for the move: on Windows a read-only temporary could not be replaced or removed, and a hidden
    // one not rewritten.
    void SetPlacedAttributes(uint32_t attributes) { m_placedAttributes = attributes; }

    // Renames the file over the target in one step (a folder there is refused) and gives it its placed
    // marks. False with LastOsError() set when it cannot be moved; the file is then still ours and
    // removed later.
    bool MoveIntoPlace();
    // The same where no file is at the target; one there is left alone (false, with the system's error for
    // an existing file), even one that came in a moment ago.
    bool MoveIntoEmptyPlace();

    // Moves every created file of files over its target, in order, all or nothing. A target that exists
    // is first kept under a second name beside it, so that when a later move is refused (the file is in
    // use by another program, the disk is full) every target already replaced gets its old file back.
    // Throws CFileException naming the target that refused; every target is then as it was before, and
    // what was moved is gone again (the temporaries not moved stay with their objects).
    static void MoveAllIntoPlace(std::vector<CTempFile>& files);
    // Lets go of the lock and the open file it is held through; the file stays ours, moved into place or
    // removed with the object, so that a command staging many files holds a bounded number open. A
    // clean-up by another instance running at the same moment may then take it for a killed run's: the
    // move into place is then refused, and with it the whole command.
    void ReleaseLock();
    // Removes the file now (nothing when there is none).
    void Remove();
    // Lets go of the file and its lock and leaves the file where it is, no longer ours: the sweep of a
    // later run (RemoveStaleTempFiles) finds it as a killed run's.
    void Abandon();

private:
    // The backend's rename over the target, or only to a free target; releases the file on success.
    bool Move(bool replace = true);
    void Release();

    std::string m_strPath;
    std::string m_strTarget;
    std::intptr_t m_hLock = -1; // the open file that holds the lock (a descriptor, or a handle on Windows)
    uint32_t m_placedAttributes = 0;
};

// Gives the existing file at path a second, hidden and unique name beside it, with the stem of its
// temporaries (so that a killed run's copy is swept): a hard link where the file system has them, else
// the file itself moves there. False with LastOsError() set when neither can be done.
bool KeepAside(const std::string& path, std::string& kept);

// Removes the temporaries of the given targets (".<name>.~XXXXXX" beside each) that no CTempFile of
// any running instance holds: those a killed run left behind, whatever marks they carry. Each folder
// is listed once. Gives the number removed.
int RemoveStaleTempFiles(const std::vector<std::string>& targets);
// The same, showing each stale temporary (its Windows-form path) to settle first, while the lock on it is
// held, so that what it records can be acted on before it goes; it is removed only when settle returns
// true. settle must not throw.
int RemoveStaleTempFiles(const std::vector<std::string>& targets,
                         const std::function<bool(const std::string& path)>& settle);
