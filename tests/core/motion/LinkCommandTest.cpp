#include "core/motion/LinkCommand.h"

#include <gtest/gtest.h>

#include "core/motion/FakeLinkBoard.h"

namespace brv3 {
namespace {

bool Valid(const std::string& text) {
  return IsValidLinkCommand(ParseCommand(text));
}

uint16_t Apply(const std::string& text, uint16_t word, int direction,
               const ServoRange& range = kSerialServoRange) {
  return ApplyLinkCommand(text, word, direction, range);
}

constexpr uint16_t Speed(int n) {
  return static_cast<uint16_t>(0x8007 + n);
}
constexpr uint16_t Stretch(int n) {
  return static_cast<uint16_t>(0x8087 + n);
}

}  // namespace

TEST(LinkCommand, ParseUpperCasesAndDropsBlanksAndBrackets) {
  EXPECT_EQ(ParseCommand(" mov ( +10 ) "), (ParsedCommand{"MOV", "+10"}));
  EXPECT_EQ(ParseCommand("FREE"), (ParsedCommand{"FREE", ""}));
  EXPECT_EQ(ParseCommand("t tl(h)"), (ParsedCommand{"TTL", "H"}));
  EXPECT_EQ(ParseCommand("tch"), (ParsedCommand{"TCH", ""}));
  EXPECT_EQ(ParseCommand("PRM(1)(2)"), (ParsedCommand{"PRM", "12"}));
  EXPECT_EQ(ParseCommand(""), (ParsedCommand{"", ""}));
}

TEST(LinkCommand, ValidationFollowsEachCommandsArgumentRule) {
  EXPECT_FALSE(Valid("SPD(0)"));
  EXPECT_FALSE(Valid("STR(0)"));
  EXPECT_TRUE(Valid("SPD(+0)"));
  EXPECT_TRUE(Valid("SPD(00)"));
  EXPECT_TRUE(Valid("SPD(-0)"));
  EXPECT_FALSE(Valid("SPD"));
  EXPECT_TRUE(Valid("spd(-127)"));
  EXPECT_FALSE(Valid("SPD(128)"));
  EXPECT_TRUE(Valid("MOV(-32767)"));
  EXPECT_FALSE(Valid("MOV(32768)"));
  EXPECT_FALSE(Valid("MOV(1.5)"));
  EXPECT_FALSE(Valid("MOV($10)"));
  EXPECT_FALSE(Valid("MOV(+)"));
  EXPECT_TRUE(Valid("SET(3)"));
  EXPECT_FALSE(Valid("SET(0)"));
  EXPECT_FALSE(Valid("SET(4)"));
  EXPECT_TRUE(Valid("ttl(l)"));
  EXPECT_TRUE(Valid("TTL(0)"));
  EXPECT_FALSE(Valid("TTL(2)"));
  EXPECT_FALSE(Valid("TTL"));
  EXPECT_TRUE(Valid("FREE()"));
  EXPECT_FALSE(Valid("FREE(1)"));
  EXPECT_TRUE(Valid("tch"));
  EXPECT_TRUE(Valid("  "));
  EXPECT_FALSE(Valid("(5)"));
  EXPECT_FALSE(Valid("JMP(5)"));
}

TEST(LinkCommand, ValidateLinkReportsTheFirstBadChannel) {
  test::ScriptedPrompter prompter;
  ChannelTexts texts;
  texts[0] = "MOV(10)";
  texts[2] = "SPD(0)";
  texts[5] = "XYZ";
  EXPECT_FALSE(ValidateLink(texts, prompter));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Flow wiring error in CH3");
  EXPECT_EQ(prompter.messages[0].kind, MsgKind::Error);
  EXPECT_EQ(prompter.messages[0].buttons, MsgButtons::Ok);
  texts[2] = "SPD(+0)";
  texts[5] = "tch";
  EXPECT_EQ(FirstInvalidLinkChannel(texts), 0);
  EXPECT_TRUE(ValidateLink(texts, prompter));
  EXPECT_EQ(prompter.messages.size(), 1u);
  texts[23] = "FREE(x)";
  EXPECT_EQ(FirstInvalidLinkChannel(texts), 24);
}

TEST(LinkCommand, MovAndPrmActOnlyOnPositionsWithinTheSliderRange) {
  EXPECT_EQ(Apply("MOV(+100)", 16384, -1), 16284);
  EXPECT_EQ(Apply("MOV(+100)", 16384, +1), 16484);
  EXPECT_EQ(Apply("MOV(-100)", 16384, -1), 16484);
  EXPECT_EQ(Apply("MOV(+100)", kWordFree, -1), kWordFree);
  EXPECT_EQ(Apply("MOV(+100)", 0, +1), 0);
  EXPECT_EQ(Apply("MOV(100)", 17000, +1, kPulseServoRange), 17074);
  EXPECT_EQ(Apply("MOV(100)", 15700, -1, kPulseServoRange), 15694);
  EXPECT_EQ(Apply("MOV(100)", 17000, +1, kSerialServoRange), 17100);
  EXPECT_EQ(ApplyLinkCommand("MOV(-100)", 8400, +1, kSerialServoMaximum), 8384);
  EXPECT_EQ(Apply("PRM(100)", 16000, -1, kPulseServoRange), 16484);
  EXPECT_EQ(Apply("PRM(-9000)", 16000, +1, kSerialServoRange), 8384);
  EXPECT_EQ(Apply("PRM(100)", Speed(3), +1), Speed(3));
}

TEST(LinkCommand, SetTtlFreeAndTouch) {
  EXPECT_EQ(Apply("SET(1)", 16384, +1, kSerialServoRange), 16384);
  EXPECT_EQ(Apply("SET(1)", 16384, +1, kPulseServoRange), 0x8003);
  EXPECT_EQ(Apply("set(3)", 0, -1, kPulseServoRange), 0x8005);
  EXPECT_EQ(Apply("TTL(h)", 16384, +1), kWordH);
  EXPECT_EQ(Apply("TTL(1)", 0, +1), kWordH);
  EXPECT_EQ(Apply("TTL(L)", kWordH, +1), kWordL);
  EXPECT_EQ(Apply("TTL(0)", kWordH, -1), kWordL);
  EXPECT_EQ(Apply("free", 16384, +1), kWordFree);
  EXPECT_EQ(Apply("tch", 16384, +1), 16384);
  EXPECT_EQ(Apply("TCH", kWordFree, +1), kWordFree);
  EXPECT_EQ(Apply("", 16384, +1), 16384);
  // Texts that would not pass validation keep the word.
  EXPECT_EQ(Apply("SPD(0)", Speed(9), +1), Speed(9));
  EXPECT_EQ(Apply("MOV(abc)", 16384, +1), 16384);
  EXPECT_EQ(Apply("JMP(3)", 16384, +1), 16384);
}

TEST(LinkCommand, SpeedAndStretchSignedStepUnsignedSetsSerialOnly) {
  EXPECT_EQ(Apply("SPD(5)", 16384, +1, kPulseServoRange), 16384);
  EXPECT_EQ(Apply("SPD(-3)", Speed(2), +1), Speed(0));
  EXPECT_EQ(Apply("SPD(-3)", Speed(2), -1), Speed(5));
  EXPECT_EQ(Apply("SPD(-3)", 16384, +1), 16384);
  EXPECT_EQ(Apply("SPD(3)", 16384, +1), Speed(3));
  EXPECT_EQ(Apply("SPD(3)", Speed(100), -1), Speed(3));
  EXPECT_EQ(Apply("SPD(+100)", Speed(100), +1), Speed(127));
  EXPECT_EQ(Apply("SPD(+0)", Speed(7), +1), Speed(7));
  EXPECT_EQ(Apply("SPD(00)", Speed(7), +1), Speed(0));
  EXPECT_EQ(Apply("SPD(+5)", Stretch(5), +1), Stretch(5));
  EXPECT_EQ(Apply("STR(+5)", Stretch(5), +1), Stretch(10));
  EXPECT_EQ(Apply("STR(-9)", Stretch(5), +1), Stretch(0));
  EXPECT_EQ(Apply("STR(127)", Speed(1), +1), Stretch(127));
  EXPECT_EQ(Apply("STR(+1)", Speed(1), +1), Speed(1));
}

}  // namespace brv3
