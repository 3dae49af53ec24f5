#include "screens/locale_numbers.h"

#include <QString>
#include <algorithm>
#include <memory>

namespace volantra {
namespace {

constexpr std::string_view kNotANumber = "?";  // no plain decimal number starts with it

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
          grouping(!from.numberOptions().testFlag(QLocale::OmitGroupSeparator)) {
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
    }
    QLocale locale;
    QString decimalPoint, groupSeparator, negativeSign, positiveSign, exponential, zeroDigit;
    bool grouping;
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
    if (!symbols.grouping || digits.size() < 4) {
        return NativeDigits(symbols, digits);
    }
    if (digits.size() <= 18) {
        return symbols.locale.toString(digits.toLongLong());  // the locale's own group sizes
    }
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += symbols.groupSeparator;
        }
        grouped += digits[i];
    }
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

std::string ToCanonical(const Symbols& symbols, std::string_view typed) {
    const bool ascii = std::all_of(typed.begin(), typed.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii && symbols.asciiSymbols &&
        (symbols.group.empty() || typed.find(symbols.group) == std::string_view::npos)) {
        std::string canonical(typed);
        for (char& c : canonical) {
            c = c == symbols.point ? '.' : c == symbols.minus ? '-' : c == symbols.plus ? '+' : c;
        }
        return canonical;
    }
    QString text = QString::fromUtf8(typed.data(), qsizetype(typed.size()));
    const QString& group = symbols.groupSeparator;
    if (!group.isEmpty() && text.contains(group)) {
        // Grouping counts only where the locale itself would put it.
        bool grouped = false;
        symbols.locale.toDouble(text.trimmed(), &grouped);
        if (!grouped || !symbols.grouping) {
            return std::string(kNotANumber);
        }
        text.remove(group);
    }
    text.replace(symbols.decimalPoint, QLatin1String("."));
    text.replace(symbols.negativeSign, QLatin1String("-"));
    text.replace(symbols.positiveSign, QLatin1String("+"));
    if (symbols.exponential != QLatin1String("e")) {
        text.replace(symbols.exponential, QLatin1String("e"), Qt::CaseInsensitive);
    }
    const QString& zero = symbols.zeroDigit;
    if (zero != QLatin1String("0") && zero.size() == 1) {
        for (QChar& c : text) {
            const int offset = c.unicode() - zero[0].unicode();
            if (offset >= 0 && offset <= 9) {
                c = QChar(u'0' + offset);
            }
        }
    }
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
