// What folder listings do the same on both systems: walking the listed entries and reading them.
#include "platform/fs/CFileFind.h"

#include "platform/fs/FileSystem.h"

bool CFileFind::FindNextFile()
{
    if (m_next >= m_entries.size())
        return false;
    ++m_next;
    return m_next < m_entries.size();
}

void CFileFind::Close()
{
    m_root.clear();
    m_hostFolder.clear();
    m_entries.clear();
    m_next = 0;
}

const CFileFind::Entry* CFileFind::Current() const
{
    return m_next == 0 ? nullptr : &m_entries[m_next - 1];
}

std::string CFileFind::GetFileName() const
{
    const Entry* entry = Current();
    return entry ? entry->name : std::string();
}

std::string CFileFind::GetFilePath() const
{
    const Entry* entry = Current();
    return entry ? m_root + entry->name : std::string();
}

std::string CFileFind::GetRoot() const
{
    return m_root;
}

bool CFileFind::IsDots() const
{
    const Entry* entry = Current();
    return entry && (entry->name == "." || entry->name == "..");
}

bool CFileFind::IsHidden() const
{
    return (GetAttributes() & FILE_ATTRIBUTE_HIDDEN) != 0;
}

bool CFileFind::IsReadOnly() const
{
    return (GetAttributes() & FILE_ATTRIBUTE_READONLY) != 0;
}

bool CFileFind::IsArchived() const
{
    return (GetAttributes() & FILE_ATTRIBUTE_ARCHIVE) != 0;
}
