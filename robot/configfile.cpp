#include "robot/configfile.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <QVector>
#include <algorithm>
#include <type_traits>
#include <utility>

#include "robot/configpacking.h"

namespace configfile {

namespace {

const QVector<int> kBleRates{9600, 19200, 38400, 57600, 115200};
const QVector<int> kPcRates{9600, 19200, 38400, 57600, 115200, 921600, 1500000};
const QVector<int> kServoRates{9600, 19200, 38400, 57600, 115200, 256000, 460800, 576000, 921600};

int rateIndex(const QVector<int> &rates, int rate)
{
    const int i = rates.indexOf(rate);
    return i < 0 ? rates.size() - 1 : i;
}

int rateAt(const QVector<int> &rates, int index)
{
    return index >= 0 && index < rates.size() ? rates.at(index) : rates.first();
}

// Pieces of text split at sep, empty pieces dropped, each read as a decimal
// integer (text that is no number reads as 0).
QVector<int> numbers(const QString &text, QChar sep)
{
    QVector<int> values;
    const QStringList pieces = text.split(sep, Qt::SkipEmptyParts);
    values.reserve(pieces.size());
    for (const QString &piece : pieces)
        values << piece.toInt();
    return values;
}

QString joined(const int *values, int count)
{
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << QString::number(values[i]);
    return texts.join(QLatin1Char(','));
}


// The file, line by line in the order the writer writes it: comments as
// written, data lines (a key, its values and ";"), lines carried through
// whole, and the end mark. The reader, the writer and the completeness check
// all walk this one table.
enum class Kind { Comment, Number, List, Verbatim, EndMark };
// What the reader does with a value beyond storing it.
enum class Rule { AsRead, KeyEntry };

struct Line {
    Kind kind;
    const char *text;  // the comment or end mark as written, or the key
    int count;         // values of a data line
    int *(*field)(Settings &);
    const int *(*constField)(const Settings &);
    QString Settings::*verbatim;
    Rule rule;
};

template <auto Field>
int *fieldOf(Settings &s)
{
    if constexpr (std::is_same_v<decltype(Field), int Settings::*>)
        return &(s.*Field);
    else
        return (s.*Field).data();
}

template <auto Field>
const int *constFieldOf(const Settings &s)
{
    if constexpr (std::is_same_v<decltype(Field), int Settings::*>)
        return &(s.*Field);
    else
        return (s.*Field).data();
}

constexpr Line comment(const char *text)
{
    return {Kind::Comment, text, 0, nullptr, nullptr, nullptr, Rule::AsRead};
}

template <int Settings::*Field>
constexpr Line number(const char *key)
{
    return {Kind::Number, key, 1, &fieldOf<Field>, &constFieldOf<Field>, nullptr, Rule::AsRead};
}

template <auto Field>
constexpr Line list(const char *key, Rule rule = Rule::AsRead)
{
    using Array = std::decay_t<decltype(std::declval<Settings &>().*Field)>;
    return {Kind::List, key, int(std::tuple_size<Array>::value), &fieldOf<Field>, &constFieldOf<Field>, nullptr,
            rule};
}

constexpr Line verbatim(const char *key, QString Settings::*line)
{
    return {Kind::Verbatim, key, 0, nullptr, nullptr, line, Rule::AsRead};
}

const Line kLines[] = {
    comment("#This is a robot configure file."),
    comment("#set volume."),
    number<&Settings::volume>("SV:"),
    comment("#set Led1 RGB Led2 RGB Led3 RGB."),
    list<&Settings::leds>("LED:"),
    comment("#baudrate ble."),
    number<&Settings::baudBle>("BB:"),
    comment("#baudrate pc."),
    number<&Settings::baudPc>("BP:"),
    comment("#baudrate servo."),
    number<&Settings::baudServo>("BS:"),
    comment("#remote auto power off time(S)."),
    number<&Settings::autoPowerOff>("SP:"),
    comment("#set remote RF channel."),
    number<&Settings::remoteChannel>("SC:"),
    comment("#set remote RF broadcast channel."),
    number<&Settings::remoteBroadcast>("SD:"),
    comment("#set remote RF mode."),
    number<&Settings::remoteMode>("SR:"),
    comment("#set mainboard RF channel."),
    number<&Settings::boardChannel>("RFC:"),
    comment("#set mainboard RF broadcast channel."),
    number<&Settings::boardBroadcast>("RDC:"),
    comment("#set mainboard RF mode."),
    number<&Settings::boardMode>("RFM:"),
    comment("#RF key map 0-filefunction,1-stop."),
    list<&Settings::keyMap>("RFK:", Rule::KeyEntry),
    comment("#IR key map 0-filefunction,1-stop."),
    verbatim("IRK:", &Settings::irKeyLine),
    comment("#robot factory origin,real angle servo."),
    verbatim("RFO:", &Settings::factoryOriginLine),
    comment("#robot factory down-limit,real angle servo."),
    verbatim("FDL:", &Settings::factoryDownLine),
    comment("#robot factory up-limit,real angle servo."),
    verbatim("FUL:", &Settings::factoryUpLine),
    comment("#robot origin adjust for user,based on factory origin."),
    list<&Settings::corrections>("ROA:"),
    comment("#robot user down-limit,based on factory origin+adjust."),
    list<&Settings::minimums>("RBD:"),
    comment("#robot user up-limit,based on factory origin+adjust."),
    list<&Settings::maximums>("RBU:"),
    comment("#If use two extra servos."),
    number<&Settings::useExtraServo>("UES:"),
    comment("#If use fall checking."),
    number<&Settings::fallCheck>("UFC:"),
    comment("#Time speed acc param."),
    verbatim("TSA:", &Settings::timeSpeedLine),
    comment("#Back to origin m,s,a,t."),
    list<&Settings::backToOrigin>("BTO:"),
    comment("#Remote auto freq,times."),
    verbatim("RAF:", &Settings::remoteAutoLine),
    comment("#Fall detect."),
    verbatim("FDT:", &Settings::fallDetectLine),
    comment("#Battery low detect and notice."),
    verbatim("BLN:", &Settings::batteryLine),
    {Kind::EndMark, "END:;", 0, nullptr, nullptr, nullptr, Rule::AsRead},
};

bool isData(const Line &entry)
{
    return entry.kind == Kind::Number || entry.kind == Kind::List || entry.kind == Kind::Verbatim;
}

// The data line entry whose key begins line (no key begins another), or null.
const Line *entryOf(const QString &line)
{
    for (const Line &entry : kLines)
        if (isData(entry) && line.startsWith(QLatin1String(entry.text)))
            return &entry;
    return nullptr;
}
} // namespace

int bleRateIndex(int rate) { return rateIndex(kBleRates, rate); }
int pcRateIndex(int rate) { return rateIndex(kPcRates, rate); }
int servoRateIndex(int rate) { return rateIndex(kServoRates, rate); }
int bleRate(int index) { return rateAt(kBleRates, index); }
int pcRate(int index) { return rateAt(kPcRates, index); }
int servoRate(int index) { return rateAt(kServoRates, index); }

ReadResult read(QTextStream &in, Settings &s)
{
    ReadResult result;
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty())
            break;
        if (!line.endsWith(QLatin1Char(';')))
            continue;
        // A line of no key (comments, "END:;", anything else) is skipped.
        const Line *entry = entryOf(line);
        if (!entry)
            continue;
        ++result.dataLines;
        const int start = int(qstrlen(entry->text));
        if (entry->kind == Kind::Verbatim) {
            s.*entry->verbatim = line;
            continue;
        }
        // A single value: the text after the key split at ";"; a list: the
        // text up to the closing ";" split at ",".
        const QVector<int> values = entry->kind == Kind::Number
                                        ? numbers(line.mid(start), QLatin1Char(';'))
                                        : numbers(line.mid(start, line.size() - start - 1), QLatin1Char(','));
        if (values.size() != entry->count) {
            result.error = Error::FieldCount;
            result.line = lineNumber;
            return result;
        }
        int *field = entry->field(s);
        for (int i = 0; i < entry->count; ++i)
            field[i] = entry->rule == Rule::KeyEntry ? configpacking::keyEntry(values.at(i)) : values.at(i);
    }
    return result;
}

