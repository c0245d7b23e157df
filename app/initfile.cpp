#include "app/initfile.h"
#include "core/safefile.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QList>

#include <algorithm>

namespace initfile {

static const int kPictureSizes[] = {64, 128, 192, 256, 320};

int pictureSizeOfCode(int code)
{
    return (code >= 1 && code <= 5) ? kPictureSizes[code - 1] : 128;
}

int pictureCodeOfSize(int size)
{
    for (int i = 0; i < 5; ++i)
        if (kPictureSizes[i] == size)
            return i + 1;
    return 0;
}

QString folderPath(const QString &workingDirectory)
{
    return workingDirectory + QStringLiteral("/.robot");
}

QString filePath(const QString &workingDirectory)
{
    return folderPath(workingDirectory) + QStringLiteral("/init");
}

int startupLanguage(QTextStream &in)
{
    int result = LanguageNone;
    while (!in.atEnd()) {
        const QString raw = in.readLine();
        if (raw.isEmpty())
            break;
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1String("LANG:eng;")))
            result = LanguageEnglish;
        else if (line.startsWith(QLatin1String("LANG:zhs;")))
            result = LanguageZhSimple;
        else if (line.startsWith(QLatin1String("LANG:zht;")))
            result = LanguageZhTraditional;
    }
    return result;
}

int readStartupLanguage(const QString &path)
{
    if (path.isEmpty())
        return LanguageNone;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return LanguageNone;
    QTextStream in(&file);
    return startupLanguage(in);
}

// Index + 1 of the first suffix the line ends with, or 0.
static int suffixCode(const QString &line, std::initializer_list<const char *> suffixes)
{
    int code = 1;
    for (const char *s : suffixes) {
        if (line.endsWith(QLatin1String(s)))
            return code;
        ++code;
    }
    return 0;
}

// The percentage of a volume line's value ("075;" or "75;"): 0..100, or the
// default for anything else.
static int musicVolumeOf(const QString &value)
{
    if (!value.endsWith(QLatin1Char(';')))
        return DefaultMusicVolume;
    const QString digits = value.chopped(1);
    bool ok = false;
    const int volume = digits.toInt(&ok);
    const bool plainDigits = !digits.isEmpty() && digits.size() <= 3
                             && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
    return ok && plainDigits && volume <= MaxMusicVolume ? volume : DefaultMusicVolume;
}

QList<Entry> readEntries(QTextStream &in)
{
    QList<Entry> entries;
    while (!in.atEnd()) {
        const QString raw = in.readLine();
        if (raw.isEmpty())
            break;
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1String("LANG:"))) {
            const int code = suffixCode(line, {"eng;", "zhs;", "zht;"});
            entries.append({Entry::Language, code ? code : int(LanguageEnglish)});
        } else if (line.startsWith(QLatin1String("PICS:"))) {
            const int code = suffixCode(line, {"064;", "128;", "192;", "256;", "320;"});
            entries.append({Entry::PictureSize, code ? code : int(Picture128)});
        } else if (line.startsWith(QLatin1String("BAKG:"))) {
            const int code = suffixCode(line, {"bub;", "sun;", "mou;", "mon;", "afn;"});
            entries.append({Entry::Background, code ? code : int(BackgroundBubble)});
        } else if (line.startsWith(QLatin1String("MVOL:"))) {
            entries.append({Entry::MusicVolume, musicVolumeOf(line.mid(5))});
        }
    }
    return entries;
}

QByteArray format(int language, int pictureCode, int backgroundCode, int musicVolume)
{
    static const char *const languages[] = {"eng", "zhs", "zht"};
    static const char *const pictures[] = {"064", "128", "192", "256", "320"};
    static const char *const backgrounds[] = {"bub", "sun", "mou", "mon", "afn"};
    const char *lang = (language >= 1 && language <= 3) ? languages[language - 1] : "eng";
    const char *pics = (pictureCode >= 1 && pictureCode <= 5) ? pictures[pictureCode - 1] : "128";
    const char *bakg = (backgroundCode >= 1 && backgroundCode <= 5) ? backgrounds[backgroundCode - 1] : "bub";

    QByteArray out;
    out += "#This is a init file.\r\n";
    out += "#The language.\r\n";
    out += QByteArray("LANG:") + lang + ";\r\n";
    out += "#Operation picture size.\r\n";
    out += QByteArray("PICS:") + pics + ";\r\n";
    out += "#3D background.\r\n";
    out += QByteArray("BAKG:") + bakg + ";\r\n";
    // Last and without a comment line: older readers skip a line of a key they
    // do not know, and the lines they know stay where they were.
    const int volume = (musicVolume >= 0 && musicVolume <= MaxMusicVolume) ? musicVolume : DefaultMusicVolume;
    out += "MVOL:" + QByteArray::number(volume).rightJustified(3, '0') + ";\r\n";
    return out;
}

bool write(const QString &workingDirectory, int language, int pictureCode, int backgroundCode, int musicVolume)
{
    const QString folder = folderPath(workingDirectory);
    if (!QDir().mkpath(folder))
        return false;
    // Written to a temporary file and renamed, so a failed write (a full
    // disk) never leaves half a file, nor an empty one.
    return safefile::write(filePath(workingDirectory), format(language, pictureCode, backgroundCode, musicVolume));
}

} // namespace initfile
