// Requests as bytes, the frame reader and the answer parser.

#include <QtTest>
#include <QRandomGenerator>
#include <QTextCodec>

#include "link/answerparser.h"
#include "link/framereader.h"
#include "link/packet.h"
#include "link/robotpath.h"

using namespace packet;

static QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// Unstuffed body of a built frame, checked for its markers on the way.
static QByteArray bodyOf(const QByteArray &frame)
{
    QByteArray found;
    FrameReader reader;
    reader.feed(frame.constData(), frame.size(), [&](const quint8 *b, int n) {
        found = QByteArray(reinterpret_cast<const char *>(b), n);
    });
    return found;
}

static QList<QByteArray> readAll(FrameReader &reader, const QByteArray &bytes)
{
    QList<QByteArray> bodies;
    reader.feed(bytes.constData(), bytes.size(), [&](const quint8 *b, int n) {
        bodies << QByteArray(reinterpret_cast<const char *>(b), n);
    });
    return bodies;
}

// Applies one answer frame; returns the notification.
static int applyFrame(AnswerParser &parser, const QByteArray &frame, bool getJob = false)
{
    int type = -1;
    FrameReader reader;
    reader.feed(frame.constData(), frame.size(), [&](const quint8 *b, int n) { type = parser.apply(b, n, getJob); });
    return type;
}

static QByteArray words(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values) {
        out.append(char((v >> 8) & 0xFF));
        out.append(char(v & 0xFF));
    }
    return out;
}

class TestPacket : public QObject
{
    Q_OBJECT

private slots:
    // ---------------------------------------------------------- building

    void byteExamples()
    {
        RequestFields f;
        f.servoAddress = 5;
        QCOMPARE(buildRequest(f, Speed, Read), hex("AA 55 80 01 00 05 08 01 02 8F AA 81"));
        f.registers[Speed] = 300;
        QCOMPARE(buildRequest(f, Speed, Write), hex("AA 55 80 01 00 05 0A 02 02 01 2C A3 AA 81"));
        AnswerParser parser;
        QCOMPARE(applyFrame(parser, hex("AA 55 00 05 80 01 0A 03 02 01 2C A2 AA 81")), int(Speed));
        QCOMPARE(parser.registers[Speed].load(), 300);
        // The log line of the read.
        const QByteArray read = buildRequest(f, Speed, Read);
        QCOMPARE(sendLogLine(reinterpret_cast<const quint8 *>(read.constData()), read.size()),
                 QStringLiteral("send:aa 55 80 1 0 5 8 1 2 8f aa 81 "));
    }

