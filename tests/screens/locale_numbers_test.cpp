// Number text in the user's locale, both ways: signs, marks, grouping and digits as
// the locale writes them, and as a keyboard types them.
#include <gtest/gtest.h>

#include <QLocale>

#include "screens/locale_numbers.h"

namespace volantra {
namespace {

const QLocale kArabicEgypt(QLocale::Arabic, QLocale::Egypt);
const QLocale kPersianIran(QLocale::Persian, QLocale::Iran);
const QLocale kFrench(QLocale::French, QLocale::France);
const QLocale kHindiIndia(QLocale::Hindi, QLocale::India);
const QLocale kGerman(QLocale::German, QLocale::Germany);

std::string Read(const QLocale& locale, const std::string& typed) {
    return LocaleConventions(locale).toCanonical(typed);
}

TEST(LocaleNumbers, NegativeGroupedNumbersReadBackInRightToLeftLocales) {
    for (const QLocale& locale : {kArabicEgypt, kPersianIran}) {
        SCOPED_TRACE(locale.name().toStdString());
        const NumberConventions conventions = LocaleConventions(locale);
        for (const char* canonical : {"-1000", "-1952.0001", "-1234567.89", "1000", "-5.57"}) {
            const std::string shown = conventions.fromCanonical(canonical);
            EXPECT_EQ(conventions.toCanonical(shown), canonical) << shown;
        }
    }
    // As a Persian user sees it: left-to-right mark, U+2212, Persian digits and separator.
    EXPECT_EQ(Read(kPersianIran, "\u200e\u2212\u06f1\u066c\u06f0\u06f0\u06f0"), "-1000");
}

TEST(LocaleNumbers, TheMinusSignU2212ReadsAsMinusWhereTheLocaleUsesHyphen) {
    EXPECT_EQ(Read(QLocale::c(), "\u22126.4135"), "-6.4135");
    EXPECT_EQ(Read(kGerman, "\u22126,4135"), "-6.4135");
    EXPECT_EQ(Read(kGerman, "\u22121.952,0001"), "-1952.0001");
}

TEST(LocaleNumbers, AnOrdinarySpaceGroupsWhereTheLocaleGroupsWithANoBreakSpace) {
    EXPECT_EQ(Read(kFrench, "1 006"), "1006");
    EXPECT_EQ(Read(kFrench, " 1 234 567,5 "), "1234567.5");
    EXPECT_EQ(Read(kFrench, "1 23"), "?") << "a space where no group ends is no group";
    const std::string written = LocaleConventions(kFrench).fromCanonical("1006.25");
    EXPECT_EQ(Read(kFrench, written), "1006.25");
}

TEST(LocaleNumbers, IndianGroupingHoldsForIntegersOfAnyLength) {
    const NumberConventions conventions = LocaleConventions(kHindiIndia);
    const std::string nineteen = "1234567890123456789";
    const std::string twentyFive = "1234567890123456789012345";
    EXPECT_EQ(QString::fromStdString(conventions.fromCanonical("12345678")),
              kHindiIndia.toString(12345678LL));
    EXPECT_EQ(QString::fromStdString(conventions.fromCanonical("123456789012345678")),
              kHindiIndia.toString(123456789012345678LL));
    for (const std::string& digits : {nineteen, twentyFive, "-" + twentyFive + ".0000"}) {
        const std::string shown = conventions.fromCanonical(digits);
        EXPECT_EQ(conventions.toCanonical(shown), digits) << shown;
    }
    EXPECT_EQ(conventions.fromCanonical(nineteen), "12,34,56,78,90,12,34,56,789");
}

TEST(LocaleNumbers, GroupingOutOfPlaceIsNotANumber) {
    EXPECT_EQ(Read(kGerman, "1.5"), "?");
    EXPECT_EQ(Read(kGerman, "12.34,5"), "?");
    EXPECT_EQ(Read(kGerman, "1.234,5"), "1234.5");
    EXPECT_EQ(Read(kHindiIndia, "123,456"), "?");
    EXPECT_EQ(Read(kHindiIndia, "1,23,456"), "123456");
}

// Every locale that writes its exponent other than "e" ("×۱۰^", "·10^", "اس", "Е") reads
// back what it writes; the Persian one with its own digits inside the exponential.
TEST(LocaleNumbers, EveryLocalesOwnExponentReadsBack) {
    int locales = 0;
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                          QLocale::AnyTerritory)) {
        if (locale.exponential().compare(QLatin1String("e"), Qt::CaseInsensitive) == 0) {
            continue;
        }
        ++locales;
        SCOPED_TRACE(locale.name().toStdString());
        const NumberConventions conventions = LocaleConventions(locale);
        for (const char* canonical : {"1e-05", "-2.5e+20", "3.4028235e+38"}) {
            const std::string shown = conventions.fromCanonical(canonical);
            EXPECT_EQ(conventions.toCanonical(shown), canonical) << shown;
        }
    }
    EXPECT_GE(locales, 20);
    EXPECT_EQ(Read(kPersianIran, "۱×۱۰^−۵"), "1e-5");
}

}  // namespace
}  // namespace volantra
