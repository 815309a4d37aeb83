// Reading, writing and checking the local and central records of one entry.
#include "zip/CZipEntryHeader.h"

#include <algorithm>
#include <cstring>

#include "platform/codepage/CodePage.h"
#include "zip/CZipBackingStore.h"
#include "zip/CZipException.h"
#include "zip/ZipBytes.h"
#include "zip/ZipConvert.h"

using namespace zipbytes;

CZipEntryHeader::~CZipEntryHeader() = default;

void CZipEntryHeader::SetHostSystem(int system)
{
    m_uMadeBy = static_cast<uint16_t>((m_uMadeBy & 0xFF) | ((system & 0xFF) << 8));
}

uint32_t CZipEntryHeader::GetAttributes() const
{
    const std::string name = GetName();
    const bool endsWithSeparator = !name.empty() && (name.back() == '\\' || name.back() == '/');
    const int system = GetHostSystem();
    if (zipconv::IsKnownSystem(system)) {
        if (m_uExternal == 0 && endsWithSeparator)
            return kFolderDefault;
        return zipconv::ConvertAttributes(m_uExternal, system, zipconv::kSystemDos);
    }
    return endsWithSeparator ? kFolderDefault : kFileDefault;
}

void CZipEntryHeader::StoreAttributes(uint32_t attributes)
{
    const uint32_t combined =
        attributes | zipconv::ConvertAttributes(attributes, zipconv::kSystemDos, zipconv::kSystemUnix);
    m_uExternal = zipconv::ConvertAttributes(combined, zipconv::kSystemDos, GetHostSystem());
}

std::time_t CZipEntryHeader::GetTime() const
{
    return zipconv::DosToTime(m_uDosTime, m_uDosDate);
}

void CZipEntryHeader::SetTime(std::time_t time)
{
    zipconv::TimeToDos(time, m_uDosTime, m_uDosDate);
}

size_t CZipEntryHeader::ReadCentral(const char* data, size_t size, const std::string& path)
{
    if (size < kCentralSize || Get32(data) != kCentralSignature)
        throw CZipException(ZipErrorBadZipFile, path);
    const char* record = data;
    m_uSignature = kCentralSignature;
    m_uMadeBy = Get16(record + 4);
    m_uNeeded = Get16(record + 6);
    m_uFlags = Get16(record + 8);
    m_uMethod = Get16(record + 10);
    m_uDosTime = Get16(record + 12);
    m_uDosDate = Get16(record + 14);
    m_uCrc = Get32(record + 16);
    m_uPackedSize = Get32(record + 20);
    m_uPlainSize = Get32(record + 24);
    const uint16_t nameSize = Get16(record + 28);
    const uint16_t extraSize = Get16(record + 30);
    const uint16_t commentSize = Get16(record + 32);
    m_uStartDisk = Get16(record + 34);
    m_uInternal = Get16(record + 36);
    m_uExternal = Get32(record + 38);
    m_uLocalOffset = Get32(record + 42);

    const size_t rest = size_t(nameSize) + extraSize + commentSize;
    if (size - kCentralSize < rest)
        throw CZipException(ZipErrorBadZipFile, path);
    const char* tail = data + kCentralSize;
    m_storedName.Assign(tail, nameSize);
    m_name = m_storedName;
    m_extra.Assign(tail + nameSize, extraSize);
    m_comment.Assign(tail + nameSize + extraSize, commentSize);
    return kCentralSize + rest;
}

unsigned CZipEntryHeader::WriteCentral(CZipBackingStore& store) const
{
    const unsigned size =
        kCentralSize + unsigned(m_storedName.Size()) + unsigned(m_extra.Size()) + unsigned(m_comment.Size());
    CZipBuffer record(size);
    char* p = record.Data();
    Put32(p, kCentralSignature);
    Put16(p + 4, m_uMadeBy);
    Put16(p + 6, m_uNeeded);
    Put16(p + 8, m_uFlags);
    Put16(p + 10, m_uMethod);
    Put16(p + 12, m_uDosTime);
    Put16(p + 14, m_uDosDate);
    Put32(p + 16, m_uCrc);
    Put32(p + 20, m_uPackedSize);
    Put32(p + 24, m_uPlainSize);
    Put16(p + 28, static_cast<uint16_t>(m_storedName.Size()));
    Put16(p + 30, static_cast<uint16_t>(m_extra.Size()));
    Put16(p + 32, static_cast<uint16_t>(m_comment.Size()));
    Put16(p + 34, m_uStartDisk);
    Put16(p + 36, m_uInternal);
    Put32(p + 38, m_uExternal);
    Put32(p + 42, m_uLocalOffset);
    p += kCentralSize;
    for (const CZipBuffer* part : {&m_storedName, &m_extra, &m_comment}) {
        if (part->Size() > 0)
            std::memcpy(p, part->Data(), part->Size());
        p += part->Size();
    }
    store.Write(record.Data(), size);
    return size;
}

