// Operation files, the frame table's cells and flat form, and the packed music
// and LED values: byte-exact examples, the reader's checks with their line
// numbers, round trips, and a bounded random-input run of the reader.

#include <QtTest>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include "motion/frametablemodel.h"

#include "motion/frametable.h"
#include "motion/operationfile.h"
#include "motion/packing.h"

using namespace frametable;
using operationfile::LoopKey;
using operationfile::ReadError;
using Cells = QMap<int, QVariant>; // column -> value; unnamed cells stay empty (read as 0)

Q_DECLARE_METATYPE(FrameRows)
Q_DECLARE_METATYPE(ReadError)
Q_DECLARE_METATYPE(LoopKey)

namespace {

FrameCells frame(const Cells &cells)
{
    FrameCells f;
    for (auto it = cells.begin(); it != cells.end(); ++it)
        f[it.key()] = it.value();
    return f;
}

// A frame with the given loop flag and LED brightness of channel 0.
FrameCells loopFrame(int flag, int loopTimes = 0)
{
    return frame({{ColLoopFlag, flag}, {ColLoopTimes, loopTimes}});
}

QByteArray crlf(const QStringList &lines)
{
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

QString zeros(int n)
{
    QStringList z;
    for (int i = 0; i < n; ++i)
        z << QStringLiteral("0");
    return z.join(QLatin1Char(','));
}

const QString kHeader = QStringLiteral("#This is a robot operation file.");

QByteArray writeBytes(const FrameRows &rows, bool loopKey, int *result = nullptr)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    const int r = operationfile::write(out, rows, loopKey);
    out.flush();
    if (result)
        *result = r;
    return bytes;
}

operationfile::ReadResult readBytes(const QByteArray &bytes)
{
    QTextStream in(bytes);
    return operationfile::read(in);
}

QVector<int> flat(const FrameRows &rows)
{
    QVector<int> values;
    for (const FrameCells &cells : rows)
        for (const QVariant &cell : cells)
            values << cellInt(cell);
    return values;
}

QVector<int> loopFlags(const FrameRows &rows)
{
    QVector<int> flags;
    for (const FrameCells &cells : rows)
        flags << cellInt(cells[ColLoopFlag]);
    return flags;
}

// The two-frame example: a loop of times 2 over both frames, wav file 5 from
// flash played at the first, led1 red at 50 % blinking at 1 Hz, volume 60,
// times 600 and 100, loop key off.
FrameRows exampleRows()
{
    Cells common{{ColVolume, 60}, {ColOperationTime, 600}, {ColDelayTime, 100},
                 {ledBrightnessColumn(0), 5}, {ledFrequencyColumn(0), 1}};
    Cells first = common;
    first.insert(ColLoopFlag, 1);
    first.insert(ColLoopTimes, 2);
    first.insert(ColMusicControl, 3);
    first.insert(ColMusicType, 1);
    first.insert(ColMusicFolder, 1);
    first.insert(ColMusicFile, 5);
    Cells second = common;
    second.insert(ColLoopFlag, 2);
    return {frame(first), frame(second)};
}

QByteArray exampleBytes()
{
    return crlf({kHeader, QStringLiteral("FLP:0;"), QStringLiteral("LPS:2;"),
                 QStringLiteral("LED:81,0,0,0,0,0,0,0,0;"), QStringLiteral("FR:1,60,600,100,61445,") + zeros(19) + ';',
                 QStringLiteral("FR:1,60,600,100,0,") + zeros(19) + ';', QStringLiteral("LPE:;"),
                 QStringLiteral("END:;"), QString()});
}

QString frameRecord(const QString &head = QStringLiteral("1,60,600,100,0"), int angleValue = 0)
{
    QStringList angles;
    for (int i = 0; i < ServoCount; ++i)
        angles << QString::number(angleValue);
    return QStringLiteral("FR:") + head + ',' + angles.join(',') + ';';
}

} // namespace

class TestOperationFile : public QObject
{
    Q_OBJECT

private slots:
    // ------------------------------------------------------------ writer

    void writesTheExampleByteForByte()
    {
        int result = 0;
        QCOMPARE(writeBytes(exampleRows(), false, &result), exampleBytes());
        QCOMPARE(result, -1);
    }

