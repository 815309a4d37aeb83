// The transfer archive VMRNames.zip of a save folder, changed all or nothing.
#pragma once

#include <string>

// Every change is made on a file beside the archive and moved over it only once complete, so after
// any failure (download, a package or archive that does not read, a refused file, a full disk) the
// archive is absent, as before a first save, or holds exactly the names saved before.
class CTransferArchive
{
public:
    explicit CTransferArchive(std::string saveFolder);

    // Save folder + "VMRNames.zip".
    std::string GetPath() const;
    bool Exists() const;

    // Makes a downloaded package (a file beside the archive) the archive. A package that is not a
    // readable archive is deleted and its ZIP error travels on; the archive stays absent.
    void AdoptPackage(const std::string& packagePath);

    // Adds every file of the staging folder (not its folders), in listing order, under its bare name
    // after the entries already there, then deletes the added files from the staging folder. False
    // when the component refuses a file: then the archive and the staging folder stay as they were.
    // ZIP and file errors travel on, likewise leaving both unchanged.
    bool AddStagedFiles(const std::string& stagingFolder);

private:
    std::string m_strSaveFolder;
};
