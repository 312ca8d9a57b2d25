#pragma once
// Stand-in for the target's module resources (find, size, load, lock): data compiled into the
// binary, looked up by type ("DATA", "PNG") and name. Names compare without regard to case,
// so "kbon1.png" finds "KBON1.PNG"; types compare exactly.
//
// Ownership: tables and their bytes are static data of the binary that registers them; the
// registry only points at them. Threading: register at start-up, look up from any thread.

#include <cstddef>

struct TsraResourceEntry {
    const char* pType;           // "DATA" or "PNG"
    const char* pName;           // e.g. "TSRA.UIDESC", "KBON1.PNG"
    const unsigned char* pData;  // the resource bytes
    size_t nSize;                // their count
};

// Adds a table of entries (kept, not copied). Registering the same table twice is harmless.
void tsraRegisterResourceTable(const TsraResourceEntry* pEntries, size_t nCount);

// The entry with that type and name, or null. Later tables do not shadow earlier ones.
const TsraResourceEntry* tsraFindResource(const char* pType, const char* pName);
