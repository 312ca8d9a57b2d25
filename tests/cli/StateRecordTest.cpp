// The state file: decoding a record byte by byte and refusing damaged ones.

#include "CAtomicFile.h"
#include "CStateRecord.h"
#include "CliError.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

namespace {

using Bytes = std::vector<unsigned char>;

void PutLE(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

void PutBE(Bytes& b, uint64_t v, int nBytes)
{
    for (int i = nBytes - 1; i >= 0; --i)
        b.push_back(uint8_t(v >> (8 * i)));
}

void PutName(Bytes& b, const std::string& tagged)
{
    b.insert(b.end(), tagged.begin(), tagged.end());
    b.push_back(0);
    while (b.size() % 4)
        b.push_back(0);
}

// Data area with one entry of every type.
Bytes SampleData()
{
    Bytes d = {1, 1, 1, 1};
    PutName(d, "d_1");  // 4 bytes with the NUL: no padding
    uint64_t bits;
    const double wow = 31.999996185302734;
    std::memcpy(&bits, &wow, 8);
    PutBE(d, bits, 8);
    PutName(d, "l_12");
    PutBE(d, 3, 4);
    PutName(d, "f_x");
    const float f = -0.5f;
    uint32_t fbits;
    std::memcpy(&fbits, &f, 4);
    PutBE(d, fbits, 4);
    PutName(d, "s_y");
    PutBE(d, uint16_t(-2), 2);
    d.push_back(0);
    d.push_back(0);
    PutName(d, "r_z");
    PutName(d, "hello");
    return d;
}

Bytes Record(const Bytes& data, uint32_t chunkID = kStateChunkID, int32_t nSizeDelta = 0)
{
    Bytes r;
    PutLE(r, uint32_t(int32_t(data.size()) + nSizeDelta));
    PutLE(r, uint32_t(-1));
    PutLE(r, 0x4D766C6B);  // 'Mvlk'
    PutLE(r, 0x42725762);
    PutLE(r, 0x5473544D);
    PutLE(r, chunkID);
    const char name[32] = "Complete Controls State";
    r.insert(r.end(), name, name + 32);
    r.insert(r.end(), data.begin(), data.end());
    return r;
}

std::string DecodeError(const Bytes& bytes)
{
    try {
        DecodeStateRecord(bytes, "s.state");
    } catch (const CCliError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(StateRecord, DecodesEveryEntryType)
{
    const SStateRecord r = DecodeStateRecord(Record(SampleData()), "s.state");
    EXPECT_EQ(r.m_nVersion, -1);
    EXPECT_EQ(r.m_Name, "Complete Controls State");
    EXPECT_EQ(FourCCText(r.m_nManufacturerID), "Mvlk");
    EXPECT_EQ(FourCCText(r.m_nChunkID), "elck");
    ASSERT_EQ(r.m_Entries.size(), 5u);
    EXPECT_EQ(r.m_Entries[0].m_cType, 'd');
    EXPECT_EQ(r.m_Entries[0].m_ID, "1");
    EXPECT_EQ(r.m_Entries[0].m_fNumber, 31.999996185302734);
    EXPECT_EQ(r.m_Entries[1].m_ID, "12");
    EXPECT_EQ(r.m_Entries[1].m_fNumber, 3.0);
    EXPECT_EQ(r.m_Entries[2].m_fNumber, -0.5);
    EXPECT_EQ(r.m_Entries[3].m_cType, 's');
    EXPECT_EQ(r.m_Entries[3].m_fNumber, -2.0);
    EXPECT_EQ(r.m_Entries[4].m_Text, "hello");
    EXPECT_EQ(DecodeStateRecord(Record({1, 1, 1, 1}), "empty").m_Entries.size(), 0u);
}

TEST(StateRecord, RefusesDamagedRecordsSayingWhy)
{
    const Bytes good = Record(SampleData());
    EXPECT_NE(DecodeError(Bytes(good.begin(), good.begin() + 40)).find("truncated (40 bytes"), std::string::npos);
    EXPECT_NE(DecodeError(Bytes(good.begin(), good.end() - 3)).find("truncated (the header announces"), std::string::npos);
    Bytes longer = good;
    longer.push_back(0);
    EXPECT_NE(DecodeError(longer).find("1 unexpected bytes"), std::string::npos);
    EXPECT_NE(DecodeError(Record(SampleData(), 0x6162636B)).find("chunk 'abck'"), std::string::npos);

    Bytes badMarker = SampleData();
    badMarker[3] = 0;
    EXPECT_NE(DecodeError(Record(badMarker)).find("marker"), std::string::npos);

    Bytes badTag = SampleData();
    badTag[4] = 'q';
    EXPECT_NE(DecodeError(Record(badTag)).find("type tag"), std::string::npos);

    // A double entry whose value is cut off by a short data area.
    Bytes cut = {1, 1, 1, 1};
    PutName(cut, "d_1");
    PutBE(cut, 0, 4);
    EXPECT_NE(DecodeError(Record(cut)).find("\"1\" is cut off"), std::string::npos);

    Bytes notANumber = {1, 1, 1, 1};
    PutName(notANumber, "d_1");
    PutBE(notANumber, 0x7FF8000000000000ull, 8);
    EXPECT_NE(DecodeError(Record(notANumber)).find("not a finite number"), std::string::npos);

    Bytes unterminated = {1, 1, 1, 1, 'd', '_', '1', '2'};
    EXPECT_NE(DecodeError(Record(unterminated)).find("unterminated name"), std::string::npos);

    EXPECT_NE(DecodeError(Record({1, 1, 1, 1}, kStateChunkID, -2)).find("too small"), std::string::npos);
}

TEST(StateRecord, RefusesNamesLongerThanTheModuleReads)
{
    // The module reads a tagged name of at most 255 bytes with its NUL: a 252-byte identifier.
    auto oneEntry = [](size_t nNameBytes) {
        Bytes d = {1, 1, 1, 1};
        PutName(d, "l_" + std::string(nNameBytes, 'x'));
        PutBE(d, 7, 4);
        return Record(d);
    };
    const SStateRecord longest = DecodeStateRecord(oneEntry(252), "s.state");
    ASSERT_EQ(longest.m_Entries.size(), 1u);
    EXPECT_EQ(longest.m_Entries[0].m_ID.size(), 252u);
    for (size_t n : {253u, 300u, 4000u})
        EXPECT_NE(DecodeError(oneEntry(n)).find("entry 1 has a name of " + std::to_string(n) + " bytes; the module reads at most 252"),
                  std::string::npos)
            << n;
}

TEST(StateRecord, FilesRoundTripAndMissingFilesAreReported)
{
    const std::string path = testing::TempDir() + "/round.state";
    const Bytes bytes = Record(SampleData());
    WriteStateFile(path, bytes);
    EXPECT_EQ(ReadStateFile(path).m_Bytes, bytes);
    EXPECT_THROW(ReadStateFile(testing::TempDir() + "/no-such.state"), CCliError);
    EXPECT_THROW(ReadStateFile(testing::TempDir()), CCliError);  // a folder
}
