// The gzip decompressor on arbitrary bytes, with a small bound so that the bound is hit
// often: it never inflates beyond the bound, never keeps a zero byte, and gives back
// exactly the text that zlib's own deflate packed, whenever that text fits.

#include "patterns/gunzip.h"

#include <QByteArray>
#include <QByteArrayView>

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <variant>

namespace {

constexpr qint64 Bound = 4 * 1024;

void Require(bool Holds, const char* What) {
    if (Holds)
        return;
    std::fprintf(stderr, "fuzz_gunzip: %s\n", What);
    std::abort();
}

QByteArray Packed(QByteArrayView Text) {
    z_stream Stream{};
    Require(deflateInit2(&Stream, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) == Z_OK,
            "deflateInit2 failed");
    QByteArray Bytes(qsizetype(deflateBound(&Stream, uLong(Text.size()))), '\0');
    Stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Text.data()));
    Stream.avail_in = uInt(Text.size());
    Stream.next_out = reinterpret_cast<Bytef*>(Bytes.data());
    Stream.avail_out = uInt(Bytes.size());
    Require(deflate(&Stream, Z_FINISH) == Z_STREAM_END, "deflate did not finish");
    Bytes.truncate(qsizetype(Stream.total_out));
    deflateEnd(&Stream);
    return Bytes;
}

void CheckText(const std::variant<QByteArray, TGunzipFault>& Inflated) {
    if (const auto* Text = std::get_if<QByteArray>(&Inflated)) {
        Require(Text->size() <= Bound, "the text runs beyond the bound");
        Require(!Text->contains('\0'), "the text keeps a zero byte");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const QByteArrayView Bytes(Data, qsizetype(Size));
    CheckText(Gunzip(Bytes, Bound));

    // The input as text, packed and inflated again: up to its first zero byte.
    const QByteArrayView Text =
        Bytes.first(Bytes.indexOf('\0') >= 0 ? Bytes.indexOf('\0') : Bytes.size());
    const auto RoundTrip = Gunzip(Packed(Bytes), Bound);
    CheckText(RoundTrip);
    if (Text.size() <= Bound)
        Require(std::get<QByteArray>(RoundTrip) == Text, "a packed text came back otherwise");
    else
        Require(std::get<TGunzipFault>(RoundTrip) == TGunzipFault::TooLarge,
                "a text beyond the bound was not refused as too large");
    return 0;
}
