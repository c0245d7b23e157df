#include "motion/angletext.h"

#include <QRegularExpression>

namespace angletext {

// Larger inputs are refused rather than wrapped: a servo angle needs far fewer digits.
static constexpr int MaxWholeDigits = 6;

QString degreeSign()
{
    return QString(QChar(0x00B0));
}

QString number(int tenths)
{
    const qint64 v = tenths;
    const qint64 magnitude = v < 0 ? -v : v;
    return QStringLiteral("%1%2.%3")
        .arg(v < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 10)
        .arg(magnitude % 10);
}

QString format(int tenths)
{
    return number(tenths) + degreeSign();
}

// The text without blanks and without a trailing degree sign.
static QString bare(const QString &text)
{
    QString t = text.trimmed();
    if (t.endsWith(degreeSign()))
        t.chop(1);
    return t.trimmed();
}

Input check(const QString &text)
{
    const QString t = bare(text);
    static const QRegularExpression whole(
        QStringLiteral("^[+-]?(\\d{1,%1}(\\.\\d?)?|\\.\\d)$").arg(MaxWholeDigits));
    static const QRegularExpression partial(QStringLiteral("^[+-]?\\.?$"));
    if (whole.match(t).hasMatch())
        return Input::Acceptable;
    if (partial.match(t).hasMatch())
        return Input::Intermediate;
    return Input::Invalid;
}

int parse(const QString &text, bool *ok)
{
    if (ok)
        *ok = false;
    if (check(text) != Input::Acceptable)
        return 0;
    QString t = bare(text);
    const bool negative = t.startsWith(QLatin1Char('-'));
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+')))
        t.remove(0, 1);
    const int dot = t.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? t : t.left(dot);
    const QString decimal = dot < 0 ? QString() : t.mid(dot + 1);
    int tenths = whole.toInt() * 10 + (decimal.isEmpty() ? 0 : decimal.toInt());
    if (negative)
        tenths = -tenths;
    if (ok)
        *ok = true;
    return tenths;
}

} // namespace angletext
