#include "CPlotAxis.h"

#include <cmath>
#include <cstdio>

CPlotAxis::CPlotAxis(double fMin, double fMax, bool bLog, double fPixelFrom, double fPixelTo)
    : m_fMin(fMin), m_fMax(fMax), m_bLog(bLog), m_fPixelFrom(fPixelFrom), m_fPixelTo(fPixelTo)
{
}

double CPlotAxis::ToPixel(double fValue) const
{
    const double t = m_bLog ? std::log(fValue / m_fMin) / std::log(m_fMax / m_fMin) : (fValue - m_fMin) / (m_fMax - m_fMin);
    return m_fPixelFrom + t * (m_fPixelTo - m_fPixelFrom);
}

double NiceStep(double fSpan, int nMost)
{
    const double fRaw = fSpan / double(nMost);
    const double fDecade = std::pow(10.0, std::floor(std::log10(fRaw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * fDecade >= fRaw * (1.0 - 1e-9))
            return m * fDecade;
    return 10.0 * fDecade;
}

std::vector<double> CPlotAxis::Ticks(int nMost) const
{
    std::vector<double> ticks;
    const double fSlack = 1e-9 * (m_fMax - m_fMin);
    if (m_bLog) {
        for (double fDecade = std::pow(10.0, std::floor(std::log10(m_fMin))); fDecade <= m_fMax; fDecade *= 10.0)
            for (double m : {1.0, 2.0, 5.0})
                if (m * fDecade >= m_fMin * (1.0 - 1e-9) && m * fDecade <= m_fMax * (1.0 + 1e-9))
                    ticks.push_back(m * fDecade);
        return ticks;
    }
    const double fStep = NiceStep(m_fMax - m_fMin, nMost);
    for (double v = std::ceil((m_fMin - fSlack) / fStep) * fStep; v <= m_fMax + fSlack; v += fStep)
        ticks.push_back(std::fabs(v) < 1e-9 * fStep ? 0.0 : v);
    return ticks;
}

std::string CPlotAxis::Label(double fValue)
{
    char buf[32];
    if (std::fabs(fValue) >= 1000.0)
        std::snprintf(buf, sizeof buf, "%gk", fValue / 1000.0);
    else
        std::snprintf(buf, sizeof buf, "%g", fValue);
    return buf;
}
