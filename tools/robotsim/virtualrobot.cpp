#include "virtualrobot.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "link/framereader.h"
#include "link/packet.h"
#include "robot/configfile.h"

using namespace packet;

static int word(const quint8 *at)
{
    return (at[0] << 8) | at[1];
}

static void appendWord(QByteArray &out, int value)
{
    out.append(char((value >> 8) & 0xFF));
    out.append(char(value & 0xFF));
}

QString requestName(int kind, int type)
{
    if (type >= 1 && type <= 33)
        return QLatin1String(kind == Read ? "Read " : "Write ") + QLatin1String(packet::registerName(type));
    switch (type) {
    case SetLeds: return QStringLiteral("SetLeds");
    case DebugFrame: return QStringLiteral("DebugFrame");
    case DebugSummary: return QStringLiteral("DebugSummary");
    case PlayControl: return QStringLiteral("PlayControl");
    case RunFile: return QStringLiteral("RunFile");
    case MovePose: return QStringLiteral("MovePose");
    case FileBegin: return QStringLiteral("FileBegin");
    case FileData: return QStringLiteral("FileData");
    case FileEnd: return QStringLiteral("FileEnd");
    case DeleteFile: return QStringLiteral("DeleteFile");
    case ListFolder: return QStringLiteral("ListFolder");
    case GetFile: return QStringLiteral("GetFile");
    case KeepAlive: return QStringLiteral("KeepAlive");
    case SetIo: return QStringLiteral("SetIo");
    case GetIo: return QStringLiteral("GetIo");
    case ResetBoard: return QStringLiteral("ResetBoard");
    case PrepareTransfer: return QStringLiteral("PrepareTransfer");
    case TransferDone: return QStringLiteral("TransferDone");
    case FormatFlash: return QStringLiteral("FormatFlash");
    default: return QStringLiteral("Unknown%1").arg(type);
    }
}

// A standing pose: every servo off zero, so each answer shows in the panel.
static const int kStartPose[19] = {15,  -450, 120, -35, 20,  300,  -600, 300, -20, 450,
                                   -120, 35,  -20, -300, 600, -300, 20,   100, -100};

VirtualRobot::VirtualRobot(const QString &rootFolder) : root(rootFolder)
{
    started.start();
    QDir().mkpath(drivePath(0));
    QDir().mkpath(drivePath(1));
    for (int s = 2; s <= 20; ++s) {
        int *r = registers[s];
        r[Register1] = 1;
        r[Speed] = 300;
        r[Register3] = 0;
        r[Register4] = 5;
        r[ParameterP] = 40;
        r[ParameterD] = 20;
        r[ParameterI] = 0;
        r[CwFlexibleMargin] = 1;
        r[CcwFlexibleMargin] = 1;
        r[CwFlexibleSlope] = 32;
        r[CcwFlexibleSlope] = 32;
        r[WorkingMode] = 3;
        r[WorkingState] = 0;
        r[MaximumPosition] = 1350;
        r[MinimumPosition] = -1350;
        r[MaximumTemperature] = 75;
        r[MaximumVoltage] = 84;
        r[MinimumVoltage] = 60;
        r[MaximumTorque] = 1000;
        r[Position] = kStartPose[s - 2];
        target[s] = kStartPose[s - 2];
        r[CurrentSpeed] = 0;
        r[CurrentTorque] = 10 + s;
        r[CurrentVoltage] = 74;
        r[CurrentTemperature] = 30 + s % 5;
        r[Version] = 0x0102;
        r[ServoModel] = 17;
        r[PidDeadZone] = 2;
        r[Acceleration] = 1000;
        r[Register33] = 1;
    }
}

void VirtualRobot::setClock(std::function<qint64()> clock)
{
    clock_ = std::move(clock);
    const int hot = thermal.hot();
    thermal = ServoThermal(nowMs());
    thermal.setHotServo(hot);
}

int VirtualRobot::restingBatteryMv() const
{
    // A battery slowly running down: 10 mV each four keep-alives, 600 mV at most.
    return qMax(batteryStartMv - 600, batteryStartMv - (keepAlives / 4) * 10);
}

