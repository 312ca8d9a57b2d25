#include "CAtomicFile.h"

#include "CliError.h"
#include "InterruptHandling.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Folder(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CAtomicFile::CAtomicFile(const std::string& destination) : m_Destination(destination)
{
    if (destination.empty() || destination.back() == '/')
        throw CCliError("cannot write '" + destination + "': not a file name");
    struct stat st{};
    if (stat(destination.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        throw CCliError("cannot write '" + destination + "': it is a folder");
    std::string pattern = Folder(destination) + "/." + BaseName(destination) + ".XXXXXX";
    m_nFd = mkstemp(pattern.data());
    if (m_nFd < 0)
        throw CCliError("cannot write '" + destination + "': " + std::strerror(errno));
    m_Temporary = pattern;
    RegisterTemporaryFile(m_Temporary);
    // mkstemp makes 0600; give the file the mode a plain create would.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(m_nFd, 0666 & ~mask);
}

CAtomicFile::~CAtomicFile()
{
    if (m_nFd >= 0)
        close(m_nFd);
    if (!m_bCommitted) {
        unlink(m_Temporary.c_str());
        UnregisterTemporaryFile(m_Temporary);
    }
}

void CAtomicFile::WriteAll(const void* pData, size_t nBytes)
{
    const char* p = static_cast<const char*>(pData);
    while (nBytes > 0) {
        const ssize_t n = write(m_nFd, p, nBytes);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw CCliError("cannot write '" + m_Destination + "': " + std::strerror(errno));
        p += n;
        nBytes -= size_t(n);
    }
}

void CAtomicFile::Commit()
{
    if (m_nFd >= 0) {
        const int nResult = close(m_nFd);
        m_nFd = -1;
        if (nResult != 0)
            throw CCliError("cannot write '" + m_Destination + "': " + std::strerror(errno));
    }
    if (rename(m_Temporary.c_str(), m_Destination.c_str()) != 0)
        throw CCliError("cannot write '" + m_Destination + "': " + std::strerror(errno));
    m_bCommitted = true;
    UnregisterTemporaryFile(m_Temporary);
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    struct stat sa{}, sb{};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