    void writerRecords_data()
    {
        QTest::addColumn<FrameRows>("rows");
        QTest::addColumn<bool>("loopKey");
        QTest::addColumn<QStringList>("lines");

        const QString allOff = QStringLiteral("LED:0,0,0,0,0,0,0,0,0;");
        const QString frameZero = QStringLiteral("FR:1,0,0,0,0,") + zeros(19) + ';';

        QTest::newRow("empty table") << FrameRows() << false
                                     << QStringList{kHeader, "FLP:0;", "END:;", ""};
        QTest::newRow("loop key on") << FrameRows() << true << QStringList{kHeader, "FLP:65535;", "END:;", ""};
        QTest::newRow("first frame states its LEDs even when all are off")
            << FrameRows{frame({})} << false << QStringList{kHeader, "FLP:0;", allOff, frameZero, "END:;", ""};
        QTest::newRow("equal LEDs give one record")
            << FrameRows{frame({{ColLedFirst + 4, 3}}), frame({{ColLedFirst + 4, 3}})} << false
            << QStringList{kHeader, "FLP:0;", "LED:0,0,48,0,0,0,0,0,0;", frameZero, frameZero, "END:;", ""};
        QTest::newRow("changed LEDs give a new record")
            << FrameRows{frame({}), frame({{ledFrequencyColumn(8), 4}}), frame({{ledFrequencyColumn(8), 4}}), frame({})}
            << false
            << QStringList{kHeader, "FLP:0;", allOff, frameZero, "LED:0,0,0,0,0,0,0,0,4;", frameZero, frameZero,
                           allOff, frameZero, "END:;", ""};
        QTest::newRow("LED byte: brightness masked to 4 bits, byte to 8")
            << FrameRows{frame({{ledBrightnessColumn(0), 10}, {ledFrequencyColumn(0), 4},
                                {ledBrightnessColumn(1), 17}, {ledFrequencyColumn(1), 2}})}
            << false
            << QStringList{kHeader, "FLP:0;", "LED:164,18,0,0,0,0,0,0,0;", frameZero, "END:;", ""};
        QTest::newRow("nested loops")
            << FrameRows{loopFrame(1, 3), loopFrame(1, 1), loopFrame(0), loopFrame(2), loopFrame(2)} << false
            << QStringList{kHeader, "FLP:0;", "LPS:3;", allOff, frameZero, "LPS:1;", frameZero, frameZero,
                           frameZero, "LPE:;", frameZero, "LPE:;", "END:;", ""};
        QTest::newRow("music word 65535")
            << FrameRows{frame({{ColMusicControl, 3}, {ColMusicType, 1}, {ColMusicFolder, 1}, {ColMusicFile, 4095}})}
            << false
            << QStringList{kHeader, "FLP:0;", allOff, "FR:1,0,0,0,65535," + zeros(19) + ';', "END:;", ""};
        QTest::newRow("negative angles and text cells")
            << FrameRows{frame({{0, -250}, {1, QStringLiteral("-3000")}, {18, QStringLiteral("15")},
                                {ColVolume, QStringLiteral(" 60")}, {ColOperationTime, 600},
                                {ColDelayTime, QStringLiteral("100")}})}
            << false
            << QStringList{kHeader, "FLP:0;", allOff, "FR:1, 60,600,100,0,-250,-3000," + zeros(16) + ",15;", "END:;",
                           ""};
        // Text that is no number (typed into the table) is written as the 0 every
        // reader sees in it, never as an empty or comma-split field.
        QTest::newRow("text that is no number")
            << FrameRows{frame({{0, QStringLiteral("abc")}, {1, QStringLiteral("1,2")}, {ColDelayTime, QString()},
                                {ColVolume, QStringLiteral("7;")}})}
            << false << QStringList{kHeader, "FLP:0;", allOff, frameZero, "END:;", ""};
    }
    void writerRecords()
    {
        QFETCH(FrameRows, rows);
        QFETCH(bool, loopKey);
        QFETCH(QStringList, lines);
        QCOMPARE(QString::fromLatin1(writeBytes(rows, loopKey)), QString::fromLatin1(crlf(lines)));
    }

    void writerRefusesUnbalancedLoops_data()
    {
        QTest::addColumn<QVector<int>>("flags");
        QTest::addColumn<int>("faultyRow");
        QTest::newRow("1,2,2") << QVector<int>{1, 2, 2} << 2;
        QTest::newRow("end first") << QVector<int>{2, 1} << 0;
        // A file with a loop left open would not open again.
        QTest::newRow("start without end") << QVector<int>{0, 1, 0} << 1;
        QTest::newRow("outer start left open") << QVector<int>{1, 1, 0, 2} << 0;
        QTest::newRow("inner start left open") << QVector<int>{1, 0, 1, 0} << 2;
        QTest::newRow("balanced") << QVector<int>{1, 1, 2, 0, 2, 1, 2} << -1;
    }
    void writerRefusesUnbalancedLoops()
    {
        QFETCH(QVector<int>, flags);
        QFETCH(int, faultyRow);
        FrameRows rows;
        for (int f : flags)
            rows << loopFrame(f);
        QCOMPARE(operationfile::findLoopFault(rows), faultyRow);
        int result = 0;
        const QByteArray bytes = writeBytes(rows, false, &result);
        QCOMPARE(result, faultyRow);
        // Nothing at all is written for a refused table.
        QCOMPARE(bytes.isEmpty(), faultyRow >= 0);
    }

    // ------------------------------------------------------------ reader

