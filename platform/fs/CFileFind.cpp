// What folder listings do the same on both systems: walking the listed entries and reading them.
#include "platform/fs/CFileFind.h"

#include "platform/fs/detail/FsBackend.h"

CFileFind::CFileFind() : m_impl(std::make_unique<Impl>()) {}

CFileFind::~CFileFind() = default;

bool CFileFind::FindNextFile()
{
    if (m_impl->next >= m_impl->entries.size())
        return false;
    ++m_impl->next;
    return m_impl->next < m_impl->entries.size();
}

void CFileFind::Close()
{
    *m_impl = Impl();
}

std::string CFileFind::GetFileName() const
{
    const Impl::Entry* entry = m_impl->Current();
    return entry ? entry->name : std::string();
}

std::string CFileFind::GetFilePath() const
{
    const Impl::Entry* entry = m_impl->Current();
    return entry ? m_impl->root + entry->name : std::string();
}

std::string CFileFind::GetRoot() const
{
    return m_impl->root;
}

bool CFileFind::IsDots() const
{
    const Impl::Entry* entry = m_impl->Current();
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
