// What the host records when it loads BrindleWarbler.so, and the module's entry points.

#include "ModuleDriver.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

CHostModule& Module()
{
    return LoadedModule(BW_MODULE_PATH);
}

int32_t Property(const SHostProperties& map, int32_t id)
{
    const auto it = map.find(id);
    return it == map.end() ? -1 : it->second;
}

}  // namespace

TEST(ModuleDescription, OneEffectWithItsNamesPackageAndCategory)
{
    const SHostDescription& d = Module().Description();
    ASSERT_EQ(d.m_Effects.size(), 1u);
    const SHostEffect& e = d.m_Effects[0];
    EXPECT_EQ(e.m_ID, "tessera.BrindleWarbler");
    EXPECT_EQ(e.m_Names, (std::vector<std::string>{"BrindleWarbler", "BrindleWarbler"}));
    EXPECT_EQ(e.m_Categories, std::vector<uint32_t>{0x2000});
    EXPECT_FALSE(d.m_ManufacturerName.empty());
    EXPECT_EQ(d.m_PackageNames, (std::vector<std::string>{"TSRA AAX Plug-In", "TSRA Plug-In"}));
    EXPECT_EQ(d.m_nPackageVersion, 1u);
    ASSERT_EQ(e.m_Factories.size(), 2u);
    EXPECT_NE(e.m_Factories.at(0), nullptr);
    EXPECT_NE(e.m_Factories.at(1), nullptr);

    ASSERT_EQ(e.m_Meters.size(), 2u);
    EXPECT_EQ(e.m_Meters[0].m_nID, AAX_FourCC("grML"));
    EXPECT_EQ(e.m_Meters[0].m_Name, "GRLeft");
    EXPECT_EQ(e.m_Meters[1].m_nID, AAX_FourCC("grMR"));
    EXPECT_EQ(e.m_Meters[1].m_Name, "GRRight");
    for (const SHostMeter& m : e.m_Meters) {
        EXPECT_EQ(Property(m.m_Properties, AAX_eProperty_Meter_Type), 2);
        EXPECT_EQ(Property(m.m_Properties, AAX_eProperty_Meter_Orientation), 0);
    }
}

TEST(ModuleDescription, MonoAndStereoComponentsShareProcedureAndContextLayout)
{
    const SHostEffect& e = Effect(Module());
    ASSERT_EQ(e.m_Components.size(), 2u);
    const struct {
        int32_t nStem;
        AAX_CTypeID nType;
    } expected[2] = {{AAX_eStemFormat_Mono, AAX_FourCC("TsMN")}, {AAX_eStemFormat_Stereo, AAX_FourCC("TsST")}};
    for (size_t k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        const SHostComponent& c = e.m_Components[k];
        ASSERT_EQ(c.m_ProcessProcs.size(), 1u);
        const SHostProcessProc& proc = c.m_ProcessProcs[0];
        EXPECT_EQ(proc.m_pProc, e.m_Components[0].m_ProcessProcs[0].m_pProc);
        EXPECT_FALSE(proc.m_bHasInitProc);
        EXPECT_FALSE(proc.m_bHasBackgroundProc);
        EXPECT_EQ(Property(proc.m_Properties, AAX_eProperty_ManufacturerID), int32_t(AAX_FourCC("Mvlk")));
        EXPECT_EQ(Property(proc.m_Properties, AAX_eProperty_ProductID), int32_t(AAX_FourCC("BrWb")));
        EXPECT_EQ(Property(proc.m_Properties, AAX_eProperty_PlugInID_Native), int32_t(expected[k].nType));
        EXPECT_EQ(Property(proc.m_Properties, AAX_eProperty_InputStemFormat), expected[k].nStem);
        EXPECT_EQ(Property(proc.m_Properties, AAX_eProperty_OutputStemFormat), expected[k].nStem);
        EXPECT_EQ(Property(proc.m_Properties, AAX_eProperty_CanBypass), 1);

        // Fields in the order they are declared, each at its number.
        ASSERT_EQ(c.m_Fields.size(), 8u);
        const SHostField::EKind kinds[8] = {SHostField::kAudioIn, SHostField::kAudioOut, SHostField::kBufferLength,
                                            SHostField::kMIDINode, SHostField::kMIDINode, SHostField::kPrivateData,
                                            SHostField::kDataInPort, SHostField::kMeters};
        const AAX_CFieldIndex indices[8] = {1, 2, 3, 5, 6, 0, 7, 4};
        for (size_t f = 0; f < 8; ++f) {
            EXPECT_EQ(c.m_Fields[f].m_eKind, kinds[f]) << f;
            EXPECT_EQ(c.m_Fields[f].m_nIndex, indices[f]) << f;
        }
        const SHostField* pMidi = c.FindField(5);
        EXPECT_EQ(pMidi->m_nType, AAX_eMIDINodeType_LocalInput);
        EXPECT_EQ(pMidi->m_Name, "BrindleWarbler MIDI In");
        EXPECT_EQ(pMidi->m_nChannelMask, 0xFFFFu);
        const SHostField* pTransport = c.FindField(6);
        EXPECT_EQ(pTransport->m_nType, AAX_eMIDINodeType_Transport);
        EXPECT_EQ(pTransport->m_Name, "Transport");
        EXPECT_EQ(pTransport->m_nChannelMask, 0xFFFFu);
        EXPECT_EQ(c.FindField(0)->m_nBytes, 8);
        EXPECT_EQ(c.FindField(0)->m_nType, 0);
        EXPECT_EQ(c.FindField(7)->m_nBytes, 8);
        EXPECT_EQ(c.FindField(7)->m_nType, 1);
        EXPECT_EQ(c.FindField(4)->m_MeterIDs, (std::vector<AAX_CTypeID>{AAX_FourCC("grML"), AAX_FourCC("grMR")}));
        // The client-GUI and save/restore flags come on a map of their own, after the first.
        ASSERT_EQ(c.m_PropertyMaps.size(), 2u);
        EXPECT_EQ(Property(c.m_PropertyMaps[1], AAX_eProperty_UsesClientGUI), 0);
        EXPECT_EQ(Property(c.m_PropertyMaps[1], AAX_eProperty_SupportsSaveRestore), 1);
    }
}

