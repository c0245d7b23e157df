// The frame decoder (names and fields for people), the frame reader's tap
// (every valid frame and every run of thrown-away bytes with its reason) and
// the packet monitor's rows (ring, filter, copy as hexadecimal).

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include "link/framedecoder.h"
#include "link/framereader.h"
#include "link/packet.h"
#include "link/packetmonitormodel.h"

using namespace packet;
using Discard = FrameReader::Discard;

namespace {

QByteArray bytes(const char *hexText)
{
    QByteArray out;
    framedecoder::parseHex(QString::fromLatin1(hexText), &out);
    return out;
}

// What a tapped reader tells, one "frame HEX" or "REASON HEX" per row.
QStringList tapped(const QByteArray &stream, int chunk)
{
    QStringList rows;
    FrameReader reader;
    FrameReader::Tap tap;
    tap.frame = [&rows](const QByteArray &wire) { rows << QStringLiteral("frame ") + framedecoder::hex(wire); };
    tap.discard = [&rows](Discard reason, const QByteArray &wire) {
        rows << QLatin1String(framedecoder::reasonSource(reason)) + QLatin1Char(' ') + framedecoder::hex(wire);
    };
    reader.setTap(tap);
    for (int at = 0; at < stream.size(); at += chunk)
        reader.feed(stream.constData() + at, qMin(chunk, stream.size() - at), nullptr);
    reader.reset();
    return rows;
}

LinkFrame row(const QByteArray &wire, LinkFrame::Direction direction = LinkFrame::Received,
              Discard reason = Discard::None)
{
    LinkFrame f;
    f.wire = wire;
    f.direction = direction;
    f.reason = reason;
    return f;
}

} // namespace

class TestFrameDecoder : public QObject
{
    Q_OBJECT

private slots:
    // The worked examples of the packet format, field by field: a read of
    // Speed from servo 5, the write of 300, and the servo's answer.
    void workedExample()
    {
        const framedecoder::Decoded read = framedecoder::decodeWire(bytes("AA 55 80 01 00 05 08 01 02 8F AA 81"));
        QVERIFY(read.valid());
        QCOMPARE(read.body, bytes("80 01 00 05 08 01 02 8F"));
        QCOMPARE(read.source, 0x8001);
        QCOMPARE(read.destination, 5);
        QCOMPARE(read.length, 8);
        QCOMPARE(read.kind, int(Read));
        QCOMPARE(read.type, int(Speed));
        QCOMPARE(read.kindName, QStringLiteral("Read"));
        QCOMPARE(read.typeName, QStringLiteral("Speed"));
        QCOMPARE(read.sourceName, QStringLiteral("host"));
        QCOMPARE(read.destinationName, QStringLiteral("servo 5"));
        QCOMPARE(read.fields, QString());
        QCOMPARE(read.servo(), 5);
        QCOMPARE(framedecoder::checksumText(read), QStringLiteral("checksum ok"));

        const framedecoder::Decoded write =
            framedecoder::decodeWire(bytes("AA 55 80 01 00 05 0A 02 02 01 2C A3 AA 81"));
        QVERIFY(write.valid());
        QCOMPARE(write.length, 10);
        QCOMPARE(write.kindName, QStringLiteral("Write"));
        QCOMPARE(write.fields, QStringLiteral("Speed=300"));

        const QByteArray answerWire = bytes("AA 55 00 05 80 01 0A 03 02 01 2C A2 AA 81");
        const framedecoder::Decoded answer = framedecoder::decodeWire(answerWire);
        QVERIFY(answer.valid());
        QCOMPARE(answer.source, 5);
        QCOMPARE(answer.destination, 0x8001);
        QCOMPARE(answer.kindName, QStringLiteral("Answer"));
        QCOMPARE(answer.sourceName, QStringLiteral("servo 5"));
        QCOMPARE(answer.servo(), 5);
        QCOMPARE(framedecoder::line(answerWire), QStringLiteral("Answer Speed servo 5 -> host Speed=300, checksum ok"));

        // One bit off in the checksum, and a length byte one too many.
        QCOMPARE(framedecoder::line(bytes("AA 55 00 05 80 01 0A 03 02 01 2C A3 AA 81"), Discard::BadChecksum),
                 QStringLiteral("discarded: bad checksum, 14 bytes: AA 55 00 05 80 01 0A 03 02 01 2C A3 AA 81 | "
                                "Answer Speed servo 5 -> host Speed=300, bad checksum"));
        QCOMPARE(framedecoder::decodeWire(bytes("AA 55 00 05 80 01 0B 03 02 01 2C A2 AA 81")).fault,
                 Discard::BadLength);
    }

