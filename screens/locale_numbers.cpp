#include "screens/locale_numbers.h"

#include <QString>

namespace volantra {
namespace {

constexpr std::string_view kNotANumber = "?";  // no plain decimal number starts with it

QString NativeDigits(const QLocale& locale, QStringView ascii) {
    const QString zero = locale.zeroDigit();
    if (zero == QLatin1String("0")) {
        return ascii.toString();
    }
    QString native;
    for (QChar c : ascii) {
        native += c.isDigit() ? locale.toString(c.digitValue()) : QString(c);
    }
    return native;
}

QString GroupedInteger(const QLocale& locale, QStringView digits) {
    if (locale.numberOptions().testFlag(QLocale::OmitGroupSeparator)) {
        return NativeDigits(locale, digits);
    }
    if (digits.size() <= 18) {
        return locale.toString(digits.toLongLong());  // the locale's own group sizes
    }
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += locale.groupSeparator();
        }
        grouped += digits[i];
    }
    return NativeDigits(locale, grouped);
}

std::string FromCanonical(const QLocale& locale, std::string_view canonical) {
    const QString text = QString::fromLatin1(canonical.data(), qsizetype(canonical.size()));
    QStringView rest(text);
    QString local;
    if (rest.startsWith(u'-')) {
        local += locale.negativeSign();
        rest = rest.mid(1);
    }
    qsizetype integerEnd = 0;
    while (integerEnd < rest.size() && rest[integerEnd].isDigit()) {
        ++integerEnd;
    }
    local += GroupedInteger(locale, rest.left(integerEnd));
    rest = rest.mid(integerEnd);
    for (QChar c : rest) {
        if (c == u'.') {
            local += locale.decimalPoint();
        } else if (c == u'e' || c == u'E') {
            local += locale.exponential();
        } else if (c == u'-') {
            local += locale.negativeSign();
        } else if (c == u'+') {
            local += locale.positiveSign();
        } else {
            local += NativeDigits(locale, QStringView(&c, 1));
        }
    }
    return local.toStdString();
}

std::string ToCanonical(const QLocale& locale, std::string_view typed) {
    QString text = QString::fromUtf8(typed.data(), qsizetype(typed.size()));
    const QString group = locale.groupSeparator();
    if (!group.isEmpty() && text.contains(group)) {
        // Grouping counts only where the locale itself would put it.
        bool grouped = false;
        locale.toDouble(text.trimmed(), &grouped);
        if (!grouped || locale.numberOptions().testFlag(QLocale::OmitGroupSeparator)) {
            return std::string(kNotANumber);
        }
        text.remove(group);
    }
    text.replace(locale.decimalPoint(), QLatin1String("."));
    text.replace(locale.negativeSign(), QLatin1String("-"));
    text.replace(locale.positiveSign(), QLatin1String("+"));
    if (locale.exponential() != QLatin1String("e")) {
        text.replace(locale.exponential(), QLatin1String("e"), Qt::CaseInsensitive);
    }
    const QString zero = locale.zeroDigit();
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
    NumberConventions conventions;
    conventions.toCanonical = [locale](std::string_view text) { return ToCanonical(locale, text); };
    conventions.fromCanonical = [locale](std::string_view text) {
        return FromCanonical(locale, text);
    };
    return conventions;
}

}  // namespace volantra
