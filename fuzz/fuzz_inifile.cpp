// The INI layer on arbitrary bytes: the six settings are read as the program reads them,
// then written back one after another as the program writes them. Every value written
// must read back as written, every other key must keep its value and every other line
// must stay where it was.

#include "settings/inifile.h"
#include "settings/strtoint.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

void Require(bool Holds, const char* What) {
    if (Holds)
        return;
    std::fprintf(stderr, "fuzz_inifile: %s\n", What);
    std::abort();
}

struct TSetting {
    const char* Section;
    const char* Key;
    qint32 Min;
    qint32 Max;
};

constexpr std::array<TSetting, 6> Settings{{
    {"Afmetingen", "HorCells", 320, 1280},
    {"Afmetingen", "VertCells", 240, 1024},
    {"Afmetingen", "HorCellGrootte", 1, 2},
    {"Afmetingen", "VertCellGrootte", 1, 2},
    {"Opties", "Wrapping", 0, 3},
    {"Opties", "TimerInterval", 1, 1000},
}};

std::optional<QByteArray> Read(const QByteArray& Text, const TSetting& Setting) {
    return IniReadValue(Text, Setting.Section, Setting.Key);
}

// As the program loads a setting: at most 1023 characters, the integer syntax, clamping.
qint32 Load(const QByteArray& Text, const TSetting& Setting, qint32 Current) {
    const QByteArray Value = Read(Text, Setting).value_or(QByteArray()).left(1023);
    const qint32 Number = SettingToInt(QString::fromLocal8Bit(Value)).value_or(Current);
    Require(SettingToInt(QString::number(Number)) == Number, "a number does not read back");
    return std::clamp(Number, Setting.Min, Setting.Max);
}

constexpr char Utf8Bom[] = "\xEF\xBB\xBF";

// The lines without a byte-order mark and without their line ends (CR LF, CR or LF): a
// write may make the line ends of the file alike.
QList<QByteArray> Lines(QByteArray Text) {
    if (Text.startsWith(Utf8Bom))
        Text.remove(0, 3);
    Text.replace("\r\n", "\n").replace('\r', '\n');
    QList<QByteArray> Result = Text.split('\n');
    if (Result.constLast().isEmpty())
        Result.removeLast();
    return Result;
}

// Every other line is kept: the key's line is replaced where it stands, or inserted once,
// or the section and the key are added at the end.
bool OnlyTheKeyLineChanged(const QByteArray& Text, const QByteArray& Written,
                           const TSetting& Setting, const QByteArray& Value) {
    const QList<QByteArray> Old = Lines(Text);
    QList<QByteArray> New = Lines(Written);
    const QByteArray KeyLine = QByteArray(Setting.Key) + '=' + Value;
    if (New == Old)
        return true; // the key held the value already
    qsizetype First = 0;
    while (First < Old.size() && First < New.size() && Old[First] == New[First])
        ++First;
    if (First == New.size())
        return false;
    if (New.size() == Old.size() + 2) {
        return First == Old.size() && New[First] == '[' + QByteArray(Setting.Section) + ']' &&
               New[First + 1] == KeyLine;
    }
    if (New[First] != KeyLine)
        return false;
    if (New.size() == Old.size() + 1)
        New.removeAt(First);
    else if (New.size() == Old.size())
        New[First] = Old[First];
    return New == Old;
}

using TValues = std::array<std::optional<QByteArray>, 6>;

TValues ReadAll(const QByteArray& Text) {
    TValues Values;
    for (std::size_t I = 0; I < Settings.size(); ++I)
        Values[I] = Read(Text, Settings[I]);
    return Values;
}

// Writes all six keys in the program's order and checks each step.
void WriteAll(QByteArray Text, const std::array<qint32, 6>& Numbers) {
    TValues Values = ReadAll(Text);
    for (std::size_t I = 0; I < Settings.size(); ++I) {
        const QByteArray Value = QByteArray::number(Numbers[I]);
        const QByteArray Written = IniWriteValue(Text, Settings[I].Section, Settings[I].Key, Value);
        const TValues WrittenValues = ReadAll(Written);
        Require(WrittenValues[I] == Value, "a written value does not read back");
        for (std::size_t J = 0; J < Settings.size(); ++J) {
            if (J != I)
                Require(WrittenValues[J] == Values[J], "a write changed another key");
        }
        Require(OnlyTheKeyLineChanged(Text, Written, Settings[I], Value),
                "a write changed more than the key's own line");
        Require(Written.startsWith(Utf8Bom) == Text.startsWith(Utf8Bom),
                "a write added or dropped the byte-order mark");
        Text = Written;
        Values = WrittenValues;
    }
}

std::uint32_t Fnv1a(const std::uint8_t* Data, std::size_t Size) {
    std::uint32_t Hash = 2166136261u;
    for (std::size_t I = 0; I < Size; ++I)
        Hash = (Hash ^ Data[I]) * 16777619u;
    return Hash;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const QByteArray Text(reinterpret_cast<const char*>(Data), qsizetype(Size));

    constexpr std::array<qint32, 6> Defaults{320, 240, 1, 1, 1, 100};
    std::array<qint32, 6> Values{};
    for (std::size_t I = 0; I < Settings.size(); ++I)
        Values[I] = Load(Text, Settings[I], Defaults[I]);

    // Half the inputs write back what was loaded, as the program does; the other half write
    // any 32-bit values, negative ones included, from a hash of the input.
    std::uint32_t Hash = Fnv1a(Data, Size);
    if (Hash & 1) {
        for (qint32& Value : Values) {
            Value = qint32(Hash);
            Hash = Hash * 1103515245u + 12345u;
        }
    }
    WriteAll(Text, Values);
    return 0;
}
