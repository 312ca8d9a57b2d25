#include "CAudioFile.h"

#include "CliError.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

CAudioReader::CAudioReader(const std::string& path) : m_Path(path)
{
    struct stat st{};
    if (stat(path.c_str(), &st) != 0)
        throw CCliError("cannot read '" + path + "': " + std::strerror(errno));
    if (S_ISDIR(st.st_mode))
        throw CCliError("cannot read '" + path + "': it is a folder");
    if (access(path.c_str(), R_OK) != 0)
        throw CCliError("cannot read '" + path + "': " + std::strerror(errno));
    m_pFile = sf_open(path.c_str(), SFM_READ, &m_Info);
    if (!m_pFile)
        throw CCliError("cannot read '" + path + "': not an audio file libsndfile understands (" + sf_strerror(nullptr) + ")");
    if (m_Info.channels < 1 || m_Info.channels > 2) {
        const int n = m_Info.channels;
        sf_close(m_pFile);
        m_pFile = nullptr;
        throw CCliError("cannot render '" + path + "': it has " + std::to_string(n) + " channels; only mono and stereo files are supported");
    }
    if (m_Info.samplerate < 8000 || m_Info.samplerate > 384000) {
        const int n = m_Info.samplerate;
        sf_close(m_pFile);
        m_pFile = nullptr;
        throw CCliError("cannot render '" + path + "': sample rate " + std::to_string(n) + " Hz is outside 8000 to 384000 Hz");
    }
    // Integer files read as float in -1 ... 1; float files as they are.
    sf_command(m_pFile, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
}

CAudioReader::~CAudioReader()
{
    if (m_pFile)
        sf_close(m_pFile);
}

int64_t CAudioReader::Read(float* pInterleaved, int64_t nFrames)
{
    const sf_count_t n = sf_readf_float(m_pFile, pInterleaved, nFrames);
    if (n < 0 || (n < nFrames && sf_error(m_pFile) != SF_ERR_NO_ERROR))
        throw CCliError("cannot read '" + m_Path + "': " + sf_strerror(m_pFile));
    return n;
}

CAudioWriter::CAudioWriter(const std::string& path, int nFormat, int nChannels, int nSampleRate)
    : m_Path(path), m_File(path)
{
    m_Info.format = nFormat;
    m_Info.channels = nChannels;
    m_Info.samplerate = nSampleRate;
    if (!sf_format_check(&m_Info))
        throw CCliError("cannot write '" + path + "': " + DescribeFormat(nFormat) + " cannot hold " + std::to_string(nChannels) +
                        " channels at " + std::to_string(nSampleRate) + " Hz");
    m_pFile = sf_open_fd(m_File.Descriptor(), SFM_WRITE, &m_Info, SF_FALSE);
    if (!m_pFile)
        throw CCliError("cannot write '" + path + "': " + sf_strerror(nullptr));
    const int sub = nFormat & SF_FORMAT_SUBMASK;
    m_bIntegerFormat = sub == SF_FORMAT_PCM_S8 || sub == SF_FORMAT_PCM_U8 || sub == SF_FORMAT_PCM_16 ||
                       sub == SF_FORMAT_PCM_24 || sub == SF_FORMAT_PCM_32 || sub == SF_FORMAT_ULAW || sub == SF_FORMAT_ALAW;
    if (m_bIntegerFormat)
        sf_command(m_pFile, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

CAudioWriter::~CAudioWriter()
{
    if (m_pFile)
        sf_close(m_pFile);
}

void CAudioWriter::Write(const float* pInterleaved, int64_t nFrames)
{
    if (m_bIntegerFormat) {
        const int64_t nSamples = nFrames * m_Info.channels;
        for (int64_t i = 0; i < nSamples; ++i)
            m_nClipped += std::fabs(pInterleaved[i]) > 1.0f;
    }
    if (sf_writef_float(m_pFile, pInterleaved, nFrames) != nFrames)
        throw CCliError("cannot write '" + m_Path + "': " + sf_strerror(m_pFile));
}

void CAudioWriter::Commit()
{
    const int nResult = sf_close(m_pFile);
    m_pFile = nullptr;
    if (nResult != 0)
        throw CCliError("cannot write '" + m_Path + "': " + sf_error_number(nResult));
    m_File.Commit();
}

namespace {

std::string LowerExtension(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return "";
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

}  // namespace

int OutputFormatFor(const std::string& path, int nInputFormat, bool bFloat)
{
    const std::string ext = LowerExtension(path);
    int major = 0;
    if (ext == "wav" || ext == "wave") major = SF_FORMAT_WAV;
    else if (ext == "aif" || ext == "aiff" || ext == "aifc") major = SF_FORMAT_AIFF;
    else if (ext == "flac") major = SF_FORMAT_FLAC;
    else if (ext == "ogg" || ext == "oga") major = SF_FORMAT_OGG;
    else if (ext == "au" || ext == "snd") major = SF_FORMAT_AU;
    else if (ext == "caf") major = SF_FORMAT_CAF;
    else if (ext == "w64") major = SF_FORMAT_W64;
    else if (ext == "rf64") major = SF_FORMAT_RF64;
    else
        throw CCliError("cannot write '" + path + "': unknown output format" +
                        (ext.empty() ? std::string(" (no extension)") : " '." + ext + "'") +
                        "; use .wav, .aiff, .flac, .ogg, .au, .caf, .w64 or .rf64");

    SF_INFO probe{};
    probe.channels = 2;
    probe.samplerate = 48000;
    if (bFloat) {
        probe.format = major | SF_FORMAT_FLOAT;
        if (!sf_format_check(&probe))
            throw CCliError("cannot write '" + path + "': " + DescribeFormat(major) + " files cannot hold 32-bit float; drop --float or use .wav, .aiff, .caf or .w64");
        return probe.format;
    }
    probe.format = major | (nInputFormat & SF_FORMAT_SUBMASK);
    if ((nInputFormat & SF_FORMAT_SUBMASK) != 0 && sf_format_check(&probe))
        return probe.format;
    // The input's encoding does not fit: lossless containers keep as much as they can.
    const int sub = nInputFormat & SF_FORMAT_SUBMASK;
    const bool bWide = sub == SF_FORMAT_PCM_24 || sub == SF_FORMAT_PCM_32 || sub == SF_FORMAT_FLOAT || sub == SF_FORMAT_DOUBLE ||
                       sub == SF_FORMAT_VORBIS || sub == SF_FORMAT_OPUS;
    for (const int candidate : {bWide ? SF_FORMAT_PCM_24 : SF_FORMAT_PCM_16, SF_FORMAT_PCM_16, SF_FORMAT_VORBIS}) {
        probe.format = major | candidate;
        if (sf_format_check(&probe))
            return probe.format;
    }
    throw CCliError("cannot write '" + path + "': libsndfile cannot write this format");
}

std::string DescribeFormat(int nFormat)
{
    std::string text;
    switch (nFormat & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV: text = "WAV"; break;
    case SF_FORMAT_AIFF: text = "AIFF"; break;
    case SF_FORMAT_FLAC: text = "FLAC"; break;
    case SF_FORMAT_OGG: text = "Ogg"; break;
    case SF_FORMAT_AU: text = "AU"; break;
    case SF_FORMAT_CAF: text = "CAF"; break;
    case SF_FORMAT_W64: text = "W64"; break;
    case SF_FORMAT_RF64: text = "RF64"; break;
    default: {
        SF_FORMAT_INFO info{};
        info.format = nFormat & SF_FORMAT_TYPEMASK;
        text = sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) == 0 && info.name ? info.name : "audio";
    }
    }
    switch (nFormat & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8: case SF_FORMAT_PCM_U8: return text + " 8-bit PCM";
    case SF_FORMAT_PCM_16: return text + " 16-bit PCM";
    case SF_FORMAT_PCM_24: return text + " 24-bit PCM";
    case SF_FORMAT_PCM_32: return text + " 32-bit PCM";
    case SF_FORMAT_FLOAT: return text + " 32-bit float";
    case SF_FORMAT_DOUBLE: return text + " 64-bit float";
    case SF_FORMAT_VORBIS: return text + " Vorbis";
    case SF_FORMAT_OPUS: return text + " Opus";
    case SF_FORMAT_ULAW: return text + " u-law";
    case SF_FORMAT_ALAW: return text + " A-law";
    default: return text;
    }
}
