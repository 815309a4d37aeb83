// Whole-archive steps of the name commands: unpack every entry, or read every entry as a check.
#pragma once

#include <string>

// Both open the archive for reading only and close it on every way out. Failures travel as the ZIP
// component's CZipException or the file layer's CFileException.
class CNamePackage
{
public:
    // Unpacks every entry below folder in index order, each under its stored name with its folder
    // part. An entry the component does not finish (ExtractEntry false) is raised as a damaged
    // archive rather than passed over, so that a command never reports a partial install as done.
    static void ExtractAll(const std::string& archivePath, const std::string& folder);

    // Reads every entry to its end, checking each CRC, and writes nothing.
    static void Verify(const std::string& archivePath);
};
