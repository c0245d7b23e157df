#include "files/robotfiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextCodec>

namespace robotfiles {

// A name cut inside a two-byte character would decode to nothing at its end
// (or to nothing at all): the lost bytes show as U+FFFD, so no name is empty.
static QString decodeName(const QByteArray &bytes)
{
    static QTextCodec *const codec = QTextCodec::codecForName("GB2312");
    if (!codec)
        return QString::fromLatin1(bytes);
    // A blank (never the second byte of a character) ends the text, so that
    // a cut character is decoded rather than held back; it is removed again.
    QString name = codec->toUnicode(bytes + ' ');
    if (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    if (name.isEmpty())
        name = QChar(QChar::ReplacementCharacter);
    return name;
}

QStringList splitFolderList(const QByteArray &block)
{
    QStringList names;
    if (block.isEmpty() || block.at(0) == '\0')
        return names;
    int start = 0;
    for (int i = 0; i <= block.size(); ++i) {
        if (i < block.size() && block.at(i) != '\0')
            continue;
        if (i > start)
            names << decodeName(block.mid(start, i - start));
        start = i + 1;
    }
    return names;
}

QString robotFileName(const QString &localPath)
{
    return QFileInfo(localPath).fileName();
}

bool isConfigureFile(const QString &name)
{
    return name.startsWith(QLatin1String("robotcfg.ini"), Qt::CaseInsensitive);
}

bool isDriveIndex(int folderIndex)
{
    return folderIndex == 0 || folderIndex == 1;
}

QString driveName(int folderIndex)
{
    switch (folderIndex) {
    case 0: return QCoreApplication::translate("robotfiles", "0: SD card");
    case 1: return QCoreApplication::translate("robotfiles", "1: flash");
    default: return QString();
    }
}

int driveOf(const QByteArray &robotPath)
{
    if (robotPath.startsWith("0:/robotsys"))
        return 0;
    if (robotPath.startsWith("1:/robotsys"))
        return 1;
    return -1;
}

} // namespace robotfiles
