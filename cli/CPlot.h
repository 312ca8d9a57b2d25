#pragma once
// A small plotting layer on cairo: a figure with a title and a subtitle over one or two panels
// side by side, each with axes, grid, tick labels, axis titles, lines and a legend; written
// as a PNG.

#include <string>
#include <vector>

struct SPlotLine {
    std::string m_Label;            // empty: left out of the legend
    std::vector<double> m_X, m_Y;   // a non-finite point breaks the line
    int m_nColour = 0;              // index into the palette (wraps)
    bool m_bDashed = false;
    bool m_bMarkers = false;        // a dot on every point
};

struct SPlotPanel {
    std::string m_XTitle, m_YTitle;  // with units
    double m_fXMin = 0.0, m_fXMax = 1.0, m_fYMin = 0.0, m_fYMax = 1.0;
    bool m_bLogX = false;
    std::vector<SPlotLine> m_Lines;
    // The legend's corner, where the lines leave room.
    enum ELegend { kTopRight, kTopLeft, kBottomLeft } m_eLegend = kTopRight;
};

struct SPlotFigure {
    std::string m_Title, m_Subtitle;
    int m_nWidth = 800, m_nHeight = 500;
    std::vector<SPlotPanel> m_Panels;
};

// Throws CCliError when the file cannot be written.
void SavePlot(const SPlotFigure& figure, const std::string& path);
// Frees cairo's and fontconfig's caches once no plot is drawn any more (before exit, so a
// leak checker sees only real leaks).
void ReleasePlotFonts();

// The lowest and highest finite value of the lines' y (NaN when there is none).
void FiniteYRange(const std::vector<SPlotLine>& lines, double& outLow, double& outHigh);
// A y range holding [fLow, fHigh] with ends on fStep, at least fMinSpan wide.
void RoundRange(double fLow, double fHigh, double fStep, double fMinSpan, double& outLow, double& outHigh);
