// File names in bytes that need not be UTF-8.

#include "patterns/filenames.h"

#include <QDir>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <unistd.h>

#include <cstdlib>

#include <memory>
#endif

namespace {

constexpr char16_t EscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at the start of Bytes (shortest form, no
// surrogates, at most U+10FFFF), or 0.
qsizetype Utf8SequenceLength(QByteArrayView Bytes) {
    const auto Byte = [Bytes](qsizetype I) {
        return quint8(Bytes[I]);
    };
    const quint8 Lead = Byte(0);
    if (Lead < 0x80)
        return 1;
    qsizetype Length = 0;
    quint8 Low = 0x80; // the range of the second byte, tighter after some leads
    quint8 High = 0xBF;
    if (Lead >= 0xC2 && Lead <= 0xDF) {
        Length = 2;
    } else if (Lead >= 0xE0 && Lead <= 0xEF) {
        Length = 3;
        Low = Lead == 0xE0 ? 0xA0 : 0x80;
        High = Lead == 0xED ? 0x9F : 0xBF;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
        Length = 4;
        Low = Lead == 0xF0 ? 0x90 : 0x80;
        High = Lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (Bytes.size() < Length || Byte(1) < Low || Byte(1) > High)
        return 0;
    for (qsizetype I = 2; I < Length; ++I) {
        if (Byte(I) < 0x80 || Byte(I) > 0xBF)
            return 0;
    }
    return Length;
}

} // namespace

QString DecodeFileName(QByteArrayView Native) {
    QString Name;
    Name.reserve(Native.size());
    for (qsizetype I = 0; I < Native.size();) {
        const qsizetype Length = Utf8SequenceLength(Native.sliced(I));
        if (Length == 0) {
            Name += QChar(char16_t(EscapeBase + quint8(Native[I])));
            ++I;
            continue;
        }
        Name += QString::fromUtf8(Native.sliced(I, Length));
        I += Length;
    }
    return Name;
}

QByteArray EncodeFileName(const QString& Name) {
    QByteArray Native;
    for (qsizetype I = 0; I < Name.size(); ++I) {
        const QChar Character = Name[I];
        if (Character.isHighSurrogate() && I + 1 < Name.size() && Name[I + 1].isLowSurrogate()) {
            Native += Name.sliced(I, 2).toUtf8();
            ++I;
        } else if (Character.unicode() >= EscapeBase + 0x80 &&
                   Character.unicode() <= EscapeBase + 0xFF) {
            Native += char(Character.unicode() - EscapeBase);
        } else {
            Native += QString(Character).toUtf8();
        }
    }
    return Native;
}

std::optional<QString> LocalFileOfUrl(const QUrl& Url) {
    if (Url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    if (!Url.host().isEmpty() &&
        Url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    // The path's bytes, percent escapes undone by hand: Qt would decode them as UTF-8.
    const QByteArray Path =
        QByteArray::fromPercentEncoding(Url.path(QUrl::FullyEncoded).toLatin1());
    // A zero byte would end the name early and name another file.
    if (!Path.startsWith('/') || Path.contains('\0'))
        return std::nullopt;
    return DecodeFileName(Path);
}

QString CurrentFolder() {
#ifdef Q_OS_UNIX
    // getcwd with no buffer allocates one as long as the path needs.
    const std::unique_ptr<char, decltype(&std::free)> Folder(::getcwd(nullptr, 0), &std::free);
    if (Folder)
        return DecodeFileName(Folder.get());
#endif
    return QDir::currentPath();
}
