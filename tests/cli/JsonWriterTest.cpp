// The JSON the --json outputs are made of.

#include "CJsonWriter.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(JsonWriter, NestsAndSeparatesValues)
{
    CJsonWriter json;
    json.BeginObject().Key("a").Integer(1).Key("b").BeginArray().String("x").Bool(true).Null().EndArray();
    json.Key("c").BeginObject().EndObject().Key("d").BeginArray().EndArray().EndObject();
    EXPECT_EQ(json.Text(), "{\n  \"a\": 1,\n  \"b\": [\n    \"x\",\n    true,\n    null\n  ],\n  \"c\": {},\n  \"d\": []\n}\n");
}

TEST(JsonWriter, EscapesTextAndKeepsNumbersValid)
{
    EXPECT_EQ(CJsonWriter::Quote("a\"b\\c\nd\te\x01"), "\"a\\\"b\\\\c\\nd\\te\\u0001\"");
    EXPECT_EQ(CJsonWriter::Quote("Mono/Stereo Dropouts"), "\"Mono/Stereo Dropouts\"");
    CJsonWriter json;
    json.BeginArray().Number(-50.405208587646484).Number(0.25).Number(NAN).Number(INFINITY).EndArray();
    // Single-precision values survive: 9 significant digits.
    EXPECT_EQ(json.Text(), "[\n  -50.4052086,\n  0.25,\n  null,\n  null\n]\n");
}
