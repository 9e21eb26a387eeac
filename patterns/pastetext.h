#pragma once

// Which text from the clipboard is a pattern. The readers take every text in none of the
// shared formats as the program's own rows, so "hello world" would read as the cells of its
// two o's; a paste asks this first.

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The text to read as a pattern: a text in one of the shared formats as it is (its reader
// judges it); plain text only when each line is a comment line (beginning with "!" or "#")
// or holds nothing but live characters, "." and blanks, and then with its comment lines
// blanked, since the rows reader would take the letters of a comment after the first line
// for cells. Nothing for any other text, binary bytes included.
std::optional<QByteArray> PatternOfText(QByteArrayView Text);
