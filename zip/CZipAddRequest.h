// What to add to an archive and how: source, name, level, smart flags, replace index, buffer size.
#pragma once

#include <string>

class CZipFileBase;

struct CZipAddRequest
{
    // Bits of smartFlags.
    enum : int {
        SmartPlainFolders = 1,    // a folder is added unencrypted even with a password
        SmartPlainEmptyFiles = 2, // an empty file likewise
        SmartStoreSmall = 4,      // a file shorter than 5 bytes is stored
        SmartCheckEfficiency = 8, // re-add stored when compressing did not shrink the data
        SmartTrialInMemory = 16,  // with bit 3: trial copy in memory
        SmartDefault = 7,
        SmartInternalMarker = 0xF000,
    };
    static constexpr int kAppend = -1;
    static constexpr int kReplaceByName = -2;

    std::string m_strSourcePath;
    std::string m_strNameInArchive; // empty: derived from the path
    bool m_bKeepPath = true;
    int m_iLevel = -1;
    int smartFlags = SmartDefault;
    int m_iReplaceIndex = kAppend;
    unsigned m_uBufferSize = 65536;
    CZipFileBase* m_pSourceFile = nullptr; // a caller's source object instead of the path (not used)
};
