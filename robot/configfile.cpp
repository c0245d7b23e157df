#include "robot/configfile.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <QVector>
#include <algorithm>

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

template <std::size_t N>
void copyInto(std::array<int, N> &target, const QVector<int> &values)
{
    for (std::size_t i = 0; i < N; ++i)
        target[i] = values.at(int(i));
}

template <std::size_t N>
QString joined(const std::array<int, N> &values)
{
    QStringList texts;
    for (int v : values)
        texts << QString::number(v);
    return texts.join(QLatin1Char(','));
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
    struct Single { const char *key; int *value; };
    const Single singles[] = {
        {"SV:", &s.volume},         {"BB:", &s.baudBle},          {"BP:", &s.baudPc},
        {"BS:", &s.baudServo},      {"SP:", &s.autoPowerOff},     {"SC:", &s.remoteChannel},
        {"SD:", &s.remoteBroadcast}, {"SR:", &s.remoteMode},      {"RFC:", &s.boardChannel},
        {"RDC:", &s.boardBroadcast}, {"RFM:", &s.boardMode},      {"UES:", &s.useExtraServo},
        {"UFC:", &s.fallCheck},
    };
    struct Verbatim { const char *key; QString *line; };
    const Verbatim verbatims[] = {
        {"IRK:", &s.irKeyLine},      {"RFO:", &s.factoryOriginLine}, {"FDL:", &s.factoryDownLine},
        {"FUL:", &s.factoryUpLine},  {"TSA:", &s.timeSpeedLine},     {"RAF:", &s.remoteAutoLine},
        {"FDT:", &s.fallDetectLine}, {"BLN:", &s.batteryLine},
    };

    ReadResult result;
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty())
            break;
        if (!line.endsWith(QLatin1Char(';')))
            continue;
        const auto fail = [&] {
            result.error = Error::FieldCount;
            result.line = lineNumber;
            return result;
        };
        const auto listOf = [&](const char *key) {
            const int start = int(qstrlen(key));
            return numbers(line.mid(start, line.size() - start - 1), QLatin1Char(','));
        };

        bool matched = false;
        for (const Single &single : singles) {
            if (!line.startsWith(QLatin1String(single.key)))
                continue;
            matched = true;
            ++result.dataLines;
            const QVector<int> values = numbers(line.mid(int(qstrlen(single.key))), QLatin1Char(';'));
            if (values.size() != 1)
                return fail();
            *single.value = values.first();
            break;
        }
        if (matched)
            continue;
        for (const Verbatim &verbatim : verbatims) {
            if (line.startsWith(QLatin1String(verbatim.key))) {
                *verbatim.line = line;
                matched = true;
                ++result.dataLines;
                break;
            }
        }
        if (matched)
            continue;

        if (line.startsWith(QLatin1String("LED:"))) {
            const QVector<int> values = listOf("LED:");
            if (values.size() != 9)
                return fail();
            copyInto(s.leds, values);
        } else if (line.startsWith(QLatin1String("RFK:"))) {
            const QVector<int> values = listOf("RFK:");
            if (values.size() != 35)
                return fail();
            for (int i = 0; i < 35; ++i)
                s.keyMap[std::size_t(i)] = std::clamp(values.at(i), 0, 1);
        } else if (line.startsWith(QLatin1String("ROA:")) || line.startsWith(QLatin1String("RBD:"))
                   || line.startsWith(QLatin1String("RBU:"))) {
            const QVector<int> values = listOf("ROA:");
            if (values.size() != 19)
                return fail();
            copyInto(line.startsWith(QLatin1String("ROA:")) ? s.corrections
                     : line.startsWith(QLatin1String("RBD:")) ? s.minimums
                                                               : s.maximums,
                     values);
        } else if (line.startsWith(QLatin1String("BTO:"))) {
            const QVector<int> values = listOf("BTO:");
            if (values.size() != 4)
                return fail();
            copyInto(s.backToOrigin, values);
        } else {
            // Any other line (comments, "END:;") is skipped.
            continue;
        }
        ++result.dataLines;
    }
    return result;
}