void write(QTextStream &out, const Settings &s)
{
    const QString end = QStringLiteral("\r\n");
    for (const Line &entry : kLines) {
        switch (entry.kind) {
        case Kind::Comment:
        case Kind::EndMark:
            out << QLatin1String(entry.text) << end;
            break;
        case Kind::Number:
        case Kind::List:
            out << QLatin1String(entry.text) << joined(entry.constField(s), entry.count) << QLatin1Char(';') << end;
            break;
        case Kind::Verbatim:
            // A line never read is left out: an empty line would end the
            // file for every reader.
            if (!(s.*entry.verbatim).isEmpty())
                out << s.*entry.verbatim << end;
            break;
        }
    }
    out << end;
}

ReadResult readContent(const QByteArray &content, Settings &settings)
{
    QByteArray text = content;
    text.replace("\r\n", "\n");
    QTextStream in(&text, QIODevice::ReadOnly);
    return read(in, settings);
}

QByteArray content(const Settings &settings)
{
    QByteArray bytes;
    {
        QTextStream out(&bytes, QIODevice::WriteOnly);
        write(out, settings);
    }
    return bytes;
}

Completeness completeness(const QByteArray &content)
{
    // The lines a reader sees: up to the first empty line.
    QStringList lines;
    for (const QString &raw : QString::fromUtf8(content).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            break;
        lines << line;
    }
    Completeness result;
    int at = 0;
    // Every line the writer writes, in its order: a comment or the end mark
    // as written, a data line by its key and closing ";".
    for (const Line &entry : kLines) {
        const bool data = isData(entry);
        const QString key = QLatin1String(entry.text);
        while (at < lines.size()
               && !(data ? lines[at].startsWith(key) && lines[at].endsWith(QLatin1Char(';')) : lines[at] == key))
            ++at;
        if (at == lines.size()) {
            result.missing = key;
            return result;
        }
        ++at;
    }
    result.endMarkLast = at == lines.size();
    Settings settings;
    QString text = QString::fromUtf8(content);
    QTextStream in(&text);
    const ReadResult read = configfile::read(in, settings);
    if (read.error != Error::None)
        result.wrongCountLine = read.line;
    return result;
}

