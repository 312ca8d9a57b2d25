// Arbitrary bytes handed to the module's parameter object as its state chunk, with the calls a
// host makes around a restore (size, compare, set) and the values then carried to the engine.
// Every parameter must end finite and normalised, the state must save again, and restoring
// that save must give the same values.
#include "Tessera_Parameters.h"

#include "AAX_CString.h"
#include "AAX_IParameter.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr AAX_CTypeID kChunkID = AAX_CEffectParameters::kControlsChunkID;

// An instance for the run (making the engine is what costs), its parameters put back to
// their defaults for each input: the same value a fresh parameter takes. The engine keeps
// what the last input carried to it; every input carries every value.
Tessera_Parameters& FreshInstance(int nWhich)
{
    static Tessera_Parameters* s_pInstances[2] = {};
    Tessera_Parameters*& p = s_pInstances[nWhich];
    if (!p) {
        p = new Tessera_Parameters;
        p->AddRef();
        // No host: parameters take their values at once instead of asking for them.
        if (p->Initialize(nullptr) != AAX_SUCCESS)
            std::abort();
    }
    int32_t nCount = 0;
    p->GetNumberOfParameters(&nCount);
    for (int32_t i = 0; i < nCount; ++i) {
        AAX_CString id;
        AAX_IParameter* pParameter = nullptr;
        if (p->GetParameterIDFromIndex(i, &id) != AAX_SUCCESS || p->GetParameter(id.Get(), &pParameter) != AAX_SUCCESS)
            std::abort();
        pParameter->SetToDefaultValue();
    }
    return *p;
}

std::vector<double> NormalisedValues(const Tessera_Parameters& p)
{
    int32_t nCount = 0;
    p.GetNumberOfParameters(&nCount);
    std::vector<double> values;
    for (int32_t i = 0; i < nCount; ++i) {
        AAX_CString id;
        double value = -1.0;
        if (p.GetParameterIDFromIndex(i, &id) != AAX_SUCCESS ||
            p.GetParameterNormalizedValue(id.Get(), &value) != AAX_SUCCESS)
            std::abort();
        if (!std::isfinite(value) || value < 0.0 || value > 1.0)
            std::abort();
        AAX_CString text;
        if (p.GetParameterValueString(id.Get(), &text, 32) != AAX_SUCCESS)
            std::abort();  // every value the parameter holds can be shown
        values.push_back(value);
    }
    return values;
}

// The chunk a host would save now: size first, then the record.
std::vector<unsigned char> SavedChunk(const Tessera_Parameters& p)
{
    uint32_t nBytes = 0;
    if (p.GetChunkSize(kChunkID, &nBytes) != AAX_SUCCESS || nBytes < 4)
        std::abort();
    std::vector<unsigned char> record(sizeof(AAX_SPlugInChunkHeader) + nBytes);
    auto* pChunk = reinterpret_cast<AAX_SPlugInChunk*>(record.data());
    if (p.GetChunk(kChunkID, pChunk) != AAX_SUCCESS || pChunk->fSize != int32_t(nBytes))
        std::abort();
    pChunk->fChunkID = kChunkID;
    return record;
}

// What follows a restore in a host: each value comes back to the module on the parameter
// thread (it marks the engine's controls), the batch is posted, and the render hands it to
// the engine. Here all on this thread, the render's batch counter far ahead.
void DeliverToEngine(Tessera_Parameters& p, const std::vector<double>& values)
{
    for (size_t i = 0; i < values.size(); ++i) {
        AAX_CString id;
        p.GetParameterIDFromIndex(int32_t(i), &id);
        if (p.UpdateParameterNormalizedValue(id.Get(), values[i], 0) != AAX_SUCCESS)
            std::abort();
    }
    p.GenerateCoefficients();  // without a host the batch number cannot be posted
    ParameterBatchEntry* entries[AAX_CParameterBatchFlow::kMaxEntriesPerCall];
    uint32_t nEntries;
    while ((nEntries = p.TakeQueuedParameterChanges(entries, INT64_MAX)) != 0) {
        p.ApplyQueuedParameterChanges(entries, nEntries);
        p.FinishParameterChanges(entries, nEntries);
    }
    p.TimerWakeup();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    Tessera_Parameters* p = &FreshInstance(0);

    // An exactly sized copy, so reading past the record trips the address sanitizer; a host
    // never hands over less than a header.
    std::vector<unsigned char> record(pData, pData + nSize);
    if (record.size() < sizeof(AAX_SPlugInChunkHeader))
        record.resize(sizeof(AAX_SPlugInChunkHeader));
    const auto* pChunk = reinterpret_cast<const AAX_SPlugInChunk*>(record.data());
    const auto nRecordBytes = uint32_t(record.size());

    uint32_t nBytes = 0;
    p->GetChunkSize(kChunkID, &nBytes);
    AAX_CBoolean bEqual = false;
    p->CompareActiveChunk(pChunk, nRecordBytes, &bEqual);
    if (p->SetChunk(kChunkID, pChunk, nRecordBytes) != AAX_SUCCESS)
        std::abort();
    const std::vector<double> restored = NormalisedValues(*p);
    DeliverToEngine(*p, restored);
    if (NormalisedValues(*p) != restored)
        std::abort();  // a value the host hands back as it was told leaves it unchanged

    const std::vector<unsigned char> saved = SavedChunk(*p);
    const auto* pSaved = reinterpret_cast<const AAX_SPlugInChunk*>(saved.data());
    p->CompareActiveChunk(pSaved, uint32_t(saved.size()), &bEqual);
    if (!bEqual)
        std::abort();  // what was just saved is the active state

    Tessera_Parameters& again = FreshInstance(1);
    if (again.SetChunk(kChunkID, pSaved, uint32_t(saved.size())) != AAX_SUCCESS)
        std::abort();
    if (NormalisedValues(again) != restored)
        std::abort();
    if (SavedChunk(again) != saved)
        std::abort();  // and it saves byte for byte the same
    return 0;
}
