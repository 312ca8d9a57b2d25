#include "AAX_VTransport.h"
#include "CHostController.h"
#include "CHostInstanceGateway.h"
#include "CHostMidiNode.h"
#include "CHostModule.h"
#include "CHostServices.h"
#include "CHostTransport.h"
#include "CHostViewContainer.h"

#include <gtest/gtest.h>

TEST(HostTransport, AnswersBothFormsAndLeavesOutputsAloneWithoutInformation)
{
    auto pTransport = MakeHostObject<CHostTransport>();
    pTransport->SetState({90.0, 4, 4, true, 1234, false, 0, 0, (int64_t(1) << 33) + 5});
    pTransport->AdvanceSamples(512);

    AAX_ITransport& plain = *pTransport;  // what the transport node hands out
    int64_t location = 0;
    EXPECT_EQ(plain.GetCurrentNativeSampleLocation(&location), AAX_SUCCESS);
    EXPECT_EQ(location, (int64_t(1) << 33) + 517);  // all 64 bits, advanced by the render
    AAX_VTransport wrapped(pTransport->Unknown());
    bool bPlaying = false;
    EXPECT_EQ(wrapped.IsTransportPlaying(&bPlaying), AAX_SUCCESS);
    EXPECT_TRUE(bPlaying);

    pTransport->SetInformationAvailable(false);
    double tempo = 120.0;
    int64_t ticks = -1;
    EXPECT_NE(wrapped.GetCurrentTempo(&tempo), AAX_SUCCESS);
    EXPECT_NE(plain.GetCurrentTickPosition(&ticks), AAX_SUCCESS);
    EXPECT_EQ(tempo, 120.0);
    EXPECT_EQ(ticks, -1);
}

// Packets reaching the module, cleared between calls, and the transport node: the MIDI dispatch
// and timing tests of the adapter.
TEST(HostMidiNode, HandsOutThisCallsPacketsAndKeepsPostedOnesWithinCapacity)
{
    CHostMidiNode input(nullptr, 2);
    input.SetPackets({CHostMidiNode::MakePacket(5, 0x90, 60, 100), CHostMidiNode::MakePacket(9, 0x80, 60, 0),
                      CHostMidiNode::MakePacket(12, 0xB0, 1, 64)});
    const AAX_CMidiStream* pStream = input.GetNodeBuffer();
    ASSERT_EQ(pStream->mBufferSize, 2u);  // capacity 2: the third is dropped
    // The layout a host hands over: status and data from byte 8, the next packet 16 bytes on.
    const auto* pBytes = reinterpret_cast<const unsigned char*>(pStream->mBuffer);
    EXPECT_EQ(std::vector<unsigned char>(pBytes + 8, pBytes + 11), (std::vector<unsigned char>{0x90, 60, 100}));
    EXPECT_EQ(pBytes[16], 9);

    const AAX_CMidiPacket packet = CHostMidiNode::MakePacket(0, 0xE0, 0, 64);
    EXPECT_EQ(input.PostMIDIPacket(&packet), AAX_SUCCESS);
    EXPECT_EQ(input.PostMIDIPacket(&packet), AAX_SUCCESS);
    EXPECT_EQ(input.PostMIDIPacket(&packet), AAX_ERROR_FIFO_FULL);
    EXPECT_EQ(input.PostedPackets().size(), 2u);
}