namespace {

// A line the reader takes as data: a key of the file and the closing ";".
bool isDataLine(const QString &line)
{
    return line.endsWith(QLatin1Char(';')) && entryOf(line);
}

// The lines as the reader sees them: CR LF or LF line ends, each trimmed.
QStringList trimmedLines(const QByteArray &content)
{
    QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    // A last line end leaves no line after it.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines)
        line = line.trimmed();
    return lines;
}

} // namespace

QVector<FileLine> linesLostByRewriting(const QByteArray &content, const QByteArray &written, int *emptyLine)
{
    const QStringList lines = trimmedLines(content);
    const QStringList kept = trimmedLines(written);
    QVector<FileLine> lost;
    const int empty = int(lines.indexOf(QString()));
    if (emptyLine)
        *emptyLine = empty < 0 ? 0 : empty + 1;
    if (empty < 0)
        return lost;
    for (int i = empty + 1; i < lines.size(); ++i)
        if (isDataLine(lines[i]) && !kept.contains(lines[i]))
            lost.append({i + 1, lines[i]});
    return lost;
}

QStringList missingOwnLines(const QByteArray &content)
{
    QStringList lines = trimmedLines(content);
    const int empty = int(lines.indexOf(QString()));
    if (empty >= 0)
        lines = lines.mid(0, empty);
    QStringList missing;
    for (const Line &entry : kLines) {
        if (entry.kind != Kind::Verbatim)
            continue;
        const char *key = entry.text;
        const bool present = std::any_of(lines.cbegin(), lines.cend(), [key](const QString &line) {
            return line.startsWith(QLatin1String(key)) && line.endsWith(QLatin1Char(';'));
        });
        if (!present)
            missing << QLatin1String(key);
    }
    return missing;
}

