#pragma once
// The render progress line on standard error: bar, percentage, speed as a multiple of real
// time and time left. Drawn only when enabled (standard error is a terminal and not --quiet),
// at most ten times a second; Finish clears the line.
//
// Threading: one thread.

#include <chrono>
#include <cstdio>
#include <string>

class CProgressBar {
public:
    CProgressBar(bool bEnabled, double fTotalSeconds, std::FILE* pOut = stderr);
    ~CProgressBar() { Finish(); }
    CProgressBar(const CProgressBar&) = delete;
    CProgressBar& operator=(const CProgressBar&) = delete;

    // fDoneSeconds: audio rendered so far.
    void Update(double fDoneSeconds);
    void Finish();

    // One line of progress (no carriage return): fraction 0 ... 1, speed as a multiple of real
    // time (0 while unknown), seconds of wall time left (negative while unknown).
    static std::string Format(double fFraction, double fSpeed, double fSecondsLeft, int nBarWidth = 28);

    // True when standard error is a terminal.
    static bool StandardErrorIsTerminal();

private:
    bool m_bEnabled;
    bool m_bDrawn = false;
    double m_fTotalSeconds;
    std::FILE* m_pOut;
    std::chrono::steady_clock::time_point m_Start;
    std::chrono::steady_clock::time_point m_LastDraw;
};
