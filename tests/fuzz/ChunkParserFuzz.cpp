// Arbitrary bytes as a state record: loading must never read outside it, and whatever it
// loaded must write back and load again to the same entries.
#include "AAX_CChunkDataParser.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // An exactly sized copy, so reading past the record trips the address sanitizer.
    std::vector<uint8_t> record(pData, pData + nSize);
    if (record.size() < sizeof(AAX_SPlugInChunkHeader))
        record.resize(sizeof(AAX_SPlugInChunkHeader));
    const auto* pChunk = reinterpret_cast<const AAX_SPlugInChunk*>(record.data());

    AAX_CChunkDataParser parser;
    parser.LoadChunk(pChunk, static_cast<uint32_t>(record.size()));
    for (const auto& e : parser.Entries()) {
        double d = 0;
        int32_t n = 0;
        AAX_CString s;
        parser.FindDouble(e.m_Name.Get(), &d);
        parser.FindInt32(e.m_Name.Get(), &n);
        parser.FindString(e.m_Name.Get(), &s);
    }

    const int32_t nDataBytes = parser.GetChunkDataSize();
    if (nDataBytes < 0 || nDataBytes > (1 << 24))
        return 0;
    std::vector<uint8_t> out(sizeof(AAX_SPlugInChunkHeader) + static_cast<size_t>(nDataBytes));
    auto* pOut = reinterpret_cast<AAX_SPlugInChunk*>(out.data());
    if (parser.GetChunkData(pOut, nDataBytes) != AAX_SUCCESS)
        std::abort();  // the size it asked for must be enough

    AAX_CChunkDataParser again;
    again.LoadChunk(pOut, static_cast<uint32_t>(out.size()));
    size_t nKnown = 0;
    for (const auto& e : parser.Entries())
        nKnown += e.m_nType != AAX_CChunkDataParser::kType_Unknown;  // unknown tags are not written
    if (again.Entries().size() != nKnown)
        std::abort();
    return 0;
}
