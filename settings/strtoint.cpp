// Settings integers: decimal with a sign, or "$"/"0x" hexadecimal, within 32 bits.

#include "settings/strtoint.h"

namespace {

int HexDigit(char16_t C) {
    if (C >= u'0' && C <= u'9')
        return C - u'0';
    if (C >= u'a' && C <= u'f')
        return C - u'a' + 10;
    if (C >= u'A' && C <= u'F')
        return C - u'A' + 10;
    return -1;
}

} // namespace

std::optional<qint32> StrToInt32(QStringView Text) {
    qsizetype I = 0;
    while (I < Text.size() && Text[I] == QLatin1Char(' '))
        ++I;
    if (I == Text.size())
        return std::nullopt;

    if (Text[I] == QLatin1Char('$')) {
        ++I;
        if (I == Text.size())
            return std::nullopt;
        quint64 Value = 0;
        for (; I < Text.size(); ++I) {
            const int Digit = HexDigit(Text[I].unicode());
            if (Digit < 0)
                return std::nullopt;
            Value = Value * 16 + quint64(Digit);
            if (Value > 0xFFFFFFFFu)
                return std::nullopt;
        }
        return static_cast<qint32>(static_cast<quint32>(Value));
    }

    bool Negative = false;
    if (Text[I] == QLatin1Char('+') || Text[I] == QLatin1Char('-')) {
        Negative = Text[I] == QLatin1Char('-');
        ++I;
    }
    if (I == Text.size())
        return std::nullopt;
    const qint64 Limit = Negative ? 2147483648LL : 2147483647LL;
    qint64 Value = 0;
    for (; I < Text.size(); ++I) {
        const char16_t C = Text[I].unicode();
        if (C < u'0' || C > u'9')
            return std::nullopt;
        Value = Value * 10 + (C - u'0');
        if (Value > Limit)
            return std::nullopt;
    }
    return static_cast<qint32>(Negative ? -Value : Value);
}

std::optional<qint32> SettingToInt(const QString& Text) {
    if (Text.size() > 2 &&
        (Text.startsWith(QLatin1String("0x")) || Text.startsWith(QLatin1String("0X"))))
        return StrToInt32(QString(QLatin1Char('$') + Text.mid(2)));
    return StrToInt32(Text);
}
