#pragma once
// A small operation file used by the motion document tests: two frames in a
// loop repeated twice, the first with a music command and an LED.

#include <QByteArray>
#include <QByteArrayList>
#include <QMap>

inline QByteArray zeros19()
{
    QByteArrayList z;
    for (int i = 0; i < 19; ++i)
        z << "0";
    return z.join(',');
}

inline const QByteArray kExample = "#This is a robot operation file.\r\nFLP:0;\r\nLPS:2;\r\nLED:81,0,0,0,0,0,0,0,0;\r\n"
                                   "FR:1,60,600,100,61445," + zeros19() + ";\r\nFR:1,60,600,100,0," + zeros19()
                                   + ";\r\nLPE:;\r\nEND:;\r\n\r\n";

// A frame record: operation and delay time, the given angles (servo -> value,
// every other servo at 0), volume and music word.
inline QByteArray frameRecord(int operation, int delay, const QMap<int, int> &angles = {}, int volume = 60,
                              int music = 0)
{
    QByteArrayList parts = {"1", QByteArray::number(volume), QByteArray::number(operation),
                            QByteArray::number(delay), QByteArray::number(music)};
    for (int servo = 2; servo <= 20; ++servo)
        parts << QByteArray::number(angles.value(servo, 0));
    return "FR:" + parts.join(',') + ";\r\n";
}

// A frame record of 600 ms and 100 ms delay with the given angles.
inline QByteArray frameRecord(const QMap<int, int> &angles)
{
    return frameRecord(600, 100, angles);
}

// An operation file of the given records, loop key off, LEDs dark.
inline QByteArray motionFile(const QList<QByteArray> &lines)
{
    QByteArray bytes = "#This is a robot operation file.\r\nFLP:0;\r\nLED:0,0,0,0,0,0,0,0,0;\r\n";
    for (const QByteArray &line : lines)
        bytes += line;
    return bytes + "END:;\r\n\r\n";
}
