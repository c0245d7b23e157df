#pragma once
// Starts the virtual robot (gaitforge-robotsim) on a pseudo-terminal for a link
// test, with its drives and request log in a temporary folder, and reads its
// log back. When it goes, it fails the test in which the robot's receive
// buffer overflowed (bytes the program sent were lost), unless the test
// expected that.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class RobotSimProcess
{
public:
    // Extra options for the robot ("--refuse-files", "--silent-after", "2" ...).
    // Its drives start empty (no factory robotcfg.ini) unless factoryConfig.
    explicit RobotSimProcess(const QStringList &options = {}, bool factoryConfig = false)
    {
        const QString program = QString::fromLocal8Bit(qgetenv("GAITFORGE_ROBOTSIM"));
        process.setProgram(program);
        process.setArguments(QStringList{QStringLiteral("--root"), dir.path() + QStringLiteral("/drives"),
                                         QStringLiteral("--log"), logPath()}
                             + (factoryConfig ? QStringList() : QStringList{QStringLiteral("--blank-drives")})
                             + options);
        process.setProcessChannelMode(QProcess::SeparateChannels);
        process.start();
        if (!process.waitForStarted(5000))
            return;
        QElapsedTimer clock;
        clock.start();
        QByteArray out;
        while (!out.contains('\n') && clock.elapsed() < 5000) {
            process.waitForReadyRead(100);
            out += process.readAllStandardOutput();
        }
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("port (\\S+)")).match(QString::fromLocal8Bit(out));
        if (m.hasMatch())
            port = m.captured(1);
    }

    ~RobotSimProcess()
    {
        process.terminate();
        if (!process.waitForFinished(3000))
            process.kill();
        process.waitForFinished(1000);
        const QStringList lost = overflows();
        if (ok() && !overflowExpected && !lost.isEmpty())
            QTest::qFail(qPrintable(QStringLiteral("the robot's receive buffer overflowed: ") + lost.first()),
                         __FILE__, __LINE__);
    }

    // The log's reports of a full receive buffer.
    QStringList overflows() const
    {
        QFile f(logPath());
        QStringList lines;
        if (f.open(QIODevice::ReadOnly | QIODevice::Text))
            for (const QByteArray &raw : f.readAll().split('\n'))
                if (raw.contains("overflow"))
                    lines << QString::fromUtf8(raw);
        return lines;
    }
    // Set by a test that makes the robot overflow on purpose.
    bool overflowExpected = false;

    bool ok() const { return !port.isEmpty(); }
    QString logPath() const { return dir.path() + QStringLiteral("/robot.log"); }
    QString drive(int n) const { return dir.path() + QStringLiteral("/drives/") + QString::number(n); }
    QString scratch() const { return dir.path(); }

    // The request lines of the log (time stripped), optionally those that
    // start with a request name.
    QStringList requests(const QString &startingWith = QString()) const
    {
        QFile f(logPath());
        QStringList lines;
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            return lines;
        for (const QByteArray &raw : f.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw);
            const int space = line.indexOf(QLatin1Char(' '));
            if (space < 0)
                continue;
            const QString rest = line.mid(space + 1);
            // Comments, and what the robot says of a servo held again, are no requests.
            if (rest.startsWith(QLatin1Char('#')) || rest.startsWith(QLatin1String("hold servo ")))
                continue;
            if (startingWith.isEmpty() || rest.startsWith(startingWith))
                lines << rest;
        }
        return lines;
    }

    // Times (seconds since the robot started) of the requests starting with name.
    QList<double> times(const QString &name) const
    {
        QFile f(logPath());
        QList<double> out;
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            return out;
        for (const QByteArray &raw : f.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw);
            const int space = line.indexOf(QLatin1Char(' '));
            if (space > 0 && line.mid(space + 1).startsWith(name))
                out << line.left(space).toDouble();
        }
        return out;
    }

    QTemporaryDir dir;
    QProcess process;
    QString port;
};
