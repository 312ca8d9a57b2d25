#include "CHostController.h"

#include <cstring>

CHostController::CHostController(float sampleRate, int32_t stemFormat)
    : m_fSampleRate(sampleRate), m_nInputStem(stemFormat), m_nOutputStem(stemFormat)
{
}

AAX_Result CHostController::GetEffectID(AAX_IString* outEffectID) const
{
    if (!outEffectID)
        return AAX_ERROR_NULL_ARGUMENT;
    std::lock_guard<std::mutex> lock(m_Mutex);
    outEffectID->Set(m_EffectID.c_str());
    return AAX_SUCCESS;
}

AAX_Result CHostController::GetSampleRate(float* outSampleRate) const
{
    if (!outSampleRate)
        return AAX_ERROR_NULL_ARGUMENT;
    *outSampleRate = m_fSampleRate;
    return AAX_SUCCESS;
}

AAX_Result CHostController::GetInputStemFormat(int32_t* outStemFormat) const
{
    if (!outStemFormat)
        return AAX_ERROR_NULL_ARGUMENT;
    *outStemFormat = m_nInputStem;
    return AAX_SUCCESS;
}

AAX_Result CHostController::GetOutputStemFormat(int32_t* outStemFormat) const
{
    if (!outStemFormat)
        return AAX_ERROR_NULL_ARGUMENT;
    *outStemFormat = m_nOutputStem;
    return AAX_SUCCESS;
}

AAX_Result CHostController::GetSignalLatency(int32_t* outSamples) const
{
    if (!outSamples)
        return AAX_ERROR_NULL_ARGUMENT;
    *outSamples = m_nLatency;
    return AAX_SUCCESS;
}

AAX_Result CHostController::SetSignalLatency(int32_t inSamples)
{
    m_nLatency = inSamples;
    return AAX_SUCCESS;
}

AAX_Result CHostController::PostPacket(AAX_CFieldIndex inField, const void* inPayload, uint32_t inBytes)
{
    if (!inPayload && inBytes > 0)
        return AAX_ERROR_NULL_ARGUMENT;
    if (inField >= 0 && inField < kWordFields) {
        uint64_t nValue = 0;
        if (inBytes <= sizeof(uint64_t))
            std::memcpy(&nValue, inPayload, inBytes);
        m_Words[inField].m_nValue.store(nValue, std::memory_order_release);
        m_Words[inField].m_nBytes.store(inBytes, std::memory_order_release);  // a larger one never matches
    }
    std::lock_guard<std::mutex> lock(m_Mutex);
    SPort& port = m_Ports[inField];
    const auto* pBytes = static_cast<const unsigned char*>(inPayload);
    port.m_Latest.assign(pBytes, pBytes + inBytes);
    ++port.m_nCount;
    return AAX_SUCCESS;
}

AAX_Result CHostController::GetMeterCount(uint32_t* outCount) const
{
    if (!outCount)
        return AAX_ERROR_NULL_ARGUMENT;
    std::lock_guard<std::mutex> lock(m_Mutex);
    *outCount = uint32_t(m_Meters.size());
    return AAX_SUCCESS;
}

AAX_Result CHostController::GetCurrentMeterValue(AAX_CTypeID inMeterID, float* outValue) const
{
    if (!outValue)
        return AAX_ERROR_NULL_ARGUMENT;
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (const auto& [id, value] : m_Meters)
        if (id == inMeterID) {
            *outValue = value;
            return AAX_SUCCESS;
        }
    return AAX_ERROR_INVALID_METER_INDEX;
}

void CHostController::SetEffectID(const std::string& id)
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_EffectID = id;
}

void CHostController::SetStemFormats(int32_t input, int32_t output)
{
    m_nInputStem = input;
    m_nOutputStem = output;
}

void CHostController::SetMeters(const std::vector<AAX_CTypeID>& ids)
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Meters.clear();
    for (AAX_CTypeID id : ids)
        m_Meters.emplace_back(id, 0.0f);
}

void CHostController::SetMeterValue(AAX_CTypeID id, float value)
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (auto& meter : m_Meters)
        if (meter.first == id)
            meter.second = value;
}

bool CHostController::CopyLatestPacket(AAX_CFieldIndex field, void* pOut, uint32_t nBytes) const
{
    if (field >= 0 && field < kWordFields && nBytes > 0 && nBytes <= sizeof(uint64_t)) {
        if (!pOut || m_Words[field].m_nBytes.load(std::memory_order_acquire) != nBytes)
            return false;
        const uint64_t nValue = m_Words[field].m_nValue.load(std::memory_order_acquire);
        std::memcpy(pOut, &nValue, nBytes);
        return true;
    }
    std::lock_guard<std::mutex> lock(m_Mutex);
    const auto it = m_Ports.find(field);
    if (it == m_Ports.end() || it->second.m_Latest.size() != nBytes || !pOut)
        return false;
    std::memcpy(pOut, it->second.m_Latest.data(), nBytes);
    return true;
}

std::vector<unsigned char> CHostController::LatestPacket(AAX_CFieldIndex field) const
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    const auto it = m_Ports.find(field);
    return it != m_Ports.end() ? it->second.m_Latest : std::vector<unsigned char>();
}

uint32_t CHostController::PacketCount(AAX_CFieldIndex field) const
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    const auto it = m_Ports.find(field);
    return it != m_Ports.end() ? it->second.m_nCount : 0;
}
