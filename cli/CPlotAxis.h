#pragma once
// One axis of a plot: maps values to pixels (linearly or on a log scale) and chooses the ticks
// and their labels. Pixels may run either way (a y axis runs upward from the bottom).

#include <string>
#include <vector>

class CPlotAxis {
public:
    // bLog needs 0 < fMin < fMax.
    CPlotAxis(double fMin, double fMax, bool bLog, double fPixelFrom, double fPixelTo);

    double ToPixel(double fValue) const;
    double Min() const { return m_fMin; }
    double Max() const { return m_fMax; }
    bool IsLog() const { return m_bLog; }

    // Log: 1, 2 and 5 times the powers of ten in range. Linear: multiples of a 1, 2 or 5 step
    // giving at most nMost ticks.
    std::vector<double> Ticks(int nMost = 10) const;
    // "20", "1k", "2.5k", "-12", "0.5".
    static std::string Label(double fValue);

private:
    double m_fMin, m_fMax;
    bool m_bLog;
    double m_fPixelFrom, m_fPixelTo;
};

// A linear step of 1, 2 or 5 times a power of ten that divides fSpan into at most nMost parts.
double NiceStep(double fSpan, int nMost);
