// The transfer archive VMRNames.zip of a save folder, changed all or nothing.
#pragma once

#include <string>

class CTempFile;

// Every change is made on a temporary beside the archive and moved over it only once complete, so
// after any failure (a package or archive that does not read, a bad CRC, a full disk, a killed run)
// the archive is absent, as before a first save, or holds exactly the names saved before. Errors of the
// archive name the archive, never one of its temporaries; errors of a package name the package's path as
// given, for the caller to put in the user's terms.
class CTransferArchive
{
public:
    explicit CTransferArchive(std::string saveFolder);

    // Save folder + "VMRNames.zip".
    std::string GetPath() const;
    bool Exists() const;

    // Removes the temporaries of the archive that a killed save left and no running save holds.
    void RemoveStaleTemporaries() const;

    // Makes a downloaded package, a temporary made beside the archive, the archive, after reading it
    // through. A package that does not read leaves the archive absent; its ZIP error, naming the package,
    // travels on.
    void AdoptPackage(CTempFile& package);

    // Adds the files of the package (its entries that are files outside any folder) after the entries
    // already there, each under its own name with its time and attributes. False when the component
    // refuses an entry (the archive is full); ZIP and file errors travel on. Either way the archive
    // stays as it was unless every file was added.
    bool AddPackage(const std::string& packagePath);

private:
    std::string m_strSaveFolder;
};
