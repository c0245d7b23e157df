// The music view's plain rules: decoded samples, waveform points and ranges,
// the play-line step, the scroll bar and axis mapping, and the delay offered
// by a double-click on the plot.

#include <QtTest>

#include "music/waveform.h"

using namespace music;

Q_DECLARE_METATYPE(music::DelayOffer::Kind)

class TestMusicUnits : public QObject
{
    Q_OBJECT

    static Samples ramp(int n)
    {
        Samples s(n);
        for (int i = 0; i < n; ++i)
            s[i] = qint16((i % 600) - 300);
        return s;
    }

private slots:
    void samples_data()
    {
        QTest::addColumn<QVector<qint16>>("pcm");
        QTest::addColumn<int>("channels");
        QTest::addColumn<QVector<qint16>>("expected");
        QTest::newRow("truncate toward zero") << QVector<qint16>{199, -199, 99, -99, 100, -100}
                                              << 1 << QVector<qint16>{1, -1, 0, 0, 1, -1};
        QTest::newRow("full scale") << QVector<qint16>{32767, -32768} << 1 << QVector<qint16>{327, -327};
        QTest::newRow("stereo keeps first channel") << QVector<qint16>{500, 9000, -700, 9000} << 2
                                                    << QVector<qint16>{5, -7};
        QTest::newRow("empty") << QVector<qint16>{} << 1 << QVector<qint16>{};
    }
    void samples()
    {
        QFETCH(QVector<qint16>, pcm);
        QFETCH(int, channels);
        QFETCH(QVector<qint16>, expected);
        Samples s{42};
        appendSamples(s, pcm.constData(), pcm.size() / channels, channels);
        QCOMPARE(s.mid(1), expected);
        QCOMPARE(s.first(), qint16(42));   // appended, not replaced
    }

    void progress_data()
    {
        QTest::addColumn<qint64>("position");
        QTest::addColumn<qint64>("duration");
        QTest::addColumn<double>("last");
        QTest::addColumn<bool>("reported");
        QTest::addColumn<double>("stored");
        QTest::newRow("first report") << qint64(50) << qint64(1000) << -1.0 << true << 0.05;
        QTest::newRow("small step") << qint64(150) << qint64(1000) << 0.05 << false << 0.05;
        QTest::newRow("exactly 0.1 is not more") << qint64(300) << qint64(1000) << 0.2 << false << 0.2;
        QTest::newRow("bigger step") << qint64(400) << qint64(1000) << 0.2 << true << 0.4;
        QTest::newRow("unknown duration") << qint64(400) << qint64(-1) << 0.2 << false << 0.2;
        QTest::newRow("zero duration") << qint64(400) << qint64(0) << -1.0 << false << -1.0;
        QTest::newRow("unknown position") << qint64(-1) << qint64(1000) << -1.0 << false << -1.0;
    }
    void progress()
    {
        QFETCH(qint64, position);
        QFETCH(qint64, duration);
        QFETCH(double, last);
        QFETCH(bool, reported);
        QFETCH(double, stored);
        QCOMPARE(progressReport(position, duration, &last), reported);
        QCOMPARE(last, stored);
    }