QString incompleteness(const QByteArray &content)
{
    const Completeness c = completeness(content);
    if (!c.missing.isEmpty())
        return QCoreApplication::translate("ConfigFile", "the received file is not a complete configure file "
                                                         "(\"%1\" is missing)")
            .arg(c.missing);
    if (!c.endMarkLast)
        return QCoreApplication::translate("ConfigFile", "the received file is not a complete configure file "
                                                         "(it does not end with \"END:;\")");
    if (c.wrongCountLine != 0)
        return QCoreApplication::translate("ConfigFile", "the received file is not a complete configure file "
                                                         "(line %1 has a wrong number of values)")
            .arg(c.wrongCountLine);
    return QString();
}

bool isComplete(const QByteArray &content)
{
    return incompleteness(content).isEmpty();
}

Settings shown(const Settings &in)
{
    Settings s = in;
    using namespace configpacking;
    // Each packed value as its boxes take it apart and put it together again.
    const auto channel = [](int v) { return std::min(unpackBroadcast(v), MaxChannel); };
    const auto hopChannel = [](int v) { return packChannel(unpackChannel(v)); };
    const auto mode = [](int v) { return packMode(unpackMode(v)); };
    s.volume = std::clamp(s.volume, 0, 100);
    for (int &led : s.leds)
        led = packLed(unpackLed(led));
    s.baudBle = bleRate(bleRateIndex(s.baudBle));
    s.baudPc = pcRate(pcRateIndex(s.baudPc));
    s.baudServo = servoRate(servoRateIndex(s.baudServo));
    s.autoPowerOff = std::clamp(s.autoPowerOff, 0, 10000);
    s.remoteChannel = hopChannel(s.remoteChannel);
    s.remoteBroadcast = channel(s.remoteBroadcast);
    s.remoteMode = mode(s.remoteMode);
    s.boardChannel = hopChannel(s.boardChannel);
    s.boardBroadcast = channel(s.boardBroadcast);
    s.boardMode = mode(s.boardMode);
    for (auto *list : {&s.corrections, &s.minimums, &s.maximums})
        for (int &v : *list)
            v = std::clamp(v, -3000, 3000);
    s.useExtraServo = unpackSwitch(s.useExtraServo);
    s.fallCheck = unpackSwitch(s.fallCheck);
    s.backToOrigin[1] = std::clamp(s.backToOrigin[1], 0, 30000);
    s.backToOrigin[2] = std::clamp(s.backToOrigin[2], 0, 30000);
    return s;
}

Settings factorySettings()
{
    Settings s;
    s.volume = 60;
    s.baudBle = 9600;
    s.baudPc = 9600;
    s.baudServo = 9600;
    s.autoPowerOff = 300;
    const auto list = [](const char *key, int count, int value) {
        QStringList values;
        for (int i = 0; i < count; ++i)
            values << QString::number(value);
        return QLatin1String(key) + values.join(QLatin1Char(',')) + QLatin1Char(';');
    };
    s.irKeyLine = list("IRK:", 35, 0);
    s.factoryOriginLine = list("RFO:", 19, 0);
    s.factoryDownLine = list("FDL:", 19, -1350);
    s.factoryUpLine = list("FUL:", 19, 1350);
    s.timeSpeedLine = QStringLiteral("TSA:300,1000;");
    s.backToOrigin = {0, 300, 1000, 1000};
    s.remoteAutoLine = QStringLiteral("RAF:0,0;");
    s.fallDetectLine = QStringLiteral("FDT:0,0;");
    s.batteryLine = QStringLiteral("BLN:6800,1;");
    return s;
}

} // namespace configfile
