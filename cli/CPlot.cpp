#include "CPlot.h"

#include "CPlotAxis.h"
#include "CliError.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

namespace {

struct SColour {
    double r, g, b;
};
// Distinguishable on white and for the common colour-vision deficiencies.
constexpr SColour kPalette[] = {{0.00, 0.45, 0.70}, {0.84, 0.37, 0.00}, {0.00, 0.62, 0.45}, {0.80, 0.47, 0.65},
                                {0.34, 0.34, 0.34}, {0.90, 0.62, 0.00}, {0.35, 0.70, 0.90}};

void SetColour(cairo_t* cr, int nColour)
{
    const SColour& c = kPalette[size_t(nColour) % std::size(kPalette)];
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

void Font(cairo_t* cr, double fSize, bool bBold = false)
{
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, bBold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, fSize);
}

double TextWidth(cairo_t* cr, const std::string& text)
{
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

// Text with its baseline at y, placed by fAlign: 0 left, 0.5 centred, 1 right.
void Text(cairo_t* cr, const std::string& text, double x, double y, double fAlign)
{
    cairo_move_to(cr, x - fAlign * TextWidth(cr, text), y);
    cairo_show_text(cr, text.c_str());
}

void StrokeLine(cairo_t* cr, const SPlotLine& line, const CPlotAxis& xAxis, const CPlotAxis& yAxis)
{
    SetColour(cr, line.m_nColour);
    cairo_set_line_width(cr, 2.0);
    const double dash[] = {6.0, 4.0};
    cairo_set_dash(cr, dash, line.m_bDashed ? 2 : 0, 0.0);
    bool bOpen = false;
    for (size_t i = 0; i < line.m_X.size() && i < line.m_Y.size(); ++i) {
        if (!std::isfinite(line.m_X[i]) || !std::isfinite(line.m_Y[i])) {
            bOpen = false;
            continue;
        }
        const double x = xAxis.ToPixel(line.m_X[i]), y = yAxis.ToPixel(line.m_Y[i]);
        if (bOpen)
            cairo_line_to(cr, x, y);
        else
            cairo_move_to(cr, x, y);
        bOpen = true;
    }
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);
    if (!line.m_bMarkers)
        return;
    for (size_t i = 0; i < line.m_X.size() && i < line.m_Y.size(); ++i)
        if (std::isfinite(line.m_X[i]) && std::isfinite(line.m_Y[i])) {
            cairo_arc(cr, xAxis.ToPixel(line.m_X[i]), yAxis.ToPixel(line.m_Y[i]), 3.5, 0.0, 2.0 * std::numbers::pi);
            cairo_fill(cr);
        }
}

void DrawLegend(cairo_t* cr, const SPlotPanel& panel, double fLeft, double fTop, double fRight, double fBottom)
{
    Font(cr, 12.0);
    double fWidest = 0.0;
    int nEntries = 0;
    const std::vector<SPlotLine>& lines = panel.m_Lines;
    for (const SPlotLine& l : lines)
        if (!l.m_Label.empty()) {
            fWidest = std::max(fWidest, TextWidth(cr, l.m_Label));
            ++nEntries;
        }
    if (nEntries == 0)
        return;
    const double fRow = 17.0, fBoxW = fWidest + 42.0, fBoxH = nEntries * fRow + 8.0;
    const double x0 = panel.m_eLegend == SPlotPanel::kTopRight ? fRight - fBoxW - 8.0 : fLeft + 8.0;
    const double y0 = panel.m_eLegend == SPlotPanel::kBottomLeft ? fBottom - fBoxH - 8.0 : fTop + 8.0;
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.85);
    cairo_rectangle(cr, x0, y0, fBoxW, fBoxH);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.75, 0.75, 0.75);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    double y = y0 + 4.0 + fRow / 2.0;
    for (const SPlotLine& l : lines) {
        if (l.m_Label.empty())
            continue;
        SetColour(cr, l.m_nColour);
        cairo_set_line_width(cr, 2.0);
        const double dash[] = {6.0, 4.0};
        cairo_set_dash(cr, dash, l.m_bDashed ? 2 : 0, 0.0);
        cairo_move_to(cr, x0 + 6.0, y);
        cairo_line_to(cr, x0 + 30.0, y);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0.0);
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        Text(cr, l.m_Label, x0 + 36.0, y + 4.5, 0.0);
        y += fRow;
    }
}

