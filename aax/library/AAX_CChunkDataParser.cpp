#include "AAX_CChunkDataParser.h"

#include "AAX_CHostServices.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

constexpr uint32_t kMarkerBytes = 4;
constexpr unsigned char kMarker = 0x01;

constexpr int64_t Round4(int64_t k) { return (k + 3) & ~int64_t(3); }

// Bytes of a value as the writer lays it out (without the padding after a string).
int64_t ValueBytes(const AAX_CChunkDataParser::ChunkDataValue& e)
{
    switch (e.m_nType) {
    case AAX_CChunkDataParser::kType_Float:
    case AAX_CChunkDataParser::kType_Int32:
        return 4;
    case AAX_CChunkDataParser::kType_Double:
        return 8;
    case AAX_CChunkDataParser::kType_Int16:
        return 2;
    case AAX_CChunkDataParser::kType_String:
        return int64_t(e.m_Text.Length()) + 1;
    default:
        return 0;
    }
}

const char* Tag(int32_t type)
{
    switch (type) {
    case AAX_CChunkDataParser::kType_Float: return "f_";
    case AAX_CChunkDataParser::kType_Int32: return "l_";
    case AAX_CChunkDataParser::kType_Double: return "d_";
    case AAX_CChunkDataParser::kType_Int16: return "s_";
    case AAX_CChunkDataParser::kType_String: return "r_";
    default: return nullptr;
    }
}

void PutBigEndian(unsigned char* p, uint64_t value, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        p[i] = static_cast<unsigned char>(value >> (8 * (nBytes - 1 - i)));
}

uint64_t GetBigEndian(const unsigned char* p, int nBytes)
{
    uint64_t value = 0;
    for (int i = 0; i < nBytes; ++i)
        value = (value << 8) | p[i];
    return value;
}

// Length of the NUL-terminated text at p within nAvailable bytes; -1 when no NUL is there.
int64_t BoundedLength(const unsigned char* p, int64_t nAvailable)
{
    const void* pNul = std::memchr(p, 0, size_t(nAvailable));
    return pNul ? static_cast<const unsigned char*>(pNul) - p : -1;
}

}  // namespace

void AAX_CChunkDataParser::AddDouble(const char* pName, double value)
{
    ChunkDataValue e;
    e.m_nType = kType_Double;
    e.m_Name = pName;
    e.m_Number.m_d = value;
    m_Entries.push_back(e);
}

void AAX_CChunkDataParser::AddInt32(const char* pName, int32_t value)
{
    ChunkDataValue e;
    e.m_nType = kType_Int32;
    e.m_Name = pName;
    e.m_Number.m_n = value;
    m_Entries.push_back(e);
}

void AAX_CChunkDataParser::AddString(const char* pName, const char* pValue)
{
    ChunkDataValue e;
    e.m_nType = kType_String;
    e.m_Name = pName;
    e.m_Text = pValue;
    m_Entries.push_back(e);
}

int32_t AAX_CChunkDataParser::FindIndex(const char* pName)
{
    if (!pName)
        return -1;
    const int32_t nCount = int32_t(m_Entries.size());
    int32_t nStart = m_nLastFoundIndex + 1;
    if (nStart >= nCount || nStart < 0)
        nStart = 0;
    for (int32_t k = 0; k < nCount; ++k) {
        const int32_t i = (nStart + k) % nCount;
        if (std::strcmp(m_Entries[size_t(i)].m_Name.Get(), pName) == 0) {
            m_nLastFoundIndex = i;
            return i;
        }
    }
    return -1;
}

bool AAX_CChunkDataParser::FindDouble(const char* pName, double* outValue)
{
    const int32_t i = FindIndex(pName);
    if (i < 0 || m_Entries[size_t(i)].m_nType != kType_Double)
        return false;
    if (outValue)
        *outValue = m_Entries[size_t(i)].m_Number.m_d;
    return true;
}

bool AAX_CChunkDataParser::FindInt32(const char* pName, int32_t* outValue)
{
    const int32_t i = FindIndex(pName);
    if (i < 0 || m_Entries[size_t(i)].m_nType != kType_Int32)
        return false;
    if (outValue)
        *outValue = m_Entries[size_t(i)].m_Number.m_n;
    return true;
}

bool AAX_CChunkDataParser::FindString(const char* pName, AAX_CString* outValue)
{
    const int32_t i = FindIndex(pName);
    if (i < 0 || m_Entries[size_t(i)].m_nType != kType_String)
        return false;
    if (outValue)
        *outValue = m_Entries[size_t(i)].m_Text;
    return true;
}

int32_t AAX_CChunkDataParser::GetChunkDataSize() const
{
    int64_t nSize = kMarkerBytes;
    for (const ChunkDataValue& e : m_Entries) {
        if (!Tag(e.m_nType))
            continue;  // entries read with an unknown tag have no value to write
        nSize += Round4(int64_t(e.m_Name.Length()) + 3);
        nSize += e.m_nType == kType_String ? Round4(ValueBytes(e)) : (e.m_nType == kType_Double ? 8 : 4);
        if (nSize > INT32_MAX)
            return -1;
    }
    return int32_t(nSize);
}

AAX_Result AAX_CChunkDataParser::GetChunkData(AAX_SPlugInChunk* chunk) const
{
    return GetChunkData(chunk, GetChunkDataSize());
}

