// Which text from the clipboard is a pattern.

#include "patterns/pastetext.h"

#include "patterns/lifelines.h"
#include "patterns/patternformats.h"

std::optional<QByteArray> PatternOfText(QByteArrayView Text) {
    QByteArray Rows = WithoutByteOrderMark(Text).toByteArray();
    if (RecognisePatternFormat(Text) != TPatternFormat::PlainText)
        return Rows;
    bool LineStart = true;
    bool InComment = false;
    for (char& Character : Rows) {
        if (Character == '\r' || Character == '\n') {
            LineStart = true;
            InComment = false;
            continue;
        }
        InComment = InComment || (LineStart && (Character == '!' || Character == '#'));
        LineStart = false;
        if (InComment)
            Character = ' ';
        else if (!IsLiveChar(QLatin1Char(Character)) && Character != '.' && !IsBlank(Character))
            return std::nullopt;
    }
    return Rows;
}
