// Arbitrary bytes as a file given to `brindlewarbler ... --state FILE`: reading must end in a
// clean refusal (CCliError) or in a record that the module's own chunk reader reads entry for
// entry alike (the command refuses what the module would read differently).
#include "AAX_CChunkDataParser.h"
#include "CStateRecord.h"
#include "CliError.h"

#include <sys/mman.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool SameNumber(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // The bytes as a regular file, read through the command's file reader.
    static const int s_nFile = memfd_create("state", 0);
    static const std::string s_Path = "/proc/self/fd/" + std::to_string(s_nFile);
    if (s_nFile < 0 || ftruncate(s_nFile, 0) != 0 || pwrite(s_nFile, pData, nSize, 0) != ssize_t(nSize))
        std::abort();
    SStateRecord record;
    try {
        record = ReadStateFile(s_Path);
    } catch (const CCliError& e) {
        if (e.what()[0] == 0)
            std::abort();
        return 0;  // refused, with a reason
    }
    if (record.m_Bytes != std::vector<unsigned char>(pData, pData + nSize) || record.m_nChunkID != kStateChunkID)
        std::abort();
    for (const SStateEntry& e : record.m_Entries)
        if (!std::isfinite(e.m_fNumber) || e.m_ID.empty())
            std::abort();
    CheckModuleReadsAlike(record);
    return 0;
}
