#pragma once
// The host's controller for one instance: sample rate, latency, stem formats, meter values
// and the latest packet posted to each data port of the algorithm context.
//
// Threading: settings from the host's main thread; PostPacket from the parameter thread;
// the render copies packets out (CopyLatestPacket) on the audio thread. A mutex guards the
// packets and meters (the host's side only); packets of up to 8 bytes in the first fields
// (the batch number among them) are also kept in atomics, so the render reads them without
// waiting for the parameter thread.

#include "AAX_IACFController.h"
#include "CHostObject.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class CHostController : public THostObject<AAX_IACFController> {
public:
    explicit CHostController(float sampleRate = 48000.0f, int32_t stemFormat = AAX_eStemFormat_Stereo);

    AAX_Result GetEffectID(AAX_IString* outEffectID) const override;
    AAX_Result GetSampleRate(float* outSampleRate) const override;
    AAX_Result GetInputStemFormat(int32_t* outStemFormat) const override;
    AAX_Result GetOutputStemFormat(int32_t* outStemFormat) const override;
    AAX_Result GetSignalLatency(int32_t* outSamples) const override;
    AAX_Result SetSignalLatency(int32_t inSamples) override;
    AAX_Result PostPacket(AAX_CFieldIndex inField, const void* inPayload, uint32_t inBytes) override;
    AAX_Result GetMeterCount(uint32_t* outCount) const override;
    AAX_Result GetCurrentMeterValue(AAX_CTypeID inMeterID, float* outValue) const override;

    void SetEffectID(const std::string& id);
    void SetSampleRate(float sampleRate) { m_fSampleRate = sampleRate; }
    void SetStemFormats(int32_t input, int32_t output);
    int32_t Latency() const { return m_nLatency; }
    void SetMeters(const std::vector<AAX_CTypeID>& ids);
    void SetMeterValue(AAX_CTypeID id, float value);

    // Copies the latest packet of a field into pOut when it has exactly nBytes; false if none.
    bool CopyLatestPacket(AAX_CFieldIndex field, void* pOut, uint32_t nBytes) const;
    std::vector<unsigned char> LatestPacket(AAX_CFieldIndex field) const;
    uint32_t PacketCount(AAX_CFieldIndex field) const;

private:
    struct SPort {
        std::vector<unsigned char> m_Latest;
        uint32_t m_nCount = 0;
    };

    std::string m_EffectID;
    std::atomic<float> m_fSampleRate;
    std::atomic<int32_t> m_nInputStem;
    std::atomic<int32_t> m_nOutputStem;
    std::atomic<int32_t> m_nLatency{0};
    // The latest small packet per field, for the audio thread.
    static constexpr AAX_CFieldIndex kWordFields = 16;
    struct SWord {
        std::atomic<uint64_t> m_nValue{0};
        std::atomic<uint32_t> m_nBytes{0};  // 0: none yet
    };
    SWord m_Words[kWordFields];
    mutable std::mutex m_Mutex;
    std::map<AAX_CFieldIndex, SPort> m_Ports;
    std::vector<std::pair<AAX_CTypeID, float>> m_Meters;
};
