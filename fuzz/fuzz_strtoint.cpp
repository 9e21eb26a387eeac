// The settings' integer syntax on arbitrary text, against a reference written another way:
// the digits are checked first, then their number is bounded by its length and its value.

#include "settings/strtoint.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

void Require(bool Holds, const char* What) {
    if (Holds)
        return;
    std::fprintf(stderr, "fuzz_strtoint: %s\n", What);
    std::abort();
}

int DigitValue(char16_t C, int Base) {
    int Value = 99;
    if (C >= u'0' && C <= u'9')
        Value = C - u'0';
    else if (Base == 16 && C >= u'a' && C <= u'f')
        Value = C - u'a' + 10;
    else if (Base == 16 && C >= u'A' && C <= u'F')
        Value = C - u'A' + 10;
    return Value < Base ? Value : -1;
}

std::optional<qint32> ReferenceStrToInt32(std::u16string_view Text) {
    const std::size_t First = Text.find_first_not_of(u' ');
    if (First == std::u16string_view::npos)
        return std::nullopt;
    Text.remove_prefix(First);

    int Base = 10;
    bool Negative = false;
    if (Text.front() == u'$') {
        Base = 16;
        Text.remove_prefix(1);
    } else if (Text.front() == u'+' || Text.front() == u'-') {
        Negative = Text.front() == u'-';
        Text.remove_prefix(1);
    }
    if (Text.empty())
        return std::nullopt;
    for (char16_t C : Text) {
        if (DigitValue(C, Base) < 0)
            return std::nullopt;
    }

    const std::size_t Significant = Text.find_first_not_of(u'0');
    Text.remove_prefix(Significant == std::u16string_view::npos ? Text.size() : Significant);
    if (Text.size() > (Base == 16 ? 8u : 10u))
        return std::nullopt;
    std::uint64_t Value = 0;
    for (char16_t C : Text)
        Value = Value * std::uint64_t(Base) + std::uint64_t(DigitValue(C, Base));
    if (Base == 16)
        return qint32(std::uint32_t(Value));
    if (Value > (Negative ? 2147483648u : 2147483647u))
        return std::nullopt;
    return Negative ? qint32(-std::int64_t(Value)) : qint32(Value);
}

std::optional<qint32> ReferenceSettingToInt(const QString& Text) {
    if (Text.size() > 2 && Text[0] == u'0' && (Text[1] == u'x' || Text[1] == u'X'))
        return ReferenceStrToInt32(u"$" + Text.mid(2).toStdU16String());
    return ReferenceStrToInt32(Text.toStdU16String());
}

void Check(const QString& Text) {
    Require(StrToInt32(Text) == ReferenceStrToInt32(Text.toStdU16String()),
            "StrToInt32 differs from the reference");
    Require(SettingToInt(Text) == ReferenceSettingToInt(Text),
            "SettingToInt differs from the reference");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const auto* Chars = reinterpret_cast<const char*>(Data);
    // Latin-1 sees every byte as one character; UTF-8 also brings digits of other scripts.
    Check(QString::fromLatin1(Chars, qsizetype(Size)));
    Check(QString::fromUtf8(Chars, qsizetype(Size)));
    return 0;
}
