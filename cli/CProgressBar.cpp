#include "CProgressBar.h"

#include <algorithm>
#include <cmath>
#include <unistd.h>

CProgressBar::CProgressBar(bool bEnabled, double fTotalSeconds, std::FILE* pOut)
    : m_bEnabled(bEnabled),
      m_fTotalSeconds(fTotalSeconds),
      m_pOut(pOut),
      m_Start(std::chrono::steady_clock::now()),
      m_LastDraw(m_Start)
{
}

bool CProgressBar::StandardErrorIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

std::string CProgressBar::Format(double fFraction, double fSpeed, double fSecondsLeft, int nBarWidth)
{
    fFraction = std::clamp(std::isfinite(fFraction) ? fFraction : 0.0, 0.0, 1.0);
    const int nWidth = std::max(nBarWidth, 0);
    const int nFilled = std::clamp(int(fFraction * nWidth), 0, nWidth);
    // Appended piece by piece: the concatenated temporaries trip a false -Wrestrict at -O3.
    std::string line;
    line.reserve(size_t(nWidth) + 64);
    line.push_back('[');
    line.append(size_t(nFilled), '#');
    line.append(size_t(nWidth - nFilled), '.');
    line.push_back(']');
    char buf[96];
    std::snprintf(buf, sizeof buf, " %3d%%", int(fFraction * 100.0));
    line += buf;
    if (fSpeed > 0.0 && std::isfinite(fSpeed)) {
        std::snprintf(buf, sizeof buf, fSpeed >= 10.0 ? "  %.0fx real time" : "  %.1fx real time", fSpeed);
        line += buf;
    }
    if (fSecondsLeft >= 0.0 && std::isfinite(fSecondsLeft)) {
        const long nLeft = long(std::ceil(fSecondsLeft));
        std::snprintf(buf, sizeof buf, "  %ld:%02ld left", nLeft / 60, nLeft % 60);
        line += buf;
    }
    return line;
}

void CProgressBar::Update(double fDoneSeconds)
{
    if (!m_bEnabled)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (m_bDrawn && now - m_LastDraw < std::chrono::milliseconds(100))
        return;
    m_LastDraw = now;
    const double fElapsed = std::chrono::duration<double>(now - m_Start).count();
    const double fSpeed = fElapsed > 0.05 ? fDoneSeconds / fElapsed : 0.0;
    const double fLeft = fSpeed > 0.0 ? (m_fTotalSeconds - fDoneSeconds) / fSpeed : -1.0;
    const double fFraction = m_fTotalSeconds > 0.0 ? fDoneSeconds / m_fTotalSeconds : 1.0;
    std::fprintf(m_pOut, "\r%s\033[K", Format(fFraction, fSpeed, fLeft).c_str());
    std::fflush(m_pOut);
    m_bDrawn = true;
}

void CProgressBar::Finish()
{
    if (m_bDrawn) {
        std::fprintf(m_pOut, "\r\033[K");
        std::fflush(m_pOut);
        m_bDrawn = false;
    }
}
