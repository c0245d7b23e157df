// The music view's plain rules: the decoded music's min/max envelope and its
// columns at several widths (a click track shows every click), axis ranges,
// time labels and ticks,
// the play-line step, the scroll bar and axis mapping, and the delay offered
// by a double-click on the plot.

#include <QtTest>

#include "music/waveform.h"

#include <algorithm>
#include <cmath>

using namespace music;

Q_DECLARE_METATYPE(music::DelayOffer::Kind)

class TestMusicUnits : public QObject
{
    Q_OBJECT

    // A click track: silence with a full-scale click of clickSamples samples
    // every period seconds, seconds long, at rate.
    static QVector<qint16> clickTrack(double seconds, double period, int rate, int clickSamples = 44)
    {
        QVector<qint16> pcm(int(seconds * rate), qint16(0));
        for (double t = 0; t < seconds; t += period) {
            const int at = int(std::lround(t * rate));
            for (int i = 0; i < clickSamples && at + i < pcm.size(); ++i)
                pcm[at + i] = qint16(i % 2 ? -32768 : 32767);
        }
        return pcm;
    }

    static Envelope envelopeOf(const QVector<qint16> &pcm, int rate = EnvelopeRate, int block = EnvelopeBlock)
    {
        EnvelopeBuilder b(rate, block);
        b.append(pcm.constData(), pcm.size());
        return b.take();
    }

private slots:
    void envelopeBlocks_data()
    {
        QTest::addColumn<QVector<qint16>>("pcm");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("block");
        QTest::addColumn<QVector<qint16>>("low");
        QTest::addColumn<QVector<qint16>>("high");
        QTest::newRow("full blocks") << QVector<qint16>{1, -5, 7, 2, 0, 0, -32768, 32767} << 1 << 4
                                     << QVector<qint16>{-5, -32768} << QVector<qint16>{7, 32767};
        QTest::newRow("short last block") << QVector<qint16>{3, 4, 5, -6, 9} << 1 << 2
                                          << QVector<qint16>{3, -6, 9} << QVector<qint16>{4, 5, 9};
        QTest::newRow("every channel counts") << QVector<qint16>{500, 9000, -700, -9000} << 2 << 2
                                              << QVector<qint16>{-9000} << QVector<qint16>{9000};
        QTest::newRow("one sample") << QVector<qint16>{-1} << 1 << 32 << QVector<qint16>{-1} << QVector<qint16>{-1};
        QTest::newRow("empty") << QVector<qint16>{} << 1 << 32 << QVector<qint16>{} << QVector<qint16>{};
    }
    void envelopeBlocks()
    {
        QFETCH(QVector<qint16>, pcm);
        QFETCH(int, channels);
        QFETCH(int, block);
        QFETCH(QVector<qint16>, low);
        QFETCH(QVector<qint16>, high);
        EnvelopeBuilder b(1000, block);
        b.append(pcm.constData(), pcm.size() / channels, channels);
        const Envelope e = b.take();
        QCOMPARE(e.low, low);
        QCOMPARE(e.high, high);
        QCOMPARE(e.sampleCount, qint64(pcm.size() / channels));
        QCOMPARE(e.seconds(), pcm.size() / channels / 1000.0);
        QVERIFY(b.take().isEmpty());   // handed over: the builder starts again
    }

    void envelopeAcrossBuffers()
    {
        // Buffers split anywhere give the same envelope as one buffer.
        const QVector<qint16> pcm = clickTrack(2.0, 0.25, 8000, 7);
        const Envelope whole = envelopeOf(pcm, 8000, 32);
        for (int piece : {1, 5, 31, 32, 33, 1000}) {
            EnvelopeBuilder b(8000, 32);
            for (int at = 0; at < pcm.size(); at += piece)
                b.append(pcm.constData() + at, std::min(piece, pcm.size() - at));
            const Envelope e = b.take();
            QCOMPARE(e.low, whole.low);
            QCOMPARE(e.high, whole.high);
            QCOMPARE(e.sampleCount, whole.sampleCount);
        }
    }

