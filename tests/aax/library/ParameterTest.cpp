#include "TestEffect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what parameters send; answers nothing by itself.
class CRecordingDelegate : public AAX_IAutomationDelegate {
public:
    AAX_Result RegisterParameter(AAX_CParamID id) override { return Log("register", id); }
    AAX_Result UnregisterParameter(AAX_CParamID id) override { return Log("unregister", id); }
    AAX_Result PostSetValueRequest(AAX_CParamID id, double n) const override { return m_Requests.push_back(n), Log("set", id); }
    AAX_Result PostCurrentValue(AAX_CParamID id, double n) const override { return m_Reported.push_back(n), Log("current", id); }
    AAX_Result PostTouchRequest(AAX_CParamID id) override { return Log("touch", id); }
    AAX_Result PostReleaseRequest(AAX_CParamID id) override { return Log("release", id); }
    AAX_Result GetTouchState(AAX_CParamID, AAX_CBoolean* out) override { return *out = 0, AAX_SUCCESS; }

    mutable std::vector<std::string> m_Calls;
    mutable std::vector<double> m_Requests, m_Reported;

private:
    AAX_Result Log(const char* what, AAX_CParamID id) const
    {
        m_Calls.push_back(std::string(what) + ":" + id);
        return AAX_SUCCESS;
    }
};

}  // namespace

// Step mapping, text parsing into the value and value copies are left out: nothing in the
// product calls them.
TEST(Parameter, TypedConversionsAnswerOnlyForTheirOwnType)
{
    auto sw = MakeSwitch();
    float f = -1.0f;
    int32_t n = -1;
    bool b = true;
    double d = -1.0;
    for (bool bAnswered : {sw->GetValueAsFloat(&f), sw->GetValueAsBool(&b), sw->GetValueAsDouble(&d),
                           sw->SetValueWithFloat(2.0f), sw->SetValueWithDouble(2.0), sw->GetFloatFromNormalizedValue(0.5, &f)})
        EXPECT_FALSE(bAnswered);
    EXPECT_EQ(f, -1.0f);
    EXPECT_TRUE(sw->SetValueWithInt32(2));
    EXPECT_EQ(sw->GetValue(), 2);
    EXPECT_TRUE(sw->GetInt32FromNormalizedValue(0.26, &n));
    EXPECT_EQ(n, 1);
}

// In range and unparsable texts: EffectParameters tests.
TEST(Parameter, TextConversionsReportRangeAndTheValueWithItsUnit)
{
    auto gain = MakeGain(-2.5f);
    EXPECT_DOUBLE_EQ(gain->GetNormalizedDefaultValue(), 0.375);
    double n = -1.0;
    EXPECT_FALSE(gain->GetNormalizedValueFromString("20 dB", &n));  // out of range, still written
    EXPECT_DOUBLE_EQ(n, 1.5);
    AAX_CString text;
    EXPECT_TRUE(gain->GetValueAsString(&text));
    EXPECT_EQ(text.StdString(), "-2.50 dB");
    EXPECT_FALSE(gain->GetValueAsString(nullptr));
}

TEST(Parameter, WithADelegateTheValueChangesOnlyWhenTheHostAnswers)
{
    CRecordingDelegate host;
    auto gain = MakeGain();
    gain->SetAutomationDelegate(&host);
    gain->SetNormalizedValue(0.75);
    EXPECT_EQ(gain->GetValue(), 0.0f);
    EXPECT_EQ(host.m_Calls, (std::vector<std::string>{"register:1", "touch:1", "set:1", "release:1"}));
    ASSERT_EQ(host.m_Requests, std::vector<double>{0.75});

    // The host answers: the value changes and is reported back.
    gain->UpdateNormalizedValue(host.m_Requests[0]);
    EXPECT_EQ(gain->GetValue(), 5.0f);
    EXPECT_EQ(host.m_Reported, std::vector<double>{0.75});

    // The same value again is not reported.
    gain->UpdateNormalizedValue(0.75);
    EXPECT_EQ(host.m_Reported.size(), 1u);

    // Detaching unregisters; without a delegate the value changes at once, and detaching again
    // (no delegate either side) calls nothing.
    gain->SetAutomationDelegate(nullptr);
    gain->SetNormalizedValue(0.25);
    gain->SetAutomationDelegate(nullptr);
    EXPECT_EQ(gain->GetValue(), -5.0f);
    EXPECT_EQ(host.m_Calls.size(), 6u);  // the four above, the reported value, the unregistering
    EXPECT_EQ(host.m_Calls.back(), "unregister:1");
}

TEST(Parameter, NonFiniteNormalisedValuesNeverReachTheValueOrTheDefault)
{
    CRecordingDelegate host;  // outlives the parameter, which unregisters from it
    auto gain = MakeGain(1.0f);
    gain->SetNormalizedValue(kNaN);
    gain->UpdateNormalizedValue(-kInf);
    gain->SetNormalizedDefaultValue(kNaN);
    EXPECT_TRUE(gain->SetValueWithFloat(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ(gain->GetValue(), 1.0f);
    EXPECT_DOUBLE_EQ(gain->GetNormalizedDefaultValue(), 0.55);

    gain->SetAutomationDelegate(&host);
    gain->SetNormalizedValue(kNaN);
    EXPECT_TRUE(host.m_Requests.empty());

    gain->SetNormalizedDefaultValue(0.123);  // constrained real default
    EXPECT_FLOAT_EQ(float(gain->GetNormalizedDefaultValue()), 0.123f);
    gain->Touch();
    gain->Release();
    gain.reset();
    const std::vector<std::string> last(host.m_Calls.end() - 3, host.m_Calls.end());
    EXPECT_EQ(last, (std::vector<std::string>{"touch:1", "release:1", "unregister:1"}));
}