AAX_Result AAX_CChunkDataParser::GetChunkData(AAX_SPlugInChunk* chunk, int32_t nDataBytes) const
{
    if (!chunk || nDataBytes < int32_t(kMarkerBytes))
        return AAX_RESULT_CHUNK_OVERFLOW;
    try {
        unsigned char* pData = AAX_ChunkData(chunk);
        const int64_t nSize = nDataBytes;
        std::memset(pData, 0, size_t(nSize));
        std::memset(pData, kMarker, kMarkerBytes);
        int64_t nPos = kMarkerBytes;
        for (const ChunkDataValue& e : m_Entries) {
            const char* pTag = Tag(e.m_nType);
            if (!pTag)
                continue;
            const int64_t nNameBytes = e.m_Name.Length();
            // The padding before the value counts too: without it a value could end past
            // the data area.
            if (Round4(nPos + 2 + nNameBytes + 1) + ValueBytes(e) > nSize)
                throw std::runtime_error("aborting: chunk data will overflow buffer");
            std::memcpy(pData + nPos, pTag, 2);
            std::memcpy(pData + nPos + 2, e.m_Name.Get(), size_t(nNameBytes) + 1);
            nPos = Round4(nPos + 2 + nNameBytes + 1);
            switch (e.m_nType) {
            case kType_Float: {
                uint32_t bits;
                std::memcpy(&bits, &e.m_Number.m_f, 4);
                PutBigEndian(pData + nPos, bits, 4);
                nPos += 4;
                break;
            }
            case kType_Int32:
                PutBigEndian(pData + nPos, uint32_t(e.m_Number.m_n), 4);
                nPos += 4;
                break;
            case kType_Double: {
                uint64_t bits;
                std::memcpy(&bits, &e.m_Number.m_d, 8);
                PutBigEndian(pData + nPos, bits, 8);
                nPos += 8;
                break;
            }
            case kType_Int16:
                PutBigEndian(pData + nPos, uint16_t(e.m_Number.m_s), 2);
                nPos += 4;
                break;
            case kType_String:
                std::memcpy(pData + nPos, e.m_Text.Get(), e.m_Text.Length() + size_t(1));
                nPos = Round4(nPos + e.m_Text.Length() + 1);
                break;
            }
        }
    } catch (const std::exception& ex) {
        AAX_CHostServices::Trace(AAX_eTracePriority_High, "AAX_CChunkDataParser::GetChunkData ERROR: %s", ex.what());
        return AAX_RESULT_CHUNK_OVERFLOW;
    } catch (...) {
        AAX_CHostServices::Trace(AAX_eTracePriority_High, "AAX_CChunkDataParser::GetChunkData ERROR: %s", "Unknown exception");
        return AAX_RESULT_CHUNK_OVERFLOW;
    }
    chunk->fSize = nDataBytes;
    return AAX_SUCCESS;
}

void AAX_CChunkDataParser::LoadChunk(const AAX_SPlugInChunk* chunk, uint32_t nRecordBytes)
{
    Clear();
    if (!chunk || nRecordBytes < sizeof(AAX_SPlugInChunkHeader))
        return;
    m_nChunkVersion = chunk->fVersion;

    // Never beyond the record, whatever its size field says.
    const int64_t nAvailable = int64_t(nRecordBytes) - int64_t(sizeof(AAX_SPlugInChunkHeader));
    const int64_t n = std::min<int64_t>(chunk->fSize, nAvailable);
    const unsigned char* pData = AAX_ChunkData(chunk);
    if (n < 5)
        return;
    for (uint32_t i = 0; i < kMarkerBytes; ++i)
        if (pData[i] != kMarker)
            return;

    int64_t nPos = kMarkerBytes;
    while (nPos < n) {
        const int64_t nNameLength = BoundedLength(pData + nPos, std::min<int64_t>(kMaxTaggedNameBytes, n - nPos));
        if (nNameLength < 0)
            return;  // no NUL inside the name window: unreadable from here on
        const char* pTagged = reinterpret_cast<const char*>(pData + nPos);
        ChunkDataValue e;
        e.m_Name = nNameLength >= 3 ? std::string(pTagged + 2, size_t(nNameLength - 2)) : std::string();
        const char cType = pTagged[0];
        nPos = Round4(nPos + nNameLength + 1);

        auto need = [&](int64_t nBytes) { return nPos + nBytes <= n; };
        switch (cType) {
        case 'd': {
            if (!need(8))
                return;
            const uint64_t bits = GetBigEndian(pData + nPos, 8);
            std::memcpy(&e.m_Number.m_d, &bits, 8);
            e.m_nType = kType_Double;
            nPos += 8;
            break;
        }
        case 'f': {
            if (!need(4))
                return;
            const uint32_t bits = uint32_t(GetBigEndian(pData + nPos, 4));
            std::memcpy(&e.m_Number.m_f, &bits, 4);
            e.m_nType = kType_Float;
            nPos += 4;
            break;
        }
        case 'l':
            if (!need(4))
                return;
            e.m_Number.m_n = int32_t(uint32_t(GetBigEndian(pData + nPos, 4)));
            e.m_nType = kType_Int32;
            nPos += 4;
            break;
        case 's':
            if (!need(2))
                return;
            e.m_Number.m_s = int16_t(uint16_t(GetBigEndian(pData + nPos, 2)));
            e.m_nType = kType_Int16;
            nPos += 4;
            break;
        case 'r': {
            if (!need(1))
                return;
            const int64_t nTextLength = BoundedLength(pData + nPos, n - nPos);
            if (nTextLength < 0)
                return;
            e.m_Text = std::string(reinterpret_cast<const char*>(pData + nPos), size_t(nTextLength));
            e.m_nType = kType_String;
            nPos = Round4(nPos + nTextLength + 1);
            break;
        }
        default:
            e.m_nType = kType_Unknown;
            break;
        }
        m_Entries.push_back(std::move(e));
    }
}

void AAX_CChunkDataParser::Clear()
{
    m_Entries.clear();
    m_nLastFoundIndex = -1;
    m_nChunkVersion = -1;
}
