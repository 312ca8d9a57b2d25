// Arbitrary bytes as a file given to `brindlewarbler ... --state FILE`: reading must end in a
// clean refusal (CCliError) or in a record whose entries write back and read again the same,
// and that the module's own chunk reader reads entry for entry alike (the command refuses
// what the module would read differently).
#include "AAX_CChunkDataParser.h"
#include "CStateRecord.h"
#include "CliError.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void PutBigEndian(std::vector<unsigned char>& out, uint64_t value, int nBytes)
{
    for (int i = nBytes - 1; i >= 0; --i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void PutLittleEndian32(std::vector<unsigned char>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void PadTo4(std::vector<unsigned char>& out, size_t nStart)
{
    while ((out.size() - nStart) % 4 != 0)
        out.push_back(0);
}

// The record laid out again from its decoded fields, with zero padding.
std::vector<unsigned char> Encode(const SStateRecord& r)
{
    std::vector<unsigned char> data = {1, 1, 1, 1};
    for (const SStateEntry& e : r.m_Entries) {
        data.push_back(static_cast<unsigned char>(e.m_cType));
        data.push_back('_');
        data.insert(data.end(), e.m_ID.begin(), e.m_ID.end());
        data.push_back(0);
        PadTo4(data, 0);
        switch (e.m_cType) {
        case 'd': {
            uint64_t bits;
            std::memcpy(&bits, &e.m_fNumber, 8);
            PutBigEndian(data, bits, 8);
            break;
        }
        case 'f': {
            const float f = float(e.m_fNumber);
            uint32_t bits;
            std::memcpy(&bits, &f, 4);
            PutBigEndian(data, bits, 4);
            break;
        }
        case 'l': PutBigEndian(data, uint32_t(int32_t(e.m_fNumber)), 4); break;
        case 's':
            PutBigEndian(data, uint16_t(int16_t(e.m_fNumber)), 2);
            PutBigEndian(data, 0, 2);
            break;
        case 'r':
            data.insert(data.end(), e.m_Text.begin(), e.m_Text.end());
            data.push_back(0);
            PadTo4(data, 0);
            break;
        default: std::abort();
        }
    }
    std::vector<unsigned char> out;
    PutLittleEndian32(out, uint32_t(data.size()));
    PutLittleEndian32(out, uint32_t(r.m_nVersion));
    PutLittleEndian32(out, r.m_nManufacturerID);
    PutLittleEndian32(out, r.m_nProductID);
    PutLittleEndian32(out, r.m_nPlugInID);
    PutLittleEndian32(out, r.m_nChunkID);
    const size_t nName = out.size();
    out.insert(out.end(), r.m_Name.begin(), r.m_Name.end());
    out.resize(nName + 32, 0);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

bool SameNumber(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameEntries(const SStateRecord& a, const SStateRecord& b)
{
    if (a.m_Entries.size() != b.m_Entries.size())
        return false;
    for (size_t i = 0; i < a.m_Entries.size(); ++i) {
        const SStateEntry& x = a.m_Entries[i];
        const SStateEntry& y = b.m_Entries[i];
        if (x.m_cType != y.m_cType || x.m_ID != y.m_ID || !SameNumber(x.m_fNumber, y.m_fNumber) || x.m_Text != y.m_Text)
            return false;
    }
    return a.m_nVersion == b.m_nVersion && a.m_nManufacturerID == b.m_nManufacturerID &&
           a.m_nProductID == b.m_nProductID && a.m_nPlugInID == b.m_nPlugInID && a.m_nChunkID == b.m_nChunkID &&
           a.m_Name == b.m_Name;
}

// The module's reader on the same bytes finds the same entries with the same values.
void CheckModuleReadsAlike(const SStateRecord& r)
{
    // Copied to aligned storage of exactly the record's size.
    std::vector<unsigned char> bytes = r.m_Bytes;
    AAX_CChunkDataParser parser;
    parser.LoadChunk(reinterpret_cast<const AAX_SPlugInChunk*>(bytes.data()), uint32_t(bytes.size()));
    const auto& entries = parser.Entries();
    if (entries.size() != r.m_Entries.size())
        std::abort();
    for (size_t i = 0; i < entries.size(); ++i) {
        const SStateEntry& e = r.m_Entries[i];
        const AAX_CChunkDataParser::ChunkDataValue& m = entries[i];
        if (m.m_Name.StdString() != e.m_ID)
            std::abort();
        bool bSame = false;
        switch (e.m_cType) {
        case 'd': bSame = m.m_nType == AAX_CChunkDataParser::kType_Double && SameNumber(m.m_Number.m_d, e.m_fNumber); break;
        case 'f': bSame = m.m_nType == AAX_CChunkDataParser::kType_Float && SameNumber(double(m.m_Number.m_f), e.m_fNumber); break;
        case 'l': bSame = m.m_nType == AAX_CChunkDataParser::kType_Int32 && double(m.m_Number.m_n) == e.m_fNumber; break;
        case 's': bSame = m.m_nType == AAX_CChunkDataParser::kType_Int16 && double(m.m_Number.m_s) == e.m_fNumber; break;
        case 'r': bSame = m.m_nType == AAX_CChunkDataParser::kType_String && m.m_Text.StdString() == e.m_Text; break;
        }
        if (!bSame)
            std::abort();
    }
}

// The bytes as a regular file, read through the command's file reader.
SStateRecord ReadThroughFile(const uint8_t* pData, size_t nSize)
{
    static const int s_nFile = memfd_create("state", 0);
    if (s_nFile < 0 || ftruncate(s_nFile, 0) != 0 || pwrite(s_nFile, pData, nSize, 0) != ssize_t(nSize))
        std::abort();
    static const std::string s_Path = "/proc/self/fd/" + std::to_string(s_nFile);
    return ReadStateFile(s_Path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    SStateRecord record;
    try {
        record = ReadThroughFile(pData, nSize);
    } catch (const CCliError& e) {
        if (std::strlen(e.what()) == 0)
            std::abort();
        return 0;  // refused, with a reason
    }
    if (record.m_Bytes != std::vector<unsigned char>(pData, pData + nSize) || record.m_nChunkID != kStateChunkID)
        std::abort();
    for (const SStateEntry& e : record.m_Entries)
        if (!std::isfinite(e.m_fNumber) || e.m_ID.empty())
            std::abort();
    CheckModuleReadsAlike(record);

    const std::vector<unsigned char> encoded = Encode(record);
    if (encoded.size() != record.m_Bytes.size())
        std::abort();  // same layout, only the padding bytes may differ
    const SStateRecord again = DecodeStateRecord(encoded, "re-encoded");
    if (!SameEntries(record, again))
        std::abort();
    return 0;
}
