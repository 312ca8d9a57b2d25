// The entry points of BrindleWarbler.so (what it describes is the describe snapshot).

#include "ModuleScenarios.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

// What the describe snapshot leaves out: node types and masks, the data types of the private
// block and the port, the shared render procedure, and the flags on the second property map.
TEST(ModuleDescription, DetailsBeyondTheSnapshot)
{
    const SHostEffect& e = TheEffect();
    ASSERT_EQ(e.m_Components.size(), 2u);
    for (const SHostComponent& c : e.m_Components) {
        ASSERT_EQ(c.m_ProcessProcs.size(), 1u);
        EXPECT_EQ(c.m_ProcessProcs[0].m_pProc, e.m_Components[0].m_ProcessProcs[0].m_pProc);
        EXPECT_FALSE(c.m_ProcessProcs[0].m_bHasInitProc || c.m_ProcessProcs[0].m_bHasBackgroundProc);
        EXPECT_EQ(c.FindField(5)->m_nType, AAX_eMIDINodeType_LocalInput);
        EXPECT_EQ(c.FindField(6)->m_nType, AAX_eMIDINodeType_Transport);
        EXPECT_EQ(c.FindField(5)->m_nChannelMask & c.FindField(6)->m_nChannelMask, 0xFFFFu);
        EXPECT_EQ(c.FindField(0)->m_nType, 0);
        EXPECT_EQ(c.FindField(7)->m_nType, 1);
        ASSERT_EQ(c.m_PropertyMaps.size(), 2u);
        EXPECT_EQ(c.m_PropertyMaps[1].at(AAX_eProperty_UsesClientGUI), 0);
        EXPECT_EQ(c.m_PropertyMaps[1].at(AAX_eProperty_SupportsSaveRestore), 1);
    }
}

TEST(ModuleEntryPoints, AnswerAsTheHostExpects)
{
    CHostModule& module = LoadedModule(BW_MODULE_PATH);
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

TEST(ModuleEntryPoints, OnlyTheSevenEntryPointsAreVisible)
{
    void* pLibrary = dlopen(BW_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(pLibrary, nullptr) << dlerror();
    // The host finds the entry points (every test here loads the module); adapter, library and
    // engine code stays inside.
    for (const char* pName : {"_ZN18Tessera_Parameters6CreateEv", "_Z17StaticRenderAudioPKPvPKv",
                              "_ZN15CModDelayModule12processFrameEPKfPfjj", "_ZN11CACFUnknown20GetActiveObjectCountEv"})
        EXPECT_EQ(dlsym(pLibrary, pName), nullptr) << pName;
    dlclose(pLibrary);
}
