#pragma once
// gaitforge-cli decode: frames given as hexadecimal (one frame or a stream,
// from a file or standard input), one decoded line each, as the packet
// monitor shows them.

#include <QByteArray>
#include <QList>

extern const char *const kDecodeUsage;

// args: what follows "decode" ([FILE]). Returns the exit status: 0 every byte
// belonged to a valid frame, 1 bytes were thrown away or the input is not
// hexadecimal or cannot be read, 2 wrong arguments.
int decodeCommand(const QList<QByteArray> &args);
