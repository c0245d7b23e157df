// The plain units that protect the robot and the work: joint limits from a
// configure file's user limits, the mirror partner rule of mirrored posing
// against the mirror command, and the autosave file.

#include <QtTest>

#include <climits>

#include "motion/autosavefile.h"
#include "motion/editing.h"
#include "motion/jointlimits.h"

class TestProtection : public QObject
{
    Q_OBJECT

private slots:
    void jointLimits()
    {
        // Before any configure file: the default range everywhere.
        const jointlimits::Limits none = jointlimits::defaults();
        QVERIFY(!none.configRead);
        QCOMPARE(jointlimits::clamp(none, 6, 2000), jointlimits::DefaultMaximum);
        QCOMPARE(jointlimits::clamp(none, 20, -3000), jointlimits::DefaultMinimum);
        QCOMPARE(jointlimits::clamp(none, 21, 3000), 3000); // no such servo: untouched

        // A pair with room (servo 6) is taken; 0/0 (servo 2) and an inverted
        // pair (servo 20) leave the default range.
        std::array<int, 19> minimums{}, maximums{};
        minimums[4] = -300;
        maximums[4] = 450;
        minimums[18] = 100;
        maximums[18] = -100;
        const jointlimits::Limits limits = jointlimits::fromConfig(minimums, maximums);
        QVERIFY(limits.configRead);
        QVERIFY(limits.of(6).fromConfig);
        QVERIFY(!limits.of(2).fromConfig);
        QVERIFY(!limits.of(20).fromConfig);
        QCOMPARE(limits.of(20).maximum, jointlimits::DefaultMaximum);
        QCOMPARE(jointlimits::clamp(limits, 6, 451), 450);
        QCOMPARE(jointlimits::clamp(limits, 6, -301), -300);
        QCOMPARE(jointlimits::clamp(limits, 6, 450), 450);
        QVERIFY(jointlimits::inRange(limits, 6, -300));

        std::array<int, 19> angles{};
        angles[4] = 451;    // servo 6, one past its maximum
        angles[0] = -1351;  // head, one past the default
        angles[18] = 1350;  // servo 20 at the default limit: inside
        QCOMPARE(jointlimits::servosOutside(limits, angles), (QVector<int>{2, 6}));
        QVERIFY(limits != none);
    }

    // Mirrored posing gives a partner the angle the mirror command would give
    // it from the edited joint, for every joint with a partner; the head and
    // the extra servos have none.
    void mirrorPartnerAgainstMirrorCommand()
    {
        for (int servo = 2; servo <= 20; ++servo) {
            std::array<int, 19> pose{};
            for (int i = 0; i < 19; ++i)
                pose[size_t(i)] = 37 * i - 300;
            const int value = 100 + 7 * servo;
            pose[size_t(servo - 2)] = value;
            const editing::AngleStep step = editing::partnerStep(servo, value);
            if (servo == 2 || servo >= 19) {
                QCOMPARE(step.first, 0);
                continue;
            }
            const std::array<int, 19> mirrored = editing::applySteps(pose, editing::mirrorSteps(pose));
            QVERIFY(step.first >= 3 && step.first <= 18);
            QCOMPARE(editing::mirrorPartner(step.first), servo);
            QCOMPARE(step.second, mirrored[size_t(step.first - 2)]);
        }
    }

    void autosaveFile()
    {
        autosavefile::Content content;
        content.documentPath = QStringLiteral("/tmp/a;b/舞 dance%20.ini");
        content.loopKey = true;
        for (int i = 0; i < 2 * 46; ++i)
            content.frames.append(i == 3 ? INT_MIN : i == 26 ? 5000 : i - 40);
        autosavefile::Content read;
        QVERIFY(autosavefile::decode(autosavefile::encode(content), &read));
        QCOMPARE(read.documentPath, content.documentPath);
        QCOMPARE(read.loopKey, true);
        QCOMPARE(read.frames, content.frames);

        // An unnamed empty document.
        QVERIFY(autosavefile::decode(autosavefile::encode({}), &read));
        QVERIFY(read.documentPath.isEmpty() && read.frames.isEmpty() && !read.loopKey);

        // Anything but a whole copy is refused and leaves the content alone.
        const QByteArray whole = autosavefile::encode(content);
        read.frames = {1};
        for (const QByteArray &bad :
             {whole.left(whole.size() - 8), whole.left(whole.indexOf("ROW:") + 30), QByteArray(whole).replace(",5000,", ","),
              QByteArray(whole).replace(",5000,", ",x,"), whole + "ROW:1;\r\n", QByteArray("END:;\r\n"), QByteArray()}) {
            QVERIFY2(!autosavefile::decode(bad, &read), bad.right(40).constData());
            QCOMPARE(read.frames, QVector<int>{1});
        }

        // One copy per document: same name in two folders gives two copies.
        const QString a = autosavefile::fileName(QStringLiteral("/x/dance.ini"), QStringLiteral("1"));
        QVERIFY(a.startsWith(QStringLiteral("dance-")) && a.endsWith(autosavefile::extension()));
        QVERIFY(a != autosavefile::fileName(QStringLiteral("/y/dance.ini"), QStringLiteral("1")));
        QCOMPARE(autosavefile::fileName(QString(), QStringLiteral("7-9")), QStringLiteral("unnamed-7-9.autosave"));
    }
};

QTEST_APPLESS_MAIN(TestProtection)
#include "tst_protection.moc"
