#pragma once
// The state file: one 'elck' chunk record exactly as the host hands it over, the 56-byte
// header (data size, version, manufacturer, product and plug-in IDs, chunk ID, 32-byte name;
// integers little-endian) followed by the data area of tagged entries (four 0x01 marker bytes,
// then per entry a two-character tag, the NUL-terminated identifier padded to a multiple of
// four, and the big-endian value). Decoding is strict: a file the module would silently
// half-read is refused with the reason.

#include <cstdint>
#include <string>
#include <vector>

struct SStateEntry {
    char m_cType = 0;        // 'f' float, 'l' int32, 'd' double, 's' int16, 'r' string
    std::string m_ID;        // parameter identifier
    double m_fNumber = 0.0;  // numeric entries
    std::string m_Text;      // string entries
};

struct SStateRecord {
    std::vector<unsigned char> m_Bytes;  // the whole record, as read or saved
    int32_t m_nVersion = 0;
    uint32_t m_nManufacturerID = 0, m_nProductID = 0, m_nPlugInID = 0, m_nChunkID = 0;
    std::string m_Name;
    std::vector<SStateEntry> m_Entries;
};

inline constexpr uint32_t kStateChunkID = 0x656c636b;  // 'elck'
inline constexpr size_t kStateHeaderBytes = 56;

// Decodes a record; throws CCliError naming the fault (what is the file's name).
SStateRecord DecodeStateRecord(const std::vector<unsigned char>& bytes, const std::string& what);
// Reads and decodes a state file; throws CCliError.
SStateRecord ReadStateFile(const std::string& path);
// Writes a record through a temporary file; throws CCliError.
void WriteStateFile(const std::string& path, const std::vector<unsigned char>& bytes);

// 'elck' -> "elck" (unprintable bytes as '?').
std::string FourCCText(uint32_t code);
