#pragma once

// gzip-compressed pattern files, as collections ship their large patterns (".rle.gz",
// ".mc.gz"): told by their first two bytes and inflated with zlib a chunk at a time, so
// that the bound on the text holds while inflating and a small file that would inflate far
// beyond it is refused after inflating no more than the bound.

#include <QByteArray>
#include <QByteArrayView>

#include <variant>

// Bytes begin with 1F 8B, as every gzip file does.
bool IsGzip(QByteArrayView Bytes);

enum class TGunzipFault {
    Broken,  // not gzip, cut short, corrupt, or a checksum that does not match
    TooLarge // the text runs on beyond the bound
};

// The text inflated from the gzip stream Bytes: its members one after the other, as gzip
// itself reads them, and bytes after the last member that do not begin another one
// ignored. A zero byte ends the text, as it ends a plain pattern file, but the stream is
// inflated to its end: TooLarge as soon as everything inflated, zero bytes included, grows
// beyond MaxBytes.
std::variant<QByteArray, TGunzipFault> Gunzip(QByteArrayView Bytes, qint64 MaxBytes);
