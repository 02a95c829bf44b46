// The general number format, user-input conversions and error messages.
#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "calc/errors.h"
#include "calc/numbers.h"

using namespace veltor;

namespace {

struct FormatCase {
  const char* name;
  double value;
  int precision;
  const char* expected;  // written with a comma
};

class FormatGeneralTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatGeneralTest, CommaSeparator) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatGeneral(c.value, c.precision, QChar(',')), QString::fromLatin1(c.expected));
}

TEST_P(FormatGeneralTest, PointSeparator) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FormatGeneral(c.value, c.precision, QChar('.')),
            QString::fromLatin1(c.expected).replace(',', '.'));
}

const double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Boundaries, FormatGeneralTest,
    testing::Values(
        FormatCase{"Zero", 0.0, 15, "0"}, FormatCase{"NegativeZero", -0.0, 15, "0"},
        FormatCase{"LowerBound", 0.0001, 15, "0,0001"},
        FormatCase{"JustBelowLowerBound", 0.0000999999, 15, "9,99999E-5"},
        FormatCase{"RoundsUpToLowerBound", 0.00009996, 3, "0,0001"},
        FormatCase{"UpperBoundIsScientific", 1e15, 15, "1E15"},
        FormatCase{"JustBelowUpperBound", 999999999999999.0, 15, "999999999999999"},
        FormatCase{"RoundsUpToUpperBound", 999.6, 3, "1E3"}, FormatCase{"CarryIntoNewDigit", 9.99, 2, "10"},
        FormatCase{"CarryPastUpperBound", 99.9, 2, "1E2"}, FormatCase{"NegativeExponent", 1e-5, 15, "1E-5"},
        FormatCase{"NegativeValueScientific", -0.000012345, 3, "-1,23E-5"},
        FormatCase{"ExactMidpointRoundsAway", 12345.0, 4, "1,235E4"},
        FormatCase{"LargeExponent", 1.5e300, 15, "1,5E300"},
        FormatCase{"TrailingZerosDropped", 0.57, 15, "0,57"},
        FormatCase{"FifteenDigits", 1.0 / 0.57, 15, "1,75438596491228"},
        FormatCase{"IntegerHasNoSeparator", 20.0, 15, "20"}, FormatCase{"Negative", -16.0, 15, "-16"},
        FormatCase{"FractionWithZeros", 0.0105, 15, "0,0105"}, FormatCase{"Infinity", kInf, 15, "INF"},
        FormatCase{"NegativeInfinity", -kInf, 15, "-INF"},
        // The precisions the report prints with.
        FormatCase{"FourDigitsPastUpperBound", 12345.6, 4, "1,235E4"},
        FormatCase{"FourDigitsRounded", 1234.56, 4, "1235"},
        FormatCase{"FourDigitsJustBelowUpperBound", 9999.4, 4, "9999"},
        FormatCase{"TwoDigits", 2.857, 2, "2,9"}, FormatCase{"FiveDigitsShortValue", 0.12, 5, "0,12"},
        FormatCase{"NegativeExactMidpointRoundsAway", -0.125, 2, "-0,13"}),
    [](const testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

// Qt sets the C library's locale from the environment; on a Polish desktop
// the library writes a comma, which must not end up among the digits.
TEST(FormatGeneral, CLibraryLocaleIgnored) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "pl_PL.UTF-8")) GTEST_SKIP() << "no pl_PL.UTF-8 on this machine";
  EXPECT_EQ(FormatGeneral(0.015, 15, QChar(',')), QStringLiteral("0,015"));
  EXPECT_EQ(FormatGeneral(1000, 15, QChar(',')), QStringLiteral("1000"));
  std::setlocale(LC_NUMERIC, previous.c_str());
}

// The program is Polish whatever the system's locale (batch mode runs under C).
TEST(FormatGeneral, DisplayIsPolishInAnyLocale) {
  for (const char* name : {"pl_PL", "en_US", "C"}) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QString::fromLatin1(name)));
    EXPECT_EQ(FormatGeneral(-0.25), QStringLiteral("\u22120,25")) << name;
    EXPECT_EQ(FormatGeneral(16670.0, 4), QStringLiteral("16\u2009670")) << name;
    EXPECT_EQ(FormatQuantity(Quantity::Temperature, -24), QStringLiteral("\u221224,0")) << name;
    QLocale::setDefault(previous);
  }
}

// Every quantity the designer reads, with its fixed decimals.
struct QuantityCase {
  const char* name;
  Quantity quantity;
  double value;
  const char* expected;  // UTF-8
};

