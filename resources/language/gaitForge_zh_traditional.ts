<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>MainWindow</name>
    <message>
        <source>ZEL gait forge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>edit robot motion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>music waveform: double-click an axis to time the current frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>frame list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>frame table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame info:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>motion edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>head</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 2: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left hand 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 3: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right hand 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 11: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left hand 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 4: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right hand 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 12: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left hand 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 5: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right hand 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 13: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left leg 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 6: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right leg 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 14: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left leg 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 7: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 15</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right leg 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 15: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left leg 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 8: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 16</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right leg 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 16: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left leg 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 9: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 17</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right leg 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 17: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left leg 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 10: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 18</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right leg 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 18: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>extra servo 1 (servo 19)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 19</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>extra servo 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 19: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>extra servo 2 (servo 20)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 20</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>extra servo 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo 20: angle in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>angle of the selected joint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>angle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>angle of the selected joint in 0.1 degree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set all joints to the origin frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>origin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>operation time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>time to reach this frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>battery voltage of the robot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delay time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>time to hold this frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>current drawn by the robot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>volume:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>let the robot repeat this motion file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>loop key:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>led control and io control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>led</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>brightness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED1R:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>random</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED1G:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED1B:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED2R:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED2G:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED2B:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED3R:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED3G:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED3B:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set led</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>main board io</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IO1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>direction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IO2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>get io</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set io</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>robot setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>serial port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>serial port of the robot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refresh the list of serial ports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect through the Bluetooth LE serial bridge (9600 baud)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bluetooth (ble)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>baud rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>communication log:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>robot configure file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>robot folder of the configure file (0: sd card, 1: flash)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>get robot configure file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>factory settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save configure file as </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save configure file to robot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>format the flash drive of the robot (enable it in the system menu)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>format flash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>radio setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remote auto power off time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>seconds without use before the remote switches itself off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remote RF frequency hopping:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>disable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remote RF channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remote RF broadcast channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remote RF bandwidth:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>250 K</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remote RF power:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0 dbm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-6 dbm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-12 dbm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-18 dbm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mainboard RF frequency hopping:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mainboard RF channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mainboard broadcast channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mainboard RF bandwidth: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>maiboard RF power:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>main board setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init volume:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>baudrate ble:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>baudrate pc:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>baudrate servo:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>use extral servo:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fall detection:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>power on spped:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>power on acceleration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>initial led setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led1r brightness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>20 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>40 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>50 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>60 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>70 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>80 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>90 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>100 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led1r frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led1g brightness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led1g frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led1b brightness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led1b frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led2r brightness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led2r frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led2g brightness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led2g frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led2b brightness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led2b frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led3r brightness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led3r frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led3g brightness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led3g frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led3b brightness:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>init led3b frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>joint limits and calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>calibration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read the present position of every servo into its correction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>correction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>head (2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left hand 1 (3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left hand 2 (4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left hand 3 (5)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left leg 1 (6)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left leg 2 (7)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left leg 3 (8)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left leg 4 (9)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left leg 5 (10)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right hand 1 (11)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right hand 2 (12)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right hand 3 (13)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right leg 1 (14)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right leg 2 (15)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right leg 3 (16)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right leg 4 (17)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right leg 5 (18)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>extral servo 1 (19)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>extral servo 2 (20)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>origin frame setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save origin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remote setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>transfer file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>send the transfer file list to the robot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>combination key function</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>START:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BACK:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UP:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RIGHT:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LEFT:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DOWN:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LB:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RB:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rocker A middle key:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remote keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>START</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BACK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RIGHT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LEFT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rocker B middle key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rocker A middle key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rocker B UP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rocker B RIGHT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rocker B LEFT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rocker B DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rocker A UP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rocker A RIGHT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rocker A LEFT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rocker A DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>when ticked, a clicked key fills key 2 of the current row instead of key 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>combination key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a row of the transfer file list, then click a key of the remote to set its key.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>servo model:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read servo info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>current data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>current speed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>current torque:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>current voltage:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>current temperature:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read current data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>motion and PID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>speed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>acceleration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>parameters P:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>parameters I:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>parameters D:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PID dead zone:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compliance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CW flexible margin:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CCW flexible margin:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CW flexible slope:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CCW flexible slope:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>limits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>maximum position:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>minimum position:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>maximum temperature:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>maximum voltage:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>minimum voltage:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>maximum torque:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>working mode:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>brake stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ordinary servo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>curve servo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>flexible control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stop without brake</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>working state:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>high voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>low voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>high torque</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>high temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>write flash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fi&amp;le</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;insert frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>syste&amp;m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;operation picture size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;format flash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;new file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;open file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open a operation file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save operation file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sa&amp;ve as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>exit the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>c&amp;opy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>r&amp;emove frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remove frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;transition frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>insert transition frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;copy frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>insert copy frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;origin frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>insert origin frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;mirror</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mirror the frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>re&amp;verse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reverse the frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;english</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;64*64</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>operation picture size : 64*64</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;128*128</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>operation picture size : 128*128</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1&amp;92*192</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>operation picture size : 192*192</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;256*256</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>operation picture size : 256*256</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;320*320</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>operation picture size : 320*320</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;bubble</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;sun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;mountains</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>m&amp;oon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;afternoon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;disable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;about</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>about</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>release notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;manual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;firmware version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connect the serial port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open &amp;music file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>play music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pause music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stop music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>select joint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>move robot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rotate robot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rotate camera</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fit screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>left foot touchdown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>right foot touchdown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bodyCentor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>body centor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read all joint position data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read hand joint position data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read leg joint position data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reset robot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>simulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pause simulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stop simulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open transfer &amp;file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open transfer file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save transfer file &amp;list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save transfer file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>insert &amp;transfer file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>insert transfer file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;delete transfer file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>delete transfer file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have to reboot the software to get the full language support!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version 1.2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Made by the gaitForge developers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1. Fixed the problem of excessive memory usage and improved program fluency.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2. The program interface is optimized to make it more beautiful and easy to use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3. Add a manual file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4. Save the config back file to ./bac.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5. Remove baud rate setting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6. Remove origin frame setting.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>remote key setting</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