void CZipEntryHeader::WriteLocal(CZipBackingStore& store) const
{
    const unsigned size = kLocalSize + unsigned(m_storedName.Size()) + unsigned(m_extra.Size());
    CZipBuffer record(size);
    char* p = record.Data();
    Put32(p, kLocalSignature);
    Put16(p + 4, m_uNeeded);
    Put16(p + 6, m_uFlags);
    Put16(p + 8, m_uMethod);
    Put16(p + 10, m_uDosTime);
    Put16(p + 12, m_uDosDate);
    Put32(p + 14, m_uCrc);
    Put32(p + 18, m_uPackedSize);
    Put32(p + 22, m_uPlainSize);
    Put16(p + 26, static_cast<uint16_t>(m_storedName.Size()));
    Put16(p + 28, static_cast<uint16_t>(m_extra.Size()));
    if (m_storedName.Size() > 0)
        std::memcpy(p + kLocalSize, m_storedName.Data(), m_storedName.Size());
    if (m_extra.Size() > 0)
        std::memcpy(p + kLocalSize + m_storedName.Size(), m_extra.Data(), m_extra.Size());
    store.Write(record.Data(), size);
}

void CZipEntryHeader::CheckLocal(CZipBackingStore& store, CZipBuffer& localExtra)
{
    char record[kLocalSize];
    store.Read(record, kLocalSize);
    const uint16_t flags = Get16(record + 6);
    const uint16_t method = Get16(record + 8);
    const uint16_t nameSize = Get16(record + 26);
    const uint16_t extraSize = Get16(record + 28);
    bool ok = Get32(record) == kLocalSignature && method == m_uMethod &&
              (method == kMethodStored || method == kMethodDeflated) && nameSize == m_storedName.Size();
    if (ok && !(flags & kFlagDescriptor))
        ok = Get32(record + 14) == m_uCrc && Get32(record + 18) == m_uPackedSize &&
             Get32(record + 22) == m_uPlainSize;
    if (!ok)
        throw CZipException(ZipErrorBadZipFile, store.GetFilePath());
    if ((flags & 0xF) != (m_uFlags & 0xF))
        m_uFlags = flags;
    // Skip the name, keep the extra field (not interpreted).
    const uint64_t afterName = store.GetPosition() + nameSize;
    store.Seek(afterName);
    localExtra.Allocate(extraSize);
    store.Read(localExtra.Data(), extraSize);
}

void CZipEntryHeader::CheckDescriptor(CZipBackingStore& store) const
{
    char bytes[16];
    store.Read(bytes, 4);
    unsigned start = 0;
    if (Get32(bytes) == kDescriptorSignature) {
        store.Read(bytes + 4, 12);
        start = 4;
    } else {
        store.Read(bytes + 4, 8);
    }
    const char* fields = bytes + start;
    if (Get32(fields) != m_uCrc || Get32(fields + 4) != m_uPackedSize || Get32(fields + 8) != m_uPlainSize)
        throw CZipException(ZipErrorBadZipFile, store.GetFilePath());
}

namespace {

bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

void CZipEntryHeader::ConvertNameToArchive()
{
    std::string name = GetName();
    std::replace(name.begin(), name.end(), '\\', '/');
    std::string utf8;
    // Flag bit 11 only where it tells a reader something, and never on bytes that are not UTF-8: a flag
    // that lies makes strict readers refuse the whole archive.
    if (!IsAscii(name) && codepage::AnsiToUtf8(name, utf8) && codepage::IsUtf8(utf8)) {
        name = utf8;
        m_uFlags |= kFlagUtf8Name;
    } else {
        m_uFlags &= static_cast<uint16_t>(~kFlagUtf8Name);
    }
    m_storedName.Assign(name);
}

void CZipEntryHeader::ConvertNameFromArchive(bool oemConvert)
{
    std::string name = m_storedName.ToString();
    std::replace(name.begin(), name.end(), '/', '\\');
    std::string converted;
    if (m_uFlags & kFlagUtf8Name) {
        // CP437 gives every byte a character of its own: a broken name still extracts, the same on every
        // system, and stays apart from every other name.
        if (codepage::IsUtf8(name) ? codepage::Utf8ToAnsi(name, converted)
                                   : codepage::Cp437ToAnsi(name, converted))
            name = converted;
    } else if (GetHostSystem() == zipconv::kSystemDos && oemConvert) {
        if (codepage::OemToAnsi(name, converted))
            name = converted;
    }
    SetName(name);
}
