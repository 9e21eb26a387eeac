#pragma once

// File names as the system gives them. On Linux a name is a string of bytes that need not
// be UTF-8 (an old Latin-1 "caf\xe9.rle", say), which Qt's own decoding turns into U+FFFD
// for good. Such names are kept in a QString without loss: valid UTF-8 is decoded as
// usual and every other byte B becomes the lone surrogate U+DC00 + B, which no decoded
// name holds, so encoding gives the very bytes back.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

class QUrl;

// The name of the bytes Native, losing none of them.
QString DecodeFileName(QByteArrayView Native);

// The bytes of Name, the name's own bytes for a name from DecodeFileName.
QByteArray EncodeFileName(const QString& Name);

// The current folder, its bytes kept as DecodeFileName keeps them.
QString CurrentFolder();

// The local file a dropped address names, its bytes kept: "file:///a/b" and
// "file://localhost/a/b". Nothing for an address on another host ("file://otherhost/x"),
// one without an absolute path ("file:x.lif") or another scheme.
std::optional<QString> LocalFileOfUrl(const QUrl& Url);
