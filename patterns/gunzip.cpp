// Inflating gzip streams with zlib, in chunks, against a bound on the text.

#include "patterns/gunzip.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <limits>
#include <new>

namespace {

// 15: the largest window, which every gzip stream fits; + 16: a gzip header and trailer
// around the deflate data, not zlib's own.
constexpr int GzipWindowBits = 15 + 16;

// The largest piece of input handed to zlib at once: its counts are unsigned int.
constexpr qsizetype LargestFeed = qsizetype(1) << 30;

// One inflate stream, ended on every path.
class TInflater {
public:
    TInflater() {
        if (inflateInit2(&Stream, GzipWindowBits) != Z_OK)
            throw std::bad_alloc();
    }
    ~TInflater() { inflateEnd(&Stream); }
    TInflater(const TInflater&) = delete;
    TInflater& operator=(const TInflater&) = delete;

    z_stream Stream{};
};

} // namespace

bool IsGzip(QByteArrayView Bytes) {
    return Bytes.size() >= 2 && quint8(Bytes[0]) == 0x1F && quint8(Bytes[1]) == 0x8B;
}

std::variant<QByteArray, TGunzipFault> Gunzip(QByteArrayView Bytes, qint64 MaxBytes) {
    if (!IsGzip(Bytes))
        return TGunzipFault::Broken;
    TInflater Inflater;
    z_stream& Stream = Inflater.Stream;
    qsizetype Fed = 0; // bytes of Bytes handed to zlib so far
    std::array<char, 64 * 1024> Chunk;
    QByteArray Text;
    qint64 Inflated = 0; // every byte, the zero bytes and what follows them too
    bool Ended = false;  // a zero byte ended the text
    for (;;) {
        if (Stream.avail_in == 0 && Fed < Bytes.size()) {
            const qsizetype Feed = std::min(Bytes.size() - Fed, LargestFeed);
            Stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Bytes.data() + Fed));
            Stream.avail_in = uInt(Feed);
            Fed += Feed;
        }
        Stream.next_out = reinterpret_cast<Bytef*>(Chunk.data());
        Stream.avail_out = uInt(Chunk.size());
        const int Status = inflate(&Stream, Z_NO_FLUSH);
        if (Status == Z_MEM_ERROR)
            throw std::bad_alloc();
        const qsizetype Produced = qsizetype(Chunk.size() - Stream.avail_out);
        Inflated += Produced;
        if (Inflated > MaxBytes)
            return TGunzipFault::TooLarge;
        if (!Ended) {
            const QByteArrayView Piece(Chunk.data(), Produced);
            const qsizetype Zero = Piece.indexOf('\0');
            Ended = Zero >= 0;
            Text.append(Piece.first(Ended ? Zero : Produced));
        }
        if (Status == Z_STREAM_END) {
            const qsizetype Rest = qsizetype(Stream.avail_in) + (Bytes.size() - Fed);
            if (!IsGzip(Bytes.last(Rest)))
                return Text;
            inflateReset(&Stream);
            continue;
        }
        // Z_BUF_ERROR: no progress although there was room for the text, so the stream
        // ends before its end. Z_DATA_ERROR, Z_NEED_DICT, Z_STREAM_ERROR: corrupt.
        if (Status != Z_OK)
            return TGunzipFault::Broken;
    }
}
