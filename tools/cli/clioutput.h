#pragma once
// What every gaitforge-cli command shares: its exit statuses and the way it
// writes to the console.
#include <QByteArray>
#include <QString>

#include <cstdio>

namespace cli {

enum Status { Ok = 0, Failed = 1, Usage = 2 };

inline void print(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

inline void print(FILE *stream, const QString &text)
{
    print(stream, text.toLocal8Bit());
}

// "gaitforge-cli: TEXT" and the pointer to --help, on standard error.
inline int usageError(const QString &text)
{
    print(stderr, QStringLiteral("gaitforge-cli: ") + text + QStringLiteral("\nTry 'gaitforge-cli --help'.\n"));
    return Usage;
}

} // namespace cli