void write(QTextStream &out, const Settings &s)
{
    const QString end = QStringLiteral("\r\n");
    const auto line = [&](const QString &text) { out << text << end; };
    const auto value = [&](const char *key, int v) { line(QLatin1String(key) + QString::number(v) + QLatin1Char(';')); };
    const auto verbatim = [&](const QString &text) {
        if (!text.isEmpty())
            line(text);
    };

    line(QStringLiteral("#This is a robot configure file."));
    line(QStringLiteral("#set volume."));
    value("SV:", s.volume);
    line(QStringLiteral("#set Led1 RGB Led2 RGB Led3 RGB."));
    line(QStringLiteral("LED:") + joined(s.leds) + QLatin1Char(';'));
    line(QStringLiteral("#baudrate ble."));
    value("BB:", s.baudBle);
    line(QStringLiteral("#baudrate pc."));
    value("BP:", s.baudPc);
    line(QStringLiteral("#baudrate servo."));
    value("BS:", s.baudServo);
    line(QStringLiteral("#remote auto power off time(S)."));
    value("SP:", s.autoPowerOff);
    line(QStringLiteral("#set remote RF channel."));
    value("SC:", s.remoteChannel);
    line(QStringLiteral("#set remote RF broadcast channel."));
    value("SD:", s.remoteBroadcast);
    line(QStringLiteral("#set remote RF mode."));
    value("SR:", s.remoteMode);
    line(QStringLiteral("#set mainboard RF channel."));
    value("RFC:", s.boardChannel);
    line(QStringLiteral("#set mainboard RF broadcast channel."));
    value("RDC:", s.boardBroadcast);
    line(QStringLiteral("#set mainboard RF mode."));
    value("RFM:", s.boardMode);
    line(QStringLiteral("#RF key map 0-filefunction,1-stop."));
    line(QStringLiteral("RFK:") + joined(s.keyMap) + QLatin1Char(';'));
    line(QStringLiteral("#IR key map 0-filefunction,1-stop."));
    verbatim(s.irKeyLine);
    line(QStringLiteral("#robot factory origin,real angle servo."));
    verbatim(s.factoryOriginLine);
    line(QStringLiteral("#robot factory down-limit,real angle servo."));
    verbatim(s.factoryDownLine);
    line(QStringLiteral("#robot factory up-limit,real angle servo."));
    verbatim(s.factoryUpLine);
    line(QStringLiteral("#robot origin adjust for user,based on factory origin."));
    line(QStringLiteral("ROA:") + joined(s.corrections) + QLatin1Char(';'));
    line(QStringLiteral("#robot user down-limit,based on factory origin+adjust."));
    line(QStringLiteral("RBD:") + joined(s.minimums) + QLatin1Char(';'));
    line(QStringLiteral("#robot user up-limit,based on factory origin+adjust."));
    line(QStringLiteral("RBU:") + joined(s.maximums) + QLatin1Char(';'));
    line(QStringLiteral("#If use two extra servos."));
    value("UES:", s.useExtraServo);
    line(QStringLiteral("#If use fall checking."));
    value("UFC:", s.fallCheck);
    line(QStringLiteral("#Time speed acc param."));
    verbatim(s.timeSpeedLine);
    line(QStringLiteral("#Back to origin m,s,a,t."));
    line(QStringLiteral("BTO:") + joined(s.backToOrigin) + QLatin1Char(';'));
    line(QStringLiteral("#Remote auto freq,times."));
    verbatim(s.remoteAutoLine);
    line(QStringLiteral("#Fall detect."));
    verbatim(s.fallDetectLine);
    line(QStringLiteral("#Battery low detect and notice."));
    verbatim(s.batteryLine);
    line(QStringLiteral("END:;"));
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
    // What the writer writes, with every line carried through present.
    Settings full;
    full.irKeyLine = QStringLiteral("IRK:;");
    full.factoryOriginLine = QStringLiteral("RFO:;");
    full.factoryDownLine = QStringLiteral("FDL:;");
    full.factoryUpLine = QStringLiteral("FUL:;");
    full.timeSpeedLine = QStringLiteral("TSA:;");
    full.remoteAutoLine = QStringLiteral("RAF:;");
    full.fallDetectLine = QStringLiteral("FDT:;");
    full.batteryLine = QStringLiteral("BLN:;");
    QString written;
    {
        QTextStream out(&written);
        write(out, full);
    }
    QStringList expected;
    for (const QString &line : written.split(QStringLiteral("\r\n")))
        if (!line.isEmpty())
            expected << line;

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
    for (const QString &want : expected) {
        const bool data = !want.startsWith(QLatin1Char('#')) && want != QLatin1String("END:;");
        const QString key = data ? want.left(want.indexOf(QLatin1Char(':')) + 1) : want;
        while (at < lines.size()
               && !(data ? lines[at].startsWith(key) && lines[at].endsWith(QLatin1Char(';')) : lines[at] == want))
            ++at;
        if (at == lines.size()) {
            result.missing = data ? key : want;
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

// The keys whose lines are carried through unchanged, in the writer's order.
const char *const kOwnKeys[] = {"IRK:", "RFO:", "FDL:", "FUL:", "TSA:", "RAF:", "FDT:", "BLN:"};

// A line the reader takes as data: a key of the file and the closing ";".
bool isDataLine(const QString &line)
{
    static const char *const keys[] = {"SV:",  "LED:", "BB:",  "BP:",  "BS:",  "SP:",  "SC:",  "SD:",  "SR:",
                                       "RFC:", "RDC:", "RFM:", "RFK:", "IRK:", "RFO:", "FDL:", "FUL:", "ROA:",
                                       "RBD:", "RBU:", "UES:", "UFC:", "TSA:", "BTO:", "RAF:", "FDT:", "BLN:"};
    if (!line.endsWith(QLatin1Char(';')))
        return false;
    for (const char *key : keys)
        if (line.startsWith(QLatin1String(key)))
            return true;
    return false;
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
    for (const char *key : kOwnKeys) {
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
    // Spin boxes: settings pages' ranges.
    const auto channel = [](int v) { return std::min(v & 127, 125); };
    const auto hopChannel = [&](int v) { return (v > 255 ? 256 : 0) + channel(v); };
    // Bandwidth lists hold three items, power lists four.
    const auto mode = [](int v) { return std::min((v >> 8) & 3, 2) * 256 + (v & 3); };
    s.volume = std::clamp(s.volume, 0, 100);
    for (int &led : s.leds)
        led = std::min((led >> 4) & 15, 10) * 16 + std::min(led & 7, 4);
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
    s.useExtraServo &= 1;
    s.fallCheck &= 1;
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