TEST(HostController, KeepsSettingsMetersAndTheLatestPacketPerPort)
{
    auto pController = MakeHostObject<CHostController>(96000.0f, AAX_eStemFormat_Mono);
    pController->SetStemFormats(AAX_eStemFormat_Mono, AAX_eStemFormat_Stereo);
    int32_t stem = 0;
    pController->GetOutputStemFormat(&stem);
    EXPECT_EQ(AAX_StemFormatChannelCount(stem), 2);
    pController->SetMeters({AAX_FourCC("grML"), AAX_FourCC("grMR")});
    pController->SetMeterValue(AAX_FourCC("grMR"), 0.5f);
    uint32_t nMeters = 0;
    pController->GetMeterCount(&nMeters);
    EXPECT_EQ(nMeters, 2u);
    float value = -1;
    EXPECT_EQ(pController->GetCurrentMeterValue(AAX_FourCC("grMR"), &value), AAX_SUCCESS);
    EXPECT_EQ(value, 0.5f);
    EXPECT_EQ(pController->GetCurrentMeterValue(AAX_FourCC("none"), &value), AAX_ERROR_INVALID_METER_INDEX);

    for (int64_t batch = 1; batch <= 3; ++batch)
        pController->PostPacket(7, &batch, sizeof batch);
    int64_t latest = 0;
    EXPECT_TRUE(pController->CopyLatestPacket(7, &latest, 8));
    EXPECT_EQ(latest, 3);
    EXPECT_EQ(pController->PacketCount(7), 3u);
    EXPECT_FALSE(pController->CopyLatestPacket(7, &latest, 4));  // wrong size
    EXPECT_FALSE(pController->CopyLatestPacket(6, &latest, 8));  // nothing posted there
}

// Type, window, accepted sizes and a click taken by the host (down and drag recorded with
// their modifiers) are seen through the wrappers and the editor's tests.
TEST(HostViewContainer, RefusesANegativeSizeAndLeavesClicksToTheEditor)
{
    auto pView = MakeHostObject<CHostViewContainer>(0x1234ul);
    EXPECT_EQ(pView->SetViewSize({-1.0f, 10.0f}), AAX_ERROR_INVALID_VIEW_SIZE);
    EXPECT_TRUE(pView->SizeRequests().empty());
    EXPECT_NE(pView->HandleParameterMouseUp("3", 0), AAX_SUCCESS);  // not taken by default
    EXPECT_EQ(pView->MouseEvents().back().m_eKind, SHostMouseEvent::kUp);
}

TEST(HostServices, TracesGoToStandardErrorAndAreKept)
{
    auto pServices = MakeHostObject<CHostServices>();
    testing::internal::CaptureStderr();
    pServices->Trace(0x8000000, "chunk trouble");
    pServices->HandleAssertFailure("file.cpp", 12, "x > 0");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("chunk trouble"), std::string::npos);
    EXPECT_NE(err.find("file.cpp:12"), std::string::npos);
    ASSERT_EQ(pServices->Messages().size(), 2u);
    pServices->ClearMessages();
    EXPECT_TRUE(pServices->Messages().empty());
}

TEST(HostGateway, AnswersEachInstanceInterfaceFromItsOwnObject)
{
    // (The automation delegate's answer: the automation tests drive theirs through a gateway.)
    auto pController = MakeHostObject<CHostController>();
    auto pGateway = MakeHostObject<CHostInstanceGateway>(pController.get(), nullptr, nullptr);
    IACFUnknown* pUnknown = pGateway->Unknown();

    auto* pIController = ACF_Query<AAX_IACFController>(pUnknown);
    EXPECT_EQ(pIController, static_cast<AAX_IACFController*>(pController.get()));
    EXPECT_EQ(pController->AddRef(), 3u);  // creator, query, this call
    pController->Release();
    pIController->Release();
    EXPECT_EQ(ACF_Query<AAX_IACFTransport>(pUnknown), nullptr);
    EXPECT_EQ(ACF_Query<AAX_IACFEffectParameters_V4>(pUnknown), nullptr);
    auto* pSelf = ACF_Query<IACFUnknown>(pUnknown);
    EXPECT_EQ(pSelf, pUnknown);
    pSelf->Release();
}

TEST(HostModule, RefusesWhatIsNotAModule)
{
    CHostModule module;
    EXPECT_FALSE(module.Load("/nonexistent/module.so"));
    EXPECT_FALSE(module.Error().empty());
    EXPECT_FALSE(module.IsLoaded());
    EXPECT_NE(module.Register(), ACF_OK);
}
