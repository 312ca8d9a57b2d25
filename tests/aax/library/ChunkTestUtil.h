#pragma once
// Chunk records as byte buffers for the tests.

#include "AAX.h"
#include "AAX_CChunkDataParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

// A record: header (size field = data.size() unless given) followed by the data bytes.
inline std::vector<unsigned char> MakeRecord(const std::vector<unsigned char>& data, int32_t nSizeField = -1,
                                             int32_t nVersion = 7)
{
    std::vector<unsigned char> record(sizeof(AAX_SPlugInChunkHeader) + data.size());
    AAX_SPlugInChunkHeader header{};
    header.fSize = nSizeField >= 0 ? nSizeField : int32_t(data.size());
    header.fVersion = nVersion;
    header.fChunkID = AAX_FourCC("elck");
    std::memcpy(record.data(), &header, sizeof header);
    if (!data.empty())
        std::memcpy(record.data() + sizeof header, data.data(), data.size());
    return record;
}

inline AAX_SPlugInChunk* AsChunk(std::vector<unsigned char>& record)
{
    return reinterpret_cast<AAX_SPlugInChunk*>(record.data());
}

// Writes the parser's entries into a fresh record and returns the data area.
inline std::vector<unsigned char> Save(const AAX_CChunkDataParser& parser, int32_t* outSizeField = nullptr)
{
    std::vector<unsigned char> record(sizeof(AAX_SPlugInChunkHeader) + size_t(parser.GetChunkDataSize()), 0xEE);
    EXPECT_EQ(parser.GetChunkData(AsChunk(record)), AAX_SUCCESS);
    if (outSizeField)
        *outSizeField = AsChunk(record)->fSize;
    return std::vector<unsigned char>(record.begin() + sizeof(AAX_SPlugInChunkHeader), record.end());
}

// Data-area bytes from a readable description: text characters, plus explicit bytes.
inline void Append(std::vector<unsigned char>& v, const std::string& text)
{
    v.insert(v.end(), text.begin(), text.end());
}
inline void Append(std::vector<unsigned char>& v, std::initializer_list<unsigned char> bytes)
{
    v.insert(v.end(), bytes.begin(), bytes.end());
}
inline void Append(std::vector<unsigned char>& v, const std::string& text, std::initializer_list<unsigned char> bytes)
{
    Append(v, text);
    Append(v, bytes);
}