class FormatQuantityTest : public testing::TestWithParam<QuantityCase> {};

TEST_P(FormatQuantityTest, FixedDecimals) {
  const QuantityCase& c = GetParam();
  const QString text = FormatQuantity(c.quantity, c.value);
  EXPECT_EQ(text, QString::fromUtf8(c.expected));
  // What a box shows reads back as the value shown.
  const std::optional<double> back = ParseTypedNumber(text);
  ASSERT_TRUE(back.has_value()) << text.toStdString();
  EXPECT_NEAR(*back, c.value, 0.5 * std::pow(10.0, -QuantityDecimals(c.quantity)));
}

INSTANTIATE_TEST_SUITE_P(
    Designer, FormatQuantityTest,
    testing::Values(
        QuantityCase{"ThicknessThreeDecimals", Quantity::Thickness, 0.25, "0,250"},
        QuantityCase{"ThicknessKeepsTypedDigits", Quantity::Thickness, 0.0125, "0,0125"},
        QuantityCase{"ThicknessComputedCapped", Quantity::Thickness, 0.1437219, "0,143722"},
        QuantityCase{"ThicknessSumNoise", Quantity::Thickness, 0.1 + 0.2, "0,300"},
        QuantityCase{"Conductivity", Quantity::Conductivity, 0.04, "0,040"},
        QuantityCase{"Resistance", Quantity::Resistance, 5.0475, "5,05"},
        QuantityCase{"Transmittance", Quantity::Transmittance, 0.19812, "0,198"},
        QuantityCase{"TransmittanceLimit", Quantity::TransmittanceLimit, 0.2, "0,20"},
        QuantityCase{"NegativeTemperature", Quantity::Temperature, -24, "\u221224,0"},
        QuantityCase{"NegativeRoundingToZero", Quantity::Temperature, -0.04, "0,0"},
        QuantityCase{"Pressure", Quantity::Pressure, 2336.8, "2337"},
        QuantityCase{"FoilVapourCoefficient", Quantity::VapourCoefficient, 100000, "100\u2009000"},
        QuantityCase{"Sd", Quantity::DiffusionThickness, 20.0, "20,00"},
        QuantityCase{"DiffusionResistance", Quantity::DiffusionResistance, 16670.4, "16\u2009670"},
        QuantityCase{"Density", Quantity::Density, 1800, "1800"},
        QuantityCase{"TemperatureFactor", Quantity::TemperatureFactor, 0.7812, "0,781"},
        QuantityCase{"Condensate", Quantity::Condensate, 0.01234, "0,012"},
        QuantityCase{"HeatCapacity", Quantity::HeatCapacity, 61.26, "61,3"},
        QuantityCase{"MillionsGrouped", Quantity::Pressure, -1234567, "\u22121\u2009234\u2009567"}),
    [](const testing::TestParamInfo<QuantityCase>& info) { return std::string(info.param.name); });

// Chart labels: the general format's rounding written out in full, grouped as the locale groups.
struct PlainCase {
  const char* name;
  double value;
  const char* locale;
  const char* expected;  // UTF-8
};

class FormatPlainTest : public testing::TestWithParam<PlainCase> {};

