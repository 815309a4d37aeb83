// The transfer archive VMRNames.zip of a save folder, changed all or nothing.
#pragma once

#include <string>

class CTempFile;

// A first save moves a checked temporary into place; a later save adds to the archive where it lies,
// writing only the new entries and the directory, after an undo journal (a temporary of the archive) has
// reached the device. After any failure (a package or archive that does not read, a bad CRC, a full
// disk) the archive is put back byte for byte; a killed save leaves its journal, and the next reader of
// the archive puts it back (UndoKilledSave). Either way the archive is absent, as before a first save,
// or holds exactly the names saved before. Errors of the archive name the archive, never one of its
// temporaries; errors of a package name the package's path as given, for the caller to put in the
// user's terms. A save holds the archive from start to end: a second save, in this program or another,
// is refused at once with the error of a file in use, naming the archive.
class CTransferArchive
{
public:
    explicit CTransferArchive(std::string saveFolder);

    // Save folder + "VMRNames.zip".
    std::string GetPath() const;
    bool Exists() const;

    // UndoKilledSave for this archive: the temporaries that killed saves left are gone after it.
    void RemoveStaleTemporaries() const;

    // Puts the archive at archivePath back as it was before a save that a killed run left half done (its
    // complete journal, held by no running save) and removes the temporaries of the archive that killed
    // runs left. For whoever opens a transfer archive: a save, the install of saved names. A journal
    // whose archive cannot be put back is kept and the error travels, naming the archive.
    static void UndoKilledSave(const std::string& archivePath);

    // Makes a downloaded package, a temporary made beside the archive, the archive, after reading it
    // through. A package that does not read leaves the archive absent; its ZIP error, naming the package,
    // travels on. An archive another program made meanwhile is never replaced: the package is added to
    // it (AddPackage, whose result this gives).
    bool AdoptPackage(CTempFile& package);

    // Adds the files of the package (its entries that are files outside any folder) after the entries
    // already there, each under its own name with its time and attributes. False when the component
    // refuses an entry (the archive is full); ZIP and file errors travel on. Either way the archive
    // stays as it was unless every file was added. The cost is the package's and the directory's, never
    // the archive's.
    bool AddPackage(const std::string& packagePath);

private:
    std::string m_strSaveFolder;
};
