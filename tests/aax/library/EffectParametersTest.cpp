#include "AAX_CChunkDataParser.h"
#include "ChunkTestUtil.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

struct Instance {
    CHostPtr<CTestEffect> m_pEffect;
    explicit Instance(bool bOnlyBypass = false) : m_pEffect(new CTestEffect)
    {
        m_pEffect->AddRef();
        m_pEffect->m_bOnlyBypass = bOnlyBypass;
        EXPECT_EQ(m_pEffect->Initialize(nullptr), AAX_SUCCESS);
    }
    CTestEffect* operator->() { return m_pEffect.get(); }
};

AAX_CBoolean Compare(CTestEffect& e, std::vector<unsigned char>& record)
{
    AAX_CBoolean bEqual = 2;
    EXPECT_EQ(e.CompareActiveChunk(AsChunk(record), uint32_t(record.size()), &bEqual), AAX_SUCCESS);
    return bEqual;
}

AAX_Result Restore(CTestEffect& e, std::vector<unsigned char>& record)
{
    return e.SetChunk(AAX_CEffectParameters::kControlsChunkID, AsChunk(record), uint32_t(record.size()));
}

}  // namespace

TEST(EffectParameters, UnknownIdentifiersAnswerInvalidParameterIDAndKnownOnesTheirParameter)
{
    Instance e;
    const char* id = "nope";
    AAX_CBoolean b = 1;
    int32_t n = 0;
    double d = 0;
    AAX_CString s("x");
    AAX_IParameter* p = reinterpret_cast<AAX_IParameter*>(&n);
    const AAX_Result results[] = {
        e->GetParameterIsAutomatable(id, &b), e->GetParameterNumberOfSteps(id, &n),
        e->GetParameterDefaultNormalizedValue(id, &d), e->SetParameterDefaultNormalizedValue(id, 0.5),
        e->GetParameterType(id, &n), e->GetParameterOrientation(id, &n), e->GetParameter(id, &p),
        e->GetParameterValueFromString(id, &d, AAX_CString("1")), e->GetParameterStringFromValue(id, 0.5, &s, 10),
        e->GetParameterValueString(id, &s, 10), e->GetParameterNormalizedValue(id, &d),
        e->SetParameterNormalizedValue(id, 0.5), e->SetParameterNormalizedRelative(id, 0.1), e->TouchParameter(id),
        e->ReleaseParameter(id), e->UpdateParameterNormalizedValue(id, 0.5, 0),
        e->UpdateParameterNormalizedRelative(id, 0.5), e->GetParameterIndex(nullptr, &n), e->GetParameterIndex(id, &n),
        e->GetParameterIDFromIndex(-1, &s), e->GetParameterIDFromIndex(5, &s)};
    for (size_t k = 0; k < std::size(results); ++k)
        EXPECT_EQ(results[k], AAX_ERROR_INVALID_PARAMETER_ID) << k;
    EXPECT_EQ(b, 0);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(n, -1);
    EXPECT_EQ(s.StdString(), "");
    // Names answer an empty text with success instead.
    AAX_CString name("x"), shortName("x");
    EXPECT_EQ(e->GetParameterName(id, &name), AAX_SUCCESS);
    EXPECT_EQ(e->GetParameterNameOfLength(id, &shortName, 4), AAX_SUCCESS);
    EXPECT_EQ(name.StdString() + shortName.StdString(), "");
    EXPECT_EQ(e->GetParameterNameOfLength("1", nullptr, 4), AAX_ERROR_INVALID_STRING_CONVERSION);
    n = 7;
    EXPECT_EQ(e->GetParameterValueInfo("1", 0, &n), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ(n, 0);

    // Known ones (names, types and texts are the params snapshot, text values the command's
    // tests); the duplicate "1" was not added.
    EXPECT_EQ(e->GetNumberOfParameters(&n), AAX_SUCCESS);
    EXPECT_EQ(n, 5);
    EXPECT_EQ(e->GetParameterIndex("3", &n), AAX_SUCCESS);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(e->GetParameterValueFromString("1", &d, AAX_CString("loud")), AAX_ERROR_INVALID_STRING_CONVERSION);

    // Steps above the int32 range cannot be reported.
    ASSERT_EQ(e->GetParameter("1", &p), AAX_SUCCESS);
    p->SetNumberOfSteps(0x80000000u);
    EXPECT_EQ(e->GetParameterNumberOfSteps("1", &n), AAX_ERROR_SIGNED_INT_OVERFLOW);
    p->SetNumberOfSteps(0x7FFFFFFFu);
    EXPECT_EQ(e->GetParameterNumberOfSteps("1", &n), AAX_SUCCESS);
    EXPECT_EQ(n, 0x7FFFFFFF);
}

TEST(EffectParameters, ValuesFromTheHostAreClampedCountedAndNeverNonFinite)
{
    Instance e;
    EXPECT_EQ(e->SetParameterNormalizedValue("1", 0.75), AAX_SUCCESS);
    EXPECT_EQ(e->SetParameterNormalizedRelative("1", 0.5), AAX_SUCCESS);
    EXPECT_DOUBLE_EQ(e->Normalized("1"), 1.0);

    int32_t nChanges = -1;
    e->GetNumberOfChanges(&nChanges);
    EXPECT_EQ(nChanges, 0);
    EXPECT_EQ(e->UpdateParameterNormalizedValue("1", 0.25, 0), AAX_SUCCESS);
    EXPECT_EQ(e->UpdateParameterNormalizedValue("1", 0.25, 0), AAX_SUCCESS);  // unchanged: not counted
    EXPECT_EQ(e->UpdateParameterNormalizedRelative("1", -1.0), AAX_SUCCESS);
    e->GetNumberOfChanges(&nChanges);
    EXPECT_EQ(nChanges, 2);
    EXPECT_DOUBLE_EQ(e->Normalized("1"), 0.0);

    e->SetParameterNormalizedValue("1", 0.5);
    for (AAX_Result r : {e->SetParameterNormalizedValue("1", kNaN), e->UpdateParameterNormalizedValue("1", kInf, 0),
                         e->UpdateParameterNormalizedRelative("1", kNaN), e->SetParameterNormalizedRelative("1", -kInf),
                         e->SetParameterDefaultNormalizedValue("1", kNaN)})
        EXPECT_EQ(r, AAX_ERROR_INVALID_ARGUMENT);
    EXPECT_DOUBLE_EQ(e->Normalized("1"), 0.5);
    double d = -1;
    e->GetParameterDefaultNormalizedValue("1", &d);
    EXPECT_DOUBLE_EQ(d, 0.5);
}

TEST(EffectParameters, GetChunkNeedsAMatchingGetChunkSizeAndOnlyTheElckChunkExists)
{
    Instance e;
    std::vector<unsigned char> record(1024);
    EXPECT_EQ(e->GetChunk(AAX_CEffectParameters::kControlsChunkID, AsChunk(record)), AAX_ERROR_INCORRECT_CHUNK_SIZE);

    uint32_t nSize = 0;
    ASSERT_EQ(e->GetChunkSize(AAX_CEffectParameters::kControlsChunkID, &nSize), AAX_SUCCESS);
    e->SetParameterNormalizedValue("1", 0.9);  // values change, the size does not
    EXPECT_EQ(e->GetChunk(AAX_CEffectParameters::kControlsChunkID, AsChunk(record)), AAX_SUCCESS);
    EXPECT_EQ(AsChunk(record)->fSize, int32_t(nSize));

    e->AddGain("5", "Another");  // the state grows after the size was asked
    EXPECT_EQ(e->GetChunk(AAX_CEffectParameters::kControlsChunkID, AsChunk(record)), AAX_ERROR_INCORRECT_CHUNK_SIZE);

    const AAX_CTypeID other = AAX_FourCC("abcd");
    EXPECT_EQ(e->GetChunkSize(other, &nSize), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ(nSize, 0u);
    record = SaveChunk(*e.m_pEffect);
    EXPECT_EQ(e->GetChunk(other, AsChunk(record)), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ(e->SetChunk(other, AsChunk(record), uint32_t(record.size())), AAX_ERROR_INVALID_CHUNK_ID);

    int32_t n = 0;
    AAX_CTypeID id = 1;
    EXPECT_EQ(e->GetNumberOfChunks(&n), AAX_SUCCESS);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(e->GetChunkIDFromIndex(0, &id), AAX_SUCCESS);
    EXPECT_EQ(id, AAX_FourCC("elck"));
    EXPECT_EQ(e->GetChunkIDFromIndex(1, &id), AAX_ERROR_INVALID_CHUNK_INDEX);
    EXPECT_EQ(id, 0u);

    // A chunk of another ID compares as equal without being read.
    AsChunk(record)->fChunkID = other;
    AsChunk(record)->fSize = 1 << 30;
    EXPECT_EQ(Compare(*e.m_pEffect, record), 1);
}

TEST(EffectParameters, SavedStateHoldsEveryParameterButTheBypass)
{
    Instance e;
    e->SetParameterNormalizedValue("1", 0.75);
    e->SetParameterNormalizedValue("4", 1.0);
    e->SetParameterNormalizedValue("MasterBypassID", 1.0);
    std::vector<unsigned char> record = SaveChunk(*e.m_pEffect);
    const AAX_SPlugInChunk* pChunk = AsChunk(record);
    EXPECT_EQ(pChunk->fVersion, -1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(pChunk->fName)), "Complete Controls State");
    EXPECT_EQ(pChunk->fName[31], 0);

    AAX_CChunkDataParser reader;
    reader.LoadChunk(pChunk, uint32_t(record.size()));
    std::string saved;  // name, type and value of each entry
    for (const auto& entry : reader.Entries())
        saved += entry.m_Name.StdString() + ":" + std::to_string(entry.m_nType) + "=" +
                 std::to_string(entry.m_nType == AAX_CChunkDataParser::kType_Double ? entry.m_Number.m_d : entry.m_Number.m_n) + " ";
    EXPECT_EQ(saved, "1:3=5.000000 2:2=1.000000 3:3=0.000000 4:2=1.000000 ");

    // Restoring a chunk of another version does not change the version saved next.
    std::vector<unsigned char> other = record;
    AsChunk(other)->fVersion = 12;
    EXPECT_EQ(Restore(*e.m_pEffect, other), AAX_SUCCESS);
    other = SaveChunk(*e.m_pEffect);
    EXPECT_EQ(AsChunk(other)->fVersion, -1);
}

// The library's parameters hold bool, int32 or float; a parameter of another kind may answer
// as a double, which the state keeps as a double, or only as text.
class CDoubleParameter : public AAX_CParameter<int16_t> {
public:
    using AAX_CParameter<int16_t>::AAX_CParameter;
    bool GetValueAsDouble(double* out) const override { return *out = m_fValue, true; }
    bool SetValueWithDouble(double value) override { return m_fValue = value, true; }
    double m_fValue = 0.25;
};

TEST(EffectParameters, DoubleAndTextValuesTravelAndCompare)
{
    Instance e;
    auto* pShort = new AAX_CParameter<int16_t>("5", "Short", 2, AAX_CLinearTaperDelegate<int16_t, 1>(0, 10),
                                               AAX_CNumberDisplayDelegate<int16_t, 0, 0>(), true);
    auto* pDouble = new CDoubleParameter("6", "Double", 0, AAX_CLinearTaperDelegate<int16_t, 1>(0, 10),
                                         AAX_CNumberDisplayDelegate<int16_t, 0, 0>(), true);
    e->Manager().AddParameter(pShort);
    e->Manager().AddParameter(pDouble);
    pShort->SetValue(7);
    pDouble->m_fValue = 0.75;
    std::vector<unsigned char> record = SaveChunk(*e.m_pEffect);
    AAX_CChunkDataParser reader;
    reader.LoadChunk(AsChunk(record), uint32_t(record.size()));
    AAX_CString text;
    double d = 0;
    ASSERT_TRUE(reader.FindString("5", &text));
    EXPECT_EQ(text.StdString(), "7");
    ASSERT_TRUE(reader.FindDouble("6", &d));
    EXPECT_EQ(d, 0.75);
    const auto compare = [&] { return Compare(*e.m_pEffect, record); };
    EXPECT_EQ(compare(), 1);
    pDouble->m_fValue = 0.5;
    EXPECT_EQ(compare(), 0);
    pShort->SetValue(1);
    ASSERT_EQ(Restore(*e.m_pEffect, record), AAX_SUCCESS);
    EXPECT_EQ(pShort->GetValue(), 7);
    EXPECT_EQ(pDouble->m_fValue, 0.75);
    EXPECT_EQ(compare(), 1);
    pShort->SetValue(3);
    EXPECT_EQ(compare(), 0);
}

TEST(EffectParameters, AStateOfOnlyFilteredParametersIsTheFourMarkerBytes)
{
    Instance e(true);
    std::vector<unsigned char> record = SaveChunk(*e.m_pEffect);
    EXPECT_EQ(std::vector<unsigned char>(record.begin() + sizeof(AAX_SPlugInChunkHeader), record.end()),
              (std::vector<unsigned char>{1, 1, 1, 1}));
}

TEST(EffectParameters, SetChunkChangesOnlyWhatItNamesWithTheRightType)
{
    Instance e;
    e->SetParameterNormalizedValue("1", 0.75);
    AAX_CChunkDataParser entries;
    entries.AddInt32("2", 2);
    entries.AddInt32("1", 3);  // wrong type for a float parameter: ignored
    entries.AddInt32("4", 7);  // any non-zero integer is true
    entries.AddInt32("MasterBypassID", 1);  // filtered: ignored
    std::vector<unsigned char> record = MakeRecord(Save(entries));
    ASSERT_EQ(Restore(*e.m_pEffect, record), AAX_SUCCESS);
    for (const auto& [pID, fValue] : {std::pair{"2", 1.0}, {"1", 0.75}, {"4", 1.0}, {"MasterBypassID", 0.0}})
        EXPECT_DOUBLE_EQ(e->Normalized(pID), fValue) << pID;

    // A stored value that is not finite, or does not fit a float, never reaches the parameter.
    for (double bad : {kNaN, kInf, 1e300}) {
        AAX_CChunkDataParser badEntries;
        badEntries.AddDouble("1", bad);
        record = MakeRecord(Save(badEntries));
        Restore(*e.m_pEffect, record);
        EXPECT_DOUBLE_EQ(e->Normalized("1"), 0.75) << bad;
    }

    // A record shorter than its size field claims is read only as far as it goes.
    AAX_CChunkDataParser one;
    one.AddDouble("1", -5.0);
    record = MakeRecord(Save(one));
    AsChunk(record)->fSize = 1 << 20;
    EXPECT_EQ(Restore(*e.m_pEffect, record), AAX_SUCCESS);
    EXPECT_DOUBLE_EQ(e->Normalized("1"), 0.25);
}

TEST(EffectParameters, CompareActiveChunkSeesOneUnitInTheLastPlaceButNotTheMeters)
{
    Instance e;
    e->SetParameterNormalizedValue("1", 0.3);
    std::vector<unsigned char> saved = SaveChunk(*e.m_pEffect);
    // The meter moves after every buffer; that alone does not make the state modified.
    e->SetParameterNormalizedValue("3", 0.9);
    EXPECT_EQ(Compare(*e.m_pEffect, saved), 1);

    float gain = 0;
    e->Manager().GetParameterByID("1")->GetValueAsFloat(&gain);
    // Gain "1", switch "2" = 1, invert "4" (absent when negative).
    auto equal = [&](double fGain, int32_t nInvert) {
        AAX_CChunkDataParser entries;
        entries.AddDouble("1", fGain);
        entries.AddInt32("2", 1);
        if (nInvert >= 0)
            entries.AddInt32("4", nInvert);
        std::vector<unsigned char> record = MakeRecord(Save(entries));
        return Compare(*e.m_pEffect, record);
    };
    EXPECT_EQ(equal(double(std::nextafter(gain, 100.0f)), 0), 0);
    EXPECT_EQ(equal(double(gain) + 1e-12, 0), 1);  // narrows to the same float
    EXPECT_EQ(equal(double(gain), -1), 0);          // a missing parameter differs
    EXPECT_EQ(equal(double(gain), 3), 0);           // a bool compares by being non-zero
    e->SetParameterNormalizedValue("4", 1.0);
    EXPECT_EQ(equal(double(gain), 3), 1);
}

TEST(EffectParameters, NameOfLengthPicksTheLongestCandidateThatFits)
{
    Instance e;
    AAX_IParameter* p = nullptr;
    ASSERT_EQ(e->GetParameter("1", &p), AAX_SUCCESS);
    p->SetName("Output Gain Level");
    p->AddShortenedName("Long Name\nLong\nL");  // candidates of 9, 4 and 1 characters
    AAX_CString s;
    const auto nameOf = [&](int32_t nLength) { return e->GetParameterNameOfLength("1", &s, nLength), s.StdString(); };
    EXPECT_EQ(nameOf(5), "Long");
    EXPECT_EQ(nameOf(9), "Long Name");
    EXPECT_EQ(nameOf(0), "");
    EXPECT_EQ(nameOf(40), "Output Gain Level");

    // No candidate fits: the first characters of the text.
    p->ClearShortenedNames();
    p->AddShortenedName("Gain Level");
    EXPECT_EQ(nameOf(3), "Gai");
}

TEST(EffectParameters, InitializeCallsEffectInitAndStopsAtItsError)
{
    CHostPtr<CTestEffect> pEffect(new CTestEffect);
    pEffect->AddRef();
    pEffect->m_nInitResult = AAX_ERROR_INVALID_ARGUMENT;
    EXPECT_EQ(pEffect->Initialize(nullptr), AAX_ERROR_INVALID_ARGUMENT);
    ASSERT_NE(pEffect->Controller(), nullptr);  // the wrappers stay
    EXPECT_FALSE(pEffect->Controller()->IsValid());
    EXPECT_EQ(pEffect->Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ(pEffect->Controller(), nullptr);
    int32_t n = -1;
    pEffect->GetNumberOfParameters(&n);
    EXPECT_EQ(n, 0);

    // Initialising again starts from fresh parameters, not the ones of the first run.
    Instance e;
    e->SetParameterNormalizedValue("1", 0.75);
    ASSERT_EQ(e->Initialize(nullptr), AAX_SUCCESS);
    EXPECT_DOUBLE_EQ(e->Normalized("1"), 0.5);
}

TEST(EffectParameters, PreviewNotificationSetsThePreviewParameter)
{
    Instance e;
    e->Manager().AddParameter(new AAX_CParameter<bool>("PreviewID", "Preview", false, AAX_CBinaryTaperDelegate<bool>(),
                                                       AAX_CBinaryDisplayDelegate<bool>("off", "on"), true));
    const int32_t on = 1, off = 0;
    const AAX_CTypeID preview = AAX_FourCC("ASPv");
    // Type, payload, its size, the value after: another type, or a payload too short, leaves the
    // value alone.
    for (const auto& [nType, pValue, nBytes, fAfter] :
         {std::tuple{preview, &on, 4u, 1.0}, {AAX_FourCC("ASPx"), &off, 4u, 1.0}, {preview, &off, 2u, 1.0}, {preview, &off, 4u, 0.0}}) {
        EXPECT_EQ(e->NotificationReceived(nType, pValue, nBytes), AAX_SUCCESS);
        EXPECT_DOUBLE_EQ(e->Normalized("PreviewID"), fAfter) << nType << " " << nBytes;
    }
}

TEST(EffectParameters, AnswersItsOwnInterfaceAndCountsLiveObjects)
{
    const int32_t nBefore = CACFUnknown::GetActiveObjectCount();
    auto* pEffect = new CTestEffect;
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), nBefore + 1);
    IACFUnknown* pUnknown = static_cast<AAX_IEffectParameters*>(pEffect);

    void* p = nullptr;
    ASSERT_EQ(pUnknown->QueryInterface(AAX_IACFEffectParameters_V4::kIID, &p), ACF_OK);
    EXPECT_EQ(p, static_cast<AAX_IACFEffectParameters_V4*>(pEffect));
    ASSERT_EQ(pUnknown->QueryInterface(IACFUnknown::kIID, &p), ACF_OK);
    EXPECT_EQ(p, pUnknown);
    EXPECT_EQ(pUnknown->QueryInterface(AAX_IACFEffectGUI::kIID, &p), ACF_E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(pUnknown->Release(), 1u);  // the two queries hold the only references
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), nBefore + 1);
    EXPECT_EQ(pUnknown->Release(), 0u);
    EXPECT_EQ(CACFUnknown::GetActiveObjectCount(), nBefore);
}

TEST(EffectParameters, ChangedParametersPostTheirPacketsOnGenerateCoefficients)
{
    STestHost host;
    host.InitializeEffect();
    host.m_pEffect->Dispatcher().RegisterPacket("1", 7, [&host](AAX_CParamID pID, std::vector<unsigned char>& payload) {
        payload.assign(1, static_cast<unsigned char>(100 * host.m_pEffect->Normalized(pID)));
        return AAX_SUCCESS;
    });
    // Registered dirty: posted once; after that only a change of "1" posts its packet again.
    for (const auto& [pChanged, nPackets] : {std::pair{"", 1u}, {"", 1u}, {"2", 1u}, {"1", 2u}}) {
        if (*pChanged)
            host.m_pEffect->UpdateParameterNormalizedValue(pChanged, 1.0, 0);
        EXPECT_EQ(host.m_pEffect->GenerateCoefficients(), AAX_SUCCESS);
        EXPECT_EQ(host.m_pController->PacketCount(7), nPackets) << pChanged;
    }
    unsigned char posted = 0;
    ASSERT_TRUE(host.m_pController->CopyLatestPacket(7, &posted, 1));
    EXPECT_EQ(posted, 100);
}
