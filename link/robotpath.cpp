#include "link/robotpath.h"

#include <QTextCodec>

namespace robotpath {

QByteArray folder(int index)
{
    if (index == 0)
        return QByteArrayLiteral("0:/robotsys");
    if (index == 1)
        return QByteArrayLiteral("1:/robotsys");
    return QByteArray();
}

bool encodeName(const QString &name, QByteArray *bytes)
{
    bytes->clear();
    QTextCodec *codec = QTextCodec::codecForName("GB2312");
    if (!codec)
        return false;
    QTextCodec::ConverterState state(QTextCodec::ConvertInvalidToNull);
    const QByteArray encoded = codec->fromUnicode(name.constData(), name.size(), &state);
    // Some codecs substitute silently: a name that does not come back whole,
    // or holds a NUL, has no faithful GB2312 form.
    if (state.invalidChars > 0 || encoded.contains('\0') || codec->toUnicode(encoded) != name)
        return false;
    *bytes = encoded;
    return true;
}

Result build(int folderIndex, const QString &name, int maxBytes, QByteArray *path)
{
    path->clear();
    const QByteArray dir = folder(folderIndex);
    if (dir.isEmpty())
        return Result::NoFolder;
    if (name.isEmpty())
        return Result::EmptyName;
    QByteArray bytes;
    if (!encodeName(name, &bytes))
        return Result::NotEncodable;
    const QByteArray full = dir + '/' + bytes;
    if (full.size() > maxBytes)
        return Result::TooLong;
    *path = full;
    return Result::Ok;
}

} // namespace robotpath
