// The bus scan against the virtual robot: servos 2..20 with two absent are
// scanned within 1.5 s, a duplicated address and a misaddressed servo are
// told apart from noise on the line (also over a hundred scans in a row with
// every fiftieth answer damaged), and gaitforge-cli robot PORT scan prints
// one line per address and exits 1 when a servo is missing.

#include <QtTest>
#include <QProcess>

#include "link/busscanner.h"
#include "link/robotlink.h"
#include "support/robotsimprocess.h"
#include "support/scriptedprompt.h"

class TestBusScan : public QObject
{
    Q_OBJECT

    static bool openGreeted(RobotLink &link, const RobotSimProcess &robot)
    {
        link.open(robot.port, false);
        return QTest::qWaitFor([&] { return link.greeted(); }, 5000);
    }

    static QStringList unusual(const QList<BusScan::Entry> &entries)
    {
        QStringList out;
        for (const BusScan::Entry &e : entries)
            if (e.state != BusScan::State::Present)
                out << BusScan::line(e);
        return out;
    }

    // Scans once; the entries and the time it took (ms).
    static QList<BusScan::Entry> scanOnce(RobotLink &link, qint64 *ms, int gapMs = -1)
    {
        BusScanner scanner(link);
        scanner.setGapMs(gapMs);
        QList<BusScan::Entry> entries;
        bool over = false;
        connect(&scanner, &BusScanner::finished, [&](const QList<BusScan::Entry> &result) {
            entries = result;
            over = true;
        });
        QElapsedTimer clock;
        clock.start();
        if (!scanner.start())
            return entries;
        if (!QTest::qWaitFor([&] { return over; }, 5000))
            return entries;
        *ms = clock.elapsed();
        return entries;
    }

private slots:
    void twoAbsentWithinTheTime()
    {
        RobotSimProcess robot({QStringLiteral("--absent-servos"), QStringLiteral("7,15")});
        QVERIFY(robot.ok());
        ScriptedPrompt prompt;
        RobotLink link(prompt, nullptr);
        QVERIFY(openGreeted(link, robot));
        for (int round = 0; round < 2; ++round) {
            qint64 ms = 0;
            const QList<BusScan::Entry> entries = scanOnce(link, &ms);
            QCOMPARE(entries.size(), 19);
            QCOMPARE(unusual(entries), (QStringList{QStringLiteral("7: missing"), QStringLiteral("15: missing")}));
            QCOMPARE(BusScan::line(entries[0]), QStringLiteral("2: present model 17 version 258"));
            qInfo("scan %d: %lld ms", round + 1, ms);
            QVERIFY2(ms <= 1500, qPrintable(QString::number(ms)));
        }
    }

    void duplicateAndStrangerBesideNoise()
    {
        // Every seventh answer damaged on top: asked again, never a duplicate.
        RobotSimProcess robot({QStringLiteral("--duplicate-servo"), QStringLiteral("9"), QStringLiteral("--stranger-servo"),
                               QStringLiteral("12"), QStringLiteral("--corrupt-every"), QStringLiteral("7")});
        QVERIFY(robot.ok());
        ScriptedPrompt prompt;
        RobotLink link(prompt, nullptr);
        QVERIFY(openGreeted(link, robot));
        qint64 ms = 0;
        QCOMPARE(unusual(scanOnce(link, &ms)),
                 (QStringList{QStringLiteral("9: unreliable (damaged answers: two servos on one address)"),
                              QStringLiteral("12: unreliable (answer from address 112, which was not asked)")}));
        QVERIFY(!robot.requests(QStringLiteral("Read ServoModel")).filter(QStringLiteral("stranger=112")).isEmpty());
    }

    void noFalseDuplicateUnderNoise()
    {
        // Every servo present on a 1.5 Mbaud line, every fiftieth answer
        // damaged: a hundred scans, each finding all nineteen present. The
        // reads follow each other without a gap (the robot answers within
        // a millisecond on this line), so no scan waits out a silence; what
        // a scan makes of a damaged answer is the same at any gap.
        RobotSimProcess robot({QStringLiteral("--corrupt-every"), QStringLiteral("50"), QStringLiteral("--baud"),
                               QStringLiteral("1500000")});
        QVERIFY(robot.ok());
        ScriptedPrompt prompt;
        RobotLink link(prompt, nullptr);
        QVERIFY(openGreeted(link, robot));
        QList<qint64> times;
        for (int round = 0; round < 100; ++round) {
            qint64 ms = -1;
            const QList<BusScan::Entry> entries = scanOnce(link, &ms, 0);
            QVERIFY2(ms >= 0, qPrintable(QStringLiteral("scan %1 did not end").arg(round + 1)));
            QCOMPARE(entries.size(), 19);
            const QStringList odd = unusual(entries);
            QVERIFY2(odd.isEmpty(), qPrintable(QStringLiteral("scan %1: %2").arg(round + 1).arg(odd.join(QStringLiteral("; ")))));
            times << ms;
        }
        // The noise did reach the scans' answers: 38 reads a scan at the least.
        const QStringList log = robot.requests();
        QFile f(robot.logPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const int damaged = int(f.readAll().count("# corrupted answer"));
        QVERIFY2(damaged >= 3800 / 50, qPrintable(QString::number(damaged)));
        QVERIFY(log.filter(QStringLiteral("Read ServoModel")).size() >= 1900);
        std::sort(times.begin(), times.end());
        qInfo("100 scans, %d damaged answers: min %lld ms, median %lld ms, max %lld ms", damaged, times.first(),
              times[50], times.last());
    }

    void commandLine()
    {
        RobotSimProcess robot({QStringLiteral("--absent-servos"), QStringLiteral("7,15"), QStringLiteral("--duplicate-servo"),
                               QStringLiteral("4")});
        QVERIFY(robot.ok());
        QProcess cli;
        cli.start(QString::fromLocal8Bit(qgetenv("GAITFORGE_CLI")), {QStringLiteral("robot"), robot.port, QStringLiteral("scan")});
        QVERIFY(cli.waitForFinished(20000));
        QCOMPARE(cli.exitCode(), 1);
        const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 19);
        QCOMPARE(lines[0], QStringLiteral("2: present model 17 version 258"));
        QCOMPARE(lines[2], QStringLiteral("4: unreliable (damaged answers: two servos on one address)"));
        QCOMPARE(lines[5], QStringLiteral("7: missing"));
        QCOMPARE(lines[13], QStringLiteral("15: missing"));
        QCOMPARE(lines[18], QStringLiteral("20: present model 17 version 258"));
        QCOMPARE(cli.readAllStandardError(), QByteArray());
    }
};

QTEST_MAIN(TestBusScan)
#include "tst_busscan.moc"
