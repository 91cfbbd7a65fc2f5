#include "blade/design_parameters.h"

#include <gtest/gtest.h>

#include "blade_test_support.h"

namespace zephyrion {
namespace {

using testing_support::designWith;

TEST(DesignParameters, DefaultFormGivesTheDefaultDesignFigures) {
  DesignParameters p = readDesignParameters(defaultFormTexts());
  EXPECT_EQ(p.nacaCode, "4412");
  EXPECT_DOUBLE_EQ(p.maxCamber, 0.04);
  EXPECT_DOUBLE_EQ(p.camberPosition, 0.4);
  EXPECT_DOUBLE_EQ(p.thicknessRatio, 0.12);
  EXPECT_DOUBLE_EQ(p.liftCoefficient, 0.85);
  EXPECT_EQ(p.rotorRadius, 500);
  EXPECT_EQ(p.bladeCount, 3);
  EXPECT_EQ(p.tipSpeedRatio, 5);
  EXPECT_EQ(p.tipChamfer, 10);
  EXPECT_EQ(p.angleOfAttack, 5);
  EXPECT_EQ(p.chordLimitZ, 50);
  EXPECT_EQ(p.chordLimitX, 120);
  EXPECT_DOUBLE_EQ(p.densityKgPerMm3, 6e-07);
  EXPECT_EQ(p.maxWindSpeed, 10);
  EXPECT_EQ(p.hubRadius, 40);
  EXPECT_EQ(p.hubChamfer, 40);
  EXPECT_EQ(p.chordDivisions, 10);
  EXPECT_EQ(p.outputName, "d:\\xx\\Blade");
  EXPECT_EQ(p.rotorSpeedRpm, 955);  // 954.93 rounded
}

TEST(DesignParameters, DefaultTextsAreTheFormsOwn) {
  const FormTexts& texts = defaultFormTexts();
  EXPECT_EQ(texts[kFieldProfile], "4412");
  EXPECT_EQ(texts[kFieldLift], "0.85");
  EXPECT_EQ(texts[kFieldTipSpeedRatio], "5");
  EXPECT_EQ(texts[kFieldDensity], "600");
  EXPECT_EQ(texts[kFieldChordDivisions], "10");
  EXPECT_EQ(texts[kFieldOutputName], "d:\\xx\\Blade");
}

struct ProfileCase {
  const char* text;
  double maxCamber;
  double camberPosition;
  double thicknessRatio;
};

class ProfileDigitsTest : public testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileDigitsTest, AreReadPieceByPiece) {
  DesignParameters p = designWith({{kFieldProfile, GetParam().text}});
  EXPECT_EQ(p.nacaCode, GetParam().text);
  EXPECT_DOUBLE_EQ(p.maxCamber, GetParam().maxCamber);
  EXPECT_DOUBLE_EQ(p.camberPosition, GetParam().camberPosition);
  EXPECT_DOUBLE_EQ(p.thicknessRatio, GetParam().thicknessRatio);
}

INSTANTIATE_TEST_SUITE_P(Texts, ProfileDigitsTest,
                         testing::Values(ProfileCase{"4412", 0.04, 0.4, 0.12},
                                         ProfileCase{"0012", 0, 0, 0.12},
                                         ProfileCase{"44120", 0.04, 0.4, 0.12},
                                         ProfileCase{"441", 0.04, 0.4, 0.01}, ProfileCase{"44", 0.04, 0.4, 0},
                                         ProfileCase{"", 0, 0, 0}, ProfileCase{"2.15", 0.02, 0, 0.15}));

struct RoundedCase {
  FormField field;
  const char* text;
  std::int32_t DesignParameters::*member;
  std::int32_t expected;
};

class RoundedFieldTest : public testing::TestWithParam<RoundedCase> {};

TEST_P(RoundedFieldTest, RoundsHalvesToEven) {
  DesignParameters p = designWith({{GetParam().field, GetParam().text}});
  EXPECT_EQ(p.*GetParam().member, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RoundedFieldTest,
    testing::Values(RoundedCase{kFieldRadius, "500.5", &DesignParameters::rotorRadius, 500},
                    RoundedCase{kFieldRadius, "501.5", &DesignParameters::rotorRadius, 502},
                    RoundedCase{kFieldRadius, "1e300", &DesignParameters::rotorRadius, 2147483647},
                    RoundedCase{kFieldBlades, "2.5", &DesignParameters::bladeCount, 2},
                    RoundedCase{kFieldHubRadius, "40.5", &DesignParameters::hubRadius, 40},
                    RoundedCase{kFieldHubChamfer, "", &DesignParameters::hubChamfer, 0},
                    RoundedCase{kFieldChordDivisions, "11", &DesignParameters::chordDivisions, 10},
                    RoundedCase{kFieldChordDivisions, "7", &DesignParameters::chordDivisions, 6},
                    RoundedCase{kFieldChordDivisions, "10.5", &DesignParameters::chordDivisions, 10},
                    RoundedCase{kFieldChordDivisions, "9.5", &DesignParameters::chordDivisions, 10},
                    RoundedCase{kFieldChordDivisions, "3", &DesignParameters::chordDivisions, 2}));

TEST(DesignParameters, TipChamferKeepsItsFraction) {
  EXPECT_EQ(designWith({{kFieldTipChamfer, "10.5"}}).tipChamfer, 10.5);
}

TEST(DesignParameters, RotorSpeedFollowsWindAndRadius) {
  EXPECT_EQ(designWith({{kFieldWindSpeed, "20"}}).rotorSpeedRpm, 1910);  // 1909.86
  EXPECT_EQ(designWith({{kFieldRadius, "1000"}}).rotorSpeedRpm, 477);    // 477.46
}

TEST(DesignParameters, RotorOfNoRadiusHasNoSpeedInsteadOfDividingByZero) {
  EXPECT_EQ(designWith({{kFieldRadius, "0"}}).rotorSpeedRpm, 0);
}

}  // namespace
}  // namespace zephyrion
