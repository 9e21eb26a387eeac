// RLE written from the engine's cells.

#include "patterns/rlewriter.h"
#include "engine/livebounds.h"

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

// The header and the rows of the cells in Box.
std::string RleRows(const TLifeEngine& World, const QRect& Box) {
    std::string Text = "x = " + std::to_string(Box.width()) +
                       ", y = " + std::to_string(Box.height()) + ", rule = B3/S23\n";
    TRleLines Lines(Text);
    int RowEnds = 0; // rows ended but not yet written: empty rows come out as one "n$"
    for (int Y = Box.top(); Y <= Box.bottom(); ++Y) {
        int X = Box.left();
        while (X <= Box.right()) {
            const qint32 State = World.State(X, Y);
            int End = X;
            while (End <= Box.right() && World.State(End, Y) == State)
                ++End;
            // A row's dead end needs no run: the next "$" says it.
            if (State == 1 || End <= Box.right()) {
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
    return Text;
}

} // namespace

QByteArray RleText(const TLifeEngine& World, const QString& Comment) {
    const QRect Box = LiveBounds(World);
    if (Box.isEmpty())
        return {};
    return QByteArray::fromStdString("#C " + Comment.toStdString() + "\n" + RleRows(World, Box));
}

QByteArray RleText(const TLifeEngine& World, const QString& Comment, const QRect& Area) {
    bool AnyLive = false;
    for (int Y = Area.top(); Y <= Area.bottom() && !AnyLive; ++Y) {
        for (int X = Area.left(); X <= Area.right() && !AnyLive; ++X)
            AnyLive = World.State(X, Y) == 1;
    }
    if (!AnyLive)
        return {};
    return QByteArray::fromStdString("#C " + Comment.toStdString() + "\n" + RleRows(World, Area));
}

QByteArray RleFileText(const TLifeEngine& World, const QString& Name) {
    const QRect Box = LiveBounds(World);
    return QByteArray::fromStdString(
        "#N " + Name.toStdString() + "\n" +
        (Box.isEmpty() ? std::string("x = 0, y = 0, rule = B3/S23\n!\n") : RleRows(World, Box)));
}