TEST_P(FormatPlainTest, WrittenOut) {
  const PlainCase& c = GetParam();
  EXPECT_EQ(FormatPlain(c.value, 2, QLocale(QString::fromLatin1(c.locale))), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(TwoDigits, FormatPlainTest,
                         testing::Values(PlainCase{"RoundedThenGrouped", -123456, "pl_PL", "-120\u00a0000"},
                                         PlainCase{"FourDigitsUngroupedInPolish", 3567, "pl_PL", "3600"},
                                         PlainCase{"GroupedInEnglish", 280000, "en_US", "280,000"},
                                         PlainCase{"CarryIntoNewDigit", 99.9, "pl_PL", "100"},
                                         PlainCase{"BelowGeneralLowerBound", 0.0000512, "pl_PL", "0,000051"},
                                         PlainCase{"AbsurdKeepsGeneral", 1.5e300, "pl_PL", "1,5E300"}),
                         [](const testing::TestParamInfo<PlainCase>& info) {
                           return std::string(info.param.name);
                         });

struct FloatCase {
  const char* name;
  const char* text;
  char separator;
  std::optional<double> expected;  // empty: the conversion must fail
};

class StrToFloatTest : public testing::TestWithParam<FloatCase> {};

TEST_P(StrToFloatTest, Converts) {
  const FloatCase& c = GetParam();
  const QString text = QString::fromLatin1(c.text);
  if (c.expected) {
    EXPECT_EQ(StrToFloat(text, QChar(c.separator)), *c.expected);
    return;
  }
  try {
    StrToFloat(text, QChar(c.separator));
    FAIL() << "no error for " << c.text;
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid floating point value").arg(QuotedInput(text)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Input, StrToFloatTest,
    testing::Values(
        FloatCase{"CommaDecimal", "0,25", ',', 0.25}, FloatCase{"PointDecimal", "0.25", '.', 0.25},
        FloatCase{"PointUnderComma", "0.25", ',', std::nullopt},
        FloatCase{"CommaUnderPoint", "0,25", '.', std::nullopt},
        FloatCase{"BlanksAround", "  12 ", ',', 12.0}, FloatCase{"SignAndExponent", "-1,5e3", ',', -1500.0},
        FloatCase{"PlusSign", "+2", '.', 2.0}, FloatCase{"NegativeExponent", "1E-3", '.', 0.001},
        FloatCase{"LeadingSeparator", ",5", ',', 0.5}, FloatCase{"TrailingSeparator", "5,", ',', 5.0},
        FloatCase{"Empty", "", ',', std::nullopt}, FloatCase{"SignOnly", "-", ',', std::nullopt},
        FloatCase{"SeparatorOnly", ",", ',', std::nullopt},
        FloatCase{"ThousandsBlank", "1 000", ',', std::nullopt},
        FloatCase{"TwoSeparators", "1,2,3", ',', std::nullopt},
        FloatCase{"ExponentWithoutDigits", "1e", '.', std::nullopt},
        FloatCase{"Overflow", "1e400", '.', std::nullopt}, FloatCase{"Underflow", "1e-400", '.', 0.0},
        FloatCase{"Letters", "abc", ',', std::nullopt}, FloatCase{"InfinityWord", "inf", '.', std::nullopt},
        FloatCase{"TabsAround", "\t7,5\t", ',', 7.5}, FloatCase{"ExponentPlus", "2E+2", '.', 200.0},
        FloatCase{"BlankAfterSign", "- 5", ',', std::nullopt},
        FloatCase{"SeparatorInExponent", "1e2,5", ',', std::nullopt},
        // An underflow stays an underflow however many zeros pad the exponent.
        FloatCase{
            "UnderflowPaddedExponent",
            "0."
            "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
            "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
            "000"
            "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
            "000"
            "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
            "000"
            "00001e0000000005",
            '.', 0.0},
        FloatCase{"PaddedExponent", "1e0000000005", '.', 1e5}),
    [](const testing::TestParamInfo<FloatCase>& info) { return std::string(info.param.name); });

// Typed by the user: either separator in any locale, never both.
struct TypedCase {
  const char* name;
  const char* locale;
  const char* text;
  std::optional<double> expected;
};

class TypedNumberTest : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedNumberTest, EitherSeparator) {
  const TypedCase& c = GetParam();
  const QLocale previous;
  QLocale::setDefault(QLocale(QString::fromLatin1(c.locale)));
  EXPECT_EQ(ParseTypedNumber(QString::fromUtf8(c.text)), c.expected);
  if (!c.expected) {
    EXPECT_THROW(StrToFloat(QString::fromUtf8(c.text)), ConversionError);
  }
  QLocale::setDefault(previous);
}

INSTANTIATE_TEST_SUITE_P(Typed, TypedNumberTest,
                         testing::Values(TypedCase{"PolishComma", "pl_PL", "0,18", 0.18},
                                         TypedCase{"PolishPoint", "pl_PL", "0.18", 0.18},
                                         TypedCase{"EnglishComma", "en_US", "0,18", 0.18},
                                         TypedCase{"EnglishPoint", "en_US", "0.18", 0.18},
                                         TypedCase{"PointStillBeingTyped", "pl_PL", "0.", 0.0},
                                         TypedCase{"BothSeparators", "pl_PL", "1.000,5", std::nullopt},
                                         TypedCase{"TwoPoints", "en_US", "0..1", std::nullopt},
                                         TypedCase{"LoneMinus", "pl_PL", "-", std::nullopt},
                                         TypedCase{"AsShownNegative", "C", "\u22122,5", -2.5},
                                         TypedCase{"AsShownGrouped", "C", "100\u2009000", 100000.0},
                                         TypedCase{"BlankIsNoGroup", "pl_PL", "100 000", std::nullopt}),
                         [](const testing::TestParamInfo<TypedCase>& info) {
                           return std::string(info.param.name);
                         });

struct FixedCase {
  const char* name;
  double value;
  int decimals;
  const char* expected;
};

class FormatFixedTest : public testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedTest, PolishLocale) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QStringLiteral("pl_PL")));
  EXPECT_EQ(FormatFixed(GetParam().value, GetParam().decimals), QString::fromUtf8(GetParam().expected));
  QLocale::setDefault(previous);
}

