// The state file: decoding a record byte by byte and refusing damaged ones.

#include "CStateRecord.h"
#include "CliError.h"

#include <gtest/gtest.h>

#include <bit>

namespace {

using Bytes = std::vector<unsigned char>;

// A data area: the marker, then per entry its tagged name (NUL, padded to 4) and big-endian value.
Bytes Data(const std::vector<std::pair<std::string, std::pair<uint64_t, int>>>& entries)
{
    Bytes d = {1, 1, 1, 1};
    for (const auto& [tagged, value] : entries) {
        d.insert(d.end(), tagged.begin(), tagged.end());
        d.push_back(0);
        while (d.size() % 4)
            d.push_back(0);
        for (int i = value.second - 1; i >= 0; --i)
            d.push_back(uint8_t(value.first >> (8 * i)));
    }
    return d;
}

// Data area with one entry of every type, the last with the longest name the module reads
// (255 bytes of tagged name with its NUL).
Bytes SampleData()
{
    return Data({{"d_1", {std::bit_cast<uint64_t>(31.999996185302734), 8}},
                 {"l_12", {3, 4}},
                 {"f_x", {std::bit_cast<uint32_t>(-0.5f), 4}},
                 {"s_y", {uint64_t(uint16_t(-2)) << 16, 4}},  // two bytes and two of padding
                 {"r_z", {0, 0}},
                 {"hello", {0, 0}},
                 {"l_" + std::string(252, 'x'), {7, 4}}});
}

Bytes Record(const Bytes& data, uint32_t chunkID = kStateChunkID, int32_t nSizeDelta = 0)
{
    Bytes r;  // the header's fields little-endian
    for (uint32_t v : {uint32_t(int32_t(data.size()) + nSizeDelta), uint32_t(-1), 0x4D766C6Bu /* 'Mvlk' */, 0x42725762u, 0x5473544Du, chunkID})
        for (int i = 0; i < 4; ++i)
            r.push_back(uint8_t(v >> (8 * i)));
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
    ASSERT_EQ(r.m_Entries.size(), 6u);
    const std::vector<std::tuple<char, std::string, double>> want = {
        {'d', "1", 31.999996185302734}, {'l', "12", 3.0}, {'f', "x", -0.5}, {'s', "y", -2.0}, {'r', "z", 0.0}, {'l', std::string(252, 'x'), 7.0}};
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(std::make_tuple(r.m_Entries[i].m_cType, r.m_Entries[i].m_ID, r.m_Entries[i].m_fNumber), want[i]) << i;
    EXPECT_EQ(r.m_Entries[4].m_Text, "hello");
    EXPECT_EQ(DecodeStateRecord(Record({1, 1, 1, 1}), "empty").m_Entries.size(), 0u);
}

TEST(StateRecord, RefusesDamagedRecordsSayingWhy)
{
    const Bytes good = Record(SampleData());
    Bytes longer = good, badMarker = SampleData(), badTag = SampleData();
    longer.push_back(0);
    badMarker[3] = 0;
    badTag[4] = 'q';
    const std::pair<Bytes, std::string> cases[] = {
        {Bytes(good.begin(), good.begin() + 40), "truncated (40 bytes"},
        {Bytes(good.begin(), good.end() - 3), "truncated (the header announces"},
        {longer, "1 unexpected bytes"},
        {Record(SampleData(), 0x6162636B), "chunk 'abck'"},
        {Record(badMarker), "marker"},
        {Record(badTag), "type tag"},
        {Record(Data({{"d_1", {0, 4}}})), "\"1\" is cut off"},
        {Record(Data({{"d_1", {0x7FF8000000000000ull, 8}}})), "not a finite number"},
        {Record({1, 1, 1, 1, 'd', '_', '1', '2'}), "unterminated name"},
        {Record({1, 1, 1, 1}, kStateChunkID, -2), "too small"},
        {Record(Data({{"l_" + std::string(253, 'x'), {7, 4}}})), "entry 1 has a name of 253 bytes; the module reads at most 252"},
    };
    for (const auto& [bytes, fragment] : cases)
        EXPECT_NE(DecodeError(bytes).find(fragment), std::string::npos) << fragment << ": " << DecodeError(bytes);
}
