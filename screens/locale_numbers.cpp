#include "screens/locale_numbers.h"

#include "engine/number_text.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <memory>

namespace volantra {
namespace {

constexpr std::string_view NOT_A_NUMBER = "?";  // no plain decimal number starts with it

// Marks that set the direction of a number in right-to-left text; they carry no value.
bool IsDirectionMark(QChar c) {
    return c == QChar(0x200E) || c == QChar(0x200F) || c == QChar(0x061C);
}

QString WithoutDirectionMarks(QString text) {
    text.removeIf(IsDirectionMark);
    return text;
}

// How the locale groups an integer's digits, read off its own writing of a long number:
// `primary` digits at the right, `secondary` in every group further left (3 and 3 in
// most locales, 3 and 2 in Indian ones), and grouped at all from `least` digits on.
struct Grouping {
    int primary = 3;
    int secondary = 3;
    int least = 4;
};

Grouping ReadGrouping(const QLocale& locale, const QString& separator) {
    Grouping grouping;
    if (separator.isEmpty()) {
        return grouping;
    }
    QLocale grouped(locale);
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    const QStringList groups =
        WithoutDirectionMarks(grouped.toString(1234567890123456789LL)).split(separator);
    if (groups.size() >= 3) {
        grouping.primary = static_cast<int>(groups[groups.size() - 1].size());
        grouping.secondary = static_cast<int>(groups[groups.size() - 2].size());
    }
    for (qlonglong power = 1000; power < 1000000 && !grouped.toString(power).contains(separator);
         power *= 10) {
        ++grouping.least;
    }
    return grouping;
}

// The locale's number symbols, read once: the system locale answers each query afresh.
struct Symbols {
    explicit Symbols(const QLocale& from)
        : locale(from.name()),
          decimalPoint(from.decimalPoint()),
          groupSeparator(from.groupSeparator()),
          negativeSign(from.negativeSign()),
          positiveSign(from.positiveSign()),
          exponential(from.exponential()),
          zeroDigit(from.zeroDigit()),
          grouping(!from.numberOptions().testFlag(QLocale::OmitGroupSeparator)),
          groupSizes(ReadGrouping(from, WithoutDirectionMarks(from.groupSeparator()))) {
        locale.setNumberOptions(from.numberOptions());
        const auto singleAscii = [](const QString& symbol) {
            return symbol.size() == 1 && symbol[0].unicode() < 0x80;
        };
        asciiSymbols = zeroDigit == QLatin1String("0") && singleAscii(decimalPoint) &&
                       singleAscii(negativeSign) && singleAscii(positiveSign) &&
                       exponential.compare(QLatin1String("e"), Qt::CaseInsensitive) == 0;
        if (asciiSymbols) {
            point = decimalPoint[0].toLatin1();
            minus = negativeSign[0].toLatin1();
            plus = positiveSign[0].toLatin1();
        }
        group = groupSeparator.toStdString();
        plainNegativeSign = WithoutDirectionMarks(negativeSign);
        plainPositiveSign = WithoutDirectionMarks(positiveSign);
        plainGroupSeparator = WithoutDirectionMarks(groupSeparator);
        plainExponential = WithoutDirectionMarks(exponential);
        // Where the locale groups with a kind of space, an ordinary space groups too:
        // it is what a keyboard types.
        spaceGroups = plainGroupSeparator.size() == 1 && plainGroupSeparator[0].isSpace();
    }
    QLocale locale;
    QString decimalPoint, groupSeparator, negativeSign, positiveSign, exponential, zeroDigit;
    bool grouping;
    Grouping groupSizes;
    QString plainNegativeSign, plainPositiveSign, plainGroupSeparator, plainExponential;
    bool spaceGroups = false;
    // Most locales write numbers in ASCII symbols and Western digits; their text is
    // translated byte by byte, without going through QString.
    bool asciiSymbols = false;
    char point = '.';
    char minus = '-';
    char plus = '+';
    std::string group;
};

// Canonical text whose integer part needs no group separator, in ASCII symbols.
bool TranslateBytes(const Symbols& symbols, std::string_view canonical, std::string& local) {
    if (!symbols.asciiSymbols) {
        return false;
    }
    const std::size_t digitsStart = !canonical.empty() && canonical[0] == '-' ? 1 : 0;
    const std::size_t integerEnd = canonical.find_first_not_of("0123456789", digitsStart);
    const std::size_t integerDigits =
        (integerEnd == std::string_view::npos ? canonical.size() : integerEnd) - digitsStart;
    if (symbols.grouping && integerDigits > 3) {
        return false;
    }
    local.assign(canonical);
    for (char& c : local) {
        c = c == '.' ? symbols.point : c == '-' ? symbols.minus : c == '+' ? symbols.plus : c;
    }
    return true;
}

QString NativeDigits(const Symbols& symbols, QStringView ascii) {
    if (symbols.zeroDigit == QLatin1String("0")) {
        return ascii.toString();
    }
    QString native;
    for (QChar c : ascii) {
        native += c.isDigit() ? symbols.locale.toString(c.digitValue()) : QString(c);
    }
    return native;
}

QString GroupedInteger(const Symbols& symbols, QStringView digits) {
    const Grouping& sizes = symbols.groupSizes;
    if (!symbols.grouping || digits.size() < sizes.least) {
        return NativeDigits(symbols, digits);
    }
    QString grouped;
    qsizetype next = digits.size() - sizes.primary;  // where the next separator goes
    QList<qsizetype> cuts;
    for (; next > 0; next -= sizes.secondary) {
        cuts.prepend(next);
    }
    qsizetype start = 0;
    for (qsizetype cut : cuts) {
        grouped += digits.mid(start, cut - start);
        grouped += symbols.groupSeparator;
        start = cut;
    }
    grouped += digits.mid(start);
    return NativeDigits(symbols, grouped);
}

std::string FromCanonical(const Symbols& symbols, std::string_view canonical) {
    if (std::string local; TranslateBytes(symbols, canonical, local)) {
        return local;
    }
    const QString text = QString::fromLatin1(canonical.data(), qsizetype(canonical.size()));
    QStringView rest(text);
    QString local;
    if (rest.startsWith(u'-')) {
        local += symbols.negativeSign;
        rest = rest.mid(1);
    }
    qsizetype integerEnd = 0;
    while (integerEnd < rest.size() && rest[integerEnd].isDigit()) {
        ++integerEnd;
    }
    local += GroupedInteger(symbols, rest.left(integerEnd));
    rest = rest.mid(integerEnd);
    for (QChar c : rest) {
        if (c == u'.') {
            local += symbols.decimalPoint;
        } else if (c == u'e' || c == u'E') {
            local += symbols.exponential;
        } else if (c == u'-') {
            local += symbols.negativeSign;
        } else if (c == u'+') {
            local += symbols.positiveSign;
        } else {
            local += NativeDigits(symbols, QStringView(&c, 1));
        }
    }
    return local.toStdString();
}

bool IsGroupMark(const Symbols& symbols, QChar c) {
    return (symbols.plainGroupSeparator.size() == 1 && c == symbols.plainGroupSeparator[0]) ||
           (symbols.spaceGroups && c == u' ');
}

// Removes the group marks of the integer part when they stand where the locale puts
// them; false when they do not.
bool RemoveGroupMarks(const Symbols& symbols, QString& text) {
    const qsizetype start = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    qsizetype end = start;
    while (end < text.size() && (text[end].isDigit() || IsGroupMark(symbols, text[end]))) {
        ++end;
    }
    const QStringView integer = QStringView(text).mid(start, end - start);
    if (!std::any_of(integer.begin(), integer.end(),
                     [&](QChar c) { return IsGroupMark(symbols, c); })) {
        return true;
    }
    if (!symbols.grouping) {
        return false;
    }
    QList<qsizetype> sizes{0};
    for (QChar c : integer) {
        if (IsGroupMark(symbols, c)) {
            sizes.append(0);
        } else {
            ++sizes.back();
        }
    }
    const Grouping& expected = symbols.groupSizes;
    if (sizes.back() != expected.primary || sizes.front() < 1 ||
        sizes.front() > expected.secondary) {
        return false;
    }
    for (qsizetype i = 1; i + 1 < sizes.size(); ++i) {
        if (sizes[i] != expected.secondary) {
            return false;
        }
    }
    QString digits;
    for (QChar c : integer) {
        if (!IsGroupMark(symbols, c)) {
            digits += c;
        }
    }
    text.replace(start, end - start, digits);
    return true;
}

std::string ToCanonical(const Symbols& symbols, std::string_view typed) {
    const bool ascii = std::all_of(typed.begin(), typed.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::string_view inner = TrimBlanks(typed);
    if (ascii && symbols.asciiSymbols &&
        (symbols.group.empty() || inner.find(symbols.group) == std::string_view::npos) &&
        (!symbols.spaceGroups || inner.find(' ') == std::string_view::npos)) {
        std::string canonical(typed);
        for (char& c : canonical) {
            c = c == symbols.point ? '.' : c == symbols.minus ? '-' : c == symbols.plus ? '+' : c;
        }
        return canonical;
    }
    QString text = WithoutDirectionMarks(
        QString::fromUtf8(inner.data(), static_cast<qsizetype>(inner.size())));
    // Before the digits turn Western: an exponential may hold native digits ("×۱۰^").
    if (symbols.plainExponential != QLatin1String("e")) {
        text.replace(symbols.plainExponential, QLatin1String("e"), Qt::CaseInsensitive);
    }
    // The locale's own signs, and the minus sign U+2212 wherever the locale uses another.
    text.replace(symbols.plainNegativeSign, QLatin1String("-"));
    text.replace(QChar(0x2212), QLatin1Char('-'));
    text.replace(symbols.plainPositiveSign, QLatin1String("+"));
    const QString& zero = symbols.zeroDigit;
    if (zero != QLatin1String("0") && zero.size() == 1) {
        for (QChar& c : text) {
            const int offset = c.unicode() - zero[0].unicode();
            if (offset >= 0 && offset <= 9) {
                c = QChar(u'0' + offset);
            }
        }
    }
    if (!RemoveGroupMarks(symbols, text)) {
        return std::string(NOT_A_NUMBER);
    }
    text.replace(symbols.decimalPoint, QLatin1String("."));
    return text.toStdString();
}

}  // namespace

NumberConventions LocaleConventions(const QLocale& locale) {
    const auto symbols = std::make_shared<const Symbols>(locale);
    NumberConventions conventions;
    conventions.toCanonical = [symbols](std::string_view text) {
        return ToCanonical(*symbols, text);
    };
    conventions.fromCanonical = [symbols](std::string_view text) {
        return FromCanonical(*symbols, text);
    };
    return conventions;
}

}  // namespace volantra
