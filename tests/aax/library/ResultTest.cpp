#include "AAX_CHostServices.h"
#include "AAX_CheckedResult.h"
#include "AAX_Errors.h"
#include "CHostServices.h"

#include <gtest/gtest.h>


TEST(ResultNames, EveryCodeHasItsNameAndOthersAreUnknown)
{
    EXPECT_STREQ(AAX_ResultName(0), "AAX_SUCCESS");
    EXPECT_STREQ(AAX_ResultName(-20022), "AAX_RESULT_PACKET_STREAM_NOT_EMPTY");
    EXPECT_STREQ(AAX_ResultName(-20046), "AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW");
    for (AAX_Result r : {-20047, -20000, -333, 1})
        EXPECT_STREQ(AAX_ResultName(r), "<unknown error code>") << r;
    // The codes run without a gap: each of -20001 ... -20046 has a name of its own.
    for (AAX_Result r = -20046; r <= -20001; ++r) {
        EXPECT_STRNE(AAX_ResultName(r), "<unknown error code>") << r;
        if (r > -20046) {
            EXPECT_STRNE(AAX_ResultName(r), AAX_ResultName(r - 1)) << r;
        }
    }
}

TEST(CheckedResult, ThrowsOnFailureWithATrace)
{
    auto pServices = MakeHostObject<CHostServices>();
    AAX_CHostServices::Set(pServices->Unknown());
    AAX_CheckedResult result;
    EXPECT_NO_THROW(result = AAX_SUCCESS);  // and no trace: one message below
    try {
        result = AAX_ERROR_NULL_OBJECT;
        ADD_FAILURE() << "no exception";
    } catch (const AAX_CResultException& e) {
        EXPECT_EQ(e.Result(), AAX_ERROR_NULL_OBJECT);
    }
    ASSERT_EQ(pServices->Messages().size(), 1u);
    EXPECT_EQ(pServices->Messages()[0].m_Text, "AAX_CheckedResult - throwing AAX_ERROR_NULL_OBJECT");
    EXPECT_THROW(AAX_CheckedResult(-1), AAX_CResultException);
    EXPECT_EQ(pServices->Messages()[1].m_Text, "AAX_CheckedResult - throwing <unknown error code>");
    AAX_CHostServices::Set(nullptr);
    EXPECT_FALSE(AAX_CHostServices::IsSet());
}
