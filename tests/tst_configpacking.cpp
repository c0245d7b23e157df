// The packing of the settings pages' choices into the configure file's
// values: every choice the pages offer packs and unpacks to itself, every
// value the pages can write unpacks and packs to itself and no other value
// does, and choices beyond the offered items pack to the nearest item.

#include <QtTest>

#include <climits>

#include "robot/configpacking.h"

using namespace configpacking;

class TestConfigPacking : public QObject
{
    Q_OBJECT

private slots:
    // LED colour: brightness * 16 + frequency.
    void ledRoundTrip()
    {
        for (int b = 0; b <= MaxBrightness; ++b)
            for (int f = 0; f <= MaxFrequency; ++f) {
                const int v = packLed({b, f});
                QCOMPARE(v, b * 16 + f);
                QCOMPARE(unpackLed(v).brightness, b);
                QCOMPARE(unpackLed(v).frequency, f);
            }
        // Every byte: only what the page can write comes back as itself.
        int valid = 0;
        for (int v = 0; v < 256; ++v) {
            const Led led = unpackLed(v);
            const bool offered = (v >> 4) <= MaxBrightness && (v & 15) <= MaxFrequency;
            QVERIFY2((packLed(led) == v) == offered, qPrintable(QString::number(v)));
            valid += offered;
        }
        QCOMPARE(valid, 11 * 5);
    }

    // Values the pages cannot show: the file's masks first, then the nearest
    // item ("100 %", "random").
    void ledOutOfRange()
    {
        QCOMPARE(unpackLed(255).brightness, 15);
        QCOMPARE(unpackLed(255).frequency, 7);
        QCOMPARE(packLed(unpackLed(255)), 10 * 16 + 4);
        QCOMPARE(unpackLed(8).frequency, 0);  // frequency is value AND 7
        QCOMPARE(unpackLed(0x1ab).brightness, 10);  // bits above the byte are dropped
        QCOMPARE(packLed({-1, -5}), 0);
        QCOMPARE(packLed({11, 5}), 10 * 16 + 4);
        QCOMPARE(packLed({INT_MAX, INT_MIN}), 10 * 16);
        const Led negative = unpackLed(-1);
        QVERIFY(negative.brightness >= 0 && negative.brightness <= 15);
        QVERIFY(negative.frequency >= 0 && negative.frequency <= 7);
    }

    // Radio channel: hopping * 256 + channel; an "SC:" of 300 is hopping on
    // channel 44.
    void channelRoundTrip()
    {
        for (int hop = 0; hop <= 1; ++hop)
            for (int channel = 0; channel <= MaxChannel; ++channel) {
                const int v = packChannel({hop, channel});
                QCOMPARE(v, hop * 256 + channel);
                QCOMPARE(unpackChannel(v).hopping, hop);
                QCOMPARE(unpackChannel(v).channel, channel);
            }
        for (int v = -1; v < 1024; ++v) {
            const bool offered = (v >= 0 && v <= MaxChannel) || (v >= 256 && v <= 256 + MaxChannel);
            QVERIFY2((packChannel(unpackChannel(v)) == v) == offered, qPrintable(QString::number(v)));
        }
        QCOMPARE(unpackChannel(300).hopping, 1);
        QCOMPARE(unpackChannel(300).channel, 44);
        QCOMPARE(unpackChannel(255).hopping, 0);
        QCOMPARE(unpackChannel(127).channel, 127);  // the box then shows 125
        QCOMPARE(packChannel({2, 126}), 256 + 125);
        QCOMPARE(packChannel({-1, -1}), 0);
        QCOMPARE(unpackBroadcast(128 + 5), 5);
    }

    // Radio mode: bandwidth * 256 + power.
    void modeRoundTrip()
    {
        for (int bandwidth = 0; bandwidth <= MaxBandwidth; ++bandwidth)
            for (int power = 0; power <= MaxPower; ++power) {
                const int v = packMode({bandwidth, power});
                QCOMPARE(v, bandwidth * 256 + power);
                QCOMPARE(unpackMode(v).bandwidth, bandwidth);
                QCOMPARE(unpackMode(v).power, power);
            }
        for (int v = -1; v < 2048; ++v) {
            const bool offered = (v >> 8) >= 0 && (v >> 8) <= MaxBandwidth && (v & 255) <= MaxPower;
            QVERIFY2((packMode(unpackMode(v)) == v) == offered, qPrintable(QString::number(v)));
        }
        QCOMPARE(unpackMode(770).bandwidth, 3);  // 3 * 256 + 2: no fourth bandwidth
        QCOMPARE(unpackMode(770).power, 2);
        QCOMPARE(packMode(unpackMode(770)), 2 * 256 + 2);
        QCOMPARE(packMode({5, 9}), 2 * 256 + 3);
    }

    // Switches and the remote key map.
    void switchesAndKeys()
    {
        QCOMPARE(unpackSwitch(0), 0);
        QCOMPARE(unpackSwitch(1), 1);
        QCOMPARE(unpackSwitch(3), 1);
        QCOMPARE(unpackSwitch(2), 0);
        QCOMPARE(keyEntry(2), 1);
        QCOMPARE(keyEntry(-1), 0);
        QCOMPARE(keyEntry(1), 1);
        // Thirteen boxes over entries 0 to 11 and 13; entry 12 has none.
        QCOMPARE(int(KeyFunctionEntries.size()), 13);
        QVERIFY(std::find(KeyFunctionEntries.begin(), KeyFunctionEntries.end(), 12) == KeyFunctionEntries.end());
        QCOMPARE(KeyFunctionEntries.back(), 13);
        QVERIFY(std::is_sorted(KeyFunctionEntries.begin(), KeyFunctionEntries.end()));
    }
};

QTEST_GUILESS_MAIN(TestConfigPacking)
#include "tst_configpacking.moc"
