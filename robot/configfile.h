#pragma once
// The robot's configure file (robotcfg.ini): reading a text stream into a
// settings record and writing the record back as the file the robot expects.
// Reading sets only what the file holds; everything else in the record stays,
// so a caller fills the record from its current state, reads, and takes the
// whole record back.

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

class QTextStream;

namespace configfile {

// Everything the file carries, as stored in it.
struct Settings {
    int volume = 60;                         // "SV:"
    std::array<int, 9> leds{};               // "LED:", brightness index * 16 + frequency index
    int baudBle = 9600;                      // "BB:", a rate
    int baudPc = 9600;                       // "BP:"
    int baudServo = 9600;                    // "BS:"
    int autoPowerOff = 300;                  // "SP:", seconds
    int remoteChannel = 0;                   // "SC:", hopping * 256 + channel
    int remoteBroadcast = 0;                 // "SD:"
    int remoteMode = 0;                      // "SR:", bandwidth * 256 + power
    int boardChannel = 0;                    // "RFC:"
    int boardBroadcast = 0;                  // "RDC:"
    int boardMode = 0;                       // "RFM:"
    std::array<int, 35> keyMap{};            // "RFK:", each 0 or 1
    std::array<int, 19> corrections{};       // "ROA:", servo 2..20
    std::array<int, 19> minimums{};          // "RBD:"
    std::array<int, 19> maximums{};          // "RBU:"
    int useExtraServo = 0;                   // "UES:", 0 or 1
    int fallCheck = 0;                       // "UFC:", 0 or 1
    std::array<int, 4> backToOrigin{};       // "BTO:" mode, speed, acceleration, time
    // Lines carried through unchanged (whole, key and ";" included).
    QString irKeyLine;                       // "IRK:"
    QString factoryOriginLine;               // "RFO:"
    QString factoryDownLine;                 // "FDL:"
    QString factoryUpLine;                   // "FUL:"
    QString timeSpeedLine;                   // "TSA:"
    QString remoteAutoLine;                  // "RAF:"
    QString fallDetectLine;                  // "FDT:"
    QString batteryLine;                     // "BLN:"
};

enum class Error { None, FieldCount };

struct ReadResult {
    Error error = Error::None;
    int line = 0;  // 1-based line of the error
    // Lines read that belong to a key of the file (comments, "END:;" and
    // anything else not counted; after an error, the faulty line counted).
    int dataLines = 0;
};

// Reads lines until the first empty line or the end; a line with a wrong
// number of values ends the reading with an error (what earlier lines set
// stays set in settings).
ReadResult read(QTextStream &in, Settings &settings);

// Reads a whole file's content as the program opens it (its CR LF line ends
// taken as line ends).
ReadResult readContent(const QByteArray &content, Settings &settings);
// The whole file write() writes, as bytes.
QByteArray content(const Settings &settings);

// Writes the whole file, lines ending with CR LF. A verbatim line that was
// never read is left out: an empty line would end the file for every reader.
void write(QTextStream &out, const Settings &settings);

// True when content is a whole configure file: before its first empty line it
// holds every data line the writer writes (each key with its closing ";",
// values in the right number) and ends with the end mark "END:;". A file cut
// short, or one lacking the robot's own lines (factory origin and limits,
// fall detection, battery ...), is not.
bool isComplete(const QByteArray &content);

// The documented factory values: the settings pages' defaults, and the lines
// the program carries through (factory origin and limits of the servos, time
// speed, remote auto, fall detection, battery) as a new robot holds them.
Settings factorySettings();

// Combo indexes of the rate lists ("BB:", "BP:", "BS:"): a rate not in the
// list gives the last index; an index not in the list gives 9600.
int bleRateIndex(int rate);

// Why content is not a complete configure file, or empty when it is: every
// line the writer writes must be there in the writer's order (comments as
// written, data lines with their key and closing ";"), before the first empty
// line, the last of them "END:;", and the reader must take it without error.
// A fetch cut short or a file made without the robot's own lines fails.
QString incompleteness(const QByteArray &content);

// Why content is not a complete configure file, in parts: empty missing and
// wrongCountLine 0 and endMarkLast true when it is complete. missing is the
// first line the writer writes that content lacks (a comment as written, or
// a data line's key).
struct Completeness {
    QString missing;
    bool endMarkLast = true;
    int wrongCountLine = 0;
    bool complete() const { return missing.isEmpty() && endMarkLast && wrongCountLine == 0; }
};
Completeness completeness(const QByteArray &content);

// A line of a file: its number (from 1) and its text, trimmed.
struct FileLine {
    int number = 0;
    QString text;
};

// The data lines of content (a key of the file with its closing ";") that
// rewriting it would lose: reading stops at the first empty line, so a data
// line after it never reaches the settings, and the rewritten file (written)
// carries it only when it happens to hold the same line. Empty when nothing
// is lost. emptyLine, when given, is set to the number of that empty line.
QVector<FileLine> linesLostByRewriting(const QByteArray &content, const QByteArray &written,
                                       int *emptyLine = nullptr);

// The keys of the lines the program carries through unchanged ("IRK:",
// "RFO:", "FDL:", "FUL:", "TSA:", "RAF:", "FDT:", "BLN:": the robot's own
// lines, which no page shows) that content lacks before its first empty line,
// in the writer's order. Rewriting such a file cannot bring them back; any
// other line the writer writes (comments, the end mark, a setting) it writes
// itself.
QStringList missingOwnLines(const QByteArray &content);

// The record as the settings pages show it: each value as its widget holds
// it (spin boxes keep their ranges, a list selects its nearest item) and as
// writing takes it back. Reading a file into the pages and saving them
// writes shown(what was read).
Settings shown(const Settings &settings);

int pcRateIndex(int rate);
int servoRateIndex(int rate);
int bleRate(int index);
int pcRate(int index);
int servoRate(int index);

} // namespace configfile
