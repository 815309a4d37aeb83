// A hidden, uniquely named file beside the file it is to become, locked for as long as it is ours.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

    // Renames the file over the target in one step (a folder there is refused). False with errno set
    // when it cannot be moved; the file is then still ours and removed later.
    bool MoveIntoPlace();
    // Removes the file now (nothing when there is none).
    void Remove();

private:
    void Release();

    std::string m_strPath;
    std::string m_strTarget;
    std::intptr_t m_hLock = -1; // the open file that holds the lock (a descriptor, or a handle on Windows)
};

// Removes the temporaries of the given targets (".<name>.~XXXXXX" beside each) that no CTempFile of
// any running instance holds: those a killed run left behind. Each folder is listed once. Gives the
// number removed.
int RemoveStaleTempFiles(const std::vector<std::string>& targets);