    void clickTrackShowsEachClick_data()
    {
        QTest::addColumn<int>("columns");
        QTest::newRow("300 columns (100 ms each)") << 300;
        QTest::newRow("800 columns") << 800;
        QTest::newRow("1237 columns, not a divisor") << 1237;
        QTest::newRow("3000 columns (10 ms each)") << 3000;
    }
    void clickTrackShowsEachClick()
    {
        // 30 s with a 1 ms click every second: every click is a full-height
        // column at its time, everything else silent.
        QFETCH(int, columns);
        const Envelope e = envelopeOf(clickTrack(30.0, 1.0, EnvelopeRate));
        QCOMPARE(e.seconds(), 30.0);
        const EnvelopeColumns c = envelopeColumns(e, 0, 30, columns);
        QCOMPARE(c.x.size(), columns);
        QCOMPARE(c.low.size(), columns);
        QCOMPARE(c.high.size(), columns);
        const double width = 30.0 / columns;
        QVector<double> loud;
        for (int k = 0; k < columns; ++k) {
            QCOMPARE(c.x.at(k), (k + 0.5) * width);
            if (c.high.at(k) != 0 || c.low.at(k) != 0) {
                // A click's column reaches full scale (a column that only
                // touches the click's edge may show one side of it).
                QVERIFY(c.high.at(k) == 327.67 || c.low.at(k) == -327.68);
                loud.append(c.x.at(k));
            } else {
                QCOMPARE(c.high.at(k), 0.0);
                QCOMPARE(c.low.at(k), 0.0);
            }
        }
        // One loud column per click (two when a 32-sample block straddles a
        // column edge), each within a column of its second.
        QVERIFY2(loud.size() >= 30 && loud.size() <= 60, qPrintable(QString::number(loud.size())));
        for (int second = 0; second < 30; ++second)
            QVERIFY2(std::any_of(loud.begin(), loud.end(),
                                 [&](double x) { return std::fabs(x - second) <= width + 0.002; }),
                     qPrintable(QString::number(second)));
        for (double x : loud)
            QVERIFY2(std::fabs(x - std::round(x)) <= 1.5 * width + 0.002, qPrintable(QString::number(x)));
    }

    void rebinVisibleRange()
    {
        // The visible range only: columns before 0 and after the end are left
        // out; zoomed in past a block, each column still has its block.
        const Envelope e = envelopeOf(clickTrack(10.0, 1.0, EnvelopeRate));
        EnvelopeColumns c = envelopeColumns(e, -4, 4, 512);   // 1/64 s each
        QCOMPARE(c.x.size(), 256);
        QCOMPARE(c.x.first(), 1 / 128.0);
        QCOMPARE(c.high.first(), 327.67);   // the click at 0 s
        c = envelopeColumns(e, 8, 12, 256);
        QCOMPARE(c.x.size(), 128);
        QCOMPARE(c.x.last(), 8 + 127.5 / 64);
        c = envelopeColumns(e, 2.0, 2.001, 100);   // 10 us per column, blocks of 0.7 ms
        QCOMPARE(c.x.size(), 100);
        QVERIFY(std::all_of(c.high.begin(), c.high.end(), [](double v) { return v == 327.67; }));
        c = envelopeColumns(e, 2.5, 2.501, 100);
        QVERIFY(std::all_of(c.high.begin(), c.high.end(), [](double v) { return v == 0.0; }));
        // Nothing to draw.
        QVERIFY(envelopeColumns(e, 3, 3, 100).x.isEmpty());
        QVERIFY(envelopeColumns(e, 4, 3, 100).x.isEmpty());
        QVERIFY(envelopeColumns(e, 0, 3, 0).x.isEmpty());
        QVERIFY(envelopeColumns(e, 11, 20, 100).x.isEmpty());
        QVERIFY(envelopeColumns(e, qQNaN(), 20, 100).x.isEmpty());
        QVERIFY(envelopeColumns(Envelope(), 0, 3, 100).x.isEmpty());
    }

