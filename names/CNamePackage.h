// Whole-archive steps of the name commands: unpack every entry, or read every entry as a check.
#pragma once

#include <string>

// Both open the archive for reading only and close it on every way out. Failures travel as the ZIP
// component's CZipException or the file layer's CFileException.
class CNamePackage
{
public:
    // Unpacks every entry below folder, each under its stored name with its folder part, all or
    // nothing: every file is written and checked beside its target first, and only when all are
    // complete are they moved into place, in index order (a later entry of the same name wins). On
    // any failure no file is replaced and no temporary stays (folders made for entries may remain).
    // An entry the component does not finish is raised as a damaged archive rather than passed over.
    // Temporaries that a killed run left beside the targets are removed first.
    static void ExtractAll(const std::string& archivePath, const std::string& folder);

    // Reads every entry to its end, checking each CRC, and writes nothing.
    static void Verify(const std::string& archivePath);
};
