#pragma once

// A small INI layer with the behaviour of Windows' private-profile functions: section and
// key names match without regard to case, only the first section of a name counts, values
// are trimmed and lose one pair of enclosing quotes, lines end at CR LF, CR or LF, and a
// UTF-8 byte-order mark is skipped. An existing key is replaced where it stands, a new key
// goes to the end of its section and a new section to the end of the file; every other
// line, the mark and the file's line end are kept.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// A key and its value, as bytes.
using TIniEntry = std::pair<QByteArray, QByteArray>;

// The value of Key in Section, or nothing when the section or key is missing.
std::optional<QByteArray> IniReadValue(const QByteArray& Text, const QByteArray& Section,
                                       const QByteArray& Key);

// Text with Key in Section set to Value.
QByteArray IniWriteValue(const QByteArray& Text, const QByteArray& Section, const QByteArray& Key,
                         const QByteArray& Value);

// The keys of Section with their values, in the file's order.
QList<TIniEntry> IniReadSection(const QByteArray& Text, const QByteArray& Section);

// Text with the keys of Section replaced by Entries, written in their order where the first
// of the old keys stood (at the section's end when it had none). The section's comments and
// blank lines and every other section stay; a missing section is added at the end.
QByteArray IniWriteSection(const QByteArray& Text, const QByteArray& Section,
                           const QList<TIniEntry>& Entries);

// The value as text (at most 1023 characters), or nothing when the file, section or key is
// missing or the file cannot be read.
std::optional<QString> ReadProfileValue(const QString& File, const QString& Section,
                                        const QString& Key);
// The value as text (at most 1023 characters); empty when the file, section or key is
// missing or the file cannot be read.
QString ReadProfileString(const QString& File, const QString& Section, const QString& Key);

// Writes one key. The file is replaced as a whole, so a failure never leaves it half
// written. On failure returns false and sets ErrorCode to a Windows system error code.
bool WriteProfileString(const QString& File, const QString& Section, const QString& Key,
                        const QString& Value, int& ErrorCode);

// The keys of Section with their values as bytes; none when the file cannot be read.
QList<TIniEntry> ReadProfileSection(const QString& File, const QByteArray& Section);

// Replaces the keys of Section as IniWriteSection does, the file as a whole like
// WriteProfileString.
bool WriteProfileSection(const QString& File, const QByteArray& Section,
                         const QList<TIniEntry>& Entries, int& ErrorCode);