void VirtualRobot::updateReadings()
{
    int modes[21] = {};
    int limits[21] = {};
    for (int s = 2; s <= 20; ++s) {
        modes[s] = registers[s][WorkingMode];
        limits[s] = registers[s][MaximumTemperature];
    }
    thermal.advance(nowMs(), modes, limits);
    const int servoVoltage = thermal.batteryMv(restingBatteryMv()) / 100;
    for (int s = 2; s <= 20; ++s) {
        int *r = registers[s];
        r[CurrentSpeed] = thermal.speed(s);
        r[CurrentTorque] = thermal.torque(s);
        r[CurrentVoltage] = servoVoltage;
        r[CurrentTemperature] = thermal.temperature(s);
        // The servo raises (and drops) its fault as it crosses; a state the
        // host wrote stays until the next crossing.
        const int state = thermal.workingState(s);
        if (state != thermalStates[s]) {
            thermalStates[s] = state;
            r[WorkingState] = state;
        }
    }
}

void VirtualRobot::installFactoryConfig()
{
    QFile file(drivePath(1) + QStringLiteral("/robotcfg.ini"));
    if (file.exists() || !file.open(QIODevice::WriteOnly))
        return;
    QTextStream out(&file);
    configfile::write(out, configfile::factorySettings());
}

QString VirtualRobot::drivePath(int drive) const
{
    return root + QLatin1Char('/') + QString::number(drive);
}

// "0:/robotsys/name" -> <root>/0/name. Anything else (another folder, a
// sub-folder, "..") is not a file of the robot.
QString VirtualRobot::localPath(const QByteArray &robotPath, bool *ok) const
{
    *ok = false;
    if (robotPath.size() < 13 || (robotPath[0] != '0' && robotPath[0] != '1') || robotPath.mid(1, 11) != ":/robotsys/")
        return QString();
    const QByteArray name = robotPath.mid(12);
    if (name.isEmpty() || name.contains('/') || name.contains('\\') || name == "." || name == "..")
        return QString();
    *ok = true;
    // Names are kept as their bytes (Latin-1 maps every byte to one character).
    return drivePath(robotPath[0] - '0') + QLatin1Char('/') + QString::fromLatin1(name);
}

QByteArray VirtualRobot::servoAnswer(int servo, int type, const QByteArray &payload) const
{
    return makeFrame(quint16(servo), HostAddress, Answer, type, payload);
}

QByteArray VirtualRobot::boardAnswer(int kind, int type, const QByteArray &payload) const
{
    return makeFrame(MainboardAddress, HostAddress, kind, type, payload);
}

QByteArray VirtualRobot::writeStatus(quint16 source, int type, bool ok) const
{
    return makeFrame(source, HostAddress, Answer, type, QByteArray(1, ok ? '\1' : '\2'));
}

static QByteArray textOf(const quint8 *payload, int n)
{
    const QByteArray raw(reinterpret_cast<const char *>(payload), n);
    const int nul = raw.indexOf('\0');
    return nul < 0 ? raw : raw.left(nul);
}

