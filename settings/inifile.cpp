// The INI layer: private-profile reading and writing on whole files.

#include "settings/inifile.h"

#include "app/errors.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <cerrno>

namespace {

constexpr qsizetype MaxValueLength = 1023;

QList<QByteArray> SplitLines(const QByteArray& Text) {
    QList<QByteArray> Lines = Text.split('\n');
    if (!Lines.isEmpty() && Lines.constLast().isEmpty())
        Lines.removeLast();
    for (QByteArray& Line : Lines) {
        if (Line.endsWith('\r'))
            Line.chop(1);
    }
    return Lines;
}

QByteArray LineEnd(const QByteArray& Text) {
    const qsizetype Lf = Text.indexOf('\n');
    if (Lf > 0)
        return Text.at(Lf - 1) == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    if (Lf == 0)
        return QByteArrayLiteral("\n");
#ifdef Q_OS_WIN
    return QByteArrayLiteral("\r\n");
#else
    return QByteArrayLiteral("\n");
#endif
}

bool SameName(const QByteArray& A, const QByteArray& B) {
    return A.compare(B, Qt::CaseInsensitive) == 0;
}

std::optional<QByteArray> SectionName(const QByteArray& Line) {
    const QByteArray Trimmed = Line.trimmed();
    if (!Trimmed.startsWith('['))
        return std::nullopt;
    const qsizetype Close = Trimmed.indexOf(']');
    return (Close < 0 ? Trimmed.mid(1) : Trimmed.mid(1, Close - 1)).trimmed();
}

struct TKeyLine {
    QByteArray Key;
    QByteArray Value;
};

std::optional<TKeyLine> KeyLine(const QByteArray& Line) {
    const QByteArray Trimmed = Line.trimmed();
    if (Trimmed.startsWith(';'))
        return std::nullopt;
    const qsizetype Eq = Trimmed.indexOf('=');
    if (Eq < 0)
        return std::nullopt;
    return TKeyLine{Trimmed.left(Eq).trimmed(), Trimmed.mid(Eq + 1).trimmed()};
}

QByteArray JoinLines(const QList<QByteArray>& Lines, const QByteArray& End) {
    QByteArray Text;
    for (const QByteArray& Line : Lines)
        Text += Line + End;
    return Text;
}

} // namespace

std::optional<QByteArray> IniReadValue(const QByteArray& Text, const QByteArray& Section,
                                       const QByteArray& Key) {
    bool InSection = false;
    for (const QByteArray& Line : SplitLines(Text)) {
        if (const auto Name = SectionName(Line)) {
            InSection = SameName(*Name, Section);
        } else if (InSection) {
            if (const auto Entry = KeyLine(Line); Entry && SameName(Entry->Key, Key))
                return Entry->Value;
        }
    }
    return std::nullopt;
}

QByteArray IniWriteValue(const QByteArray& Text, const QByteArray& Section, const QByteArray& Key,
                         const QByteArray& Value) {
    QList<QByteArray> Lines = SplitLines(Text);
    const QByteArray End = LineEnd(Text);
    const QByteArray NewLine = Key + '=' + Value;

    qsizetype SectionLine = -1;
    for (qsizetype I = 0; I < Lines.size() && SectionLine < 0; ++I) {
        if (const auto Name = SectionName(Lines[I]); Name && SameName(*Name, Section))
            SectionLine = I;
    }
    if (SectionLine < 0) {
        Lines << '[' + Section + ']' << NewLine;
        return JoinLines(Lines, End);
    }

    // A new key goes after the section's last non-blank line, before any blank lines
    // that separate it from the next section.
    qsizetype InsertAt = SectionLine + 1;
    for (qsizetype I = SectionLine + 1; I < Lines.size() && !SectionName(Lines[I]); ++I) {
        if (const auto Entry = KeyLine(Lines[I]); Entry && SameName(Entry->Key, Key)) {
            Lines[I] = NewLine;
            return JoinLines(Lines, End);
        }
        if (!Lines[I].trimmed().isEmpty())
            InsertAt = I + 1;
    }
    Lines.insert(InsertAt, NewLine);
    return JoinLines(Lines, End);
}

QString ReadProfileString(const QString& File, const QString& Section, const QString& Key) {
    QFile In(File);
    if (!In.open(QIODevice::ReadOnly))
        return {};
    const auto Value = IniReadValue(In.readAll(), Section.toLocal8Bit(), Key.toLocal8Bit());
    return Value ? QString::fromLocal8Bit(Value->left(MaxValueLength)) : QString();
}

bool WriteProfileString(const QString& File, const QString& Section, const QString& Key,
                        const QString& Value, int& ErrorCode) {
    QByteArray Old;
    if (const QFileInfo Info(File); Info.exists()) {
        // A file marked read-only stays untouched, also for a user whom the system
        // would let replace it.
        if (Info.isDir() || !Info.isWritable() || !(Info.permissions() & QFileDevice::WriteOwner)) {
            ErrorCode = 5;
            return false;
        }
        QFile In(File);
        errno = 0;
        if (!In.open(QIODevice::ReadOnly)) {
            ErrorCode = FileErrorCode(In.error(), errno);
            return false;
        }
        Old = In.readAll();
    }
    const QByteArray New =
        IniWriteValue(Old, Section.toLocal8Bit(), Key.toLocal8Bit(), Value.toLocal8Bit());
    QSaveFile Out(File);
    errno = 0;
    // flush() before commit(): a write cut short by a full disk is only reported there,
    // and commit() would otherwise rename the partial file over the old one.
    if (!Out.open(QIODevice::WriteOnly) || Out.write(New) != New.size() || !Out.flush() ||
        !Out.commit()) {
        ErrorCode = FileErrorCode(Out.error(), errno);
        return false;
    }
    return true;
}
