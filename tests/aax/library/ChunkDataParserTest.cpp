#include "AAX_CChunkDataParser.h"
#include "AAX_CHostServices.h"
#include "CHostServices.h"
#include "ChunkTestUtil.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<unsigned char>;

const Bytes kMarker = {1, 1, 1, 1};

AAX_CChunkDataParser Load(Bytes data, int32_t nSizeField = -1)
{
    Bytes record = MakeRecord(data, nSizeField);
    AAX_CChunkDataParser parser;
    parser.LoadChunk(AsChunk(record), uint32_t(record.size()));
    return parser;
}

}  // namespace

TEST(ChunkDataParser, WritesTheDocumentedByteLayout)
{
    AAX_CChunkDataParser empty;
    int32_t nSizeField = 0;
    EXPECT_EQ(Save(empty, &nSizeField), kMarker);
    EXPECT_EQ(nSizeField, 4);

    AAX_CChunkDataParser gain;
    gain.AddDouble("Gain", 1.0);
    Bytes expected = kMarker;
    Append(expected, "d_Gain", {0, 0, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(Save(gain, &nSizeField), expected);
    EXPECT_EQ(nSizeField, 20);

    // "l_abc" and its NUL are 6 bytes: two zero bytes pad the value to offset 8.
    AAX_CChunkDataParser abc;
    abc.AddInt32("abc", 0x01020304);
    abc.AddInt32("n", -2);
    abc.AddString("s", "hi");
    abc.AddString("t", "");
    expected = kMarker;
    Append(expected, "l_abc", {0, 0, 0, 0x01, 0x02, 0x03, 0x04});
    Append(expected, "l_n", {0, 0xFF, 0xFF, 0xFF, 0xFE});
    Append(expected, "r_s", {0, 'h', 'i', 0, 0});
    Append(expected, "r_t", {0, 0, 0, 0, 0});
    EXPECT_EQ(Save(abc), expected);
}

TEST(ChunkDataParser, RoundTripsEveryWrittenTypeAndTakesTheLoadedVersion)
{
    AAX_CChunkDataParser writer;
    writer.AddDouble("d", -0.1);
    writer.AddInt32("i", INT32_MIN);
    writer.AddString("long name with spaces", "text of seven");
    Bytes record = MakeRecord(Save(writer), -1, 42);

    AAX_CChunkDataParser reader;
    reader.LoadChunk(AsChunk(record), uint32_t(record.size()));
    EXPECT_EQ(reader.GetChunkVersion(), 42);
    double d = 0;
    int32_t i = 0;
    AAX_CString s;
    EXPECT_TRUE(reader.FindDouble("d", &d));
    EXPECT_EQ(d, -0.1);
    EXPECT_TRUE(reader.FindInt32("i", &i));
    EXPECT_EQ(i, INT32_MIN);
    EXPECT_TRUE(reader.FindString("long name with spaces", &s));
    EXPECT_EQ(s, AAX_CString("text of seven"));

    // Wrong type or unknown name: false, out-value untouched.
    d = 5.0;
    EXPECT_FALSE(reader.FindDouble("i", &d));
    EXPECT_FALSE(reader.FindDouble("D", &d));
    EXPECT_EQ(d, 5.0);

    reader.Clear();
    EXPECT_EQ(reader.GetChunkVersion(), -1);
    EXPECT_TRUE(reader.Entries().empty());
}

TEST(ChunkDataParser, LookUpContinuesAfterTheLastEntryFound)
{
    AAX_CChunkDataParser parser;
    parser.AddInt32("A", 1);
    parser.AddInt32("B", 2);
    parser.AddInt32("A", 3);
    // The second "A" is searched from after "B"; after the last entry the search starts over;
    // a miss ("C", answered -1 here) leaves the hint alone.
    std::vector<int32_t> found;
    for (const char* pName : {"A", "B", "A", "A", "C", "A"}) {
        int32_t n = -1;
        found.push_back(parser.FindInt32(pName, &n) ? n : -1);
    }
    EXPECT_EQ(found, (std::vector<int32_t>{1, 2, 3, 1, -1, 3}));
}

TEST(ChunkDataParser, KeepsUnknownTagsAsTypeZeroAndFloatOrInt16WithoutLookUp)
{
    Bytes data = kMarker;
    Append(data, "x_foo", {0, 0, 0});
    Append(data, "f_g", {0, 0x3F, 0x80, 0, 0});
    Append(data, "s_h", {0, 0xFF, 0xFB, 0, 0});
    Append(data, "l_n", {0, 0, 0, 0, 9});
    AAX_CChunkDataParser parser = Load(data);

    // The float and int16 values read: the bytes written back below.
    ASSERT_EQ(parser.Entries().size(), 4u);
    EXPECT_EQ(parser.Entries()[0].m_nType, AAX_CChunkDataParser::kType_Unknown);
    int32_t n = 0;
    double d = 0;
    EXPECT_TRUE(parser.FindInt32("n", &n));
    EXPECT_EQ(n, 9);
    EXPECT_FALSE(parser.FindInt32("foo", &n));
    EXPECT_FALSE(parser.FindDouble("g", &d));
    EXPECT_FALSE(parser.FindInt32("h", &n));

    // A float entry read from a chunk is written back as it was; the unknown one is left out.
    Bytes expected = kMarker;
    expected.insert(expected.end(), data.begin() + 12, data.end());
    EXPECT_EQ(Save(parser), expected);
}

TEST(ChunkDataParser, LoadsWithoutMarkerOrTooShortAsEmpty)
{
    AAX_CChunkDataParser writer;
    writer.AddInt32("x", 1);
    Bytes data = Save(writer);
    EXPECT_EQ(Load(data).Entries().size(), 1u);
    EXPECT_TRUE(Load(data, 4).Entries().empty());  // the size field leaves only the marker
    data[3] = 0x00;
    EXPECT_TRUE(Load(data).Entries().empty());

    // A record too short for its header is not read at all.
    Bytes record = MakeRecord(Save(writer));
    AAX_CChunkDataParser parser;
    parser.LoadChunk(AsChunk(record), 20);
    EXPECT_TRUE(parser.Entries().empty());
    EXPECT_EQ(parser.GetChunkVersion(), -1);
}

TEST(ChunkDataParser, MalformedRecordsEndTheReadingWithTheEntriesSoFar)
{
    AAX_CChunkDataParser writer;
    writer.AddInt32("first", 11);
    const Bytes valid = Save(writer);

    // Size field far beyond the record: only the record is read.
    EXPECT_EQ(Load(valid, int32_t(valid.size()) + 1000).Entries().size(), 1u);

    // A name, or a string value, without its NUL up to the end of the data; a value cut off at
    // the end, for every fixed-size type.
    using namespace std::string_literals;
    for (const std::string& tail : {"l_unterminated"s, "r_s\0abcdef"s, "d_v\0\x3F"s, "f_v\0\x3F"s, "l_v\0\x3F"s, "s_v\0\x3F"s}) {
        Bytes data = valid;
        Append(data, tail);
        EXPECT_EQ(Load(data).Entries().size(), 1u) << tail;
    }

    // A tagged name of 254 characters still fits the 255-byte window; 255 does not.
    for (size_t nLength : {254u, 255u}) {
        Bytes data = valid;
        Append(data, std::string("l_") + std::string(nLength - 2, 'a'));
        data.push_back(0);
        while (data.size() % 4)
            data.push_back(0);
        Append(data, {0, 0, 0, 5});
        EXPECT_EQ(Load(data).Entries().size(), nLength == 254 ? 2u : 1u) << nLength;
    }
}

TEST(ChunkDataParser, OverflowReportsThroughTheHostTraceAndLeavesTheSizeField)
{
    auto pServices = MakeHostObject<CHostServices>();
    AAX_CHostServices::Set(pServices->Unknown());

    AAX_CChunkDataParser parser;
    parser.AddDouble("Gain", 1.0);
    // One byte short of the 20 it needs (the byte layout test writes those): the value would
    // end past the data area once its padding is counted.
    Bytes record = MakeRecord(Bytes(20, 0xEE), 1234);
    EXPECT_EQ(parser.GetChunkData(AsChunk(record), 19), AAX_RESULT_CHUNK_OVERFLOW);
    EXPECT_EQ(record.back(), 0xEE);
    EXPECT_EQ(AsChunk(record)->fSize, 1234);
    EXPECT_EQ(AsChunk(record)->fData[0], 0x01);  // the marker was written before the failure
    ASSERT_EQ(pServices->Messages().size(), 1u);
    EXPECT_EQ(pServices->Messages()[0].m_Text,
              "AAX_CChunkDataParser::GetChunkData ERROR: aborting: chunk data will overflow buffer");
    EXPECT_EQ(pServices->Messages()[0].m_nPriority, 0x8000000);

    // A data area below the marker's four bytes is refused before anything is written.
    record = MakeRecord(Bytes(20, 0xEE), 1234);
    EXPECT_EQ(parser.GetChunkData(AsChunk(record), 3), AAX_RESULT_CHUNK_OVERFLOW);
    EXPECT_EQ(AsChunk(record)->fData[0], 0xEE);
    EXPECT_EQ(pServices->Messages().size(), 1u);

    // Without host services the message is dropped, the result stays.
    AAX_CHostServices::Set(nullptr);
    EXPECT_EQ(parser.GetChunkData(AsChunk(record), 10), AAX_RESULT_CHUNK_OVERFLOW);
    EXPECT_EQ(pServices->Messages().size(), 1u);
}
