#pragma once

// The integer syntax of the settings file.

#include <QString>
#include <QStringView>

#include <optional>

// Leading blanks, then an optional "+" or "-" and decimal digits, or "$" and hexadecimal
// digits in either case. The digits must run to the end and fit in 32 bits ("$FFFFFFFF"
// is -1). Anything else, the empty text included, is no integer.
std::optional<qint32> StrToInt32(QStringView Text);

// A stored setting's text to a number: a "0x" or "0X" prefix on a text longer than two
// characters is read as "$", then StrToInt32.
std::optional<qint32> SettingToInt(const QString& Text);