TEST(ModuleEntryPoints, AnswerAsTheHostExpects)
{
    CHostModule& module = Module();
    uint64_t version = 0;
    EXPECT_EQ(module.GetSDKVersion(&version), ACF_OK);
    EXPECT_EQ(version, 0x0000020300BF7318ull);

    void* pFactory = &version;
    EXPECT_EQ(module.GetClassFactory(IACFUnknown::kIID, IACFUnknown::kIID, &pFactory), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ(pFactory, nullptr);
    IACFUnknown* pComponent = reinterpret_cast<IACFUnknown*>(&version);
    EXPECT_EQ(module.RegisterComponent(0, &pComponent), ACF_OK);
    EXPECT_EQ(pComponent, nullptr);
}

TEST(ModuleEntryPoints, CanUnloadOnceEveryObjectIsReleased)
{
    CHostModule& module = Module();
    ASSERT_EQ(module.CanUnloadNow(), 0);
    {
        CTestInstance mono(Effect(module), kMonoComponent);
        CTestInstance stereo(Effect(module), kStereoComponent);
        EXPECT_EQ(module.CanUnloadNow(), 2);
        ASSERT_EQ(stereo.Host().CreateGUI(), AAX_SUCCESS);  // the editor object of factory 1
        EXPECT_EQ(module.CanUnloadNow(), 3);
        stereo.Host().Destroy();
        EXPECT_EQ(module.CanUnloadNow(), 1);
    }
    EXPECT_EQ(module.CanUnloadNow(), 0);
}

TEST(ModuleEntryPoints, OnlyTheSevenEntryPointsAreVisible)
{
    void* pLibrary = dlopen(BW_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(pLibrary, nullptr) << dlerror();
    EXPECT_NE(dlsym(pLibrary, "ACFRegisterPlugin"), nullptr);
    EXPECT_NE(dlsym(pLibrary, "ACFGetSDKVersion"), nullptr);
    // Adapter, library and engine code stays inside.
    for (const char* pName : {"_ZN18Tessera_Parameters6CreateEv", "_Z17StaticRenderAudioPKPvPKv",
                              "_ZN15CModDelayModule12processFrameEPKfPfjj", "_ZN11CACFUnknown20GetActiveObjectCountEv"})
        EXPECT_EQ(dlsym(pLibrary, pName), nullptr) << pName;
    dlclose(pLibrary);
}