static QString printable(const QByteArray &text)
{
    QString out;
    for (char c : text) {
        const auto u = quint8(c);
        if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\')
            out += QLatin1Char(c);
        else
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return out;
}

bool VirtualRobot::released(int servo) const
{
    const int mode = registers[servo][WorkingMode];
    return mode == int(ServoMode::BrakeStop) || mode == int(ServoMode::StopWithoutBrake);
}

void VirtualRobot::setTime(double seconds)
{
    time = seconds;
    for (int s = 2; s <= 20; ++s) {
        int at = 0;
        if (released(s) && hands.position(s, time, &at))
            registers[s][Position] = at;
    }
}

void VirtualRobot::setWorkingMode(int first, int last, int mode, Result *r)
{
    for (int s = first; s <= last; ++s) {
        if (absentServos.contains(s))
            continue;
        const bool wasReleased = released(s);
        registers[s][WorkingMode] = mode;
        if (wasReleased && !released(s)) {
            hands.held(s, time);
            r->notes << QStringLiteral("hold servo %1 target %2 position %3").arg(s).arg(target[s]).arg(registers[s][Position]);
            registers[s][Position] = target[s];
        } else if (!wasReleased && released(s)) {
            hands.released(s, time);
        }
    }
}

QByteArray VirtualRobot::collide(int servo, int kind, int type, const quint8 *payload, int n, const QByteArray &answer)
{
    // The twin differs from the servo it shares the address with: another
    // model, version and position.
    int saved[34];
    std::copy(registers[servo], registers[servo] + 34, saved);
    registers[servo][Version] += 1;
    registers[servo][ServoModel] += 1;
    registers[servo][Position] += 37;
    const Result twin = handleServo(servo, kind, type, payload, n);
    std::copy(saved, saved + 34, registers[servo]);
    // Answers alike (a write's acknowledgement) reach the host whole.
    if (twin.answers.isEmpty() || twin.answers.first() == answer)
        return answer;
    // On the line both talk at once: a low bit wins.
    QByteArray out = answer;
    const QByteArray other = twin.answers.first();
    for (int i = 0; i < qMin(out.size(), other.size()); ++i)
        out[i] = char(quint8(out[i]) & quint8(other[i]));
    // The end marker survives (both send it at the same place when the
    // frames are as long), but the sum never fits both: the frame is damaged.
    if (out.size() >= 4) {
        out[out.size() - 2] = char(0xAA);
        out[out.size() - 1] = char(0x81);
        FrameReader reader;
        if (reader.feed(out.constData(), out.size(), nullptr) > 0) {
            int at = out.size() - 3;
            if (quint8(out[at]) == 0x00 && quint8(out[at - 1]) == 0xAA)
                at -= 1;
            out[at] = char(quint8(out[at]) ^ 0x01);
        }
    }
    return out;
}

VirtualRobot::Result VirtualRobot::handle(const quint8 *body, int length)
{
    const int destination = word(body + 2);
    const int kind = body[5];
    const int type = body[6];
    const quint8 *payload = body + 7;
    const int n = length - 8;
    Result r;
    updateReadings();
    if (destination == MainboardAddress && kind == Write) {
        r = handleBoard(type, payload, n);
    } else if (destination == LedBoardAddress && kind == Write && type == SetLeds && n == 9) {
        std::copy(payload, payload + 9, leds);
        r.log = QStringLiteral("leds=") + QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(payload), 9).toHex(','));
    } else if ((destination >= 2 && destination <= 20) || destination == AllServosAddress) {
        r = handleServo(destination, kind, type, payload, n);
        if (destination == duplicateServo && duplicateServo != 0) {
            for (QByteArray &answer : r.answers)
                answer = collide(destination, kind, type, payload, n, answer);
            r.log += QStringLiteral(" duplicate");
        }
        if (destination == strangerServo && strangerServo != 0) {
            // Answers from the wrong address: the source bytes and the sum change.
            QList<QByteArray> answers;
            for (const QByteArray &answer : r.answers) {
                FrameReader reader;
                reader.feed(answer.constData(), answer.size(), [&](const quint8 *b, int len) {
                    answers << makeFrame(quint16(destination + 100), quint16(word(b + 2)), b[5], b[6],
                                         QByteArray(reinterpret_cast<const char *>(b + 7), len - 8));
                });
            }
            r.answers = answers;
            r.log += QStringLiteral(" stranger=%1").arg(destination + 100);
        }
    } else {
        r.log = QStringLiteral("ignored payload=") + QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(payload), n).toHex());
    }
    // A working mode just written counts from now on.
    updateReadings();
    r.log = QStringLiteral("%1 to=0x%2 kind=%3 type=%4 len=%5 %6")
                .arg(requestName(kind, type))
                .arg(destination, 4, 16, QLatin1Char('0'))
                .arg(kind)
                .arg(type)
                .arg(length)
                .arg(r.log)
                .trimmed();
    return r;
}

VirtualRobot::Result VirtualRobot::handleServo(int servo, int kind, int type, const quint8 *payload, int n)
{
    Result r;
    const bool all = servo == AllServosAddress;
    if (type < 1 || type > 33) {
        r.log = QStringLiteral("servo=%1 unknown").arg(servo);
        return r;
    }
    if (absentServos.contains(servo)) {
        r.log = QStringLiteral("servo=%1 absent").arg(servo);
        return r;
    }
    if (kind == Read) {
        r.log = QStringLiteral("servo=%1").arg(servo);
        if (all)
            return r;
        const int *reg = registers[servo];
        QByteArray out;
        if (type == ParametersPDI) {
            appendWord(out, reg[ParameterP]);
            appendWord(out, reg[ParameterD]);
            appendWord(out, reg[ParameterI]);
        } else if (type == AllParameters) {
                        for (int t : kAllParametersOrder)
                appendWord(out, reg[t]);
        } else if (type == AllCurrentData) {
            for (int t = Position; t <= CurrentTemperature; ++t)
                appendWord(out, reg[t]);
        } else if (type == WriteFlash) {
            return r;
        } else {
            appendWord(out, reg[type]);
            r.log += QStringLiteral(" value=%1").arg(reg[type]);
        }
        r.answers << servoAnswer(servo, type, out);
        return r;
    }
    if (kind != Write)
        return r;
    r.log = QStringLiteral("servo=%1").arg(servo);
    const int first = all ? 2 : servo;
    const int last = all ? 20 : servo;
    bool ok = true;
    if (type == WriteFlash) {
        // Nothing to store: the registers already persist.
    } else if (type == ParametersPDI && n == 6) {
        for (int s = first; s <= last; ++s) {
            registers[s][ParameterP] = word(payload);
            registers[s][ParameterD] = word(payload + 2);
            registers[s][ParameterI] = word(payload + 4);
        }
    } else if (n == 2 && type != AllParameters && type != AllCurrentData
               && !(type >= Position && type <= ServoModel)) {
        int value = word(payload);
        if (isSignedRegister(type))
            value = qint16(quint16(value));
        if (type == WorkingMode)
            setWorkingMode(first, last, value, &r);
        else
            for (int s = first; s <= last; ++s)
                registers[s][type] = value;
        r.log += QStringLiteral(" value=%1").arg(value);
    } else {
        ok = false;
        r.log += QStringLiteral(" refused payload=") + QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(payload), n).toHex());
    }
    // Writes to all servos at once are not answered (every servo would talk at once).
    if (!all)
        r.answers << makeFrame(quint16(servo), HostAddress, Answer, type, QByteArray(1, ok ? '\1' : '\2'));
    return r;
}

