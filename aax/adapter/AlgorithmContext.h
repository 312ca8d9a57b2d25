#pragma once
// The per-instance record the host fills before each render call: one pointer-sized slot per
// field, in the host's field numbering. The description (Tessera_Describe.cpp) declares the
// same fields in this order of meaning.

#include "AAX_IMIDINode.h"

#include <cstdint>

class Tessera_Parameters;

enum ETesseraField : int32_t {
    kFieldPrivateData = 0,  // 8-byte block holding the instance's Tessera_Parameters*
    kFieldAudioIn = 1,
    kFieldAudioOut = 2,
    kFieldBufferLength = 3,
    kFieldMeters = 4,
    kFieldMidiIn = 5,
    kFieldTransport = 6,
    kFieldBatchNumber = 7,  // data-in port: the int64 batch number GenerateCoefficients posted
};

struct AlgorithmContext {
    Tessera_Parameters* const* m_ppPrivate;
    float* const* m_ppInputs;
    float* const* m_ppOutputs;
    const int32_t* m_pBufferLength;
    float* m_pMeterTaps;  // two taps: 'grML', 'grMR'
    AAX_IMIDINode* m_pMidiIn;
    AAX_IMIDINode* m_pTransportNode;
    const int64_t* m_pBatchNumber;
};
static_assert(sizeof(AlgorithmContext) == 8 * sizeof(void*), "one pointer-sized slot per field");
