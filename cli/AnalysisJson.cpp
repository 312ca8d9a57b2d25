// The numbers behind the analysis pictures as JSON.
#include "Analysis.h"
#include "CJsonWriter.h"

namespace {

void LevelPoints(CJsonWriter& j, const std::vector<SLevelPoint>& points)
{
    j.BeginArray();
    for (const SLevelPoint& p : points)
        j.BeginObject().Key("in_dbfs").Number(p.m_fIn_dB).Key("out_dbfs").Number(p.m_fOut_dB).EndObject();
    j.EndArray();
}

void One(CJsonWriter& j, const SAnalysis& a)
{
    j.BeginObject().Key("label").String(a.m_Label);

    j.Key("response").BeginObject().Key("level_dbfs").Number(kResponseLevel_dBFS).Key("conditions").String(kQuietConditions);
    j.Key("points").BeginArray();
    for (const SResponsePoint& p : a.m_Response)
        j.BeginObject().Key("hz").Number(p.m_fHz).Key("left_db").Number(p.m_fLeft_dB).Key("right_db").Number(p.m_fRight_dB).EndObject();
    j.EndArray().EndObject();

    j.Key("saturation").BeginObject().Key("hz").Number(kToneHz).Key("conditions").String(kQuietConditions);
    j.Key("transfer");
    LevelPoints(j, a.m_Transfer);
    j.Key("harmonics").BeginArray();
    for (const SHarmonics& h : a.m_Harmonics) {
        j.BeginObject().Key("in_dbfs").Number(h.m_fIn_dB).Key("fundamental_dbfs").Number(h.m_fFundamental_dB);
        j.Key("h2_to_h7_dbc").BeginArray();
        for (double v : h.m_fHarmonic_dBc)
            j.Number(v);
        j.EndArray().EndObject();
    }
    j.EndArray().EndObject();

    j.Key("compander").BeginObject().Key("conditions").String(kQuietConditions).Key("curves").BeginArray();
    for (const SCompanderCurve& c : a.m_Compander) {
        j.BeginObject().Key("nr").Bool(c.m_bOn).Key("hz").Number(c.m_fHz).Key("points");
        LevelPoints(j, c.m_Points);
        j.EndObject();
    }
    j.EndArray().EndObject();

    // Every tenth period is plenty to redraw the curve.
    j.Key("modulation").BeginObject().Key("hz").Number(kToneHz).Key("conditions").String(kPitchConditions);
    j.Key("peak_to_peak_cents").Number(a.m_Pitch.m_fPeakToPeak_cents).Key("rms_cents").Number(a.m_Pitch.m_fRms_cents);
    j.Key("points").BeginArray();
    for (size_t i = 0; i < a.m_Pitch.m_fCents.size(); i += 10)
        j.BeginObject().Key("t").Number(a.m_Pitch.m_fTime_s[i]).Key("cents").Number(a.m_Pitch.m_fCents[i]).EndObject();
    j.EndArray().EndObject();

    j.Key("hiss").BeginObject().Key("conditions").String(kHissConditions);
    j.Key("total_left_dbfs").Number(a.m_Hiss.m_fTotalLeft_dB).Key("total_right_dbfs").Number(a.m_Hiss.m_fTotalRight_dB);
    j.Key("bands").BeginArray();
    for (const SBandLevel& b : a.m_Hiss.m_Bands)
        j.BeginObject().Key("hz").Number(b.m_fCentreHz).Key("left_dbfs").Number(b.m_fLeft_dB).Key("right_dbfs").Number(b.m_fRight_dB).EndObject();
    j.EndArray().EndObject();

    j.EndObject();
}

}  // namespace

void WriteAnalysisJson(CJsonWriter& json, const std::vector<SAnalysis>& analyses, double fRate, unsigned nSeed)
{
    json.BeginObject().Key("rate").Number(fRate).Key("seed").Integer(nSeed).Key("settings").BeginArray();
    for (const SAnalysis& a : analyses)
        One(json, a);
    json.EndArray().EndObject();
}