void DrawPanel(cairo_t* cr, const SPlotPanel& panel, double fLeft, double fTop, double fRight, double fBottom)
{
    const CPlotAxis xAxis(panel.m_fXMin, panel.m_fXMax, panel.m_bLogX, fLeft, fRight);
    const CPlotAxis yAxis(panel.m_fYMin, panel.m_fYMax, false, fBottom, fTop);

    // Grid and tick labels.
    Font(cr, 12.0);
    cairo_set_line_width(cr, 1.0);
    for (double t : xAxis.Ticks(8)) {
        const double x = std::round(xAxis.ToPixel(t)) + 0.5;
        cairo_set_source_rgb(cr, 0.88, 0.88, 0.88);
        cairo_move_to(cr, x, fTop);
        cairo_line_to(cr, x, fBottom);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        Text(cr, CPlotAxis::Label(t), x, fBottom + 16.0, 0.5);
    }
    for (double t : yAxis.Ticks(8)) {
        const double y = std::round(yAxis.ToPixel(t)) + 0.5;
        cairo_set_source_rgb(cr, 0.88, 0.88, 0.88);
        cairo_move_to(cr, fLeft, y);
        cairo_line_to(cr, fRight, y);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        Text(cr, CPlotAxis::Label(t), fLeft - 6.0, y + 4.0, 1.0);
    }
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    cairo_rectangle(cr, fLeft + 0.5, fTop + 0.5, fRight - fLeft - 1.0, fBottom - fTop - 1.0);
    cairo_stroke(cr);

    // Axis titles: x below the labels, y turned along the left edge.
    Font(cr, 13.0);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    Text(cr, panel.m_XTitle, 0.5 * (fLeft + fRight), fBottom + 36.0, 0.5);
    cairo_save(cr);
    cairo_translate(cr, fLeft - 44.0, 0.5 * (fTop + fBottom));
    cairo_rotate(cr, -std::numbers::pi / 2.0);
    Text(cr, panel.m_YTitle, 0.0, 0.0, 0.5);
    cairo_restore(cr);

    cairo_save(cr);
    cairo_rectangle(cr, fLeft, fTop, fRight - fLeft, fBottom - fTop);
    cairo_clip(cr);
    for (const SPlotLine& l : panel.m_Lines)
        StrokeLine(cr, l, xAxis, yAxis);
    cairo_restore(cr);
    DrawLegend(cr, panel, fLeft, fTop, fRight, fBottom);
}

}  // namespace

void SavePlot(const SPlotFigure& figure, const std::string& path)
{
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, figure.m_nWidth, figure.m_nHeight), cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context(cairo_create(surface.get()), cairo_destroy);
    cairo_t* cr = context.get();
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);

    cairo_set_source_rgb(cr, 0.05, 0.05, 0.05);
    Font(cr, 17.0, true);
    Text(cr, figure.m_Title, 0.5 * figure.m_nWidth, 26.0, 0.5);
    cairo_set_source_rgb(cr, 0.35, 0.35, 0.35);
    Font(cr, 12.0);
    Text(cr, figure.m_Subtitle, 0.5 * figure.m_nWidth, 46.0, 0.5);

    const double fTop = 62.0, fBottom = figure.m_nHeight - 50.0, fLeftMargin = 64.0, fRightMargin = 18.0;
    const double fSlot = double(figure.m_nWidth) / double(std::max<size_t>(figure.m_Panels.size(), 1));
    for (size_t i = 0; i < figure.m_Panels.size(); ++i)
        DrawPanel(cr, figure.m_Panels[i], i * fSlot + fLeftMargin, fTop, (i + 1) * fSlot - fRightMargin, fBottom);

    cairo_surface_flush(surface.get());
    // Channels rounded to 4 bits: antialiased edges look the same and the PNG compresses to
    // about half.
    unsigned char* pPixels = cairo_image_surface_get_data(surface.get());
    const int nStride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < figure.m_nHeight; ++y)
        for (int x = 0; x < figure.m_nWidth * 4; ++x) {
            unsigned char& v = pPixels[y * nStride + x];
            v = static_cast<unsigned char>(std::min(255, (v + 8) / 17 * 17));
        }
    cairo_surface_mark_dirty(surface.get());
    if (cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw CCliError("cannot write " + path);
}

void ReleasePlotFonts()
{
    cairo_debug_reset_static_data();
    FcFini();
}

void FiniteYRange(const std::vector<SPlotLine>& lines, double& outLow, double& outHigh)
{
    outLow = std::numeric_limits<double>::infinity();
    outHigh = -outLow;
    for (const SPlotLine& l : lines)
        for (double y : l.m_Y)
            if (std::isfinite(y)) {
                outLow = std::min(outLow, y);
                outHigh = std::max(outHigh, y);
            }
    if (outLow > outHigh)
        outLow = outHigh = std::numeric_limits<double>::quiet_NaN();
}

void RoundRange(double fLow, double fHigh, double fStep, double fMinSpan, double& outLow, double& outHigh)
{
    if (!std::isfinite(fLow) || !std::isfinite(fHigh))
        fLow = fHigh = 0.0;
    const double fMid = 0.5 * (fLow + fHigh);
    fLow = std::min(fLow, fMid - 0.5 * fMinSpan);
    fHigh = std::max(fHigh, fMid + 0.5 * fMinSpan);
    outLow = std::floor(fLow / fStep) * fStep;
    outHigh = std::ceil(fHigh / fStep) * fStep;
    if (outHigh <= outLow)
        outHigh = outLow + fStep;
}