    void waveform_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("points");
        QTest::addColumn<double>("xLower");
        QTest::addColumn<double>("xUpper");
        QTest::addColumn<double>("lastX");
        QTest::newRow("61.25 s") << 61250 << 613 << 0.0 << 61.25 << 61.2;
        QTest::newRow("multiple of 100: no stray point") << 61200 << 612 << 0.0 << 61.2 << 61.1;
        QTest::newRow("one sample") << 1 << 1 << 0.0 << 0.001 << 0.0;
        QTest::newRow("101 samples") << 101 << 2 << 0.0 << 0.101 << 0.1;
    }
    void waveform()
    {
        QFETCH(int, n);
        QFETCH(int, points);
        QFETCH(double, xLower);
        QFETCH(double, xUpper);
        QFETCH(double, lastX);
        const Samples s = ramp(n);
        const Waveform w = waveformPoints(s);
        QCOMPARE(w.x.size(), points);
        QCOMPARE(w.y.size(), points);
        for (int k = 0; k < points; ++k) {
            QCOMPARE(w.x.at(k), k * 100 / 1000.0);
            QCOMPARE(w.y.at(k), double(s.at(k * 100)));   // every hundredth sample, no averaging
        }
        QCOMPARE(w.x.last(), lastX);
        QCOMPARE(w.xCentre - w.xSize / 2, xLower);
        QCOMPARE(w.xCentre + w.xSize / 2, xUpper);
    }

    void waveformYRange_data()
    {
        QTest::addColumn<QVector<qint16>>("values");   // the sampled points
        QTest::addColumn<double>("ySize");
        QTest::addColumn<int>("largest");
        QTest::addColumn<int>("smallest");
        QTest::newRow("symmetric") << QVector<qint16>{-300, 0, 300} << 600.0 << 300 << -300;
        QTest::newRow("louder above: nothing cut off") << QVector<qint16>{-100, 250} << 500.0 << 250 << -100;
        QTest::newRow("louder below") << QVector<qint16>{-320, 20} << 640.0 << 20 << -320;
        QTest::newRow("silence keeps a usable range") << QVector<qint16>{0, 0, 0} << MinimumYSize << 0 << 0;
    }
    void waveformYRange()
    {
        QFETCH(QVector<qint16>, values);
        QFETCH(double, ySize);
        QFETCH(int, largest);
        QFETCH(int, smallest);
        Samples s(values.size() * 100, qint16(7));
        for (int k = 0; k < values.size(); ++k)
            s[k * 100] = values.at(k);
        const Waveform w = waveformPoints(s);
        QCOMPARE(w.yCentre, 0.0);
        QCOMPARE(w.ySize, ySize);
        QCOMPARE(int(w.largest), largest);
        QCOMPARE(int(w.smallest), smallest);
    }

    void waveformEmpty()
    {
        const Waveform w = waveformPoints({});
        QVERIFY(w.x.isEmpty());
        QVERIFY(w.y.isEmpty());
        QCOMPARE(w.xCentre, StartXCentre);
        QCOMPARE(w.xSize, StartXSize);
        QCOMPARE(w.ySize, StartYSize);
    }

    void playLine_data()
    {
        QTest::addColumn<qint64>("last");
        QTest::addColumn<qint64>("position");
        QTest::addColumn<bool>("moves");
        QTest::newRow("400 ms later") << qint64(10000) << qint64(10400) << false;
        QTest::newRow("499 ms later") << qint64(10000) << qint64(10499) << false;
        QTest::newRow("500 ms later") << qint64(10000) << qint64(10500) << true;
        QTest::newRow("back 499 ms") << qint64(10000) << qint64(9501) << false;
        QTest::newRow("back to start") << qint64(10000) << qint64(0) << true;
        QTest::newRow("same place") << qint64(0) << qint64(0) << false;
    }
    void playLine()
    {
        QFETCH(qint64, last);
        QFETCH(qint64, position);
        QFETCH(bool, moves);
        QCOMPARE(playLineMoves(last, position), moves);
    }

    void scrollToAxis_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("axisCentre");
        QTest::addColumn<double>("hCentre");
        QTest::addColumn<double>("vCentre");
        QTest::addColumn<bool>("hFollows");
        QTest::addColumn<bool>("vFollows");
        QTest::newRow("centre") << 0 << 0.0 << 0.0 << 0.0 << false << false;
        QTest::newRow("right/down") << 250 << 0.0 << 2.5 << -2.5 << true << true;
        QTest::newRow("echo of the axis") << 250 << 2.5 << 2.5 << -2.5 << false << true;
        QTest::newRow("within 0.01") << -300 << -3.005 << -3.0 << 3.0 << false << true;
        QTest::newRow("vertical echo") << -300 << 3.0 << -3.0 << 3.0 << true << false;
    }
    void scrollToAxis()
    {
        QFETCH(int, value);
        QFETCH(double, axisCentre);
        QFETCH(double, hCentre);
        QFETCH(double, vCentre);
        QFETCH(bool, hFollows);
        QFETCH(bool, vFollows);
        QCOMPARE(horizontalScrollCentre(value), hCentre);
        QCOMPARE(verticalScrollCentre(value), vCentre);
        QCOMPARE(axisMustFollow(axisCentre, hCentre), hFollows);
        QCOMPARE(axisMustFollow(axisCentre, vCentre), vFollows);
    }

    void axisToScroll_data()
    {
        QTest::addColumn<double>("centre");
        QTest::addColumn<double>("size");
        QTest::addColumn<int>("hValue");
        QTest::addColumn<int>("vValue");
        QTest::addColumn<int>("pageStep");
        QTest::newRow("start x") << 0.0 << 6.0 << 0 << 0 << 600;
        QTest::newRow("61.25 s file") << 30.625 << 61.25 << 3063 << -3063 << 6125;
        QTest::newRow("rounds to nearest") << 1.234 << 0.005 << 123 << -123 << 1;
        QTest::newRow("negative half rounds away") << -0.005 << 1.0 << -1 << 1 << 100;
        QTest::newRow("huge stays defined") << 1e300 << 1e300 << 2000000000 << -2000000000 << 2000000000;
    }
    void axisToScroll()
    {
        QFETCH(double, centre);
        QFETCH(double, size);
        QFETCH(int, hValue);
        QFETCH(int, vValue);
        QFETCH(int, pageStep);
        QCOMPARE(horizontalScrollFor(centre, size).value, hValue);
        QCOMPARE(horizontalScrollFor(centre, size).pageStep, pageStep);
        QCOMPARE(verticalScrollFor(centre, size).value, vValue);
        QCOMPARE(verticalScrollFor(centre, size).pageStep, pageStep);
    }

    void delay_data()
    {
        QTest::addColumn<QVector<int>>("flat");   // (operation, delay, music control) per row
        QTest::addColumn<int>("current");
        QTest::addColumn<qint64>("clickMs");
        QTest::addColumn<music::DelayOffer::Kind>("kind");
        QTest::addColumn<qint64>("elapsed");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        // Music frame 1000+1000, between 3000+4000 -> S = 9000; click at 12.5 s.
        QTest::newRow("offer 0..3500") << QVector<int>{600, 100, 0, 1000, 1000, 3, 3000, 4000, 0, 500, 500, 0}
                                       << 3 << qint64(12500) << DelayOffer::Offer << qint64(9000) << 0 << 3500;
        QTest::newRow("current frame plays: S = 0") << QVector<int>{600, 100, 3, 1000, 1000, 3} << 1
                                                    << qint64(2000) << DelayOffer::Offer << qint64(0) << 0 << 2000;
        QTest::newRow("nearest play frame counts") << QVector<int>{100, 100, 3, 200, 200, 3, 300, 300, 0} << 2
                                                   << qint64(5000) << DelayOffer::Offer << qint64(400) << 0 << 4600;
        QTest::newRow("no music frame") << QVector<int>{600, 100, 0, 600, 100, 2} << 1 << qint64(12500)
                                        << DelayOffer::None << qint64(0) << 0 << 0;
        QTest::newRow("music only after current") << QVector<int>{600, 100, 0, 600, 100, 3} << 0 << qint64(12500)
                                                  << DelayOffer::None << qint64(0) << 0 << 0;
        QTest::newRow("no current frame") << QVector<int>{600, 100, 3} << -1 << qint64(12500) << DelayOffer::None
                                          << qint64(0) << 0 << 0;
        QTest::newRow("current beyond table") << QVector<int>{600, 100, 3} << 4 << qint64(12500)
                                              << DelayOffer::None << qint64(0) << 0 << 0;
        QTest::newRow("click at S") << QVector<int>{1000, 1000, 3, 0, 0, 0} << 1 << qint64(2000)
                                    << DelayOffer::TooEarly << qint64(2000) << 0 << 0;
        QTest::newRow("click before zero") << QVector<int>{0, 0, 3} << 0 << qint64(-1500) << DelayOffer::TooEarly
                                           << qint64(0) << 0 << 0;
        QTest::newRow("gap above one spin box") << QVector<int>{0, 0, 3} << 0 << qint64(45000) << DelayOffer::Offer
                                                << qint64(0) << 15000 << 30000;
        QTest::newRow("gap fills both") << QVector<int>{0, 0, 3} << 0 << qint64(60000) << DelayOffer::Offer
                                        << qint64(0) << 30000 << 30000;
        QTest::newRow("gap too long for a frame") << QVector<int>{0, 0, 3} << 0 << qint64(60001)
                                                  << DelayOffer::TooLate << qint64(0) << 0 << 0;
    }
    void delay()
    {
        QFETCH(QVector<int>, flat);
        QFETCH(int, current);
        QFETCH(qint64, clickMs);
        QFETCH(music::DelayOffer::Kind, kind);
        QFETCH(qint64, elapsed);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QVector<FrameTiming> frames;
        for (int i = 0; i + 2 < flat.size(); i += 3)
            frames.append({flat[i], flat[i + 1], flat[i + 2]});
        const DelayOffer offer = delayOffer(frames, current, clickMs);
        QCOMPARE(offer.kind, kind);
        if (kind == DelayOffer::None)
            return;
        QCOMPARE(offer.elapsed, elapsed);
        QCOMPARE(offer.gap, clickMs - elapsed);
        if (kind != DelayOffer::Offer)
            return;
        QCOMPARE(offer.minimum, minimum);
        QCOMPARE(offer.maximum, maximum);
    }

    void timesForDelay_data()
    {
        QTest::addColumn<qint64>("gap");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("entered");
        QTest::addColumn<int>("delayTime");
        QTest::addColumn<int>("operationTime");
        QTest::newRow("500 of 3500") << qint64(3500) << 0 << 3500 << 500 << 500 << 3000;
        QTest::newRow("all delay") << qint64(3500) << 0 << 3500 << 3500 << 3500 << 0;
        QTest::newRow("above the range") << qint64(3500) << 0 << 3500 << 9000 << 3500 << 0;
        QTest::newRow("below the range") << qint64(45000) << 15000 << 30000 << 0 << 15000 << 30000;
    }
    void timesForDelay()
    {
        QFETCH(qint64, gap);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, entered);
        QFETCH(int, delayTime);
        QFETCH(int, operationTime);
        DelayOffer offer;
        offer.kind = DelayOffer::Offer;
        offer.gap = gap;
        offer.minimum = minimum;
        offer.maximum = maximum;
        const FrameTimes t = music::timesForDelay(offer, entered);
        QCOMPARE(t.delayTime, delayTime);
        QCOMPARE(t.operationTime, operationTime);
        QCOMPARE(qint64(t.delayTime) + t.operationTime, gap);   // the frame ends at the click
    }

    void clickTime_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<qint64>("ms");
        QTest::newRow("12.5 s") << 12.5 << qint64(12500);
        QTest::newRow("truncated") << 1.2349 << qint64(1234);
        QTest::newRow("negative truncates toward zero") << -0.0019 << qint64(-1);
        QTest::newRow("not a number") << qQNaN() << qint64(0);
        QTest::newRow("infinite") << qInf() << qint64(0);
    }
    void clickTime()
    {
        QFETCH(double, seconds);
        QFETCH(qint64, ms);
        QCOMPARE(clickMilliseconds(seconds), ms);
    }
};

QTEST_APPLESS_MAIN(TestMusicUnits)
#include "tst_musicunits.moc"