    void waveformRange_data()
    {
        QTest::addColumn<QVector<qint16>>("pcm");
        QTest::addColumn<double>("ySize");
        QTest::addColumn<int>("largest");
        QTest::addColumn<int>("smallest");
        QTest::newRow("symmetric") << QVector<qint16>{-30000, 0, 30000} << 600.0 << 300 << -300;
        QTest::newRow("louder above: nothing cut off") << QVector<qint16>{-10000, 25000} << 500.0 << 250 << -100;
        QTest::newRow("louder below") << QVector<qint16>{-32000, 2000} << 640.0 << 20 << -320;
        QTest::newRow("silence keeps a usable range") << QVector<qint16>{0, 0, 0} << MinimumYSize << 0 << 0;
    }
    void waveformRange()
    {
        QFETCH(QVector<qint16>, pcm);
        QFETCH(double, ySize);
        QFETCH(int, largest);
        QFETCH(int, smallest);
        QVector<qint16> s(pcm.size() * 1000, qint16(7));
        for (int k = 0; k < pcm.size(); ++k)
            s[k * 1000 + 500] = pcm.at(k);   // one loud sample in each block
        const Waveform w = waveformRanges(envelopeOf(s, 1000));
        QCOMPARE(w.xCentre - w.xSize / 2, 0.0);
        QCOMPARE(w.xCentre + w.xSize / 2, double(pcm.size()));
        QCOMPARE(w.yCentre, 0.0);
        QCOMPARE(w.ySize, ySize);
        QCOMPARE(int(w.largest), largest);
        QCOMPARE(int(w.smallest), smallest);
    }

    void waveformEmpty()
    {
        const Waveform w = waveformRanges(Envelope());
        QCOMPARE(w.xCentre, StartXCentre);
        QCOMPARE(w.xSize, StartXSize);
        QCOMPARE(w.ySize, StartYSize);
    }

    void timeLabels_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("label");
        QTest::newRow("zero") << 0.0 << "0:00.0";
        QTest::newRow("tenths") << 1.25 << "0:01.3";
        QTest::newRow("59.94 s") << 59.94 << "0:59.9";
        QTest::newRow("59.95 s rounds up into the minute") << 59.95 << "1:00.0";
        QTest::newRow("60 s") << 60.0 << "1:00.0";
        QTest::newRow("61.25 s") << 61.25 << "1:01.3";
        QTest::newRow("just under 10 min") << 599.96 << "10:00.0";
        QTest::newRow("over 10 min") << 725.3 << "12:05.3";
        QTest::newRow("over an hour stays in minutes") << 3725.0 << "62:05.0";
        QTest::newRow("negative") << -1.5 << "-0:01.5";
        QTest::newRow("negative rounding to 0 has no sign") << -0.04 << "0:00.0";
        QTest::newRow("not a number") << qQNaN() << "";
    }
    void timeLabels()
    {
        QFETCH(double, seconds);
        QFETCH(QString, label);
        QCOMPARE(timeLabel(seconds), label);
    }

    void timeTicks_data()
    {
        QTest::addColumn<double>("span");
        QTest::addColumn<double>("step");
        QTest::newRow("6 s") << 6.0 << 2.0;
        QTest::newRow("30 s") << 30.0 << 10.0;
        QTest::newRow("5 min") << 300.0 << 60.0;
        QTest::newRow("not finer than the labels") << 0.05 << 0.1;
        QTest::newRow("hours") << 36000.0 << 7200.0;
        QTest::newRow("no span") << 0.0 << 0.1;
    }
    void timeTicks()
    {
        QFETCH(double, span);
        QFETCH(double, step);
        QCOMPARE(timeTickStep(span, 5), step);
    }

    void horizontalBarReachesTheEnd()
    {
        QCOMPARE(horizontalScrollMaximum(0), ScrollMaximum);
        QCOMPARE(horizontalScrollMaximum(3.2), ScrollMaximum);
        QCOMPARE(horizontalScrollMaximum(61.25), 6125);
        QCOMPARE(horizontalScrollMaximum(qInf()), ScrollMaximum);
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
