#pragma once
// A file that appears under its final name only when complete: the content goes to a
// temporary file in the destination's folder, Commit renames it over the destination, and a
// file never committed is removed (also when an exception unwinds or the user interrupts), so
// a failure leaves any earlier file of that name untouched.
//
// Threading: one thread. The temporary paths of live objects are also kept where the
// interrupt handler finds and removes them (InterruptHandling.h).

#include <string>

class CAtomicFile {
public:
    // Creates the temporary file; throws CCliError when the folder is not writable.
    explicit CAtomicFile(const std::string& destination);
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    int Descriptor() const { return m_nFd; }
    const std::string& TemporaryPath() const { return m_Temporary; }
    const std::string& Destination() const { return m_Destination; }

    // Writes all bytes; throws CCliError on failure.
    void WriteAll(const void* pData, size_t nBytes);
    // Closes and renames onto the destination; throws CCliError on failure.
    void Commit();

private:
    std::string m_Destination;
    std::string m_Temporary;
    int m_nFd = -1;
    bool m_bCommitted = false;
};

// True when both paths name the same existing file (also through links or other spellings).
bool IsSameFile(const std::string& a, const std::string& b);
