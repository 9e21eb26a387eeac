// RLE written from the engine's cells.

#include "patterns/rlewriter.h"

#include <algorithm>
#include <climits>
#include <string>
#include <utility>

namespace {

// Collects run tokens into lines; a token, such as "12o", is never split over two lines.
class TRleLines {
public:
    explicit TRleLines(std::string& Text) : Text(Text) {}
    void Add(int Count, char Tag) {
        std::string Token = Count > 1 ? std::to_string(Count) : std::string();
        Token += Tag;
        if (Length + Token.size() > RleLineLength) {
            Text += '\n';
            Length = 0;
        }
        Text += Token;
        Length += Token.size();
    }

private:
    std::string& Text;
    std::size_t Length = 0;
};

} // namespace

QByteArray RleText(const TLifeEngine& World, const QString& Comment) {
    int Left = INT_MAX, Right = -1, Top = INT_MAX, Bottom = -1;
    World.ForEachLiveCell([&](int X, int Y) {
        Left = std::min(Left, X);
        Right = std::max(Right, X);
        Top = std::min(Top, Y);
        Bottom = std::max(Bottom, Y);
    });
    if (Right < 0)
        return {};
    return RleText(World, Comment, QRect(QPoint(Left, Top), QPoint(Right, Bottom)));
}

QByteArray RleText(const TLifeEngine& World, const QString& Comment, const QRect& Area) {
    const int Right = Area.right();
    bool AnyLive = false;
    for (int Y = Area.top(); Y <= Area.bottom() && !AnyLive; ++Y) {
        for (int X = Area.left(); X <= Right && !AnyLive; ++X)
            AnyLive = World.State(X, Y) == 1;
    }
    if (!AnyLive)
        return {};

    std::string Text = "#C " + Comment.toStdString() + "\nx = " + std::to_string(Area.width()) +
                       ", y = " + std::to_string(Area.height()) + ", rule = B3/S23\n";
    TRleLines Lines(Text);
    int RowEnds = 0; // rows ended but not yet written: empty rows come out as one "n$"
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y) {
        int X = Area.left();
        while (X <= Right) {
            const qint32 State = World.State(X, Y);
            int End = X;
            while (End <= Right && World.State(End, Y) == State)
                ++End;
            // A row's dead end needs no run: the next "$" says it.
            if (State == 1 || End <= Right) {
                if (RowEnds > 0)
                    Lines.Add(std::exchange(RowEnds, 0), '$');
                Lines.Add(End - X, State == 1 ? 'o' : 'b');
            }
            X = End;
        }
        ++RowEnds;
    }
    Lines.Add(1, '!');
    Text += '\n';
    return QByteArray::fromStdString(Text);
}