    void fields_data()
    {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("fields");
        const auto words = [](std::initializer_list<int> values) {
            QByteArray p;
            for (int v : values)
                p.append(char((v >> 8) & 0xFF)).append(char(v & 0xFF));
            return p;
        };
        QTest::newRow("signed register") << makeFrame(HostAddress, 7, Write, MinimumPosition, words({-1200}))
                                         << "MinimumPosition" << "MinimumPosition=-1200";
        QTest::newRow("write status, whatever the type")
            << makeFrame(9, HostAddress, Answer, Position, QByteArray(1, 2)) << "Position"
            << "write status=2 (failure)";
        QTest::newRow("all current data, a servo answer to 0x0001")
            << makeFrame(6, ServoAnswerAddress, Answer, AllCurrentData, words({-300, 12, -40, 7400, 65}))
            << "AllCurrentData"
            << "Position=-300 CurrentSpeed=12 CurrentTorque=-40 CurrentVoltage=7400 CurrentTemperature=65";
        QTest::newRow("pose") << makeFrame(HostAddress, MainboardAddress, Write, MovePose,
                                           words({1, -2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x0AAA}))
                              << "MovePose"
                              << "servo2=1 servo3=-2 servo4=3 servo5=0 servo6=0 servo7=0 servo8=0 servo9=0 "
                                 "servo10=0 servo11=0 servo12=0 servo13=0 servo14=0 servo15=0 servo16=0 "
                                 "servo17=0 servo18=0 servo19=0 servo20=2730";
        QTest::newRow("power reading") << makeFrame(MainboardAddress, HostAddress, BoardData, PowerReading,
                                                    words({7400, 127}))
                                       << "PowerReading" << "voltage=7400 mV current=127 x10 mA";
        QTest::newRow("file begin, a GB2312 path")
            << makeFrame(HostAddress, MainboardAddress, Write, FileBegin,
                         QByteArray(1, '\0') + QByteArray("0:/robotsys/\xd5\xbe.ini", 18) + QByteArray(1, '\0'))
            << "FileBegin" << QString::fromUtf8("path=\"0:/robotsys/站.ini\"");
        QTest::newRow("file begin status") << makeFrame(MainboardAddress, HostAddress, BoardData, FileBeginStatus,
                                                        QByteArray(1, 2))
                                           << "FileBegin status" << "status=2 (refused)";
        QTest::newRow("transfer end") << makeFrame(MainboardAddress, HostAddress, BoardData, TransferEnd, {})
                                      << "TransferEnd" << "";
        QTest::newRow("leds") << makeFrame(HostAddress, LedBoardAddress, Write, SetLeds,
                                           QByteArray("\x53\x00\xA4\x10\x20\x30\x40\x50\x61", 9))
                              << "SetLeds"
                              << "led1r=5/10 3 Hz led1g=0/10 0 Hz led1b=10/10 random led2r=1/10 0 Hz "
                                 "led2g=2/10 0 Hz led2b=3/10 0 Hz led3r=4/10 0 Hz led3g=5/10 0 Hz led3b=6/10 1 Hz";
        QTest::newRow("a pose one word short is shown as it came")
            << makeFrame(HostAddress, MainboardAddress, Write, MovePose, QByteArray(36, '\x01')) << "MovePose"
            << "payload=" + QString(QStringLiteral("01 ")).repeated(36).trimmed();
        QTest::newRow("unknown type") << makeFrame(MainboardAddress, HostAddress, BoardData, 99, QByteArray("\xAA", 1))
                                      << "type 99" << "payload=AA";
    }

