#pragma once
// Named, typed values <-> the data area of a host state chunk. This byte layout is the
// persistent state format stored in the host's documents and presets.
//
// Data area: four 0x01 marker bytes, then entries back to back, each starting at a multiple
// of 4: a 2-byte type tag ("f_" float, "l_" int32, "d_" double, "s_" int16, "r_" string), the
// name with its NUL, zero padding to a multiple of 4, then the value: float/int32 4 bytes,
// double 8 bytes, int16 2 bytes plus 2 zero bytes (all most significant byte first); a string
// as text, NUL and zero padding to a multiple of 4.
//
// Loading never reads outside the record it is given: a size field larger than the record,
// a name or string without its NUL, a value cut off at the end, or a tagged name longer than
// the 255-byte name window end the reading with the entries read so far.
//
// Threading: one thread at a time (the owner's).

#include "AAX.h"
#include "AAX_CString.h"

#include <vector>

class AAX_CChunkDataParser {
public:
    enum EType : int32_t {
        kType_Unknown = 0,  // read with an unrecognised tag; never written
        kType_Float = 1,
        kType_Int32 = 2,
        kType_Double = 3,
        kType_Int16 = 4,
        kType_String = 5,
    };

    struct ChunkDataValue {
        int32_t m_nType = kType_Unknown;
        AAX_CString m_Name;
        union {
            float m_f;
            int32_t m_n;
            double m_d;
            int16_t m_s;
        } m_Number{};
        AAX_CString m_Text;
    };

    // Longest tagged name (tag, text and NUL) the reader accepts.
    static constexpr uint32_t kMaxTaggedNameBytes = 255;

    AAX_CChunkDataParser() = default;
    virtual ~AAX_CChunkDataParser() = default;

    void AddDouble(const char* pName, double value);
    void AddInt32(const char* pName, int32_t value);
    void AddString(const char* pName, const char* pValue);

    // True with the value when an entry of that name has exactly the type asked for; the
    // out-value is untouched otherwise.
    bool FindDouble(const char* pName, double* outValue);
    bool FindInt32(const char* pName, int32_t* outValue);
    bool FindString(const char* pName, AAX_CString* outValue);

    // Bytes the data area needs (4 with no entries); -1 when it would not fit an int32.
    int32_t GetChunkDataSize() const;
    // Writes the data area and the size field; AAX_RESULT_CHUNK_OVERFLOW (traced) when the
    // entries do not fit. The record must have room for GetChunkDataSize() data bytes.
    AAX_Result GetChunkData(AAX_SPlugInChunk* chunk) const;
    // The same into a data area of nDataBytes.
    AAX_Result GetChunkData(AAX_SPlugInChunk* chunk, int32_t nDataBytes) const;

    // Replaces the entries with those of a record of nRecordBytes (header included) and takes
    // its version. A record without the marker or shorter than 5 data bytes loads as empty.
    void LoadChunk(const AAX_SPlugInChunk* chunk, uint32_t nRecordBytes);

    // Removes all entries; the look-up hint and the chunk version go back to -1.
    void Clear();

    int32_t GetChunkVersion() const { return m_nChunkVersion; }
    const std::vector<ChunkDataValue>& Entries() const { return m_Entries; }

private:
    // Index of the entry with that name, searching from after the last one found; -1 if none.
    int32_t FindIndex(const char* pName);

    int32_t m_nLastFoundIndex = -1;
    int32_t m_nChunkVersion = -1;
    std::vector<ChunkDataValue> m_Entries;
};
