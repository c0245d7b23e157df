#pragma once
// A small operation file used by the motion document tests: two frames in a
// loop repeated twice, the first with a music command and an LED.

#include <QByteArray>
#include <QByteArrayList>

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