    void fields()
    {
        QFETCH(QByteArray, wire);
        QFETCH(QString, type);
        QFETCH(QString, fields);
        const framedecoder::Decoded d = framedecoder::decodeWire(wire);
        QVERIFY(d.valid());
        QCOMPARE(d.typeName, type);
        QCOMPARE(d.fields, fields);
    }

    // Every byte is accounted for: frames, and runs of thrown-away bytes that
    // end at the next frame start, with the first reason in the run; the same
    // whatever the chunking.
    void tap_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QStringList>("rows");
        const QByteArray good = bytes("AA 55 80 01 00 05 08 01 02 8F AA 81");
        const QString goodRow = QStringLiteral("frame AA 55 80 01 00 05 08 01 02 8F AA 81");
        QTest::newRow("junk before a frame") << bytes("12 AA 34") + good
                                             << QStringList{QStringLiteral("no start 12 AA 34"), goodRow};
        QTest::newRow("AA AA 55 starts at the second AA")
            << bytes("AA") + good << QStringList{QStringLiteral("no start AA"), goodRow};
        // The corrupted checksum AB ^ 01 = AA goes out unstuffed: the frame and
        // the end marker's 81 are one run.
        QTest::newRow("bad checksum that became AA")
            << bytes("AA 55 00 05 80 01 0A 03 02 01 2C AA AA 81") + good
            << QStringList{QStringLiteral("bad stuffing AA 55 00 05 80 01 0A 03 02 01 2C AA AA 81"), goodRow};
        QTest::newRow("bad checksum and what trails it")
            << bytes("AA 55 00 05 80 01 0A 03 02 01 2C A3 AA 81 00 01") + good
            << QStringList{QStringLiteral("bad checksum AA 55 00 05 80 01 0A 03 02 01 2C A3 AA 81 00 01"), goodRow};
        QTest::newRow("short frame") << bytes("AA 55 80 01 00 05 08 01 8F AA 81") + good
                                     << QStringList{QStringLiteral("bad length AA 55 80 01 00 05 08 01 8F AA 81"),
                                                    goodRow};
        QTest::newRow("a new start cuts the frame short")
            << bytes("AA 55 80 01 00") + good
            << QStringList{QStringLiteral("bad stuffing AA 55 80 01 00"), goodRow};
        QTest::newRow("two bad frames are two runs")
            << bytes("AA 55 80 01 00 05 08 01 02 8E AA 81 AA 55 80 01 00 05 08 01 02 8D AA 81")
            << QStringList{QStringLiteral("bad checksum AA 55 80 01 00 05 08 01 02 8E AA 81"),
                           QStringLiteral("bad checksum AA 55 80 01 00 05 08 01 02 8D AA 81")};
        QTest::newRow("stuffed AA in the body")
            << makeFrame(0xAAAA, HostAddress, Answer, Position, QByteArray("\xAA\xAA", 2))
            << QStringList{QStringLiteral("frame ")
                           + framedecoder::hex(makeFrame(0xAAAA, HostAddress, Answer, Position, QByteArray("\xAA\xAA", 2)))};
        QTest::newRow("unfinished at the end") << good + bytes("AA 55 80")
                                               << QStringList{goodRow, QStringLiteral("unfinished frame AA 55 80")};
    }

    void tap()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QStringList, rows);
        QCOMPARE(tapped(stream, stream.size()), rows);
        QCOMPARE(tapped(stream, 1), rows);
        QCOMPARE(tapped(stream, 3), rows);
    }

    // A tap set while a frame is under way still tells that frame whole.
    void tapSetMidFrame_data()
    {
        QTest::addColumn<int>("cut");
        const QByteArray wire = makeFrame(0xAAAA, HostAddress, Answer, Position, QByteArray("\xAA\x01", 2));
        for (int cut = 2; cut < wire.size(); ++cut)
            QTest::addRow("after %d bytes", cut) << cut;
    }

    void tapSetMidFrame()
    {
        QFETCH(int, cut);
        const QByteArray wire = makeFrame(0xAAAA, HostAddress, Answer, Position, QByteArray("\xAA\x01", 2));
        FrameReader reader;
        reader.feed(wire.constData(), cut, nullptr);
        QList<QByteArray> told;
        FrameReader::Tap tap;
        tap.frame = [&told](const QByteArray &w) { told << w; };
        reader.setTap(tap);
        reader.feed(wire.constData() + cut, wire.size() - cut, nullptr);
        QCOMPARE(told, QList<QByteArray>{wire});
    }

    // The reader finds the same frames with a tap as without one.
    void tapKeepsTheReader()
    {
        QRandomGenerator random(7);
        QByteArray stream;
        for (int i = 0; i < 300; ++i) {
            QByteArray f = makeFrame(quint16(random.bounded(65536)), HostAddress, Answer, random.bounded(40),
                                     QByteArray(random.bounded(6), char(0xAA)));
            if (random.bounded(4) == 0)
                f[random.bounded(f.size())] = char(random.bounded(256));
            stream += f;
        }
        FrameReader plain, watched;
        QList<QByteArray> a, b;
        int told = 0;
        FrameReader::Tap tap;
        tap.frame = [&told](const QByteArray &) { ++told; };
        tap.discard = [](Discard, const QByteArray &) {};
        watched.setTap(tap);
        plain.feed(stream.constData(), stream.size(), [&a](const quint8 *body, int n) {
            a << QByteArray(reinterpret_cast<const char *>(body), n);
        });
        watched.feed(stream.constData(), stream.size(), [&b](const quint8 *body, int n) {
            b << QByteArray(reinterpret_cast<const char *>(body), n);
        });
        QCOMPARE(a, b);
        QCOMPARE(told, b.size());
        QCOMPARE(plain.dropped(), watched.dropped());
    }

    void parseHex_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("spaced") << "AA 55 0a" << true << QByteArray("\xAA\x55\x0A", 3);
        QTest::newRow("packed") << "aa550A\n" << true << QByteArray("\xAA\x55\x0A", 3);
        QTest::newRow("0x and commas") << "0xAA,0x55, 0x0a" << true << QByteArray("\xAA\x55\x0A", 3);
        QTest::newRow("the log's send line") << "send:aa 55 80 1 0 5 8 1 2 8f aa 81 " << true
                                              << QByteArray("\xAA\x55\x80\x01\x00\x05\x08\x01\x02\x8F\xAA\x81", 12);
        QTest::newRow("odd token") << "AA5" << false << QByteArray();
        QTest::newRow("not hex") << "AA ZZ" << false << QByteArray();
        QTest::newRow("empty") << "" << true << QByteArray();
    }

    void parseHex()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QByteArray, result);
        QByteArray out;
        QCOMPARE(framedecoder::parseHex(text, &out), ok);
        if (ok)
            QCOMPARE(out, result);
    }

    // Random bytes never crash the decoder or read past their end.
    void randomInput()
    {
        QRandomGenerator random(11);
        for (int i = 0; i < 3000; ++i) {
            QByteArray b(random.bounded(80), '\0');
            for (char &c : b)
                c = char(random.bounded(4) == 0 ? 0xAA : random.bounded(256));
            if (i % 2 && b.size() >= 2) {
                b[0] = char(0xAA);
                b[1] = char(0x55);
            }
            framedecoder::decodeBody(b);
            QVERIFY(!framedecoder::line(b, Discard(random.bounded(8))).isEmpty());
        }
    }

    // Copying rows as hexadecimal and decoding the text gives the same frames
    // back, stuffed bytes and all, in the order they were on the line.
    void copyRoundTrip()
    {
        QRandomGenerator random(23);
        QVector<LinkFrame> frames;
        int stuffed = 0;
        for (int i = 0; i < 500; ++i) {
            QByteArray payload(random.bounded(kMaxPayload + 1), '\0');
            for (char &c : payload)
                c = char(random.bounded(3) == 0 ? 0xAA : random.bounded(256));
            const quint16 source = random.bounded(2) ? quint16(0xAA00 | random.bounded(256)) : quint16(HostAddress);
            const QByteArray wire = makeFrame(source, quint16(random.bounded(65536)), random.bounded(1, 7),
                                              random.bounded(256), payload);
            QVERIFY(!wire.isEmpty());
            stuffed += wire.count(QByteArray("\xAA\x00", 2)) > 0;
            frames << row(wire, random.bounded(2) ? LinkFrame::Sent : LinkFrame::Received);
        }
        QVERIFY(stuffed > 400);
        PacketMonitorModel model;
        model.append(frames);
        QList<int> selected;
        for (int r = 0; r < model.rowCount(); ++r)
            if (random.bounded(3) != 0)
                selected << r;
        std::shuffle(selected.begin(), selected.end(), std::mt19937(5));  // selection order is not line order
        const QString text = model.copyHex(selected);

        QByteArray stream;
        QVERIFY(framedecoder::parseHex(text, &stream));
        const QStringList rows = tapped(stream, 17);
        std::sort(selected.begin(), selected.end());
        QCOMPARE(rows.size(), selected.size());
        for (int i = 0; i < selected.size(); ++i)
            QCOMPARE(rows[i], QStringLiteral("frame ") + framedecoder::hex(frames[selected[i]].wire));
    }

    // The ring keeps the newest 10,000 rows; a batch is one insertion and at
    // most one removal; the filter picks direction, type and servo.
    void ringAndFilter()
    {
        PacketMonitorModel model;
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        RequestFields fields;
        const auto readFrom = [&fields](int servo) {
            fields.servoAddress = quint16(servo);
            return buildRequest(fields, Position, Read);
        };
        QVector<LinkFrame> batch;
        for (int i = 0; i < 6000; ++i)
            batch << row(readFrom(2 + i % 19), LinkFrame::Sent);
        model.append(batch);
        model.append(batch);
        QCOMPARE(inserted.count(), 2);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(model.heldCount(), PacketMonitorModel::kCapacity);
        QCOMPARE(model.rowCount(), PacketMonitorModel::kCapacity);
        // The oldest 2000 went: the first row held is the 2001st of the first batch.
        QCOMPARE(model.frameAt(0).wire, batch[2000].wire);

        model.append({row(makeFrame(5, HostAddress, Answer, Position, QByteArray("\x00\x10", 2))),
                      row(bytes("12 34"), LinkFrame::Received, Discard::NoStart)});
        PacketMonitorModel::Filter filter;
        filter.servo = 5;
        model.setFilter(filter);
        QCOMPARE(model.rowCount(), 526 + 1);  // reads of servo 5 still held, and its answer
        filter.direction = LinkFrame::Received;
        model.setFilter(filter);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.data(model.index(0, PacketMonitorModel::FieldsColumn)).toString(),
                 QStringLiteral("Position=16"));
        filter = PacketMonitorModel::Filter();
        filter.typeName = PacketMonitorModel::kDiscardedType;
        model.setFilter(filter);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.data(model.index(0, PacketMonitorModel::ChecksumColumn)).toString(),
                 QStringLiteral("discarded: no start, 2 bytes"));
        filter.typeName = QStringLiteral("Position");
        model.setFilter(filter);
        // The two oldest reads went for the answer and the thrown-away bytes.
        QCOMPARE(model.rowCount(), PacketMonitorModel::kCapacity - 1);
        QCOMPARE(model.typeNames(), QStringList{QStringLiteral("Position")});
        // New rows that pass the filter join it.
        model.append({row(readFrom(3), LinkFrame::Sent), row(bytes("00"), LinkFrame::Received, Discard::NoStart)});
        QCOMPARE(model.rowCount(), PacketMonitorModel::kCapacity - 2);
    }
};

QTEST_GUILESS_MAIN(TestFrameDecoder)
#include "tst_framedecoder.moc"