INSTANTIATE_TEST_SUITE_P(Displays, FormatFixedTest,
                         testing::Values(FixedCase{"UThreeDecimals", 0.19812, 3, "0,198"},
                                         FixedCase{"UmaxKeepsItsZero", 0.2, 2, "0,20"},
                                         FixedCase{"RTwoDecimals", 5.0475, 2, "5,05"},
                                         FixedCase{"NegativeRoundingToZero", -0.0004, 3, "0,000"},
                                         FixedCase{"Infinite", -INFINITY, 2, "\u2212INF"}),
                         [](const testing::TestParamInfo<FixedCase>& info) {
                           return std::string(info.param.name);
                         });

// Rounded up to a whole step, never a step too far for a value that is already whole.
struct StepCase {
  const char* name;
  double value;
  int steps;
  double expected;
};

class RoundUpToStepTest : public testing::TestWithParam<StepCase> {};

TEST_P(RoundUpToStepTest, SmallestStepCovering) {
  const StepCase& c = GetParam();
  const double rounded = RoundUpToStep(c.value, c.steps);
  EXPECT_EQ(rounded, c.expected);
  EXPECT_GE(rounded, c.value);
}

INSTANTIATE_TEST_SUITE_P(Thickness, RoundUpToStepTest,
                         testing::Values(StepCase{"MillimetreUp", 0.10903333333333334, 1000, 0.11},
                                         StepCase{"CentimetreUp", 0.1437, 100, 0.15},
                                         StepCase{"WholeCentimetreStays", 0.15, 100, 0.15},
                                         StepCase{"ProductAboveWhole", 0.07, 100, 0.07},
                                         StepCase{"JustAboveWhole", 0.15000000000000002, 100, 0.16}),
                         [](const testing::TestParamInfo<StepCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(StrToInt, AcceptsTheInt32Range) {
  EXPECT_EQ(StrToInt(QStringLiteral(" -7 ")), -7);
  EXPECT_EQ(StrToInt(QStringLiteral("+3")), 3);
  EXPECT_EQ(StrToInt(QStringLiteral("2147483647")), 2147483647);
  EXPECT_EQ(StrToInt(QStringLiteral("-2147483648")), std::numeric_limits<std::int32_t>::min());
}

TEST(StrToInt, RefusesOtherText) {
  for (const char* text : {"2147483648", "-2147483649", "1.5", "", "-", "12a", "99999999999999999999"}) {
    try {
      StrToInt(QString::fromLatin1(text));
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const ConversionError& e) {
      EXPECT_EQ(e.message(), QStringLiteral("'%1' is not a valid integer value").arg(QLatin1String(text)));
    }
  }
}

TEST(QuotedInput, LongTextIsCutAndControlCharactersShow) {
  // A megabyte of digits once went whole into the error box and froze the program.
  const QString megabyte(1 << 20, QLatin1Char('7'));
  const QString message = ConversionError::notFloat(megabyte).message();
  EXPECT_EQ(
      message,
      QStringLiteral("'%1\u2026' is not a valid floating point value").arg(QString(40, QLatin1Char('7'))));
  EXPECT_EQ(QuotedInput(QStringLiteral("12\u0081\u200e\t")), QStringLiteral("12\\x81\\u200e\\x09"));
  EXPECT_EQ(QuotedInput(QString(40, QLatin1Char('x'))), QString(40, QLatin1Char('x')));
}

TEST(IoError, MessagesFollowTheCode) {
  EXPECT_EQ(IoError(2).message(), QStringLiteral("File not found"));
  EXPECT_EQ(IoError(5).message(), QStringLiteral("File access denied"));
  EXPECT_EQ(IoError(100).message(), QStringLiteral("Read beyond end of file"));
  EXPECT_EQ(IoError(106).message(), QStringLiteral("Invalid numeric input"));
  EXPECT_EQ(IoError(32).message(), QStringLiteral("I/O error 32"));
}

}  // namespace
