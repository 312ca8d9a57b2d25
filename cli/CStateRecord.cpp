#include "CStateRecord.h"

#include "AAX_CChunkDataParser.h"
#include "CAtomicFile.h"
#include "CliError.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

constexpr size_t kMaxStateBytes = 1 << 20;  // far above any real state (a few hundred bytes)

uint32_t LittleEndian32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint64_t BigEndian(const unsigned char* p, size_t nBytes)
{
    uint64_t v = 0;
    for (size_t i = 0; i < nBytes; ++i)
        v = v << 8 | p[i];
    return v;
}

size_t RoundUp4(size_t n) { return (n + 3) & ~size_t(3); }

}  // namespace

std::string FourCCText(uint32_t code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char((code >> shift) & 0xFF);
        text += (c >= 32 && c < 127) ? c : '?';
    }
    return text;
}

SStateRecord DecodeStateRecord(const std::vector<unsigned char>& bytes, const std::string& what)
{
    auto fail = [&](const std::string& reason) -> void { throw CCliError("bad state file '" + what + "': " + reason); };
    if (bytes.size() < kStateHeaderBytes)
        fail("truncated (" + std::to_string(bytes.size()) + " bytes; a state record has a 56-byte header)");
    SStateRecord record;
    record.m_Bytes = bytes;
    const unsigned char* p = bytes.data();
    const int32_t nSize = int32_t(LittleEndian32(p));
    record.m_nVersion = int32_t(LittleEndian32(p + 4));
    record.m_nManufacturerID = LittleEndian32(p + 8);
    record.m_nProductID = LittleEndian32(p + 12);
    record.m_nPlugInID = LittleEndian32(p + 16);
    record.m_nChunkID = LittleEndian32(p + 20);
    record.m_Name.assign(reinterpret_cast<const char*>(p + 24), strnlen(reinterpret_cast<const char*>(p + 24), 32));
    if (record.m_nChunkID != kStateChunkID)
        fail("chunk '" + FourCCText(record.m_nChunkID) + "' is not a BrindleWarbler state ('elck')");
    const size_t nData = bytes.size() - kStateHeaderBytes;
    if (nSize < 4)
        fail("the header's data size " + std::to_string(nSize) + " is too small");
    if (size_t(nSize) > nData)
        fail("truncated (the header announces " + std::to_string(nSize) + " data bytes, the file has " + std::to_string(nData) + ")");
    if (size_t(nSize) < nData)
        fail(std::to_string(nData - size_t(nSize)) + " unexpected bytes after the data area");

    const unsigned char* d = p + kStateHeaderBytes;
    const size_t n = size_t(nSize);
    if (d[0] != 1 || d[1] != 1 || d[2] != 1 || d[3] != 1)
        fail("the data area does not start with the 01 01 01 01 marker");
    size_t pos = 4;
    while (pos < n) {
        const size_t nEntry = record.m_Entries.size() + 1;
        const void* pNul = std::memchr(d + pos, 0, n - pos);
        if (!pNul)
            fail("entry " + std::to_string(nEntry) + " has an unterminated name");
        const size_t nLength = size_t(static_cast<const unsigned char*>(pNul) - (d + pos));
        // The module stops reading at a longer tagged name (its NUL included).
        if (nLength + 1 > AAX_CChunkDataParser::kMaxTaggedNameBytes)
            fail("entry " + std::to_string(nEntry) + " has a name of " + std::to_string(nLength - 2) +
                 " bytes; the module reads at most " + std::to_string(AAX_CChunkDataParser::kMaxTaggedNameBytes - 3));
        const std::string tagged(reinterpret_cast<const char*>(d + pos), nLength);
        if (tagged.size() < 3 || tagged[1] != '_' || std::string("fldsr").find(tagged[0]) == std::string::npos)
            fail("entry " + std::to_string(nEntry) + " has no valid type tag");
        SStateEntry entry;
        entry.m_cType = tagged[0];
        entry.m_ID = tagged.substr(2);
        pos = RoundUp4(pos + nLength + 1);
        const size_t nValue = entry.m_cType == 'd' ? 8 : entry.m_cType == 'r' ? 0 : 4;
        if (pos + nValue > n)
            fail("entry \"" + entry.m_ID + "\" is cut off");
        switch (entry.m_cType) {
        case 'd': {
            const uint64_t bits = BigEndian(d + pos, 8);
            std::memcpy(&entry.m_fNumber, &bits, 8);
            break;
        }
        case 'f': {
            const uint32_t bits = uint32_t(BigEndian(d + pos, 4));
            float f;
            std::memcpy(&f, &bits, 4);
            entry.m_fNumber = f;
            break;
        }
        case 'l': entry.m_fNumber = double(int32_t(uint32_t(BigEndian(d + pos, 4)))); break;
        case 's': entry.m_fNumber = double(int16_t(uint16_t(BigEndian(d + pos, 2)))); break;
        case 'r': {
            const void* pEnd = std::memchr(d + pos, 0, n - pos);
            if (!pEnd)
                fail("entry \"" + entry.m_ID + "\" has an unterminated text");
            const size_t nText = size_t(static_cast<const unsigned char*>(pEnd) - (d + pos));
            entry.m_Text.assign(reinterpret_cast<const char*>(d + pos), nText);
            pos = RoundUp4(pos + nText + 1);
            break;
        }
        }
        // The module would pass such a value to the engine as it is.
        if (!std::isfinite(entry.m_fNumber))
            fail("entry \"" + entry.m_ID + "\" holds a value that is not a finite number");
        pos += nValue;
        record.m_Entries.push_back(std::move(entry));
    }
    if (pos != n)
        fail("the last entry runs past the data area");
    return record;
}

SStateRecord ReadStateFile(const std::string& path)
{
    struct stat st{};
    if (stat(path.c_str(), &st) != 0)
        throw CCliError("cannot read state file '" + path + "': " + std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        throw CCliError("cannot read state file '" + path + "': not a regular file");
    if (size_t(st.st_size) > kMaxStateBytes)
        throw CCliError("bad state file '" + path + "': " + std::to_string(st.st_size) + " bytes is far too large for a state record");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CCliError("cannot read state file '" + path + "': " + std::strerror(errno));
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw CCliError("cannot read state file '" + path + "'");
    return DecodeStateRecord(bytes, path);
}

void WriteStateFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    CAtomicFile file(path);
    file.WriteAll(bytes.data(), bytes.size());
    file.Commit();
}