    void readsTheExample_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CR LF") << exampleBytes();
        QByteArray lf = exampleBytes();
        lf.replace("\r\n", "\n");
        QTest::newRow("LF") << lf;
    }
    void readsTheExample()
    {
        QFETCH(QByteArray, bytes);
        const operationfile::ReadResult result = readBytes(bytes);
        QVERIFY(result.ok());
        QCOMPARE(result.loopKey, LoopKey::Unchecked);
        QCOMPARE(flat(result.rows), flat(exampleRows()));
        // Time, volume and angle fields keep their text; the rest are numbers.
        const FrameCells &first = result.rows.first();
        QCOMPARE(first[ColVolume].userType(), int(QMetaType::QString));
        QCOMPARE(first[0].userType(), int(QMetaType::QString));
        QCOMPARE(first[ColMusicFile].userType(), int(QMetaType::Int));
        QCOMPARE(writeBytes(result.rows, false), exampleBytes());
    }

    void readerChecks_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<ReadError>("error");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("loopUnbalanced");
        QTest::addColumn<int>("frames");
        QTest::addColumn<LoopKey>("loopKey");

        const QString fr = frameRecord();
        QTest::newRow("empty file") << QStringList{} << ReadError::NotAMotion << 0 << false << 0
                                    << LoopKey::Unchanged;
        QTest::newRow("only records without frames")
            << QStringList{kHeader, "FLP:0;", "END:;", ""} << ReadError::None << 0 << false << 0
            << LoopKey::Unchecked;
        QTest::newRow("six fields, line counted with comments")
            << QStringList{kHeader, "# a comment", "FLP:0;", fr, "FR:1,60,600,100,0,0;", fr} << ReadError::FrameFields
            << 5 << false << 0 << LoopKey::Unchecked;
        QTest::newRow("25 fields") << QStringList{"FR:1,60,600,100,0," + zeros(20) + ';'} << ReadError::FrameFields
                                   << 1 << false << 0 << LoopKey::Unchanged;
        QTest::newRow("empty fields are dropped, not counted")
            << QStringList{"FR:1,,60,600,100,0," + zeros(19) + ",;"} << ReadError::None << 0 << false << 1
            << LoopKey::Unchanged;
        QTest::newRow("record without final semicolon is skipped")
            << QStringList{"FR:1,60,600,100,0," + zeros(19), fr} << ReadError::None << 0 << false << 1
            << LoopKey::Unchanged;
        QTest::newRow("loop start without end at the end")
            << QStringList{kHeader, "FLP:0;", fr, "LPS:1;", fr, "END:;", ""} << ReadError::None << 0 << true << 0
            << LoopKey::Unchecked;
        QTest::newRow("loop end with no open loop, reported on the next line")
            << QStringList{kHeader, fr, "LPE:;", "END:;"} << ReadError::LoopEndUnmatched << 4 << true << 0
            << LoopKey::Unchanged;
        QTest::newRow("loop end with no open loop as the last line")
            << QStringList{kHeader, fr, "LPE:;", ""} << ReadError::None << 0 << true << 0 << LoopKey::Unchanged;
        QTest::newRow("loop start of the wrong shape unchecks the loop key")
            << QStringList{"FLP:65535;", "LPS:1;2;", fr} << ReadError::LoopStartShape << 2 << true << 0
            << LoopKey::Unchecked;
        QTest::newRow("empty loop start") << QStringList{"LPS:;", fr} << ReadError::LoopStartShape << 1 << true << 0
                                          << LoopKey::Unchecked;
        QTest::newRow("LED record with eight bytes")
            << QStringList{"FLP:65535;", "LED:0,0,0,0,0,0,0,0;", fr} << ReadError::LedShape << 2 << false << 0
            << LoopKey::Unchecked;
        QTest::newRow("LED record with an empty field")
            << QStringList{"LED:0,0,,0,0,0,0,0,0;"} << ReadError::LedShape << 1 << false << 0 << LoopKey::Unchecked;
        QTest::newRow("file loop record 65535") << QStringList{"FLP:65535;", fr} << ReadError::None << 0 << false
                                                << 1 << LoopKey::Checked;
        QTest::newRow("file loop record of another value")
            << QStringList{"FLP:65535;", fr, "FLP:7;", fr} << ReadError::LoopKeyRecord << 3 << false << 0
            << LoopKey::Unchecked;
        QTest::newRow("file loop record with two values")
            << QStringList{"FLP:0;1;"} << ReadError::LoopKeyRecord << 1 << false << 0 << LoopKey::Unchecked;
        QTest::newRow("frame error keeps the loop key as read")
            << QStringList{"FLP:65535;", "FR:1;"} << ReadError::FrameFields << 2 << false << 0 << LoopKey::Checked;
        QTest::newRow("frame error inside a loop also reports the loop")
            << QStringList{"LPS:1;", "FR:1;"} << ReadError::FrameFields << 2 << true << 0 << LoopKey::Unchanged;
        QTest::newRow("empty line ends reading") << QStringList{fr, "", fr, fr} << ReadError::None << 0 << false << 1
                                                 << LoopKey::Unchanged;
        QTest::newRow("empty line inside an open loop")
            << QStringList{"LPS:1;", fr, "", fr, "LPE:;"} << ReadError::None << 0 << true << 0 << LoopKey::Unchanged;
        QTest::newRow("line of blanks is skipped") << QStringList{fr, "   ", "\t", fr} << ReadError::None << 0 << false
                                                   << 2 << LoopKey::Unchanged;
        QTest::newRow("records are trimmed") << QStringList{"  " + fr + "  ", "\tLPS:1;", fr, fr, " LPE:; "}
                                             << ReadError::None << 0 << false << 3 << LoopKey::Unchanged;
        QTest::newRow("blank line after an unmatched loop end is the next line")
            << QStringList{fr, "LPE:;", "  "} << ReadError::LoopEndUnmatched << 3 << true << 0 << LoopKey::Unchanged;
        // Loop marks the table cannot hold (one mark per frame) are refused
        // on open, with their line, not by a later save.
        QTest::newRow("two loop ends after one frame")
            << QStringList{"LPS:1;", fr, "LPS:1;", fr, fr, "LPE:;", "LPE:;"} << ReadError::LoopMarks << 7 << false
            << 0 << LoopKey::Unchanged;
        QTest::newRow("one-frame loop") << QStringList{kHeader, "FLP:0;", "LPS:1;", fr, "LPE:;", "END:;"}
                                        << ReadError::LoopMarks << 5 << false << 0 << LoopKey::Unchecked;
        QTest::newRow("two loop starts before one frame")
            << QStringList{"LPS:1;", "LPS:2;", fr, fr, "LPE:;", fr, "LPE:;"} << ReadError::LoopMarks << 2 << false
            << 0 << LoopKey::Unchanged;
        QTest::newRow("loop without a frame")
            << QStringList{fr, "LPS:1;", "LPE:;", fr} << ReadError::LoopMarks << 3 << false << 0
            << LoopKey::Unchanged;
        QTest::newRow("two-frame loop is fine")
            << QStringList{"LPS:1;", fr, fr, "LPE:;"} << ReadError::None << 0 << false << 2 << LoopKey::Unchanged;
        // Not a motion at all; a file cut off inside its last record.
        QTest::newRow("a text") << QStringList{"# gaitForge", "", "A desktop control centre; FR: none"}
                                << ReadError::NotAMotion << 0 << false << 0 << LoopKey::Unchanged;
        QTest::newRow("comments only") << QStringList{kHeader, "#"} << ReadError::NotAMotion << 0 << false << 0
                                       << LoopKey::Unchanged;
        QTest::newRow("end record only is a motion of no frames")
            << QStringList{"END:;"} << ReadError::None << 0 << false << 0 << LoopKey::Unchanged;
        // No frame, but the records of another file: a configure file shares
        // the LED record and the end record with a motion.
        QTest::newRow("a configure file")
            << QStringList{"#This is a robot configure file.", "#set volume.", "SV:60;", "LED:0,0,0,0,0,0,0,0,0;",
                           "BB:9600;", "RFK:0,0,1;", "END:;", ""}
            << ReadError::NotAMotion << 0 << false << 0 << LoopKey::Unchanged;
        QTest::newRow("one key of another file") << QStringList{"FLP:0;", "SV:60;"} << ReadError::NotAMotion << 0
                                                 << false << 0 << LoopKey::Unchanged;
        QTest::newRow("frames beside keys of another file are a motion")
            << QStringList{"SV:60;", fr, "END:;"} << ReadError::None << 0 << false << 1 << LoopKey::Unchanged;
        QTest::newRow("text with a colon and a semicolon is a comment")
            << QStringList{"FLP:0;", "note: frames follow;", "END:;"} << ReadError::None << 0 << false << 0
            << LoopKey::Unchecked;
        QTest::newRow("cut inside the last frame")
            << QStringList{kHeader, "FLP:0;", fr, "FR:1,60,600,100,0,0,0"} << ReadError::CutShort << 4 << false
            << 0 << LoopKey::Unchecked;
        QTest::newRow("cut inside the end record")
            << QStringList{kHeader, "FLP:0;", fr, "END:"} << ReadError::CutShort << 4 << false << 0
            << LoopKey::Unchecked;
        QTest::newRow("cut inside the first record") << QStringList{"FLP:0"} << ReadError::CutShort << 1 << false
                                                     << 0 << LoopKey::Unchanged;
    }
    // After an error, the whole frames read before it are kept apart (the
    // window shows them unnamed); no frame record cut or refused among them.
    void framesBeforeTheError_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QVector<int>>("times");   // operation times of the frames kept
        const auto fr = [](int time) {
            return QStringLiteral("FR:1,60,%1,100,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0;").arg(time);
        };
        QTest::newRow("bad frame at line 4") << QStringList{kHeader, fr(1), fr(2), "FR:1,2;", fr(3)}
                                             << QVector<int>{1, 2};
        QTest::newRow("cut in the third frame") << QStringList{kHeader, "FLP:0;", fr(1), fr(2), "FR:1,60,60"}
                                                << QVector<int>{1, 2};
        QTest::newRow("loop left open") << QStringList{"LPS:1;", fr(1), fr(2)} << QVector<int>{1, 2};
        QTest::newRow("error before any frame") << QStringList{"LED:1;", fr(1)} << QVector<int>{};
        QTest::newRow("no motion keeps none") << QStringList{"SV:1;"} << QVector<int>{};
        QTest::newRow("a whole file keeps them in rows") << QStringList{fr(1)} << QVector<int>{};
    }
    void framesBeforeTheError()
    {
        QFETCH(QStringList, lines);
        QFETCH(QVector<int>, times);
        const operationfile::ReadResult result = readBytes(lines.join(QStringLiteral("\r\n")).toLatin1());
        QVector<int> kept;
        for (const FrameCells &cells : result.rowsBeforeError)
            kept << cellInt(cells[ColOperationTime]);
        QCOMPARE(kept, times);
        if (!result.ok())
            QVERIFY(result.rows.isEmpty());
    }

    void readerChecks()
    {
        QFETCH(QStringList, lines);
        QFETCH(ReadError, error);
        QFETCH(int, line);
        QFETCH(bool, loopUnbalanced);
        QFETCH(int, frames);
        QFETCH(LoopKey, loopKey);
        const operationfile::ReadResult result = readBytes(lines.join(QStringLiteral("\r\n")).toLatin1());
        QCOMPARE(result.error, error);
        QCOMPARE(result.errorLine, line);
        QCOMPARE(result.loopUnbalanced, loopUnbalanced);
        QCOMPARE(result.rows.size(), frames);
        QCOMPARE(result.loopKey, loopKey);
    }

    void readerMessages_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("messages");
        const QString fr = frameRecord();
        QTest::newRow("ok") << QStringList{fr} << QStringList{};
        QTest::newRow("fields") << QStringList{kHeader, "FR:1,2;"} << QStringList{"Error in line:2"};
        QTest::newRow("loop key") << QStringList{"FLP:2;"} << QStringList{"Loop key line error in line:1"};
        QTest::newRow("unmatched end") << QStringList{fr, "LPE:;", fr}
                                       << QStringList{"Loop key line error in line:3", "Error loop!"};
        QTest::newRow("open loop") << QStringList{"LPS:0;", fr} << QStringList{"Error loop!"};
        QTest::newRow("one-frame loop")
            << QStringList{"LPS:1;", fr, "LPE:;"}
            << QStringList{"Unsupported loop mark (a loop spans at least two frames, a frame holds one mark) in "
                           "line:3"};
        QTest::newRow("cut short") << QStringList{fr, "FR:1,60"} << QStringList{"Error in line:2"};
        QTest::newRow("no motion") << QStringList{"hello"} << QStringList{"This is not a robot operation file:"};
    }
    void readerMessages()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, messages);
        QStringList texts;
        for (const operationfile::Message &m : operationfile::messages(readBytes(lines.join('\n').toLatin1())))
            texts << operationfile::messageText(m);
        QCOMPARE(texts, messages);
    }

    // Numbers beyond their field read as 0 (as any text that is no number),
    // never wrapped round, and each such line is noted for a warning.
    void outOfRangeNumbersReadAsZeroWithAWarning()
    {
        QByteArray nulAngle = frameRecord("1,60,600,100,0").toLatin1();
        nulAngle.replace(",0;", QByteArray(",1\0" "2;", 5));
        const QByteArray bytes = kHeader.toLatin1() + "\r\nFLP:0;\r\n"
                                 + frameRecord("1,60,600,100,0", 0).replace(QStringLiteral(",0;"), QStringLiteral(",2147483648;")).toLatin1()
                                 + "\r\n" + frameRecord("1,99999999999,600,100,0").toLatin1() + "\r\n"
                                 + frameRecord("1,60,600,100,70000").toLatin1() + "\r\n"
                                 + "LED:81,0,0,0,0,0,0,0,256;\r\n" + nulAngle + "\r\n"
                                 + "LPS:4294967297;\r\n" + frameRecord().toLatin1() + "\r\n"
                                 + frameRecord().toLatin1() + "\r\nLPE:;\r\n"
                                 + frameRecord("1,-60,2147483647,-2147483648,65535").toLatin1() + "\r\nEND:;\r\n\r\n";
        const operationfile::ReadResult result = readBytes(bytes);
        QVERIFY(result.ok());
        QCOMPARE(result.rows.size(), 7);
        QCOMPARE(cellInt(result.rows[0][18]), 0);
        QCOMPARE(cellInt(result.rows[1][ColVolume]), 0);
        QCOMPARE(cellInt(result.rows[2][ColMusicControl]), 0);
        QCOMPARE(cellInt(result.rows[2][ColMusicFile]), 0);
        QCOMPARE(cellInt(result.rows[3][ledBrightnessColumn(0)]), 5);
        QCOMPARE(cellInt(result.rows[3][ledBrightnessColumn(8)]), 0);
        QCOMPARE(cellInt(result.rows[3][18]), 0);
        QCOMPARE(cellInt(result.rows[4][ColLoopTimes]), 0);
        // The extremes of the range are numbers like any other.
        QCOMPARE(cellInt(result.rows[6][ColVolume]), -60);
        QCOMPARE(cellInt(result.rows[6][ColOperationTime]), 2147483647);
        QCOMPARE(cellInt(result.rows[6][ColDelayTime]), -2147483647 - 1);
        QCOMPARE(cellInt(result.rows[6][ColMusicControl]), 3);
        QVector<int> lines;
        for (const operationfile::Warning &w : result.warnings)
            lines << w.line;
        QCOMPARE(lines, (QVector<int>{3, 4, 5, 6, 7, 8}));
        // Written back as the 0 they read as.
        const QByteArray written = writeBytes(result.rows, false);
        QVERIFY(!written.contains(",2147483648;") && written.contains(",2147483647,") && written.contains(",-2147483648,"));
        QVERIFY(!written.contains("99999999999") && !written.contains("1215752191"));
        const operationfile::ReadResult again = readBytes(written);
        QVERIFY(again.ok());
        QVERIFY(again.warnings.isEmpty());
        QCOMPARE(flat(again.rows), flat(result.rows));
    }

    void readerFillsCells()
    {
        const QStringList lines{
            kHeader,
            "LED:81,0,0,0,0,0,0,0,164;",
            "LPS:4;",
            frameRecord("1,30,500,20,65535", -1500),
            frameRecord("1,30,500,20,4096"),
            "LED:0,0,0,0,0,0,0,0,0;",
            "LPE:;",
            frameRecord("1,30,500,20,0"),
        };
        const operationfile::ReadResult result = readBytes(lines.join('\n').toLatin1());
        QVERIFY(result.ok());
        QCOMPARE(result.rows.size(), 3);
        const FrameCells &a = result.rows[0];
        QCOMPARE(cellInt(a[ColLoopFlag]), 1);
        QCOMPARE(cellInt(a[ColLoopTimes]), 4);
        QCOMPARE(cellInt(a[ColMusicControl]), 3);
        QCOMPARE(cellInt(a[ColMusicType]), 1);
        QCOMPARE(cellInt(a[ColMusicFolder]), 1);
        QCOMPARE(cellInt(a[ColMusicFile]), 4095);
        QCOMPARE(cellInt(a[0]), -1500);
        QCOMPARE(cellInt(a[18]), -1500);
        QCOMPARE(cellInt(a[ColVolume]), 30);
        QCOMPARE(cellInt(a[ColOperationTime]), 500);
        QCOMPARE(cellInt(a[ColDelayTime]), 20);
        QCOMPARE(cellInt(a[ledBrightnessColumn(0)]), 5);
        QCOMPARE(cellInt(a[ledFrequencyColumn(0)]), 1);
        QCOMPARE(cellInt(a[ledBrightnessColumn(8)]), 10);
        QCOMPARE(cellInt(a[ledFrequencyColumn(8)]), 4);
        const FrameCells &b = result.rows[1];
        QCOMPARE(cellInt(b[ColLoopFlag]), 2);
        QCOMPARE(cellInt(b[ColLoopTimes]), 0);
        QCOMPARE(cellInt(b[ColMusicFolder]), 1);
        QCOMPARE(cellInt(b[ColMusicControl]), 0);
        // The LED record between the second frame and the loop end belongs to the third.
        QCOMPARE(cellInt(b[ledBrightnessColumn(0)]), 5);
        QCOMPARE(cellInt(result.rows[2][ledBrightnessColumn(0)]), 0);
        QCOMPARE(cellInt(result.rows[2][ColLoopFlag]), 0);
    }

    void roundTrips_data()
    {
        QTest::addColumn<FrameRows>("rows");
        QTest::addColumn<bool>("loopKey");
        QTest::newRow("example") << exampleRows() << false;
        QTest::newRow("nested loops")
            << FrameRows{loopFrame(1, 3), loopFrame(1, 1), loopFrame(0), loopFrame(2), loopFrame(2)} << true;
        QTest::newRow("music word 65535")
            << FrameRows{frame({{ColMusicControl, 3}, {ColMusicType, 1}, {ColMusicFolder, 1}, {ColMusicFile, 4095}})}
            << false;
        FrameRows varied;
        QRandomGenerator random(7);
        for (int r = 0; r < 40; ++r) {
            FrameCells cells;
            for (int c = 0; c < ServoCount; ++c)
                cells[c] = int(random.bounded(-3000, 3001));
            cells[ColOperationTime] = int(random.bounded(0, 30001));
            cells[ColDelayTime] = QString::number(random.bounded(0, 30001));
            cells[ColLoopFlag] = r == 3 ? 1 : r == 30 ? 2 : 0;
            cells[ColLoopTimes] = r == 3 ? 9 : 0;
            cells[ColMusicControl] = int(random.bounded(4));
            cells[ColMusicType] = int(random.bounded(2));
            cells[ColMusicFolder] = int(random.bounded(2));
            cells[ColMusicFile] = int(random.bounded(4096));
            cells[ColVolume] = int(random.bounded(101));
            for (int k = 0; k < LedChannelCount; ++k) {
                cells[ledBrightnessColumn(k)] = r % 5 ? int(random.bounded(11)) : 0;
                cells[ledFrequencyColumn(k)] = r % 5 ? int(random.bounded(5)) : 0;
            }
            varied << cells;
        }
        QTest::newRow("varied") << varied << true;
    }
    void roundTrips()
    {
        QFETCH(FrameRows, rows);
        QFETCH(bool, loopKey);
        const QByteArray bytes = writeBytes(rows, loopKey);
        const operationfile::ReadResult result = readBytes(bytes);
        QVERIFY(result.ok());
        QCOMPARE(result.loopKey, loopKey ? LoopKey::Checked : LoopKey::Unchecked);
        QCOMPARE(flat(result.rows), flat(rows));
        QCOMPARE(loopFlags(result.rows), loopFlags(rows));
        // Written again, the file is the same byte for byte.
        QCOMPARE(writeBytes(result.rows, loopKey), bytes);
    }

    // ------------------------------------------------------------ cells, flat form

    void cellsReadTextAndNumbersAlike_data()
    {
        QTest::addColumn<QVariant>("cell");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("number") << QVariant(600) << 600 << "600";
        QTest::newRow("text") << QVariant(QStringLiteral("600")) << 600 << "600";
        QTest::newRow("negative text") << QVariant(QStringLiteral("-250")) << -250 << "-250";
        QTest::newRow("text with blanks") << QVariant(QStringLiteral(" 60")) << 60 << " 60";
        QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << 0 << "0";
        QTest::newRow("decimal text") << QVariant(QStringLiteral("1.5")) << 0 << "0";
        QTest::newRow("empty text") << QVariant(QString()) << 0 << "0";
        QTest::newRow("empty cell") << QVariant() << 0 << "0";
        // Beyond an int: 0, not the number wrapped round.
        QTest::newRow("2147483648") << QVariant(QStringLiteral("2147483648")) << 0 << "0";
        QTest::newRow("99999999999") << QVariant(QStringLiteral("99999999999")) << 0 << "0";
        QTest::newRow("-2147483649") << QVariant(QStringLiteral("-2147483649")) << 0 << "0";
        QTest::newRow("NUL inside") << QVariant(QString::fromLatin1("12\0" "3", 4)) << 0 << "0";
    }
    void cellsReadTextAndNumbersAlike()
    {
        QFETCH(QVariant, cell);
        QFETCH(int, value);
        QFETCH(QString, text);
        QCOMPARE(cellInt(cell), value);
        QCOMPARE(cellText(cell), text);
    }

    void modelCellAccess()
    {
        FrameTableModel model;
        setCellValue(model, 0, 0, 5); // no row yet: no effect
        QCOMPARE(model.rowCount(), 0);
        appendRows(model, exampleRows());
        QCOMPARE(model.rowCount(), 2);
        setCellValue(model, 1, ColVolume, 77);
        setCellValue(model, 2, ColVolume, 88);
        setCellValue(model, 1, ColumnCount, 88);
        QCOMPARE(cellValue(model, 1, ColVolume), 77);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), ColumnCount);
        QCOMPARE(cellValue(model, 5, 0), 0);
        QCOMPARE(flat(rowsOf(model)), flatten(model));
    }

    void flatForm()
    {
        FrameTableModel model;
        QVERIFY(flatten(model).isEmpty());
        restore(model, {});
        QCOMPARE(model.rowCount(), 0);

        // Text read from a file and numbers flatten alike; restoring stores numbers.
        appendRows(model, readBytes(exampleBytes()).rows);
        const QVector<int> values = flatten(model);
        QCOMPARE(values.size(), 2 * ColumnCount);
        QCOMPARE(values, flat(exampleRows()));
        // Plain decimal text is held as its number.
        QCOMPARE(model.data(model.index(0, ColVolume), Qt::EditRole).userType(), int(QMetaType::Int));
        restore(model, values);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.data(model.index(0, ColVolume), Qt::EditRole).userType(), int(QMetaType::Int));
        QCOMPARE(flatten(model), values);

        // A short last group fills its row partly; the missing cells read as 0.
        restore(model, values.mid(0, ColumnCount + 3));
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(flatten(model).mid(ColumnCount, 3), values.mid(ColumnCount, 3));
        QCOMPARE(cellValue(model, 1, ColVolume), 0);

        restore(model, {});
        QCOMPARE(model.rowCount(), 0);
    }

    // A file whose numbers are not in their plain form (blanks, a plus sign,
    // leading zeros) goes through the table and back with the same bytes;
    // such a cell shows its text until it is given a new value.
    void oddNumberTextsKeepTheirBytes()
    {
        QString angles = zeros(19);
        angles.replace(0, 1, QStringLiteral(" 07"));
        const QByteArray bytes = crlf({kHeader, QStringLiteral("FLP:0;"), QStringLiteral("LED:0,0,0,0,0,0,0,0,0;"),
                                       QStringLiteral("FR:1,+60,0600, 100 ,0,") + angles + QStringLiteral(";"),
                                       QStringLiteral("FR:1,60,600,100,0,-5,") + zeros(18) + QStringLiteral(";"),
                                       QStringLiteral("END:;"), QString()});
        FrameTableModel model;
        appendRows(model, readBytes(bytes).rows);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(writeBytes(rowsOf(model), false), bytes);
        QCOMPARE(cellValue(model, 0, ColOperationTime), 600);
        QCOMPARE(cellValue(model, 0, 0), 7);
        QCOMPARE(model.data(model.index(0, ColVolume)), QVariant(QStringLiteral("+60")));
        QCOMPARE(model.data(model.index(0, ColDelayTime)), QVariant(QStringLiteral(" 100 ")));
        QCOMPARE(model.data(model.index(1, 0)), QVariant(-5));
        // A new value replaces the text, even the same number.
        model.setData(model.index(0, ColOperationTime), 600);
        QCOMPARE(model.data(model.index(0, ColOperationTime)), QVariant(600));
        setCellValue(model, 0, ColVolume, 61);
        QVERIFY(writeBytes(rowsOf(model), false).contains("FR:1,61,600, 100 ,0, 07,"));
    }

    void insertPosition_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("position");
        QTest::newRow("no current row") << -1 << 0;
        QTest::newRow("first") << 0 << 1;
        QTest::newRow("later") << 6 << 7;
    }
    void insertPosition()
    {
        QFETCH(int, current);
        QFETCH(int, position);
        QCOMPARE(frametable::insertPosition(current), position);
    }

    // ------------------------------------------------------------ packing

    void musicWord_data()
    {
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("folder");
        QTest::addColumn<int>("file");
        QTest::addColumn<int>("word");
        QTest::newRow("none") << 0 << 0 << 0 << 0 << 0;
        QTest::newRow("example") << 3 << 1 << 1 << 5 << 61445;
        QTest::newRow("all bits") << 3 << 1 << 1 << 4095 << 65535;
        QTest::newRow("pause mp3 sd") << 1 << 0 << 0 << 12 << 16396;
        QTest::newRow("stop wav sd") << 2 << 1 << 0 << 1 << 40961;
    }
    void musicWord()
    {
        QFETCH(int, control);
        QFETCH(int, type);
        QFETCH(int, folder);
        QFETCH(int, file);
        QFETCH(int, word);
        QCOMPARE(packing::musicWord({control, type, folder, file}), word);
        const packing::Music m = packing::unpackMusicWord(word);
        QCOMPARE(m.control, control);
        QCOMPARE(m.type, type);
        QCOMPARE(m.folder, folder);
        QCOMPARE(m.file, file);
    }

    void packingMasks()
    {
        // Fields wider than their bits cannot spill into their neighbours.
        QCOMPARE(packing::musicWord({4, 2, 2, 4096}), 0);
        QCOMPARE(packing::unpackMusicWord(65536 + 61445).file, 5);
        QCOMPARE(packing::ledByte({5, 1}), 81);
        QCOMPARE(packing::ledByte({10, 4}), 164);
        QCOMPARE(packing::ledByte({16, 17}), 1);
        const packing::Led led = packing::unpackLedByte(0x1A4);
        QCOMPARE(led.brightness, 10);
        QCOMPARE(led.frequency, 4);
    }

    // ------------------------------------------------------------ random input

    void randomFilesOpenSaveAndOpenAlike()
    {
        // Files made of well-formed records, records with a character dropped,
        // changed or added, and lines of fragments, numbers and noise: the
        // reader must finish quickly and keep its promises on every input.
        const QStringList records{frameRecord(), frameRecord("1,60,600,100,65535", -3000), frameRecord("1, 0 ,1,2,3"),
                                  "LED:81,0,0,0,0,0,0,0,164;", "LED:255,255,255,255,255,255,255,255,255;",
                                  "LPS:2;", "LPS:0;", "LPE:;", "FLP:0;", "FLP:65535;", "END:;", kHeader, "   "};
        const QStringList pieces{"FR:", "LPS:", "LPE:;", "LED:", "FLP:", "END:;", "#", ",", ";", ",,", " ", "\t",
                                 "0", "1", "65535", "-1", "99999999999", "2147483648", "x", "\xC3\xA9"};
        const QByteArray noise("\0\x01\x7f\x80\xff\r,;:", 10);
        // A fixed seed by default; GAITFORGE_SEED tries another.
        const quint32 seed = qEnvironmentVariableIsSet("GAITFORGE_SEED") ? qEnvironmentVariableIntValue("GAITFORGE_SEED")
                                                                         : 20240611u;
        QRandomGenerator random(seed);
        QElapsedTimer timer;
        timer.start();
        int accepted = 0;
        int withFrames = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes;
            const int lines = int(random.bounded(1, 40));
            for (int l = 0; l < lines; ++l) {
                QByteArray line;
                const int kind = int(random.bounded(10));
                if (kind < 7) {
                    line = records.at(int(random.bounded(records.size()))).toUtf8();
                    if (kind >= 5 && !line.isEmpty()) {
                        const int at = int(random.bounded(line.size()));
                        switch (random.bounded(3)) {
                        case 0: line.remove(at, 1); break;
                        case 1: line[at] = noise.at(int(random.bounded(noise.size()))); break;
                        default: line.insert(at, pieces.at(int(random.bounded(pieces.size()))).toUtf8());
                        }
                    }
                } else {
                    const int parts = int(random.bounded(0, 12));
                    for (int p = 0; p < parts; ++p)
                        line += random.bounded(8) ? pieces.at(int(random.bounded(pieces.size()))).toUtf8()
                                                  : QByteArray(1, char(random.bounded(256)));
                }
                bytes += line;
                bytes += random.bounded(3) ? "\r\n" : "\n";
            }
            const operationfile::ReadResult result = readBytes(bytes);
            QVERIFY(result.errorLine >= 0 && result.errorLine <= int(bytes.count('\n')) + 1);
            QCOMPARE(result.error == ReadError::None || result.error == ReadError::NotAMotion,
                     result.errorLine == 0);
            if (!result.ok()) {
                QVERIFY(result.rows.isEmpty());
                continue;
            }
            ++accepted;
            withFrames += result.rows.isEmpty() ? 0 : 1;
            // Whatever opens saves (normalize) into a file that opens to the
            // same frames, and saving that again changes no byte.
            const QString seedText = QStringLiteral("seed %1, round %2, file:\n%3")
                                         .arg(seed)
                                         .arg(round)
                                         .arg(QString::fromLatin1(bytes.toPercentEncoding(" ,;:#-\r\n")));
            int column = 0;
            QVERIFY2(operationfile::findUnstorableValue(result.rows, &column) < 0, qPrintable(seedText));
            int refused = 0;
            const QByteArray once = writeBytes(result.rows, result.loopKey == LoopKey::Checked, &refused);
            QVERIFY2(refused < 0, qPrintable(seedText));
            const operationfile::ReadResult again = readBytes(once);
            QVERIFY2(again.ok() && again.warnings.isEmpty(), qPrintable(seedText));
            QVERIFY2(flat(again.rows) == flat(result.rows), qPrintable(seedText));
            QVERIFY2(loopFlags(again.rows) == loopFlags(result.rows), qPrintable(seedText));
            QVERIFY2(writeBytes(again.rows, again.loopKey == LoopKey::Checked) == once, qPrintable(seedText));
        }
        QVERIFY2(withFrames > 300, qPrintable(QString::number(withFrames)));
        QVERIFY2(timer.elapsed() < 20000, "the reader is too slow on random input");
    }
};

QTEST_GUILESS_MAIN(TestOperationFile)
#include "tst_operationfile.moc"