    void requestLayouts_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("destination");
        for (int t = 1; t <= 33; ++t)
            QTest::addRow("read %d", t) << t << int(Read) << 8 << 7;
        for (int t : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 31, 32, 33})
            QTest::addRow("write %d", t) << t << int(Write) << 10 << 7;
        QTest::newRow("ParametersPDI") << int(ParametersPDI) << int(Write) << 14 << 7;
        QTest::newRow("AllParameters") << int(AllParameters) << int(Write) << 52 << 7;
        QTest::newRow("WriteFlash") << int(WriteFlash) << int(Write) << 8 << 7;
        QTest::newRow("SetLeds") << int(SetLeds) << int(Write) << 17 << 0x15;
        QTest::newRow("DebugFrame") << int(DebugFrame) << int(Write) << 57 << 0x8000;
        QTest::newRow("DebugSummary") << int(DebugSummary) << int(Write) << 20 << 0x8000;
        QTest::newRow("PlayControl") << int(PlayControl) << int(Write) << 10 << 0x8000;
        QTest::newRow("RunFile code") << int(RunFile) << int(Write) << 9 << 0x8000;
        QTest::newRow("MovePose") << int(MovePose) << int(Write) << 46 << 0x8000;
        QTest::newRow("FileBegin") << int(FileBegin) << int(Write) << 17 + 10 << 0x8000;
        QTest::newRow("FileData") << int(FileData) << int(Write) << 128 + 8 << 0x8000;
        QTest::newRow("FileEnd") << int(FileEnd) << int(Write) << 8 << 0x8000;
        QTest::newRow("DeleteFile") << int(DeleteFile) << int(Write) << 17 + 9 << 0x8000;
        QTest::newRow("ListFolder") << int(ListFolder) << int(Write) << 20 << 0x8000;
        QTest::newRow("GetFile") << int(GetFile) << int(Write) << 17 + 9 << 0x8000;
        QTest::newRow("KeepAlive") << int(KeepAlive) << int(Write) << 8 << 0x8000;
        QTest::newRow("SetIo") << int(SetIo) << int(Write) << 10 << 0x8000;
        QTest::newRow("GetIo") << int(GetIo) << int(Write) << 8 << 0x8000;
        QTest::newRow("ResetBoard") << int(ResetBoard) << int(Write) << 8 << 0x8000;
        QTest::newRow("PrepareTransfer") << int(PrepareTransfer) << int(Write) << 8 << 0x8000;
        QTest::newRow("TransferDone") << int(TransferDone) << int(Write) << 8 << 0x8000;
        QTest::newRow("FormatFlash") << int(FormatFlash) << int(Write) << 9 << 0x8000;
    }

    void requestLayouts()
    {
        QFETCH(int, type);
        QFETCH(int, kind);
        QFETCH(int, length);
        QFETCH(int, destination);
        RequestFields f;
        f.servoAddress = 7;
        f.setRunCode(2);
        QVERIFY(f.setSendPath("0:/robotsys/a.ini"));    // 17 bytes
        QVERIFY(f.setDeletePath("0:/robotsys/a.ini"));
        QVERIFY(f.setGetPath("0:/robotsys/a.ini"));
        QVERIFY(f.setListPath("0:/robotsys"));
        QByteArray chunk(128, 'x');
        QVERIFY(f.setChunk(chunk.constData(), chunk.size()));
        const QByteArray body = bodyOf(buildRequest(f, type, kind));
        QCOMPARE(body.size(), length);
        QCOMPARE(quint8(body[4]), quint8(body.size()));
        QCOMPARE(quint8(body[0]) << 8 | quint8(body[1]), 0x8001);
        QCOMPARE(quint8(body[2]) << 8 | quint8(body[3]), destination);
        QCOMPARE(int(body[5]), kind);
        QCOMPARE(int(quint8(body[6])), type);
    }

    void payloads()
    {
        RequestFields f;
        // Registers: one big-endian word; signed values in two's complement.
        f.servoAddress = 9;
        f.registers[MinimumPosition] = quint16(-1350);
        QCOMPARE(bodyOf(buildRequest(f, MinimumPosition, Write)).mid(7, 2), hex("FA BA"));
        // AllParameters: 22 words in the block's order (Register33 fifth).
        for (int t = 1; t <= 33; ++t)
            f.registers[t] = quint16(t);
        QCOMPARE(bodyOf(buildRequest(f, AllParameters, Write)).mid(7, 44),
                 words({1, 2, 3, 4, 33, 5, 6, 7, 31, 32, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
        QCOMPARE(bodyOf(buildRequest(f, ParametersPDI, Write)).mid(7, 6), words({5, 6, 7}));
        // MovePose: 19 signed words.
        for (int i = 0; i < kPoseServos; ++i)
            f.pose[i] = qint16(i % 2 ? -i * 100 : i * 100);
        const QByteArray pose = bodyOf(buildRequest(f, MovePose, Write)).mid(7, 38);
        QCOMPARE(pose.left(6), words({0, quint16(-100), 200}));
        // Text payloads: FileBegin keeps its leading 0; RunFile 3 + path + NUL.
        QVERIFY(f.setSendPath("1:/robotsys/walk.ini"));
        QCOMPARE(bodyOf(buildRequest(f, FileBegin, Write)).mid(7, 22), QByteArray("\0" "1:/robotsys/walk.ini\0", 22));
        QVERIFY(f.setRunPath("0:/robotsys/w.ini"));
        QCOMPARE(bodyOf(buildRequest(f, RunFile, Write)).mid(7, 19), QByteArray("\3" "0:/robotsys/w.ini\0", 19));
        f.setRunCode(2);
        QCOMPARE(bodyOf(buildRequest(f, RunFile, Write)).mid(7, 1), hex("02"));
        QCOMPARE(bodyOf(buildRequest(f, FormatFlash, Write)).mid(7, 1), QByteArray("X"));
        // The LED and IO blocks as given.
        const quint8 leds[9] = {0x10, 0x21, 0x32, 0x43, 0x54, 0x65, 0x76, 0x87, 0xA4};
        std::copy(leds, leds + 9, f.leds);
        QCOMPARE(bodyOf(buildRequest(f, SetLeds, Write)).mid(7, 9), hex("10 21 32 43 54 65 76 87 A4"));
        f.setPlayControl(3);
        QCOMPARE(bodyOf(buildRequest(f, PlayControl, Write)).mid(7, 2), hex("03 00"));
    }

    void debugBlocks()
    {
        int row[kFrameColumns] = {};
        for (int c = 0; c < 19; ++c)
            row[c] = 100 * c - 900;
        row[19] = 500;   // operation time
        row[20] = 1200;  // delay time
        row[23] = 3;     // music control: play
        row[24] = 1;     // type
        row[25] = 1;     // folder
        row[26] = 0x123; // file
        row[27] = 0x1F4; // volume: low byte only
        quint8 block[kDebugFrameSize];
        fillDebugFrame(block, row, 0x0102);
        const QByteArray b(reinterpret_cast<const char *>(block), kDebugFrameSize);
        QCOMPARE(b.left(11), hex("00 01 02 01 F4 01 F4 04 B0 F1 23"));
        QCOMPARE(b.mid(11, 4), words({quint16(-900), quint16(-800)}));
        QCOMPARE(b.right(2), words({900}));

        quint8 summary[kDebugSummarySize];
        fillDebugSummary(summary, 9, 2, 5, 3);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(summary), 12), hex("00 00 00 00 09 00 02 00 05 00 03 03"));
    }

    void nothingToSend_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("kind");
        QTest::newRow("unknown command") << 99 << int(Write);
        QTest::newRow("read of a command") << int(KeepAlive) << int(Read);
        QTest::newRow("answer kind") << int(Speed) << int(Answer);
        QTest::newRow("write of read-only Position") << int(Position) << int(Write);
        QTest::newRow("write of AllCurrentData") << int(AllCurrentData) << int(Write);
        QTest::newRow("empty delete path") << int(DeleteFile) << int(Write);
        QTest::newRow("empty get path") << int(GetFile) << int(Write);
        QTest::newRow("empty send path") << int(FileBegin) << int(Write);
        QTest::newRow("empty list path") << int(ListFolder) << int(Write);
        QTest::newRow("empty chunk") << int(FileData) << int(Write);
    }

    void nothingToSend()
    {
        QFETCH(int, type);
        QFETCH(int, kind);
        RequestFields f;
        f.servoAddress = 3;
        QCOMPARE(buildRequest(f, type, kind).size(), 0);
        quint8 frame[kMaxFrame];
        QCOMPARE(buildRequest(f, type, kind, frame), 0);
    }

    // A text never goes out cut: too long is refused whole, and a block
    // without its NUL builds nothing.
    void textLimits()
    {
        RequestFields f;
        QVERIFY(f.setRunPath(QByteArray(kRunPathMax, 'a')));
        QCOMPARE(bodyOf(buildRequest(f, RunFile, Write)).size(), kRunPathMax + 10);
        QVERIFY(!f.setRunPath(QByteArray(kRunPathMax + 1, 'a')));
        QCOMPARE(buildRequest(f, RunFile, Write).size(), 0);
        QVERIFY(f.setSendPath(QByteArray(kSendPathMax, 'b')));
        QCOMPARE(bodyOf(buildRequest(f, FileBegin, Write)).size(), kSendPathMax + 10);
        QVERIFY(!f.setSendPath(QByteArray(kSendPathMax + 1, 'b')));
        QCOMPARE(buildRequest(f, FileBegin, Write).size(), 0);
        QVERIFY(f.setDeletePath(QByteArray(kDeletePathMax, 'c')));
        QCOMPARE(bodyOf(buildRequest(f, DeleteFile, Write)).size(), kDeletePathMax + 9);
        QVERIFY(!f.setGetPath(QByteArray(kGetPathMax + 1, 'c')));
        QVERIFY(!f.setDeletePath(QByteArray("a\0b", 3)));
        // A block filled to the brim by hand has no terminator: nothing is built.
        std::fill(f.getPath, f.getPath + kTextBlock, quint8('z'));
        QCOMPARE(buildRequest(f, GetFile, Write).size(), 0);
        // Chunks: 1..247 bytes fit the length byte.
        QByteArray big(kMaxPayload + 1, 'q');
        QVERIFY(!f.setChunk(big.constData(), big.size()));
        QCOMPARE(buildRequest(f, FileData, Write).size(), 0);
        QVERIFY(f.setChunk(big.constData(), kMaxPayload));
        QCOMPARE(bodyOf(buildRequest(f, FileData, Write)).size(), 255);
    }

    void robotPaths()
    {
        QByteArray path;
        QCOMPARE(robotpath::build(1, QStringLiteral("walk.ini"), 126, &path), robotpath::Result::Ok);
        QCOMPARE(path, QByteArray("1:/robotsys/walk.ini"));
        QCOMPARE(robotpath::build(0, QStringLiteral("走路.ini"), 126, &path), robotpath::Result::Ok);
        QCOMPARE(path, QByteArray("0:/robotsys/") + QTextCodec::codecForName("GB2312")->fromUnicode(QStringLiteral("走路.ini")));
        QCOMPARE(path.size(), 12 + 4 + 4);
        QCOMPARE(robotpath::build(2, QStringLiteral("a"), 126, &path), robotpath::Result::NoFolder);
        QCOMPARE(robotpath::build(0, QString(), 126, &path), robotpath::Result::EmptyName);
        // Korean and emoji have no GB2312 form.
        QCOMPARE(robotpath::build(0, QStringLiteral("걷기.ini"), 126, &path), robotpath::Result::NotEncodable);
        QCOMPARE(robotpath::build(0, QString::fromUtf8("\xF0\x9F\xA4\x96.ini"), 126, &path),
                 robotpath::Result::NotEncodable);
        QVERIFY(path.isEmpty());
        // 12 bytes of folder and slash, so 114 bytes of name fit 126.
        QCOMPARE(robotpath::build(0, QString(114, QLatin1Char('n')), 126, &path), robotpath::Result::Ok);
        QCOMPARE(robotpath::build(0, QString(115, QLatin1Char('n')), 126, &path), robotpath::Result::TooLong);
        QCOMPARE(robotpath::build(0, QString(115, QLatin1Char('n')), 127, &path), robotpath::Result::Ok);
        // Two bytes a Chinese character.
        QCOMPARE(robotpath::build(0, QString(58, QChar(0x8D70)), 126, &path), robotpath::Result::TooLong);
    }

    // ---------------------------------------------------------- stuffing and reading

    void stuffing_data()
    {
        QTest::addColumn<int>("servo");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("stuffed");
        QTest::newRow("value AA AA") << 5 << 0xAAAA << 2;
        QTest::newRow("address 0xAA") << 0xAA << 0x0102 << 1;
        // Reading servo 0x20: 80^01^00^20^08^01^02 = AA, the checksum.
        QTest::newRow("checksum") << 0x20 << 0 << 1;
    }

    void stuffing()
    {
        QFETCH(int, servo);
        QFETCH(int, value);
        QFETCH(int, stuffed);
        RequestFields f;
        f.servoAddress = quint16(servo);
        f.registers[Speed] = quint16(value);
        const int kind = value ? Write : Read;
        const QByteArray frame = buildRequest(f, Speed, kind);
        quint8 body[kMaxBody];
        const int length = buildBody(f, Speed, kind, body);
        QCOMPARE(frame.size(), 4 + length + stuffed);
        for (int i = 2; i < frame.size() - 2; ++i)
            if (quint8(frame[i]) == 0xAA)
                QCOMPARE(int(frame[i + 1]), 0);
        QCOMPARE(bodyOf(frame), QByteArray(reinterpret_cast<const char *>(body), length));
    }

    // Build, stuff, cut into random pieces, read: every frame comes back.
    void randomRoundTrip()
    {
        QRandomGenerator rng(20240611);
        QByteArray stream;
        QList<QByteArray> bodies;
        for (int i = 0; i < 2000; ++i) {
            QByteArray payload(int(rng.bounded(0, kMaxPayload + 1)), '\0');
            for (char &c : payload)
                c = char(rng.bounded(4) == 0 ? 0xAA : rng.bounded(256));
            const quint16 src = rng.bounded(3) == 0 ? 0xAAAA : quint16(rng.bounded(65536));
            const QByteArray frame = makeFrame(src, 0x8001, int(rng.bounded(256)), int(rng.bounded(256)), payload);
            stream += frame;
            bodies << bodyOf(frame);
            if (rng.bounded(5) == 0)
                stream += QByteArray(int(rng.bounded(8)), char(0x55));  // noise between frames
        }
        FrameReader reader;
        QList<QByteArray> read;
        for (int at = 0; at < stream.size();) {
            const int piece = qMin(stream.size() - at, int(rng.bounded(1, 400)));
            read += readAll(reader, stream.mid(at, piece));
            at += piece;
        }
        QCOMPARE(read.size(), bodies.size());
        QCOMPARE(read, bodies);
    }

    void readerDrops_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("frames");
        const QByteArray good = hex("AA 55 00 05 80 01 0A 03 02 01 2C A2 AA 81");
        QTest::newRow("good") << good << 1;
        QTest::newRow("bad checksum") << hex("AA 55 00 05 80 01 0A 03 02 01 2C A3 AA 81") << 0;
        QTest::newRow("wrong length byte") << hex("AA 55 00 05 80 01 0B 03 02 01 2C A3 AA 81") << 0;
        QTest::newRow("one byte short") << hex("AA 55 00 05 80 01 0A 03 02 2C 8E AA 81") << 0;
        QTest::newRow("below 8 bytes") << hex("AA 55 80 01 00 05 05 81 AA 81") << 0;
        QTest::newRow("garbled stuffing") << hex("AA 55 00 05 80 01 0A 03 02 AA 01 2C A2 AA 81") + good << 1;
        QTest::newRow("garbled stuffing swallows a start") << hex("AA 55 00 05 80 01 AA AA 55") + good.mid(2) << 0;
        QTest::newRow("cut frame, next start kept") << good.left(8) + good << 1;
        QTest::newRow("noise then frame") << hex("00 AA 13 55 AA AA") + good.mid(1) << 1;
        QTest::newRow("end marker alone") << hex("AA 81 AA 55 AA 81") << 0;
    }

    void readerDrops()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, frames);
        FrameReader reader;
        QCOMPARE(readAll(reader, bytes).size(), frames);
        // Byte by byte gives the same, and the reader is hunting afterwards.
        FrameReader single;
        int count = 0;
        for (char c : bytes)
            count += readAll(single, QByteArray(1, c)).size();
        QCOMPARE(count, frames);
        QVERIFY(single.hunting());
    }

    void readerOverflow()
    {
        FrameReader reader;
        QByteArray huge = hex("AA 55") + QByteArray(FrameReader::kMaxStored + 10, '\x11');
        const QByteArray good = hex("AA 55 00 05 80 01 0A 03 02 01 2C A2 AA 81");
        QCOMPARE(readAll(reader, huge + good).size(), 1);
        QCOMPARE(reader.dropped(), quint64(1));
        // One byte below the bound is still stored, then dropped for its length.
        QByteArray almost = hex("AA 55") + QByteArray(FrameReader::kMaxStored - 2, '\x11') + hex("AA 81");
        QCOMPARE(readAll(reader, almost + good).size(), 1);
    }

    // Random bytes, and random damage to valid streams: never a crash or hang,
    // and every frame handed on is valid.
    void readerRandomInput()
    {
        QRandomGenerator rng(77);
        FrameReader reader;
        QElapsedTimer clock;
        clock.start();
        int frames = 0;
        AnswerParser parser;
        // GAITFORGE_FUZZ_ROUNDS runs it longer (for example under AddressSanitizer).
        const int rounds = qEnvironmentVariableIsSet("GAITFORGE_FUZZ_ROUNDS")
                               ? qEnvironmentVariableIntValue("GAITFORGE_FUZZ_ROUNDS")
                               : 300;
        for (int round = 0; round < rounds; ++round) {
            QByteArray bytes;
            if (round % 2) {
                bytes.resize(int(rng.bounded(1, 5000)));
                for (char &c : bytes) {
                    const quint32 r = rng.bounded(10);
                    c = char(r < 3 ? 0xAA : r < 5 ? 0x55 : r < 6 ? 0x81 : r < 7 ? 0 : rng.bounded(256));
                }
            } else {
                for (int i = 0; i < 20; ++i)
                    bytes += makeFrame(quint16(rng.bounded(65536)), 0x8001, 3, int(rng.bounded(256)),
                                       QByteArray(int(rng.bounded(60)), char(rng.bounded(256))));
                for (int k = 0; k < 10; ++k)
                    bytes[int(rng.bounded(bytes.size()))] = char(rng.bounded(256));
            }
            reader.feed(bytes.constData(), bytes.size(), [&](const quint8 *b, int n) {
                QVERIFY(FrameReader::validBody(b, n));
                ++frames;
                parser.firstPartExpected = int(rng.bounded(2));
                parser.apply(b, n, rng.bounded(2));
            });
        }
        QVERIFY(frames > 0);
        QVERIFY(rounds > 300 || clock.elapsed() < 5000);
    }

    // ---------------------------------------------------------- answers

    void servoAnswers_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("notification");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("value");
        QTest::newRow("write status ok") << makeFrame(5, 0x8001, Answer, Speed, hex("01")) << 2 << -1 << 0;
        QTest::newRow("length 9 is a write status whatever its type")
            << makeFrame(5, 0x8001, Answer, Position, hex("00")) << 22 << -1 << 0;
        QTest::newRow("signed register") << makeFrame(5, 0x0001, Answer, MinimumPosition, hex("FA BA")) << 16
                                         << int(MinimumPosition) << -1350;
        QTest::newRow("unsigned register") << makeFrame(5, 0x8002, Answer, MaximumTorque, hex("FA BA")) << 20
                                           << int(MaximumTorque) << 0xFABA;
        QTest::newRow("Register4 in range, silent") << makeFrame(5, 0x8001, Answer, Register4, hex("00 09")) << 0
                                                    << int(Register4) << 9;
        QTest::newRow("Register4 out of range") << makeFrame(5, 0x8001, Answer, Register4, hex("00 0A")) << 0
                                                << int(Register4) << 5;
        QTest::newRow("Register33 silent") << makeFrame(5, 0x8001, Answer, Register33, hex("00 02")) << 0
                                           << int(Register33) << 2;
        QTest::newRow("WriteFlash nothing") << makeFrame(5, 0x8001, Answer, WriteFlash, hex("00 02")) << 0 << -1 << 0;
        QTest::newRow("not an answer") << makeFrame(5, 0x8001, Write, Speed, hex("00 02")) << 0 << -1 << 0;
        QTest::newRow("other destination") << makeFrame(5, 0x0002, Answer, Speed, hex("00 02")) << 0 << -1 << 0;
        QTest::newRow("ParametersPDI") << makeFrame(5, 0x8001, Answer, ParametersPDI, words({7, 8, 9})) << 8
                                       << int(ParameterI) << 9;
        QTest::newRow("AllCurrentData") << makeFrame(5, 0x8001, Answer, AllCurrentData,
                                                     words({1, quint16(-2), 3, 4, 5}))
                                        << 27 << int(CurrentSpeed) << -2;
        QByteArray all = words({1, 2, 3, 12, 1, 5, 6, 7, 31, 32, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
        QTest::newRow("AllParameters, Register4 mended") << makeFrame(5, 0x8001, Answer, AllParameters, all) << 21
                                                         << int(Register4) << 5;
        QTest::newRow("AllParameters order") << makeFrame(5, 0x8001, Answer, AllParameters, all) << 21
                                             << int(PidDeadZone) << 31;
        QTest::newRow("short block ignored") << makeFrame(5, 0x8001, Answer, AllParameters, words({1, 2})) << 0
                                             << -1 << 0;
    }

    void servoAnswers()
    {
        QFETCH(QByteArray, frame);
        QFETCH(int, notification);
        QFETCH(int, type);
        QFETCH(int, value);
        AnswerParser parser;
        QCOMPARE(applyFrame(parser, frame), notification);
        if (type > 0)
            QCOMPARE(parser.registers[type].load(), value);
    }

    void writeStatuses()
    {
        AnswerParser parser;
        QCOMPARE(applyFrame(parser, makeFrame(5, 0x8001, Answer, Speed, hex("02"))), int(Speed));
        QCOMPARE(parser.writeStatus.load(), 2);
        // The main board's write status raises nothing.
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, Answer, MovePose, hex("01"))), 0);
        QCOMPARE(parser.writeStatus.load(), 1);
    }

    void positions_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("stored");
        QTest::newRow("servo 20") << 20 << 20;
        QTest::newRow("servo 2") << 2 << 2;
        QTest::newRow("address 1") << 1 << -1;
        QTest::newRow("address 21") << 21 << -1;
    }

    void positions()
    {
        QFETCH(int, source);
        QFETCH(int, stored);
        AnswerParser parser;
        QCOMPARE(applyFrame(parser, makeFrame(quint16(source), 0x8001, Answer, Position, words({quint16(-321)}))), 22);
        QCOMPARE(parser.lastPosition(), -321);
        QCOMPARE(parser.positionsUpdated.load(), 1);
        for (int s = 2; s <= 20; ++s)
            QCOMPARE(parser.positions[s].load(), s == stored ? -321 : 0);
    }

    void boardAnswers()
    {
        AnswerParser parser;
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, PowerReading, words({7400, 123}))), 326);
        QCOMPARE(parser.voltage.load(), 7400);
        QCOMPARE(parser.current.load(), 123);
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8002, BoardData, IoState, hex("02"))), 335);
        QCOMPARE(parser.ioState.load(), 2);
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FormatDone, QByteArray())), 344);
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FileBeginStatus, hex("01"))), 0);
        QCOMPARE(parser.fileBeginStatus.load(), 1);
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FileBeginStatus, hex("00"))), 0);
        QCOMPARE(parser.fileBeginStatus.load(), 2);
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FileData, QByteArray())), 0);
        QCOMPARE(parser.chunkAcknowledged.load(), 1);
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FileData, "abc"), true), 0);
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FileData, "de"), true), 0);
        QCOMPARE(parser.receivedFile, QByteArray("abcde"));
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, TransferEnd, QByteArray())), 320);
        QCOMPARE(parser.transferEnd1.load() + parser.transferEnd2.load(), 2);
        // Unknown types and kinds, and board data for someone else, are ignored.
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, 99, QByteArray())), 0);
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, Write, PowerReading, words({1, 1}))), 0);
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x0001, BoardData, PowerReading, words({1, 1}))), 0);
        QCOMPARE(parser.voltage.load(), 7400);
    }

    void folderList()
    {
        AnswerParser parser;
        // Completed in the first part.
        parser.firstPartExpected = 1;
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FolderList,
                                              words({0, 6}) + QByteArray("a\0bc\0\0", 6))),
                 323);
        QCOMPARE(parser.folderText(), QByteArray("a\0bc\0\0", 6));
        QCOMPARE(parser.firstPartExpected.load(), 0);
        // An empty total.
        parser.firstPartExpected = 1;
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FolderList, words({0, 0}))), 323);
        QVERIFY(parser.folderText().isEmpty());
        // Three parts; raised once, when the total is reached.
        parser.firstPartExpected = 1;
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FolderList, words({9, 10}) + QByteArray("one\0", 4))), 0);
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FolderList, QByteArray("two\0", 4))), 0);
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FolderList, QByteArray("3\0", 2))), 323);
        QCOMPARE(parser.folderText(), QByteArray("one\0two\0" "3\0", 10));
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FolderList, QByteArray("x\0", 2))), 0);
        parser.clearFolderText(257);
        QCOMPARE(parser.folderText().at(0), '\0');
    }

    // The folder text never grows past its buffer, whatever arrives.
    void folderBufferBound()
    {
        AnswerParser parser;
        parser.firstPartExpected = 1;
        const QByteArray part(kMaxPayload, 'n');
        QCOMPARE(applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FolderList,
                                              words({0, 65535}) + part.left(kMaxPayload - 4))),
                 0);
        int raised = 0;
        for (int i = 0; i < 400; ++i)  // about 98,800 bytes
            if (applyFrame(parser, makeFrame(0x8000, 0x8001, BoardData, FolderList, part)) == 323)
                ++raised;
        QCOMPARE(raised, 1);
        QVERIFY(parser.folderReceived() > AnswerParser::kFolderTextCapacity);
        QCOMPARE(parser.folderText().size(), 65535);
        QCOMPARE(parser.folderText().count('n'), 65535);
    }
};

QTEST_GUILESS_MAIN(TestPacket)
#include "tst_packet.moc"
