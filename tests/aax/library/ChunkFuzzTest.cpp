// Loads many generated malformed records. Each buffer is allocated to its exact size, so the
// sanitizer build catches any read outside the record.

#include "AAX_CChunkDataParser.h"
#include "ChunkTestUtil.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

std::vector<unsigned char> ValidData(std::mt19937& rng)
{
    AAX_CChunkDataParser writer;
    const int nEntries = int(rng() % 6);
    for (int i = 0; i < nEntries; ++i) {
        const std::string name(1 + rng() % 12, char('a' + rng() % 26));
        switch (rng() % 3) {
        case 0: writer.AddDouble(name.c_str(), double(rng()) / 7.0); break;
        case 1: writer.AddInt32(name.c_str(), int32_t(rng())); break;
        default: writer.AddString(name.c_str(), std::string(rng() % 9, 'z').c_str()); break;
        }
    }
    std::vector<unsigned char> record(sizeof(AAX_SPlugInChunkHeader) + size_t(writer.GetChunkDataSize()));
    writer.GetChunkData(AsChunk(record));
    return std::vector<unsigned char>(record.begin() + sizeof(AAX_SPlugInChunkHeader), record.end());
}

}  // namespace

TEST(ChunkFuzz, MalformedRecordsLoadWithoutReadingOutside)
{
    std::mt19937 rng(20261206);
    const char kTagChars[] = {'d', 'f', 'l', 's', 'r', 'x', 0, 1};
    for (int iteration = 0; iteration < 20000; ++iteration) {
        std::vector<unsigned char> data = ValidData(rng);
        switch (rng() % 5) {
        case 0:  // flip bytes
            for (int k = 0, n = 1 + int(rng() % 4); k < n && !data.empty(); ++k)
                data[rng() % data.size()] = uint8_t(rng());
            break;
        case 1:  // cut the data short
            data.resize(rng() % (data.size() + 1));
            break;
        case 2:  // remove every NUL after the marker
            for (size_t k = 4; k < data.size(); ++k)
                if (data[k] == 0)
                    data[k] = 'q';
            break;
        case 3:  // random tags and garbage after the marker
            data.resize(4);
            for (int k = 0, n = int(rng() % 300); k < n; ++k)
                data.push_back(k % 7 == 0 ? uint8_t(kTagChars[rng() % 8]) : uint8_t(rng() % 3 ? rng() : 0));
            break;
        default:  // a long name running into the end
            data.resize(4);
            data.push_back('l');
            data.push_back('_');
            data.insert(data.end(), 200 + rng() % 200, 'n');
            break;
        }
        // The size field may claim less, exactly as much, or more than the record holds.
        int32_t nSizeField = int32_t(data.size());
        const uint32_t nChoice = rng() % 4;
        if (nChoice == 1)
            nSizeField += int32_t(rng() % 5000);
        else if (nChoice == 2)
            nSizeField = int32_t(rng() % (data.size() + 1));
        else if (nChoice == 3)
            nSizeField = int32_t(rng());

        const size_t nRecordBytes = sizeof(AAX_SPlugInChunkHeader) + data.size();
        std::unique_ptr<unsigned char[]> pRecord(new unsigned char[nRecordBytes]);
        const std::vector<unsigned char> made = MakeRecord(data, 0);
        std::memcpy(pRecord.get(), made.data(), nRecordBytes);
        auto* pChunk = reinterpret_cast<AAX_SPlugInChunk*>(pRecord.get());
        pChunk->fSize = nSizeField;

        AAX_CChunkDataParser parser;
        parser.LoadChunk(pChunk, uint32_t(nRecordBytes));
        // Every entry takes at least four bytes of the data area, and names fit the window.
        ASSERT_LE(parser.Entries().size() * 4, data.size()) << "iteration " << iteration;
        for (const auto& entry : parser.Entries())
            ASSERT_LT(entry.m_Name.Length(), AAX_CChunkDataParser::kMaxTaggedNameBytes);
    }
}