QList<QByteArray> VirtualRobot::folderList(const QByteArray &folder) const
{
    QByteArray text;
    if (folder == "0:/robotsys" || folder == "1:/robotsys") {
        const QDir dir(drivePath(folder[0] - '0'));
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
            text += name.toLatin1();
            text += '\0';
        }
    }
    // First part: a word the host ignores, the total length, then text; the
    // rest in parts of at most 200 bytes.
    QList<QByteArray> parts;
    QByteArray first;
    appendWord(first, 0);
    appendWord(first, text.size());
    const int firstText = qMin(text.size(), 196);
    first += text.left(firstText);
    parts << boardAnswer(BoardData, FolderList, first);
    for (int at = firstText; at < text.size(); at += 200)
        parts << boardAnswer(BoardData, FolderList, text.mid(at, 200));
    return parts;
}

QList<QByteArray> VirtualRobot::fileChunks(const QString &path) const
{
    QList<QByteArray> frames;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        while (!file.atEnd()) {
            const QByteArray chunk = file.read(128);
            if (chunk.isEmpty())
                break;
            frames << boardAnswer(BoardData, FileData, chunk);
        }
    }
    frames << boardAnswer(BoardData, TransferEnd, QByteArray());
    return frames;
}

VirtualRobot::Result VirtualRobot::handleBoard(int type, const quint8 *payload, int n)
{
    Result r;
    const QByteArray raw(reinterpret_cast<const char *>(payload), n);
    switch (type) {
    case DebugFrame:
    case DebugSummary:
    case PlayControl:
        r.log = QStringLiteral("payload=") + QString::fromLatin1(raw.toHex());
        r.answers << writeStatus(MainboardAddress, type, true);
        break;
    case RunFile: {
        if (n >= 1 && payload[0] == 3) {
            const QByteArray path = textOf(payload + 1, n - 1);
            bool ok = false;
            const QString local = localPath(path, &ok);
            r.log = QStringLiteral("path=\"%1\"").arg(printable(path));
            r.answers << writeStatus(MainboardAddress, type, ok && QFileInfo::exists(local));
        } else {
            r.log = QStringLiteral("code=%1").arg(n >= 1 ? payload[0] : -1);
            r.answers << writeStatus(MainboardAddress, type, true);
        }
        break;
    }
    case MovePose:
        if (n == 38) {
            QStringList pose;
            for (int s = 2; s <= 20; ++s) {
                // A released servo takes the target but does not drive to it.
                target[s] = qint16(quint16(word(payload + 2 * (s - 2))));
                if (!released(s)) {
                    thermal.moved(s, target[s] - registers[s][Position], nowMs());
                    registers[s][Position] = target[s];
                }
                pose << QString::number(target[s]);
            }
            r.log = QStringLiteral("pose=") + pose.join(QLatin1Char(','));
        }
        r.answers << writeStatus(MainboardAddress, type, n == 38);
        break;
    case FileBegin: {
        const QByteArray path = n >= 1 ? textOf(payload + 1, n - 1) : QByteArray();
        bool ok = false;
        const QString local = localPath(path, &ok);
        receiving = ok && !refuseFiles && n >= 1 && payload[0] == 0;
        receivePath = local;
        receiveData.clear();
        // Like the main board's file system, the file is opened anew at once:
        // the robot's earlier copy is gone, and what arrives is written as it
        // comes, so a transfer cut short leaves a cut file under the name.
        if (receiving) {
            QFile file(receivePath);
            receiving = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        }
        r.log = QStringLiteral("path=\"%1\" %2").arg(printable(path), receiving ? QStringLiteral("accepted")
                                                                                 : QStringLiteral("refused"));
        r.answers << boardAnswer(BoardData, FileBeginStatus, QByteArray(1, receiving ? '\1' : '\2'));
        break;
    }
    case FileData:
        r.log = QStringLiteral("bytes=%1").arg(n);
        if (receiving) {
            receiveData += raw;
            QFile file(receivePath);
            if (file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(raw) == raw.size())
                r.answers << boardAnswer(BoardData, FileData, QByteArray());
            else
                r.log += QStringLiteral(" not written");
        }
        break;
    case FileEnd:
        if (receiving) {
            const bool written = QFileInfo(receivePath).size() == receiveData.size();
            r.log = QStringLiteral("stored=%1 bytes=%2").arg(written ? QStringLiteral("yes") : QStringLiteral("no"))
                        .arg(receiveData.size());
            // The main board reads its settings from this file at start: one
            // cut short or lacking lines would leave the robot misconfigured.
            if (QFileInfo(receivePath).fileName() == QLatin1String("robotcfg.ini")
                && !configfile::isComplete(receiveData))
                r.log += QStringLiteral(" incomplete configure file");
            r.answers << boardAnswer(BoardData, TransferEnd, QByteArray());
        } else {
            r.log = QStringLiteral("stored=no");
        }
        receiving = false;
        receiveData.clear();
        break;
    case DeleteFile: {
        const QByteArray path = textOf(payload, n);
        bool ok = false;
        const QString local = localPath(path, &ok);
        const bool removed = ok && QFile::remove(local);
        r.log = QStringLiteral("path=\"%1\" %2").arg(printable(path), removed ? QStringLiteral("deleted")
                                                                              : QStringLiteral("missing"));
        r.answers << writeStatus(MainboardAddress, type, removed);
        break;
    }
    case ListFolder: {
        const QByteArray folder = textOf(payload, n);
        r.answers = folderList(folder);
        r.log = QStringLiteral("folder=\"%1\" parts=%2").arg(printable(folder)).arg(r.answers.size());
        break;
    }
    case GetFile: {
        const QByteArray path = textOf(payload, n);
        bool ok = false;
        const QString local = localPath(path, &ok);
        r.answers = fileChunks(ok ? local : QString());
        r.log = QStringLiteral("path=\"%1\" chunks=%2").arg(printable(path)).arg(r.answers.size() - 1);
        break;
    }
    case KeepAlive: {
        // A battery slowly running down (sagging while the servos move), and
        // a small changing current.
        ++keepAlives;
        const int voltage = thermal.batteryMv(restingBatteryMv());
        const int current = 120 + (keepAlives % 5) * 7;
        QByteArray out;
        appendWord(out, voltage);
        appendWord(out, current);
        r.log = QStringLiteral("voltage=%1 current=%2").arg(voltage).arg(current);
        r.answers << boardAnswer(BoardData, PowerReading, out);
        break;
    }
    case SetIo:
        if (n == 2) {
            ioDirections = payload[0] & 3;
            ioValues = payload[1] & 3;
        }
        r.log = QStringLiteral("directions=%1 values=%2").arg(ioDirections).arg(ioValues);
        r.answers << writeStatus(MainboardAddress, type, n == 2);
        break;
    case GetIo:
        r.log = QStringLiteral("state=%1").arg(ioValues);
        r.answers << boardAnswer(BoardData, IoState, QByteArray(1, char(ioValues)));
        break;
    case ResetBoard:
        r.answers << writeStatus(MainboardAddress, type, true);
        break;
    case PrepareTransfer:
    case TransferDone:
        r.answers << writeStatus(MainboardAddress, type, true);
        break;
    case FormatFlash: {
        const bool ok = n == 1 && payload[0] == 0x58;
        if (ok) {
            QDir flash(drivePath(1));
            for (const QString &name : flash.entryList(QDir::Files))
                flash.remove(name);
            r.answers << boardAnswer(BoardData, FormatDone, QByteArray());
        }
        r.log = ok ? QStringLiteral("formatted") : QStringLiteral("refused");
        break;
    }
    default:
        r.log = QStringLiteral("payload=") + QString::fromLatin1(raw.toHex());
        break;
    }
    return r;
}
