#pragma once
// The init file ".robot/init" under the working directory: the choices
// remembered between runs (language, frame picture size, 3D background and the
// volume the program itself plays music at). Plain functions over text; the
// window applies the results to its actions and controls.

#include <QString>
#include <QByteArray>
#include <QList>

class QTextStream;

namespace initfile {

// Codes shared by the reader, the writer and the window. 0 means "no line" when
// reading, and "take the current check state" when the window asks to write.
enum Language { LanguageNone = 0, LanguageEnglish = 1, LanguageZhSimple = 2, LanguageZhTraditional = 3 };
enum PictureCode { Picture64 = 1, Picture128 = 2, Picture192 = 3, Picture256 = 4, Picture320 = 5 };
enum BackgroundCode { BackgroundBubble = 1, BackgroundSun = 2, BackgroundMountains = 3,
                      BackgroundMoon = 4, BackgroundAfternoon = 5 };

// Edge length in pixels of a picture code (64 for 1 ... 320 for 5); 128 for any other code.
int pictureSizeOfCode(int code);
// Picture code of an edge length (1 for 64 ... 5 for 320); 0 for any other size.
int pictureCodeOfSize(int size);

// Path of the init file and of its folder under a working directory.
QString folderPath(const QString &workingDirectory);
QString filePath(const QString &workingDirectory);

// The language chosen at program entry: "LANG:eng;" 1, "LANG:zhs;" 2,
// "LANG:zht;" 3 as a line prefix after trimming; the last match wins; reading
// stops at the first empty line. 0 when nothing matched.
int startupLanguage(QTextStream &in);
// Same over a file; 0 when the path is empty or the file cannot be read.
int readStartupLanguage(const QString &path);

// The listening volume when the file has no line for it, and the range of its line.
constexpr int DefaultMusicVolume = 100;
constexpr int MaxMusicVolume = 100;

// One settings line as the window's loader sees it.
struct Entry {
    enum Key { Language, PictureSize, Background, MusicVolume } key;
    // language 1..3, picture 1..5, background 1..5 (unknown values fall back to
    // 1, 2, 1); music volume 0..100 in percent (unknown values fall back to 100)
    int code;
};

// The entries of an init file in file order, up to the first empty line.
// Lines with other keys (comments included) are skipped.
QList<Entry> readEntries(QTextStream &in);

// The whole file for three resolved codes (1..3, 1..5, 1..5) and a music
// volume (0..100, "MVOL:075;" as the last line), lines ending in CR LF.
// Readers that know only the first three keys skip the volume line.
QByteArray format(int language, int pictureCode, int backgroundCode, int musicVolume = DefaultMusicVolume);

// Writes the file under the working directory, creating ".robot" when missing.
// Returns false (and leaves any old file as it was) when the folder or file cannot be written.
bool write(const QString &workingDirectory, int language, int pictureCode, int backgroundCode,
           int musicVolume = DefaultMusicVolume);

} // namespace initfile
