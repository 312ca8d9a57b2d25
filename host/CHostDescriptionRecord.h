#pragma once
// What a module described at registration, as plain data the host and its tests read.

#include "AAX.h"

#include <map>
#include <string>
#include <vector>

using SHostProperties = std::map<int32_t, AAX_CPropertyValue>;

struct SHostField {
    enum EKind { kAudioIn, kAudioOut, kBufferLength, kMeters, kMIDINode, kPrivateData, kDataInPort };
    SHostField(EKind kind, AAX_CFieldIndex index) : m_eKind(kind), m_nIndex(index) {}
    EKind m_eKind;
    AAX_CFieldIndex m_nIndex;
    int32_t m_nBytes = 0;        // private data, data-in port packet
    int32_t m_nType = 0;         // MIDI node type, data-in port type, private-data options
    std::string m_Name;          // MIDI node
    uint32_t m_nChannelMask = 0; // MIDI node
    std::vector<AAX_CTypeID> m_MeterIDs;
};

struct SHostProcessProc {
    AAX_CProcessProc m_pProc = nullptr;
    SHostProperties m_Properties;
    bool m_bHasInitProc = false;
    bool m_bHasBackgroundProc = false;
};

struct SHostComponent {
    std::vector<SHostProperties> m_PropertyMaps;  // every map created on it, in order
    std::vector<SHostField> m_Fields;
    std::vector<SHostProcessProc> m_ProcessProcs;

    const SHostField* FindField(AAX_CFieldIndex index) const
    {
        for (const SHostField& f : m_Fields)
            if (f.m_nIndex == index)
                return &f;
        return nullptr;
    }
};

struct SHostMeter {
    AAX_CTypeID m_nID;
    std::string m_Name;
    SHostProperties m_Properties;
};

struct SHostEffect {
    std::string m_ID;
    std::vector<std::string> m_Names;
    std::vector<uint32_t> m_Categories;
    std::vector<SHostComponent> m_Components;
    std::map<AAX_CProcPtrID, AAX_CFactoryProc> m_Factories;
    std::vector<SHostMeter> m_Meters;
    SHostProperties m_Properties;
};

struct SHostDescription {
    std::string m_ManufacturerName;
    std::vector<std::string> m_PackageNames;
    uint32_t m_nPackageVersion = 0;
    std::vector<SHostEffect> m_Effects;

    const SHostEffect* FindEffect(const std::string& id) const
    {
        for (const SHostEffect& e : m_Effects)
            if (e.m_ID == id)
                return &e;
        return nullptr;
    }
};
