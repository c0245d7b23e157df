<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="zh_CN">
<context>
    <name>Calibration</name>
    <message>
        <source>Calibration: %1 of %2 servos answered.</source>
        <translation>校准：%2 个舵机中有 %1 个应答。</translation>
    </message>
    <message>
        <source>No answer from servo %1: kept the old correction.</source>
        <translation>舵机 %1 没有应答：保留原来的修正值。</translation>
    </message>
    <message>
        <source>Servo %1 reported position 0, which is never taken: kept the old correction.</source>
        <translation>舵机 %1 报告位置为 0，该值不会被采用：保留原来的修正值。</translation>
    </message>
</context>
<context>
    <name>CalibrationPanel</name>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Error while open origin file.</source>
        <translation>打开原点文件时出错。</translation>
    </message>
    <message>
        <source>The origin frame file %1 cannot be written: %2</source>
        <translation>无法写入原点帧文件 %1：%2</translation>
    </message>
    <message>
        <source>Calibration: reading the servos' positions ...</source>
        <translation>校准：正在读取舵机位置……</translation>
    </message>
    <message>
        <source>The origin frame file %1 cannot be read (%2): the origin is all zeros, and the file is left as it is.</source>
        <translation>无法读取原点帧文件 %1（%2）：原点全部为零，该文件保持原样。</translation>
    </message>
    <message>
        <source>Line %1 of %2 does not hold 19 values.</source>
        <translation>%2 的第 %1 行不是 19 个数值。</translation>
    </message>
    <message>
        <source>The origin keeps the values of line %1.</source>
        <translation>原点保留第 %1 行的数值。</translation>
    </message>
    <message>
        <source>The origin is all zeros.</source>
        <translation>原点全部为零。</translation>
    </message>
    <message>
        <source>The file was written anew with them; the damaged file is kept as %1.</source>
        <translation>已用这些数值重新写入该文件；损坏的文件保存为 %1。</translation>
    </message>
    <message>
        <source>The damaged file is kept as %1, but the file could not be written anew (%2).</source>
        <translation>损坏的文件已保存为 %1，但无法重新写入该文件（%2）。</translation>
    </message>
    <message>
        <source>The damaged file could not be kept as %1 (%2), so it is left as it is.</source>
        <translation>无法将损坏的文件保存为 %1（%2），因此该文件保持原样。</translation>
    </message>
</context>
<context>
    <name>ComboDelegate</name>
    <message>
        <source>loop start</source>
        <translation>循环开始</translation>
    </message>
    <message>
        <source>loop end</source>
        <translation>循环结束</translation>
    </message>
    <message>
        <source>random</source>
        <translation>随机</translation>
    </message>
    <message>
        <source>pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>sd card</source>
        <translation>SD卡</translation>
    </message>
    <message>
        <source>flash</source>
        <translation>闪存</translation>
    </message>
    <message>
        <source>remote motion file</source>
        <translation>遥控动作文件</translation>
    </message>
    <message>
        <source>fall motion file</source>
        <translation>跌倒动作文件</translation>
    </message>
    <message>
        <source>common file</source>
        <translation>普通文件</translation>
    </message>
    <message>
        <source>no</source>
        <translation>否</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>fall left</source>
        <translation>向左跌倒</translation>
    </message>
    <message>
        <source>fall right</source>
        <translation>向右跌倒</translation>
    </message>
    <message>
        <source>fall forward</source>
        <translation>向前跌倒</translation>
    </message>
    <message>
        <source>fall back</source>
        <translation>向后跌倒</translation>
    </message>
</context>
<context>
    <name>ConfigFile</name>
    <message>
        <source>the received file is not a complete configure file ("%1" is missing)</source>
        <translation>收到的文件不是完整的配置文件（缺少“%1”）</translation>
    </message>
    <message>
        <source>the received file is not a complete configure file (it does not end with "END:;")</source>
        <translation>收到的文件不是完整的配置文件（不是以“END:;”结尾）</translation>
    </message>
    <message>
        <source>the received file is not a complete configure file (line %1 has a wrong number of values)</source>
        <translation>收到的文件不是完整的配置文件（第 %1 行的数值个数不对）</translation>
    </message>
</context>
<context>
    <name>ConfigFilePage</name>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Error in line:</source>
        <translation>错误，所在行：</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>无法写入文件 %1。</translation>
    </message>
    <message>
        <source>open robot configure file</source>
        <translation>打开机器人配置文件</translation>
    </message>
    <message>
        <source>robot configure files (*.ini)</source>
        <translation>机器人配置文件 (*.ini)</translation>
    </message>
    <message>
        <source>save robot configure file as</source>
        <translation>机器人配置文件另存为</translation>
    </message>
    <message>
        <source>save robot configure file (*.ini)</source>
        <translation>保存机器人配置文件 (*.ini)</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>No complete configure file has been read yet. Please get the robot's configure file or open one first.</source>
        <translation>尚未读取完整的配置文件。请先获取机器人的配置文件或打开一个配置文件。</translation>
    </message>
    <message>
        <source>Do you want to replace the robot's configure file %1?</source>
        <translation>要替换机器人的配置文件 %1 吗？</translation>
    </message>
    <message>
        <source>The configure file %1 could not be read back from the robot, so it is not verified.</source>
        <translation>无法从机器人读回配置文件 %1，因此未能校验。</translation>
    </message>
    <message>
        <source>finish</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>The configure file %1 was saved and verified.</source>
        <translation>配置文件 %1 已保存并校验。</translation>
    </message>
    <message>
        <source>The configure file %1 read back from the robot differs from the file sent: the save is not verified.</source>
        <translation>从机器人读回的配置文件 %1 与发送的文件不同：保存未通过校验。</translation>
    </message>
    <message>
        <source>No configure file has been read: every joint keeps the default range %1 to %2.</source>
        <translation>尚未读取配置文件：每个关节使用默认范围 %1 到 %2。</translation>
    </message>
    <message>
        <source>The joints are held within these min and max limits, read from %1. A servo whose min is not below its max keeps the default range %2 to %3.</source>
        <translation>关节被限制在这些最小值和最大值之内，读取自 %1。最小值不小于最大值的舵机使用默认范围 %2 到 %3。</translation>
    </message>
    <message>
        <source>The joints are held within these min and max limits, read from %1 and changed here. A servo whose min is not below its max keeps the default range %2 to %3.</source>
        <translation>关节被限制在这些最小值和最大值之内，读取自 %1 并在此处修改过。最小值不小于最大值的舵机使用默认范围 %2 到 %3。</translation>
    </message>
    <message>
        <source>The robot is not connected, so its configure file was not saved. Nothing was changed; "save configure file as" keeps these settings in a file.</source>
        <translation>机器人未连接，因此没有保存其配置文件。没有任何改动；“配置文件另存为”可将这些设置保存到文件中。</translation>
    </message>
    <message>
        <source>No temporary folder can be made (%1), so nothing was sent.</source>
        <translation>无法创建临时文件夹（%1），因此没有发送任何内容。</translation>
    </message>
    <message>
        <source>The robot's configure file %1 could not be fetched for the backup, so nothing was sent.</source>
        <translation>无法获取机器人的配置文件 %1 用于备份，因此没有发送任何内容。</translation>
    </message>
    <message>
        <source>Saving the configure file %1: keeping the robot's file as a backup ...</source>
        <translation>正在保存配置文件 %1：正在备份机器人上的文件……</translation>
    </message>
    <message>
        <source>The robot has no configure file %1 yet: there is nothing to back up.</source>
        <translation>机器人上还没有配置文件 %1：无需备份。</translation>
    </message>
    <message>
        <source>The robot's configure file %1 could not be fetched for the backup, so nothing was sent. %2</source>
        <translation>无法获取机器人的配置文件 %1 用于备份，因此没有发送任何内容。%2</translation>
    </message>
    <message>
        <source>The backup %1 of the robot's configure file cannot be written (%2), so nothing was sent.</source>
        <translation>无法写入机器人配置文件的备份 %1（%2），因此没有发送任何内容。</translation>
    </message>
    <message>
        <source>The link was closed before the configure file %1 was sent. Nothing was changed.</source>
        <translation>在发送配置文件 %1 之前连接已关闭。没有任何改动。</translation>
    </message>
    <message>
        <source>Saving the configure file %1: sending ...</source>
        <translation>正在保存配置文件 %1：正在发送……</translation>
    </message>
    <message>
        <source>The robot's previous configure file %1 is kept in %2.</source>
        <translation>机器人原来的配置文件 %1 已保存在 %2。</translation>
    </message>
    <message>
        <source>Saving the configure file %1: reading it back ...</source>
        <translation>正在保存配置文件 %1：正在读回……</translation>
    </message>
    <message>
        <source>The configure file %1 was saved and verified, but the local copy %2 cannot be written (%3).</source>
        <translation>配置文件 %1 已保存并校验，但无法写入本地副本 %2（%3）。</translation>
    </message>
</context>
<context>
    <name>ConnectionPanel</name>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Serial port dosn't exist or opened in other applacation!</source>
        <translation>串口不存在或已被其他应用程序打开！</translation>
    </message>
    <message>
        <source>servos released: pose the robot by hand, then read again</source>
        <translation>舵机已释放：请用手摆好机器人姿势，然后再次读取</translation>
    </message>
</context>
<context>
    <name>FileBrowser</name>
    <message>
        <source>Delete the incomplete file %1 on the robot?</source>
        <translation>要删除机器人上不完整的文件 %1 吗？</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>A file transfer is running. Please wait until it has finished.</source>
        <translation>正在传输文件，请等待传输完成。</translation>
    </message>
    <message>
        <source>run</source>
        <translation>运行</translation>
    </message>
    <message>
        <source>delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>get this file</source>
        <translation>获取此文件</translation>
    </message>
    <message>
        <source>Do  you want to delete the file ?</source>
        <translation>是否删除该文件？</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>You can't delete the configure file.</source>
        <translation>不能删除配置文件。</translation>
    </message>
    <message>
        <source>save file from robot</source>
        <translation>保存机器人上的文件</translation>
    </message>
    <message>
        <source>robot file (*.ini *.mp3 *.wav)</source>
        <translation>机器人文件 (*.ini *.mp3 *.wav)</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>无法写入文件 %1。</translation>
    </message>
    <message>
        <source>Please select a robot operation file or music file</source>
        <translation>请选择机器人动作文件或音乐文件</translation>
    </message>
    <message>
        <source>robot files (*.ini *.mp3 *.wav *.jpg)</source>
        <translation>机器人文件 (*.ini *.mp3 *.wav *.jpg)</translation>
    </message>
    <message>
        <source>The file %1 cannot be read.</source>
        <translation>无法读取文件 %1。</translation>
    </message>
    <message>
        <source>finish</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>format flash finish</source>
        <translation>格式化闪存完成</translation>
    </message>
    <message>
        <source>Format flash finished.</source>
        <translation>闪存格式化完成。</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>stop the running file transfer</source>
        <translation>停止正在进行的文件传输</translation>
    </message>
    <message>
        <source>The robot did not send the file list of %1.</source>
        <translation>机器人没有发送 %1 的文件列表。</translation>
    </message>
    <message>
        <source>Perhaps it is on the other drive, %1.</source>
        <translation>它也许在另一个驱动器 %1 上。</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>ZEL gait forge</source>
        <translation>ZEL 步态工坊</translation>
    </message>
    <message>
        <source>gait forge - </source>
        <translation>步态工坊 - </translation>
    </message>
    <message>
        <source>Cannot save the file:</source>
        <translation>无法保存文件：</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Do  you want to save the operation data just edited ?</source>
        <translation>是否保存刚刚编辑的动作数据？</translation>
    </message>
    <message>
        <source>save robot operation file</source>
        <translation>保存机器人动作文件</translation>
    </message>
    <message>
        <source>save robot operation file (*.ini)</source>
        <translation>保存机器人动作文件 (*.ini)</translation>
    </message>
    <message>
        <source>Please input the new file path</source>
        <translation>请输入新文件的路径</translation>
    </message>
    <message>
        <source>open robot operation file</source>
        <translation>打开机器人动作文件</translation>
    </message>
    <message>
        <source>robot operation files (*.ini)</source>
        <translation>机器人动作文件 (*.ini)</translation>
    </message>
    <message>
        <source>save robot operation file as</source>
        <translation>机器人动作文件另存为</translation>
    </message>
    <message>
        <source>The file does not exist:</source>
        <translation>文件不存在：</translation>
    </message>
    <message>
        <source>Cannot open the file:</source>
        <translation>无法打开文件：</translation>
    </message>
    <message>
        <source>gait forge - untitled: the frames read from %1 before its error</source>
        <translation>步态工坊 - 未命名：从 %1 中出错之前读到的帧</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>已保存 %1</translation>
    </message>
    <message>
        <source>The frames read before the error are shown as an unnamed motion; %1 is left as it is.</source>
        <translation>出错之前读到的帧显示为一个未命名的动作；%1 保持原样。</translation>
    </message>
</context>
<context>
    <name>FrameEditor</name>
    <message>
        <source>insert frame</source>
        <translation>插入帧</translation>
    </message>
    <message>
        <source>loop start</source>
        <translation>循环开始</translation>
    </message>
    <message>
        <source>loop end</source>
        <translation>循环结束</translation>
    </message>
    <message>
        <source>cancel loop</source>
        <translation>取消循环</translation>
    </message>
    <message>
        <source>play music</source>
        <translation>播放音乐</translation>
    </message>
    <message>
        <source>pause music</source>
        <translation>暂停音乐</translation>
    </message>
    <message>
        <source>stop music</source>
        <translation>停止音乐</translation>
    </message>
    <message>
        <source>cancel music</source>
        <translation>取消音乐</translation>
    </message>
    <message>
        <source>Please input the loop times</source>
        <translation>请输入循环次数</translation>
    </message>
    <message>
        <source>loop times:</source>
        <translation>循环次数：</translation>
    </message>
    <message>
        <source>Please input the music number</source>
        <translation>请输入音乐编号</translation>
    </message>
    <message>
        <source>music number:</source>
        <translation>音乐编号：</translation>
    </message>
    <message>
        <source>mp3</source>
        <translation>mp3</translation>
    </message>
    <message>
        <source>wav</source>
        <translation>wav</translation>
    </message>
    <message>
        <source>Please select the music file type:</source>
        <translation>请选择音乐文件类型：</translation>
    </message>
    <message>
        <source>music file type:</source>
        <translation>音乐文件类型：</translation>
    </message>
    <message>
        <source>sd card</source>
        <translation>SD卡</translation>
    </message>
    <message>
        <source>flash</source>
        <translation>闪存</translation>
    </message>
    <message>
        <source>Please select the music file folder:</source>
        <translation>请选择音乐文件所在位置：</translation>
    </message>
    <message>
        <source>music file folder:</source>
        <translation>音乐文件位置：</translation>
    </message>
    <message>
        <source>Transition frame needs two selected frames next to each other.</source>
        <translation>过渡帧需要选中两个相邻的帧。</translation>
    </message>
</context>
<context>
    <name>FrameList</name>
    <message>
        <source>F</source>
        <translation>帧</translation>
    </message>
    <message>
        <source>, opr time:</source>
        <translation>，运行时间：</translation>
    </message>
    <message>
        <source>, delay time:</source>
        <translation>，延时时间：</translation>
    </message>
    <message>
        <source>, lps</source>
        <translation>，循环开始</translation>
    </message>
    <message>
        <source>, lpe</source>
        <translation>，循环结束</translation>
    </message>
    <message>
        <source>, play music</source>
        <translation>，播放音乐</translation>
    </message>
    <message>
        <source>, stop music</source>
        <translation>，停止音乐</translation>
    </message>
    <message>
        <source>, pause music</source>
        <translation>，暂停音乐</translation>
    </message>
<message>
        <source>, outside limits</source>
        <translation>，超出限位</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>ZEL gait forge</source>
        <translation>ZEL 步态工坊</translation>
    </message>
    <message>
        <source>Version 1.2</source>
        <translation>版本 1.2</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>版本 %1</translation>
    </message>
    <message>
        <source>Made by the gaitForge developers</source>
        <translation>由 gaitForge 开发者制作</translation>
    </message>
    <message>
        <source>about</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>1. Fixed the problem of excessive memory usage and improved program fluency.</source>
        <translation>1. 修复了内存占用过高的问题，提升了程序的流畅度。</translation>
    </message>
    <message>
        <source>2. The program interface is optimized to make it more beautiful and easy to use.</source>
        <translation>2. 优化了程序界面，使其更美观、更易用。</translation>
    </message>
    <message>
        <source>3. Add a manual file.</source>
        <translation>3. 新增使用手册文件。</translation>
    </message>
    <message>
        <source>4. Save the config back file to ./bac.</source>
        <translation>4. 配置备份文件保存到 ./bac。</translation>
    </message>
    <message>
        <source>5. Remove baud rate setting.</source>
        <translation>5. 移除波特率设置。</translation>
    </message>
    <message>
        <source>6. Remove origin frame setting.</source>
        <translation>6. 移除原点帧设置。</translation>
    </message>
    <message>
        <source>release notes</source>
        <translation>更新说明</translation>
    </message>
<message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The manual was not found. gaitForge looked for it here:
%1</source>
        <translation>找不到说明书。gaitForge 在此处查找过：
%1</translation>
    </message>
    <message>
        <source>The manual %1 could not be opened: no program to show PDF files was found.</source>
        <translation>无法打开说明书 %1：没有找到显示 PDF 文件的程序。</translation>
    </message>
    <message>
        <source>Simplified Chinese</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>Traditional Chinese</source>
        <translation>繁体中文</translation>
    </message>
    <message>
        <source>manual</source>
        <translation>说明书</translation>
    </message>
    <message>
        <source>The manual in %1 was not found; the English manual is shown.</source>
        <translation>找不到%1说明书；现显示英文说明书。</translation>
    </message>
</context>
<context>
    <name>ShellSettings</name>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>You have to reboot the software to get the full language support!</source>
        <translation>需要重新启动软件才能获得完整的语言支持！</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ZEL gait forge</source>
        <translation>ZEL 步态工坊</translation>
    </message>
    <message>
        <source>edit robot motion</source>
        <translation>编辑机器人动作</translation>
    </message>
    <message>
        <source>music waveform: double-click an axis to time the current frame</source>
        <translation>音乐波形：双击坐标轴，为当前帧定时</translation>
    </message>
    <message>
        <source>frame list</source>
        <translation>帧列表</translation>
    </message>
    <message>
        <source>frame table</source>
        <translation>帧表</translation>
    </message>
    <message>
        <source>Frame info:</source>
        <translation>帧信息：</translation>
    </message>
    <message>
        <source>motion edit</source>
        <translation>动作编辑</translation>
    </message>
    <message>
        <source>servo 2</source>
        <translation>舵机 2</translation>
    </message>
    <message>
        <source>head</source>
        <translation>头部</translation>
    </message>
    <message>
        <source>servo 2: angle in degrees</source>
        <translation>舵机 2：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 3</source>
        <translation>舵机 3</translation>
    </message>
    <message>
        <source>left hand 1</source>
        <translation>左手 1</translation>
    </message>
    <message>
        <source>servo 3: angle in degrees</source>
        <translation>舵机 3：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 11</source>
        <translation>舵机 11</translation>
    </message>
    <message>
        <source>right hand 1</source>
        <translation>右手 1</translation>
    </message>
    <message>
        <source>servo 11: angle in degrees</source>
        <translation>舵机 11：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 4</source>
        <translation>舵机 4</translation>
    </message>
    <message>
        <source>left hand 2</source>
        <translation>左手 2</translation>
    </message>
    <message>
        <source>servo 4: angle in degrees</source>
        <translation>舵机 4：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 12</source>
        <translation>舵机 12</translation>
    </message>
    <message>
        <source>right hand 2</source>
        <translation>右手 2</translation>
    </message>
    <message>
        <source>servo 12: angle in degrees</source>
        <translation>舵机 12：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 5</source>
        <translation>舵机 5</translation>
    </message>
    <message>
        <source>left hand 3</source>
        <translation>左手 3</translation>
    </message>
    <message>
        <source>servo 5: angle in degrees</source>
        <translation>舵机 5：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 13</source>
        <translation>舵机 13</translation>
    </message>
    <message>
        <source>right hand 3</source>
        <translation>右手 3</translation>
    </message>
    <message>
        <source>servo 13: angle in degrees</source>
        <translation>舵机 13：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 6</source>
        <translation>舵机 6</translation>
    </message>
    <message>
        <source>left leg 1</source>
        <translation>左腿 1</translation>
    </message>
    <message>
        <source>servo 6: angle in degrees</source>
        <translation>舵机 6：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 14</source>
        <translation>舵机 14</translation>
    </message>
    <message>
        <source>right leg 1</source>
        <translation>右腿 1</translation>
    </message>
    <message>
        <source>servo 14: angle in degrees</source>
        <translation>舵机 14：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 7</source>
        <translation>舵机 7</translation>
    </message>
    <message>
        <source>left leg 2</source>
        <translation>左腿 2</translation>
    </message>
    <message>
        <source>servo 7: angle in degrees</source>
        <translation>舵机 7：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 15</source>
        <translation>舵机 15</translation>
    </message>
    <message>
        <source>right leg 2</source>
        <translation>右腿 2</translation>
    </message>
    <message>
        <source>servo 15: angle in degrees</source>
        <translation>舵机 15：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 8</source>
        <translation>舵机 8</translation>
    </message>
    <message>
        <source>left leg 3</source>
        <translation>左腿 3</translation>
    </message>
    <message>
        <source>servo 8: angle in degrees</source>
        <translation>舵机 8：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 16</source>
        <translation>舵机 16</translation>
    </message>
    <message>
        <source>right leg 3</source>
        <translation>右腿 3</translation>
    </message>
    <message>
        <source>servo 16: angle in degrees</source>
        <translation>舵机 16：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 9</source>
        <translation>舵机 9</translation>
    </message>
    <message>
        <source>left leg 4</source>
        <translation>左腿 4</translation>
    </message>
    <message>
        <source>servo 9: angle in degrees</source>
        <translation>舵机 9：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 17</source>
        <translation>舵机 17</translation>
    </message>
    <message>
        <source>right leg 4</source>
        <translation>右腿 4</translation>
    </message>
    <message>
        <source>servo 17: angle in degrees</source>
        <translation>舵机 17：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 10</source>
        <translation>舵机 10</translation>
    </message>
    <message>
        <source>left leg 5</source>
        <translation>左腿 5</translation>
    </message>
    <message>
        <source>servo 10: angle in degrees</source>
        <translation>舵机 10：角度（单位：度）</translation>
    </message>
    <message>
        <source>servo 18</source>
        <translation>舵机 18</translation>
    </message>
    <message>
        <source>right leg 5</source>
        <translation>右腿 5</translation>
    </message>
    <message>
        <source>servo 18: angle in degrees</source>
        <translation>舵机 18：角度（单位：度）</translation>
    </message>
    <message>
        <source>extra servo 1 (servo 19)</source>
        <translation>附加舵机 1（舵机 19）</translation>
    </message>
    <message>
        <source>servo 19</source>
        <translation>舵机 19</translation>
    </message>
    <message>
        <source>extra servo 1</source>
        <translation>附加舵机 1</translation>
    </message>
    <message>
        <source>servo 19: angle in degrees</source>
        <translation>舵机 19：角度（单位：度）</translation>
    </message>
    <message>
        <source>extra servo 2 (servo 20)</source>
        <translation>附加舵机 2（舵机 20）</translation>
    </message>
    <message>
        <source>servo 20</source>
        <translation>舵机 20</translation>
    </message>
    <message>
        <source>extra servo 2</source>
        <translation>附加舵机 2</translation>
    </message>
    <message>
        <source>servo 20: angle in degrees</source>
        <translation>舵机 20：角度（单位：度）</translation>
    </message>
    <message>
        <source>angle of the selected joint</source>
        <translation>所选关节的角度</translation>
    </message>
    <message>
        <source>angle:</source>
        <translation>角度：</translation>
    </message>
    <message>
        <source>angle of the selected joint in degrees</source>
        <translation>所选关节的角度（单位：度）</translation>
    </message>
    <message>
        <source>set all joints to the origin frame</source>
        <translation>将所有关节设为原点帧</translation>
    </message>
    <message>
        <source>origin</source>
        <translation>原点</translation>
    </message>
    <message>
        <source>operation time:</source>
        <translation>运行时间：</translation>
    </message>
    <message>
        <source>time to reach this frame</source>
        <translation>到达此帧所用的时间</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>battery voltage of the robot</source>
        <translation>机器人的电池电压</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>delay time:</source>
        <translation>延时时间：</translation>
    </message>
    <message>
        <source>time to hold this frame</source>
        <translation>保持此帧的时间</translation>
    </message>
    <message>
        <source>current drawn by the robot</source>
        <translation>机器人消耗的电流</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>volume:</source>
        <translation>音量：</translation>
    </message>
    <message>
        <source>mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>let the robot repeat this motion file</source>
        <translation>让机器人重复执行此动作文件</translation>
    </message>
    <message>
        <source>loop key:</source>
        <translation>循环键：</translation>
    </message>
    <message>
        <source>led control and io control</source>
        <translation>LED 控制与 IO 控制</translation>
    </message>
    <message>
        <source>led</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>frequency</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>LED1R:</source>
        <translation>LED1R：</translation>
    </message>
    <message>
        <source>0 Hz</source>
        <translation>0 Hz</translation>
    </message>
    <message>
        <source>1 Hz</source>
        <translation>1 Hz</translation>
    </message>
    <message>
        <source>2 Hz</source>
        <translation>2 Hz</translation>
    </message>
    <message>
        <source>3 Hz</source>
        <translation>3 Hz</translation>
    </message>
    <message>
        <source>random</source>
        <translation>随机</translation>
    </message>
    <message>
        <source>LED1G:</source>
        <translation>LED1G：</translation>
    </message>
    <message>
        <source>LED1B:</source>
        <translation>LED1B：</translation>
    </message>
    <message>
        <source>LED2R:</source>
        <translation>LED2R：</translation>
    </message>
    <message>
        <source>LED2G:</source>
        <translation>LED2G：</translation>
    </message>
    <message>
        <source>LED2B:</source>
        <translation>LED2B：</translation>
    </message>
    <message>
        <source>LED3R:</source>
        <translation>LED3R：</translation>
    </message>
    <message>
        <source>LED3G:</source>
        <translation>LED3G：</translation>
    </message>
    <message>
        <source>LED3B:</source>
        <translation>LED3B：</translation>
    </message>
    <message>
        <source>set led</source>
        <translation>设置 LED</translation>
    </message>
    <message>
        <source>main board io</source>
        <translation>主板 IO</translation>
    </message>
    <message>
        <source>IO1:</source>
        <translation>IO1：</translation>
    </message>
    <message>
        <source>direction</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>in</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>out</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>IO2:</source>
        <translation>IO2：</translation>
    </message>
    <message>
        <source>get io</source>
        <translation>读取 IO</translation>
    </message>
    <message>
        <source>set io</source>
        <translation>设置 IO</translation>
    </message>
    <message>
        <source>file list</source>
        <translation>文件列表</translation>
    </message>
    <message>
        <source>refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>send file</source>
        <translation>发送文件</translation>
    </message>
    <message>
        <source>robot setting</source>
        <translation>机器人设置</translation>
    </message>
    <message>
        <source>serial port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>port:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>serial port of the robot</source>
        <translation>机器人的串口</translation>
    </message>
    <message>
        <source>refresh the list of serial ports</source>
        <translation>刷新串口列表</translation>
    </message>
    <message>
        <source>connect through the Bluetooth LE serial bridge (9600 baud)</source>
        <translation>通过低功耗蓝牙串口桥连接（9600 波特）</translation>
    </message>
    <message>
        <source>bluetooth (ble)</source>
        <translation>蓝牙 (BLE)</translation>
    </message>
    <message>
        <source>baud rate:</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>communication log:</source>
        <translation>通信日志：</translation>
    </message>
    <message>
        <source>robot configure file</source>
        <translation>机器人配置文件</translation>
    </message>
    <message>
        <source>path:</source>
        <translation>路径：</translation>
    </message>
    <message>
        <source>robot folder of the configure file (0: sd card, 1: flash)</source>
        <translation>配置文件在机器人上的位置（0：SD卡，1：闪存）</translation>
    </message>
    <message>
        <source>get robot configure file</source>
        <translation>获取机器人配置文件</translation>
    </message>
    <message>
        <source>open from</source>
        <translation>从文件打开</translation>
    </message>
    <message>
        <source>factory settings</source>
        <translation>出厂设置</translation>
    </message>
    <message>
        <source>save configure file as </source>
        <translation>配置文件另存为 </translation>
    </message>
    <message>
        <source>save configure file to robot</source>
        <translation>将配置文件保存到机器人</translation>
    </message>
    <message>
        <source>format the flash drive of the robot (enable it in the system menu)</source>
        <translation>格式化机器人的闪存（需先在系统菜单中启用）</translation>
    </message>
    <message>
        <source>format flash</source>
        <translation>格式化闪存</translation>
    </message>
    <message>
        <source>radio setting</source>
        <translation>无线设置</translation>
    </message>
    <message>
        <source>remote auto power off time:</source>
        <translation>遥控器自动关机时间：</translation>
    </message>
    <message>
        <source>seconds without use before the remote switches itself off</source>
        <translation>遥控器无操作多少秒后自动关机</translation>
    </message>
    <message>
        <source>remote RF frequency hopping:</source>
        <translation>遥控器射频跳频：</translation>
    </message>
    <message>
        <source>disable</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>enable</source>
        <translation>启用</translation>
    </message>
    <message>
        <source>remote RF channel:</source>
        <translation>遥控器射频信道：</translation>
    </message>
    <message>
        <source>remote RF broadcast channel:</source>
        <translation>遥控器射频广播信道：</translation>
    </message>
    <message>
        <source>remote RF bandwidth:</source>
        <translation>遥控器射频带宽：</translation>
    </message>
    <message>
        <source>250 K</source>
        <translation>250 K</translation>
    </message>
    <message>
        <source>1 M</source>
        <translation>1 M</translation>
    </message>
    <message>
        <source>2 M</source>
        <translation>2 M</translation>
    </message>
    <message>
        <source>remote RF power:</source>
        <translation>遥控器射频功率：</translation>
    </message>
    <message>
        <source>0 dbm</source>
        <translation>0 dbm</translation>
    </message>
    <message>
        <source>-6 dbm</source>
        <translation>-6 dbm</translation>
    </message>
    <message>
        <source>-12 dbm</source>
        <translation>-12 dbm</translation>
    </message>
    <message>
        <source>-18 dbm</source>
        <translation>-18 dbm</translation>
    </message>
    <message>
        <source>mainboard RF frequency hopping:</source>
        <translation>主板射频跳频：</translation>
    </message>
    <message>
        <source>mainboard RF channel:</source>
        <translation>主板射频信道：</translation>
    </message>
    <message>
        <source>mainboard broadcast channel:</source>
        <translation>主板广播信道：</translation>
    </message>
    <message>
        <source>mainboard RF bandwidth: </source>
        <translation>主板射频带宽： </translation>
    </message>
    <message>
        <source>maiboard RF power:</source>
        <translation>主板射频功率：</translation>
    </message>
    <message>
        <source>main board setting</source>
        <translation>主板设置</translation>
    </message>
    <message>
        <source>init volume:</source>
        <translation>初始音量：</translation>
    </message>
    <message>
        <source>baudrate ble:</source>
        <translation>蓝牙波特率：</translation>
    </message>
    <message>
        <source>baudrate pc:</source>
        <translation>电脑波特率：</translation>
    </message>
    <message>
        <source>baudrate servo:</source>
        <translation>舵机波特率：</translation>
    </message>
    <message>
        <source>use extral servo:</source>
        <translation>使用附加舵机：</translation>
    </message>
    <message>
        <source>fall detection:</source>
        <translation>跌倒检测：</translation>
    </message>
    <message>
        <source>power on spped:</source>
        <translation>上电速度：</translation>
    </message>
    <message>
        <source>power on acceleration:</source>
        <translation>上电加速度：</translation>
    </message>
    <message>
        <source>initial led setting</source>
        <translation>初始 LED 设置</translation>
    </message>
    <message>
        <source>init led1r brightness:</source>
        <translation>初始 LED1R 亮度：</translation>
    </message>
    <message>
        <source>0 %</source>
        <translation>0 %</translation>
    </message>
    <message>
        <source>10 %</source>
        <translation>10 %</translation>
    </message>
    <message>
        <source>20 %</source>
        <translation>20 %</translation>
    </message>
    <message>
        <source>30 %</source>
        <translation>30 %</translation>
    </message>
    <message>
        <source>40 %</source>
        <translation>40 %</translation>
    </message>
    <message>
        <source>50 %</source>
        <translation>50 %</translation>
    </message>
    <message>
        <source>60 %</source>
        <translation>60 %</translation>
    </message>
    <message>
        <source>70 %</source>
        <translation>70 %</translation>
    </message>
    <message>
        <source>80 %</source>
        <translation>80 %</translation>
    </message>
    <message>
        <source>90 %</source>
        <translation>90 %</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>100 %</translation>
    </message>
    <message>
        <source>init led1r frequency:</source>
        <translation>初始 LED1R 频率：</translation>
    </message>
    <message>
        <source>init led1g brightness:</source>
        <translation>初始 LED1G 亮度：</translation>
    </message>
    <message>
        <source>init led1g frequency:</source>
        <translation>初始 LED1G 频率：</translation>
    </message>
    <message>
        <source>init led1b brightness:</source>
        <translation>初始 LED1B 亮度：</translation>
    </message>
    <message>
        <source>init led1b frequency:</source>
        <translation>初始 LED1B 频率：</translation>
    </message>
    <message>
        <source>init led2r brightness:</source>
        <translation>初始 LED2R 亮度：</translation>
    </message>
    <message>
        <source>init led2r frequency:</source>
        <translation>初始 LED2R 频率：</translation>
    </message>
    <message>
        <source>init led2g brightness:</source>
        <translation>初始 LED2G 亮度：</translation>
    </message>
    <message>
        <source>init led2g frequency:</source>
        <translation>初始 LED2G 频率：</translation>
    </message>
    <message>
        <source>init led2b brightness:</source>
        <translation>初始 LED2B 亮度：</translation>
    </message>
    <message>
        <source>init led2b frequency:</source>
        <translation>初始 LED2B 频率：</translation>
    </message>
    <message>
        <source>init led3r brightness:</source>
        <translation>初始 LED3R 亮度：</translation>
    </message>
    <message>
        <source>init led3r frequency:</source>
        <translation>初始 LED3R 频率：</translation>
    </message>
    <message>
        <source>init led3g brightness:</source>
        <translation>初始 LED3G 亮度：</translation>
    </message>
    <message>
        <source>init led3g frequency:</source>
        <translation>初始 LED3G 频率：</translation>
    </message>
    <message>
        <source>init led3b brightness:</source>
        <translation>初始 LED3B 亮度：</translation>
    </message>
    <message>
        <source>init led3b frequency:</source>
        <translation>初始 LED3B 频率：</translation>
    </message>
    <message>
        <source>joint limits and calibration</source>
        <translation>关节限位与校准</translation>
    </message>
    <message>
        <source>calibration</source>
        <translation>校准</translation>
    </message>
    <message>
        <source>read the present position of every servo into its correction</source>
        <translation>将每个舵机的当前位置读入其校正值</translation>
    </message>
    <message>
        <source>servo</source>
        <translation>舵机</translation>
    </message>
    <message>
        <source>min</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>correction</source>
        <translation>校正值</translation>
    </message>
    <message>
        <source>head (2)</source>
        <translation>头部 (2)</translation>
    </message>
    <message>
        <source>left hand 1 (3)</source>
        <translation>左手 1 (3)</translation>
    </message>
    <message>
        <source>left hand 2 (4)</source>
        <translation>左手 2 (4)</translation>
    </message>
    <message>
        <source>left hand 3 (5)</source>
        <translation>左手 3 (5)</translation>
    </message>
    <message>
        <source>left leg 1 (6)</source>
        <translation>左腿 1 (6)</translation>
    </message>
    <message>
        <source>left leg 2 (7)</source>
        <translation>左腿 2 (7)</translation>
    </message>
    <message>
        <source>left leg 3 (8)</source>
        <translation>左腿 3 (8)</translation>
    </message>
    <message>
        <source>left leg 4 (9)</source>
        <translation>左腿 4 (9)</translation>
    </message>
    <message>
        <source>left leg 5 (10)</source>
        <translation>左腿 5 (10)</translation>
    </message>
    <message>
        <source>right hand 1 (11)</source>
        <translation>右手 1 (11)</translation>
    </message>
    <message>
        <source>right hand 2 (12)</source>
        <translation>右手 2 (12)</translation>
    </message>
    <message>
        <source>right hand 3 (13)</source>
        <translation>右手 3 (13)</translation>
    </message>
    <message>
        <source>right leg 1 (14)</source>
        <translation>右腿 1 (14)</translation>
    </message>
    <message>
        <source>right leg 2 (15)</source>
        <translation>右腿 2 (15)</translation>
    </message>
    <message>
        <source>right leg 3 (16)</source>
        <translation>右腿 3 (16)</translation>
    </message>
    <message>
        <source>right leg 4 (17)</source>
        <translation>右腿 4 (17)</translation>
    </message>
    <message>
        <source>right leg 5 (18)</source>
        <translation>右腿 5 (18)</translation>
    </message>
    <message>
        <source>extral servo 1 (19)</source>
        <translation>附加舵机 1 (19)</translation>
    </message>
    <message>
        <source>extral servo 2 (20)</source>
        <translation>附加舵机 2 (20)</translation>
    </message>
    <message>
        <source>origin frame setting</source>
        <translation>原点帧设置</translation>
    </message>
    <message>
        <source>save origin</source>
        <translation>保存原点</translation>
    </message>
    <message>
        <source>remote setting</source>
        <translation>遥控器设置</translation>
    </message>
    <message>
        <source>transfer file list</source>
        <translation>传输文件列表</translation>
    </message>
    <message>
        <source>send the transfer file list to the robot</source>
        <translation>将传输文件列表发送到机器人</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y：</translation>
    </message>
    <message>
        <source>file function</source>
        <translation>文件功能</translation>
    </message>
    <message>
        <source>combination key function</source>
        <translation>组合键功能</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X：</translation>
    </message>
    <message>
        <source>B:</source>
        <translation>B：</translation>
    </message>
    <message>
        <source>A:</source>
        <translation>A：</translation>
    </message>
    <message>
        <source>START:</source>
        <translation>START：</translation>
    </message>
    <message>
        <source>BACK:</source>
        <translation>BACK：</translation>
    </message>
    <message>
        <source>UP:</source>
        <translation>上：</translation>
    </message>
    <message>
        <source>RIGHT:</source>
        <translation>右：</translation>
    </message>
    <message>
        <source>LEFT:</source>
        <translation>左：</translation>
    </message>
    <message>
        <source>DOWN:</source>
        <translation>下：</translation>
    </message>
    <message>
        <source>LB:</source>
        <translation>LB：</translation>
    </message>
    <message>
        <source>RB:</source>
        <translation>RB：</translation>
    </message>
    <message>
        <source>rocker A middle key:</source>
        <translation>摇杆 A 中键：</translation>
    </message>
    <message>
        <source>remote keys</source>
        <translation>遥控器按键</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>START</source>
        <translation>START</translation>
    </message>
    <message>
        <source>BACK</source>
        <translation>BACK</translation>
    </message>
    <message>
        <source>UP</source>
        <translation>上</translation>
    </message>
    <message>
        <source>RIGHT</source>
        <translation>右</translation>
    </message>
    <message>
        <source>LEFT</source>
        <translation>左</translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation>下</translation>
    </message>
    <message>
        <source>rocker B middle key</source>
        <translation>摇杆 B 中键</translation>
    </message>
    <message>
        <source>rocker A middle key</source>
        <translation>摇杆 A 中键</translation>
    </message>
    <message>
        <source>rocker B UP</source>
        <translation>摇杆 B 上</translation>
    </message>
    <message>
        <source>rocker B RIGHT</source>
        <translation>摇杆 B 右</translation>
    </message>
    <message>
        <source>rocker B LEFT</source>
        <translation>摇杆 B 左</translation>
    </message>
    <message>
        <source>rocker B DOWN</source>
        <translation>摇杆 B 下</translation>
    </message>
    <message>
        <source>rocker A UP</source>
        <translation>摇杆 A 上</translation>
    </message>
    <message>
        <source>rocker A RIGHT</source>
        <translation>摇杆 A 右</translation>
    </message>
    <message>
        <source>rocker A LEFT</source>
        <translation>摇杆 A 左</translation>
    </message>
    <message>
        <source>rocker A DOWN</source>
        <translation>摇杆 A 下</translation>
    </message>
    <message>
        <source>LB</source>
        <translation>LB</translation>
    </message>
    <message>
        <source>RB</source>
        <translation>RB</translation>
    </message>
    <message>
        <source>LT</source>
        <translation>LT</translation>
    </message>
    <message>
        <source>RT</source>
        <translation>RT</translation>
    </message>
    <message>
        <source>when ticked, a clicked key fills key 2 of the current row instead of key 1</source>
        <translation>勾选后，点击的按键填入当前行的按键 2，而不是按键 1</translation>
    </message>
    <message>
        <source>combination key</source>
        <translation>组合键</translation>
    </message>
    <message>
        <source>Select a row of the transfer file list, then click a key of the remote to set its key.</source>
        <translation>先在传输文件列表中选择一行，然后点击遥控器上的按键，为该行设置按键。</translation>
    </message>
    <message>
        <source>servo setting</source>
        <translation>舵机设置</translation>
    </message>
    <message>
        <source>servo info</source>
        <translation>舵机信息</translation>
    </message>
    <message>
        <source>servo:</source>
        <translation>舵机：</translation>
    </message>
    <message>
        <source>servo model:</source>
        <translation>舵机型号：</translation>
    </message>
    <message>
        <source>version:</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>read servo info</source>
        <translation>读取舵机信息</translation>
    </message>
    <message>
        <source>current data</source>
        <translation>当前数据</translation>
    </message>
    <message>
        <source>current speed:</source>
        <translation>当前速度：</translation>
    </message>
    <message>
        <source>current torque:</source>
        <translation>当前扭矩：</translation>
    </message>
    <message>
        <source>current voltage:</source>
        <translation>当前电压：</translation>
    </message>
    <message>
        <source>current temperature:</source>
        <translation>当前温度：</translation>
    </message>
    <message>
        <source>read current data</source>
        <translation>读取当前数据</translation>
    </message>
    <message>
        <source>parameters</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>motion and PID</source>
        <translation>运动与 PID</translation>
    </message>
    <message>
        <source>speed:</source>
        <translation>速度：</translation>
    </message>
    <message>
        <source>acceleration:</source>
        <translation>加速度：</translation>
    </message>
    <message>
        <source>parameters P:</source>
        <translation>参数 P：</translation>
    </message>
    <message>
        <source>parameters I:</source>
        <translation>参数 I：</translation>
    </message>
    <message>
        <source>parameters D:</source>
        <translation>参数 D：</translation>
    </message>
    <message>
        <source>PID dead zone:</source>
        <translation>PID 死区：</translation>
    </message>
    <message>
        <source>compliance</source>
        <translation>柔性</translation>
    </message>
    <message>
        <source>CW flexible margin:</source>
        <translation>顺时针柔性余量：</translation>
    </message>
    <message>
        <source>CCW flexible margin:</source>
        <translation>逆时针柔性余量：</translation>
    </message>
    <message>
        <source>CW flexible slope:</source>
        <translation>顺时针柔性斜率：</translation>
    </message>
    <message>
        <source>CCW flexible slope:</source>
        <translation>逆时针柔性斜率：</translation>
    </message>
    <message>
        <source>limits</source>
        <translation>限位</translation>
    </message>
    <message>
        <source>maximum position:</source>
        <translation>最大位置：</translation>
    </message>
    <message>
        <source>minimum position:</source>
        <translation>最小位置：</translation>
    </message>
    <message>
        <source>maximum temperature:</source>
        <translation>最高温度：</translation>
    </message>
    <message>
        <source>maximum voltage:</source>
        <translation>最高电压：</translation>
    </message>
    <message>
        <source>minimum voltage:</source>
        <translation>最低电压：</translation>
    </message>
    <message>
        <source>maximum torque:</source>
        <translation>最大扭矩：</translation>
    </message>
    <message>
        <source>mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>working mode:</source>
        <translation>工作模式：</translation>
    </message>
    <message>
        <source>brake stop</source>
        <translation>刹车停止</translation>
    </message>
    <message>
        <source>ordinary servo</source>
        <translation>普通舵机</translation>
    </message>
    <message>
        <source>curve servo</source>
        <translation>曲线舵机</translation>
    </message>
    <message>
        <source>flexible control</source>
        <translation>柔性控制</translation>
    </message>
    <message>
        <source>stop without brake</source>
        <translation>无刹车停止</translation>
    </message>
    <message>
        <source>working state:</source>
        <translation>工作状态：</translation>
    </message>
    <message>
        <source>normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>high voltage</source>
        <translation>高电压</translation>
    </message>
    <message>
        <source>low voltage</source>
        <translation>低电压</translation>
    </message>
    <message>
        <source>high torque</source>
        <translation>高扭矩</translation>
    </message>
    <message>
        <source>high temperature</source>
        <translation>高温</translation>
    </message>
    <message>
        <source>read parameters</source>
        <translation>读取参数</translation>
    </message>
    <message>
        <source>write flash</source>
        <translation>写入闪存</translation>
    </message>
    <message>
        <source>fi&amp;le</source>
        <translation>文件(&amp;L)</translation>
    </message>
    <message>
        <source>edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>&amp;insert frame</source>
        <translation>插入帧(&amp;I)</translation>
    </message>
    <message>
        <source>syste&amp;m</source>
        <translation>系统(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;operation picture size</source>
        <translation>动作图片尺寸(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;background</source>
        <translation>背景(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;format flash</source>
        <translation>格式化闪存(&amp;F)</translation>
    </message>
    <message>
        <source>help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>&amp;new file</source>
        <translation>新建文件(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;open file</source>
        <translation>打开文件(&amp;O)</translation>
    </message>
    <message>
        <source>open a operation file</source>
        <translation>打开动作文件</translation>
    </message>
    <message>
        <source>&amp;save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>save operation file</source>
        <translation>保存动作文件</translation>
    </message>
    <message>
        <source>sa&amp;ve as</source>
        <translation>另存为(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;exit</source>
        <translation>退出(&amp;E)</translation>
    </message>
    <message>
        <source>exit the program</source>
        <translation>退出程序</translation>
    </message>
    <message>
        <source>&amp;undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>&amp;redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;cut</source>
        <translation>剪切(&amp;C)</translation>
    </message>
    <message>
        <source>cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>c&amp;opy</source>
        <translation>复制(&amp;O)</translation>
    </message>
    <message>
        <source>copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>&amp;paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>r&amp;emove frame</source>
        <translation>删除帧(&amp;E)</translation>
    </message>
    <message>
        <source>remove frame</source>
        <translation>删除帧</translation>
    </message>
    <message>
        <source>&amp;transition frame</source>
        <translation>过渡帧(&amp;T)</translation>
    </message>
    <message>
        <source>insert transition frame</source>
        <translation>插入过渡帧</translation>
    </message>
    <message>
        <source>&amp;copy frame</source>
        <translation>复制帧(&amp;C)</translation>
    </message>
    <message>
        <source>insert copy frame</source>
        <translation>插入复制帧</translation>
    </message>
    <message>
        <source>&amp;origin frame</source>
        <translation>原点帧(&amp;O)</translation>
    </message>
    <message>
        <source>insert origin frame</source>
        <translation>插入原点帧</translation>
    </message>
    <message>
        <source>&amp;mirror</source>
        <translation>镜像(&amp;M)</translation>
    </message>
    <message>
        <source>mirror the frame</source>
        <translation>镜像此帧</translation>
    </message>
    <message>
        <source>re&amp;verse</source>
        <translation>倒序(&amp;V)</translation>
    </message>
    <message>
        <source>reverse the frame</source>
        <translation>帧倒序</translation>
    </message>
    <message>
        <source>&amp;english</source>
        <translation>English(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;64*64</source>
        <translation>&amp;64*64</translation>
    </message>
    <message>
        <source>operation picture size : 64*64</source>
        <translation>动作图片尺寸：64*64</translation>
    </message>
    <message>
        <source>&amp;128*128</source>
        <translation>&amp;128*128</translation>
    </message>
    <message>
        <source>operation picture size : 128*128</source>
        <translation>动作图片尺寸：128*128</translation>
    </message>
    <message>
        <source>1&amp;92*192</source>
        <translation>1&amp;92*192</translation>
    </message>
    <message>
        <source>operation picture size : 192*192</source>
        <translation>动作图片尺寸：192*192</translation>
    </message>
    <message>
        <source>&amp;256*256</source>
        <translation>&amp;256*256</translation>
    </message>
    <message>
        <source>operation picture size : 256*256</source>
        <translation>动作图片尺寸：256*256</translation>
    </message>
    <message>
        <source>&amp;320*320</source>
        <translation>&amp;320*320</translation>
    </message>
    <message>
        <source>operation picture size : 320*320</source>
        <translation>动作图片尺寸：320*320</translation>
    </message>
    <message>
        <source>&amp;bubble</source>
        <translation>气泡(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;sun</source>
        <translation>太阳(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;mountains</source>
        <translation>山峦(&amp;M)</translation>
    </message>
    <message>
        <source>m&amp;oon</source>
        <translation>月亮(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;afternoon</source>
        <translation>午后(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;disable</source>
        <translation>禁用(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;enable</source>
        <translation>启用(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;about</source>
        <translation>关于(&amp;A)</translation>
    </message>
    <message>
        <source>about</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>release notes</source>
        <translation>更新说明</translation>
    </message>
    <message>
        <source>&amp;manual</source>
        <translation>使用手册(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;firmware version</source>
        <translation>固件版本(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;update</source>
        <translation>更新(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;connect</source>
        <translation>连接(&amp;C)</translation>
    </message>
    <message>
        <source>connect the serial port</source>
        <translation>连接串口</translation>
    </message>
    <message>
        <source>open &amp;music file</source>
        <translation>打开音乐文件(&amp;M)</translation>
    </message>
    <message>
        <source>play music</source>
        <translation>播放音乐</translation>
    </message>
    <message>
        <source>pause music</source>
        <translation>暂停音乐</translation>
    </message>
    <message>
        <source>stop music</source>
        <translation>停止音乐</translation>
    </message>
    <message>
        <source>select joint</source>
        <translation>选择关节</translation>
    </message>
    <message>
        <source>move robot</source>
        <translation>移动机器人</translation>
    </message>
    <message>
        <source>rotate robot</source>
        <translation>旋转机器人</translation>
    </message>
    <message>
        <source>rotate camera</source>
        <translation>旋转视角</translation>
    </message>
    <message>
        <source>zoom</source>
        <translation>缩放</translation>
    </message>
    <message>
        <source>fit screen</source>
        <translation>适应屏幕</translation>
    </message>
    <message>
        <source>left foot touchdown</source>
        <translation>左脚着地</translation>
    </message>
    <message>
        <source>right foot touchdown</source>
        <translation>右脚着地</translation>
    </message>
    <message>
        <source>bodyCentor</source>
        <translation>身体中心</translation>
    </message>
    <message>
        <source>body centor</source>
        <translation>身体中心</translation>
    </message>
    <message>
        <source>read all joint position data</source>
        <translation>读取所有关节位置数据</translation>
    </message>
    <message>
        <source>read hand joint position data</source>
        <translation>读取手部关节位置数据</translation>
    </message>
    <message>
        <source>read leg joint position data</source>
        <translation>读取腿部关节位置数据</translation>
    </message>
    <message>
        <source>reset robot</source>
        <translation>复位机器人</translation>
    </message>
    <message>
        <source>simulation</source>
        <translation>仿真</translation>
    </message>
    <message>
        <source>pause simulation</source>
        <translation>暂停仿真</translation>
    </message>
    <message>
        <source>stop simulation</source>
        <translation>停止仿真</translation>
    </message>
    <message>
        <source>open transfer &amp;file list</source>
        <translation>打开传输文件列表(&amp;F)</translation>
    </message>
    <message>
        <source>open transfer file list</source>
        <translation>打开传输文件列表</translation>
    </message>
    <message>
        <source>save transfer file &amp;list</source>
        <translation>保存传输文件列表(&amp;L)</translation>
    </message>
    <message>
        <source>save transfer file list</source>
        <translation>保存传输文件列表</translation>
    </message>
    <message>
        <source>insert &amp;transfer file</source>
        <translation>插入传输文件(&amp;T)</translation>
    </message>
    <message>
        <source>insert transfer file</source>
        <translation>插入传输文件</translation>
    </message>
    <message>
        <source>&amp;delete transfer file</source>
        <translation>删除传输文件(&amp;D)</translation>
    </message>
    <message>
        <source>delete transfer file</source>
        <translation>删除传输文件</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>You have to reboot the software to get the full language support!</source>
        <translation>需要重新启动软件才能获得完整的语言支持！</translation>
    </message>
    <message>
        <source>remote key setting</source>
        <translation>遥控器按键设置</translation>
    </message>
    <message>
        <source>operation time</source>
        <translation>运行时间</translation>
    </message>
    <message>
        <source>delay time</source>
        <translation>延时时间</translation>
    </message>
    <message>
        <source>loop flag</source>
        <translation>循环标记</translation>
    </message>
    <message>
        <source>loop times</source>
        <translation>循环次数</translation>
    </message>
    <message>
        <source>music control</source>
        <translation>音乐控制</translation>
    </message>
    <message>
        <source>music type</source>
        <translation>音乐类型</translation>
    </message>
    <message>
        <source>music folder</source>
        <translation>音乐位置</translation>
    </message>
    <message>
        <source>music file</source>
        <translation>音乐文件</translation>
    </message>
    <message>
        <source>led1r brightness</source>
        <translation>LED1红 亮度</translation>
    </message>
    <message>
        <source>led1r frequency</source>
        <translation>LED1红 频率</translation>
    </message>
    <message>
        <source>led1g brightness</source>
        <translation>LED1绿 亮度</translation>
    </message>
    <message>
        <source>led1g frequency</source>
        <translation>LED1绿 频率</translation>
    </message>
    <message>
        <source>led1b brightness</source>
        <translation>LED1蓝 亮度</translation>
    </message>
    <message>
        <source>led1b frequency</source>
        <translation>LED1蓝 频率</translation>
    </message>
    <message>
        <source>led2r brightness</source>
        <translation>LED2红 亮度</translation>
    </message>
    <message>
        <source>led2r frequency</source>
        <translation>LED2红 频率</translation>
    </message>
    <message>
        <source>led2g brightness</source>
        <translation>LED2绿 亮度</translation>
    </message>
    <message>
        <source>led2g frequency</source>
        <translation>LED2绿 频率</translation>
    </message>
    <message>
        <source>led2b brightness</source>
        <translation>LED2蓝 亮度</translation>
    </message>
    <message>
        <source>led2b frequency</source>
        <translation>LED2蓝 频率</translation>
    </message>
    <message>
        <source>led3r brightness</source>
        <translation>LED3红 亮度</translation>
    </message>
    <message>
        <source>led3r frequency</source>
        <translation>LED3红 频率</translation>
    </message>
    <message>
        <source>led3g brightness</source>
        <translation>LED3绿 亮度</translation>
    </message>
    <message>
        <source>led3g frequency</source>
        <translation>LED3绿 频率</translation>
    </message>
    <message>
        <source>led3b brightness</source>
        <translation>LED3蓝 亮度</translation>
    </message>
    <message>
        <source>led3b frequency</source>
        <translation>LED3蓝 频率</translation>
    </message>
    <message>
        <source>Error in line:</source>
        <translation>错误，所在行：</translation>
    </message>
    <message>
        <source>Loop key line error in line:</source>
        <translation>循环键行错误，所在行：</translation>
    </message>
    <message>
        <source>Error loop!</source>
        <translation>循环错误！</translation>
    </message>
    <message>
        <source>Error loop in line:</source>
        <translation>循环错误，所在行：</translation>
    </message>
    <message>
        <source>led1 red brightness = </source>
        <translation>LED1 红色亮度 = </translation>
    </message>
    <message>
        <source>led1 green brightness = </source>
        <translation>LED1 绿色亮度 = </translation>
    </message>
    <message>
        <source>led1 blue brightness = </source>
        <translation>LED1 蓝色亮度 = </translation>
    </message>
    <message>
        <source>led2 red brightness = </source>
        <translation>LED2 红色亮度 = </translation>
    </message>
    <message>
        <source>led2 green brightness = </source>
        <translation>LED2 绿色亮度 = </translation>
    </message>
    <message>
        <source>led2 blue brightness = </source>
        <translation>LED2 蓝色亮度 = </translation>
    </message>
    <message>
        <source>led3 red brightness = </source>
        <translation>LED3 红色亮度 = </translation>
    </message>
    <message>
        <source>led3 green brightness = </source>
        <translation>LED3 绿色亮度 = </translation>
    </message>
    <message>
        <source>led3 blue brightness = </source>
        <translation>LED3 蓝色亮度 = </translation>
    </message>
    <message>
        <source> % , led1 red frequency = </source>
        <translation> % ，LED1 红色频率 = </translation>
    </message>
    <message>
        <source> % , led1 green frequency = </source>
        <translation> % ，LED1 绿色频率 = </translation>
    </message>
    <message>
        <source> % , led1 blue frequency = </source>
        <translation> % ，LED1 蓝色频率 = </translation>
    </message>
    <message>
        <source> % , led2 red frequency = </source>
        <translation> % ，LED2 红色频率 = </translation>
    </message>
    <message>
        <source> % , led2 green frequency = </source>
        <translation> % ，LED2 绿色频率 = </translation>
    </message>
    <message>
        <source> % , led2 blue frequency = </source>
        <translation> % ，LED2 蓝色频率 = </translation>
    </message>
    <message>
        <source> % , led3 red frequency = </source>
        <translation> % ，LED3 红色频率 = </translation>
    </message>
    <message>
        <source> % , led3 green frequency = </source>
        <translation> % ，LED3 绿色频率 = </translation>
    </message>
    <message>
        <source> % , led3 blue frequency = </source>
        <translation> % ，LED3 蓝色频率 = </translation>
    </message>
    <message>
        <source>Frame  </source>
        <translation>帧  </translation>
    </message>
    <message>
        <source>Operation time = </source>
        <translation>运行时间 = </translation>
    </message>
    <message>
        <source>Delay time = </source>
        <translation>延时时间 = </translation>
    </message>
    <message>
        <source>The first time here = </source>
        <translation>首次到达时间 = </translation>
    </message>
    <message>
        <source>The last time here = </source>
        <translation>末次到达时间 = </translation>
    </message>
    <message>
        <source>The time all = </source>
        <translation>总时间 = </translation>
    </message>
    <message>
        <source>Loop start</source>
        <translation>循环开始</translation>
    </message>
    <message>
        <source>Loop stop</source>
        <translation>循环结束</translation>
    </message>
    <message>
        <source>Play music file (audio</source>
        <translation>播放音乐文件（audio</translation>
    </message>
    <message>
        <source>wav) in </source>
        <translation>wav），位于</translation>
    </message>
    <message>
        <source>mp3) in </source>
        <translation>mp3），位于</translation>
    </message>
    <message>
        <source>flash.</source>
        <translation>闪存。</translation>
    </message>
    <message>
        <source>SD card.</source>
        <translation>SD卡。</translation>
    </message>
    <message>
        <source>Stop music</source>
        <translation>停止音乐</translation>
    </message>
    <message>
        <source>Pause music</source>
        <translation>暂停音乐</translation>
    </message>
    <message>
        <source>Volume = </source>
        <translation>音量 = </translation>
    </message>
    <message>
        <source> Hz</source>
        <translation> Hz</translation>
    </message>
    <message>
        <source>simulation (F5)</source>
        <translation>仿真 (F5)</translation>
    </message>
    <message>
        <source>pause simulation (F6)</source>
        <translation>暂停仿真 (F6)</translation>
    </message>
    <message>
        <source>stop simulation (Shift+F5)</source>
        <translation>停止仿真 (Shift+F5)</translation>
    </message>
    <message>
        <source>This is not a robot operation file:</source>
        <translation>这不是机器人动作文件：</translation>
    </message>
    <message>
        <source>Unsupported loop mark (a loop spans at least two frames, a frame holds one mark) in line:</source>
        <translation>不支持的循环标记（一个循环至少包含两帧，一帧只能有一个标记），所在行：</translation>
    </message>
    <message>
        <source>Value out of range for the file in column "%1", in line:</source>
        <translation>数值超出文件可保存的范围，列“%1”，所在行：</translation>
    </message>
    <message>
        <source>0: SD card</source>
        <translation>0：SD卡</translation>
    </message>
    <message>
        <source>1: flash</source>
        <translation>1：闪存</translation>
    </message>
</context>
<context>
    <name>MusicPanel</name>
    <message>
        <source>music file</source>
        <translation>音乐文件</translation>
    </message>
    <message>
        <source>music file (*.mp3 *.wav)</source>
        <translation>音乐文件 (*.mp3 *.wav)</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The clicked time is too long after this frame starts: a frame's operation time and delay time cannot reach it.</source>
        <translation>点击的时间距离本帧开始太远：一帧的运行时间和延时时间无法达到该时间。</translation>
    </message>
    <message>
        <source>Please input the delay time</source>
        <translation>请输入延时时间</translation>
    </message>
    <message>
        <source>delay time:</source>
        <translation>延时时间：</translation>
    </message>
    <message>
        <source>listening volume</source>
        <translation>试听音量</translation>
    </message>
    <message>
        <source>listening volume: %1 %</source>
        <translation>试听音量：%1 %</translation>
    </message>
    <message>
        <source>Double-click the time axis at a moment of the music to make the current frame end there (needs the current frame or an earlier one marked play music). Wheel: zoom, drag: move.</source>
        <translation>在时间轴上双击音乐的某一时刻，使当前帧在该处结束（需要当前帧或之前的某一帧设为“播放音乐”）。滚轮：缩放，拖动：移动。</translation>
    </message>
    <message>
        <source>Decoding the music: %1 %</source>
        <translation>正在解码音乐：%1 %</translation>
    </message>
    <message>
        <source>frame %1</source>
        <translation>帧 %1</translation>
    </message>
    <message>
        <source>Music decoded: %1 long</source>
        <translation>音乐解码完成：时长 %1</translation>
    </message>
</context>
<context>
    <name>OriginFrame</name>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>无法创建文件夹 %1</translation>
    </message>
</context>
<context>
    <name>Playback</name>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The loop can't be nested in debug mode! Please run it in file mode.</source>
        <translation>调试模式下循环不能嵌套！请以文件模式运行。</translation>
    </message>
    <message>
        <source>error loop</source>
        <translation>循环错误</translation>
    </message>
    <message>
        <source>The loop cannot be nested in debug mode. Or loop error.</source>
        <translation>调试模式下循环不能嵌套，或循环有误。</translation>
    </message>
    <message>
        <source>Do  you want to simulate with the robot?</source>
        <translation>是否同时在机器人上仿真？</translation>
    </message>
    <message>
        <source>Please don't put loop end in first frame!</source>
        <translation>请不要在第一帧放置循环结束！</translation>
    </message>
    <message>
        <source>error loop end</source>
        <translation>循环结束错误</translation>
    </message>
    <message>
        <source>frame:</source>
        <translation>帧：</translation>
    </message>
</context>
<context>
    <name>RobotLink</name>
    <message>
        <source>The send queue is full; this request was not sent:</source>
        <translation>发送队列已满，此请求未发送：</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The file name "%1" cannot be written in the robot's character set (GB2312). Please rename the file.</source>
        <translation>文件名“%1”无法用机器人的字符集（GB2312）表示。请重命名该文件。</translation>
    </message>
    <message>
        <source>The file name "%1" is too long for the robot: its path may have at most %2 bytes.</source>
        <translation>文件名“%1”对机器人来说太长：其路径最多只能有 %2 个字节。</translation>
    </message>
    <message>
        <source>connect successful</source>
        <translation>连接成功</translation>
    </message>
    <message>
        <source>Connect to the robot successful.</source>
        <translation>已成功连接到机器人。</translation>
    </message>
    <message>
        <source>the connection broken</source>
        <translation>连接已断开</translation>
    </message>
    <message>
        <source>the connection to the robot is broken.</source>
        <translation>与机器人的连接已断开。</translation>
    </message>
    <message>
        <source>The robot does not answer on the port %1 (no answer in %2 seconds). Check that the robot is switched on, the cable and the port, and that the Bluetooth choice matches how the robot is connected.</source>
        <translation>机器人在端口 %1 上没有应答（%2 秒内无应答）。请检查机器人是否已开机、连接线和端口，以及“蓝牙”选项是否与机器人的连接方式一致。</translation>
    </message>
    <message>
        <source>Stop: %1 queued request(s) dropped.</source>
        <translation>停止：已丢弃 %1 个排队的请求。</translation>
    </message>
</context>
<context>
    <name>TransferList</name>
    <message>
        <source>name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>file type</source>
        <translation>文件类型</translation>
    </message>
    <message>
        <source>combination key</source>
        <translation>组合键</translation>
    </message>
    <message>
        <source>key 1</source>
        <translation>按键 1</translation>
    </message>
    <message>
        <source>key 2</source>
        <translation>按键 2</translation>
    </message>
    <message>
        <source>fall type</source>
        <translation>跌倒类型</translation>
    </message>
    <message>
        <source>common file name</source>
        <translation>普通文件名</translation>
    </message>
    <message>
        <source>source file</source>
        <translation>源文件</translation>
    </message>
    <message>
        <source>robot path</source>
        <translation>机器人路径</translation>
    </message>
    <message>
        <source>row %1, column "%2"</source>
        <translation>第 %1 行“%2”列</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>The transfer file list was not saved: the cell in %1 is empty, and a transfer file list cannot hold an empty cell.</source>
        <translation>传输文件列表未保存：%1 的单元格为空，传输文件列表不能保存空单元格。</translation>
    </message>
    <message>
        <source>The transfer file list was not saved: the cell in %1 holds a "," or a line break, which a transfer file list cannot hold.</source>
        <translation>传输文件列表未保存：%1 的单元格含有“,”或换行，传输文件列表不能保存这些字符。</translation>
    </message>
    <message>
        <source>save transfer file list</source>
        <translation>保存传输文件列表</translation>
    </message>
    <message>
        <source>transfer file list (*.lst)</source>
        <translation>传输文件列表 (*.lst)</translation>
    </message>
    <message>
        <source>The transfer file list could not be saved to %1: %2</source>
        <translation>传输文件列表无法保存到 %1：%2</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Do  you want to save the transfer file list just edited ?</source>
        <translation>是否保存刚刚编辑的传输文件列表？</translation>
    </message>
    <message>
        <source>open transfer file list</source>
        <translation>打开传输文件列表</translation>
    </message>
    <message>
        <source>open robot operation file</source>
        <translation>打开机器人动作文件</translation>
    </message>
    <message>
        <source>robot operation file (*.ini)</source>
        <translation>机器人动作文件 (*.ini)</translation>
    </message>
    <message>
        <source>open common file</source>
        <translation>打开普通文件</translation>
    </message>
    <message>
        <source>common file (*.mp3 *.wav *.ini)</source>
        <translation>普通文件 (*.mp3 *.wav *.ini)</translation>
    </message>
    <message>
        <source>The transfer file list stopped at row %1. %2</source>
        <translation>传输文件列表在第 %1 行停止。%2</translation>
    </message>
    <message>
        <source>The file %1 cannot be read.</source>
        <translation>无法读取文件 %1。</translation>
    </message>
    <message>
        <source>Remote key error.</source>
        <translation>遥控按键错误。</translation>
    </message>
    <message>
        <source>Combination key error.</source>
        <translation>组合按键错误。</translation>
    </message>
    <message>
        <source>Empty combination.</source>
        <translation>组合为空。</translation>
    </message>
    <message>
        <source>These rows cannot be sent as they are:
%1
Save the transfer file list anyway?</source>
        <translation>以下各行按现状无法发送：
%1
仍要保存传输文件列表吗？</translation>
    </message>
    <message>
        <source>%1 is not a transfer file list: none of its lines has the 9 fields of a row. The list shown is kept.</source>
        <translation>%1 不是传输文件列表：其中没有一行具有一行所需的 9 个字段。当前显示的列表保持不变。</translation>
    </message>
    <message>
        <source>line %1 (%2 fields)</source>
        <translation>第 %1 行（%2 个字段）</translation>
    </message>
    <message>
        <source>Some lines of %1 are not rows of a transfer file list (a row has 9 fields) and were left out: %2.</source>
        <translation>%1 中有些行不是传输文件列表的行（一行应有 9 个字段），已被略过：%2。</translation>
    </message>
    <message>
        <source>The transfer file list cannot be edited while it is being sent.</source>
        <translation>传输文件列表正在发送，发送期间不能编辑。</translation>
    </message>
    <message>
        <source>Select a row of the transfer file list first, then click a key of the remote.</source>
        <translation>请先在传输文件列表中选择一行，再点击遥控器上的按键。</translation>
    </message>
    <message>
        <source>Row %1 is not a remote motion file: choose "remote motion file" as its file type to bind it to a key.</source>
        <translation>第 %1 行不是遥控动作文件：要为它绑定按键，请先把它的文件类型选为“遥控动作文件”。</translation>
    </message>
    <message>
        <source>Choose the combination key of row %1 ("no" or "yes") first, then click its key.</source>
        <translation>请先选择第 %1 行的组合键（“否”或“是”），再点击它的按键。</translation>
    </message>
    <message>
        <source>Row %1 has a single key: untick "combination key" to set its key 1.</source>
        <translation>第 %1 行只有一个按键：请取消勾选“组合键”来设置它的按键 1。</translation>
    </message>
    <message>
        <source>The robot is not connected: connect to it first, then send the transfer file list.</source>
        <translation>机器人未连接：请先连接机器人，再发送传输文件列表。</translation>
    </message>
    <message>
        <source>The transfer file list was not sent:
%1</source>
        <translation>传输文件列表未发送：
%1</translation>
    </message>
    <message>
        <source>The robot is not connected.</source>
        <translation>机器人未连接。</translation>
    </message>
    <message>
        <source>the common file has no name ("------"); enter the name it is to have on the robot.</source>
        <translation>普通文件没有名称（“------”）；请输入它在机器人上的文件名。</translation>
    </message>
    <message>
        <source>the common file name "%1" is not a plain file name; the robot takes no "/" or "\" in a name, nor "." or "..".</source>
        <translation>普通文件名“%1”不是单纯的文件名；机器人的文件名中不能有“/”或“\”，也不能是“.”或“..”。</translation>
    </message>
    <message>
        <source>the robot cannot take the file name "%1": it holds characters that the robot's character set (GB2312) cannot write.</source>
        <translation>机器人无法接受文件名“%1”：其中有机器人的字符集（GB2312）无法表示的字符。</translation>
    </message>
    <message>
        <source>the robot cannot take the file name "%1": its robot path has %2 bytes, and a path may have at most %3.</source>
        <translation>机器人无法接受文件名“%1”：它在机器人上的路径有 %2 字节，而路径最多只能有 %3 字节。</translation>
    </message>
    <message>
        <source>the robot file %1 is written by row %2 already.</source>
        <translation>机器人文件 %1 已由第 %2 行写入。</translation>
    </message>
    <message>
        <source>Row %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>A file transfer is running. Please wait until it has finished.</source>
        <translation>正在传输文件，请等待传输完成。</translation>
    </message>
</context>
<context>
    <name>TransferOutcome</name>
    <message>
        <source>The robot's copy of %1 is now incomplete: it acknowledged %2 of %3 bytes.</source>
        <translation>机器人上的 %1 现在不完整：它确认了 %3 字节中的 %2 字节。</translation>
    </message>
    <message>
        <source>The robot's copy of %1 may be incomplete.</source>
        <translation>机器人上的 %1 可能不完整。</translation>
    </message>
    <message>
        <source>Trans file finished. Checked: %1 copies of %2 (%3 bytes) fetched one after the other were identical and no frame arrived damaged.</source>
        <translation>文件传输完成。已检查：先后获取的 %1 份 %2（%3 字节）完全相同，且没有收到损坏的数据帧。</translation>
    </message>
    <message>
        <source>Trans file finished.</source>
        <translation>文件传输完成。</translation>
    </message>
    <message>
        <source>The robot refused the file %1.</source>
        <translation>机器人拒绝接收文件 %1。</translation>
    </message>
    <message>
        <source>Sending %1 failed: the robot stopped acknowledging at %2 of %3 bytes.</source>
        <translation>发送 %1 失败：机器人在 %3 字节中的第 %2 字节处停止了应答。</translation>
    </message>
    <message>
        <source>Sending %1 is unconfirmed: the robot did not report the end of the transfer.</source>
        <translation>发送 %1 未得到确认：机器人没有报告传输结束。</translation>
    </message>
    <message>
        <source>Sending %1 failed: the local file %2 could not be read.</source>
        <translation>发送 %1 失败：无法读取本地文件 %2。</translation>
    </message>
    <message>
        <source>Sending %1 was cancelled at %2 of %3 bytes.</source>
        <translation>发送 %1 已在 %3 字节中的第 %2 字节处取消。</translation>
    </message>
    <message>
        <source>Sending %1 stopped at %2 of %3 bytes because the link was closed.</source>
        <translation>由于连接已关闭，发送 %1 在 %3 字节中的第 %2 字节处停止。</translation>
    </message>
    <message>
        <source>Fetching %1 was cancelled. The local file was not changed.</source>
        <translation>获取 %1 已取消。本地文件未被改动。</translation>
    </message>
    <message>
        <source>Fetching %1 stopped because the link was closed. The local file was not changed.</source>
        <translation>由于连接已关闭，获取 %1 已停止。本地文件未被改动。</translation>
    </message>
    <message>
        <source>the robot stopped sending before the end of the file</source>
        <translation>机器人在文件结束之前停止了发送</translation>
    </message>
    <message>
        <source>%1 damaged frames arrived during the transfer</source>
        <translation>传输过程中收到 %1 个损坏的数据帧</translation>
    </message>
    <message>
        <source>two fetches of the file differ, so data was lost on the line</source>
        <translation>两次获取的文件不一致，线路上有数据丢失</translation>
    </message>
    <message>
        <source>the robot has no such file (it sent no data)</source>
        <translation>机器人上没有这个文件（它没有发送任何数据）</translation>
    </message>
    <message>
        <source>the file %1 could not be written (%2)</source>
        <translation>无法写入文件 %1（%2）</translation>
    </message>
    <message>
        <source>Fetching %1 failed: %2. The local file was not changed.</source>
        <translation>获取 %1 失败：%2。本地文件未被改动。</translation>
    </message>
</context>
<context>
    <name>Autosave</name>
    <message>
        <source>Cannot make the folder:</source>
        <translation>无法创建文件夹：</translation>
    </message>
    <message>
        <source>an unnamed motion</source>
        <translation>一个未命名的动作</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>gaitForge was not closed properly. Unsaved changes of %1 (%2 frames, autosaved %3) can be recovered.
Open: recover them as an unsaved motion. Discard: delete the autosaved copy.</source>
        <translation>gaitForge 上次没有正常关闭。%1 未保存的修改（%2 帧，自动保存于 %3）可以恢复。
打开：恢复为未保存的动作。放弃：删除自动保存的副本。</translation>
    </message>
    <message>
        <source>The unsaved changes could not be autosaved: </source>
        <translation>未保存的修改无法自动保存：</translation>
    </message>
</context>
<context>
    <name>FrameInfoPanel</name>
    <message>
        <source>Outside the joint limits:</source>
        <translation>超出关节限位：</translation>
    </message>
    <message>
        <source>%1 at %2 (allowed %3 to %4)</source>
        <translation>%1 为 %2（允许 %3 至 %4）</translation>
    </message>
</context>
<context>
    <name>JointPanel</name>
    <message>
        <source>mirror posing</source>
        <translation>镜像摆姿</translation>
    </message>
    <message>
        <source>mirror posing: editing a joint also sets its partner on the other side</source>
        <translation>镜像摆姿：编辑一个关节时同时设置另一侧的对应关节</translation>
    </message>
    <message>
        <source>allowed %1 to %2</source>
        <translation>允许 %1 至 %2</translation>
    </message>
    <message>
        <source> (default range: the configure file sets no limits)</source>
        <translation>（默认范围：配置文件未设定限位）</translation>
    </message>
    <message>
        <source> (default range: no robot configure file read)</source>
        <translation>（默认范围：尚未读取机器人配置文件）</translation>
    </message>
    <message>
        <source> (the robot's user limits)</source>
        <translation>（机器人的用户限位）</translation>
    </message>
    <message>
        <source>This frame's angle lies outside the allowed range.</source>
        <translation>此帧的角度超出允许范围。</translation>
    </message>
    <message>
        <source>At the limit.</source>
        <translation>已到限位。</translation>
    </message>
    <message>
        <source>%1 held at %2, its limit</source>
        <translation>%1 停在 %2，已到其限位</translation>
    </message>
</context>
<context>
    <name>ServoPanel</name>
    <message>
        <source>Choose the servo first (servo:).</source>
        <translation>请先选择舵机（舵机：）。</translation>
    </message>
</context>
<context>
    <name>robotfiles</name>
    <message>
        <source>0: SD card</source>
        <translation>0：SD卡</translation>
    </message>
    <message>
        <source>1: flash</source>
        <translation>1：闪存</translation>
    </message>
</context>
<context>
    <name>BeatPanel</name>
    <message>
        <source>½ beat</source>
        <translation>½ 拍</translation>
    </message>
    <message>
        <source>shift half a beat: for a grid on the off-beat</source>
        <translation>移动半拍：用于网格落在反拍上时</translation>
    </message>
    <message>
        <source>-10 ms</source>
        <translation>-10 毫秒</translation>
    </message>
    <message>
        <source>move the grid 10 ms earlier</source>
        <translation>将网格提前 10 毫秒</translation>
    </message>
    <message>
        <source>+10 ms</source>
        <translation>+10 毫秒</translation>
    </message>
    <message>
        <source>move the grid 10 ms later</source>
        <translation>将网格推后 10 毫秒</translation>
    </message>
    <message>
        <source>tap</source>
        <translation>敲击</translation>
    </message>
    <message>
        <source>tap tempo: play the music and press B on every beat</source>
        <translation>敲击测速：播放音乐，在每一拍上按 B 键</translation>
    </message>
    <message>
        <source>find</source>
        <translation>查找</translation>
    </message>
    <message>
        <source>find the beat of the music in the tempo range</source>
        <translation>在速度范围内查找音乐的节拍</translation>
    </message>
    <message>
        <source>snap</source>
        <translation>对齐</translation>
    </message>
    <message>
        <source>snap selected frames to half beats</source>
        <translation>将选中的帧对齐到半拍</translation>
    </message>
    <message>
        <source>snap selected frames to every beat</source>
        <translation>将选中的帧对齐到每一拍</translation>
    </message>
    <message>
        <source>snap selected frames to every second beat</source>
        <translation>将选中的帧对齐到每隔一拍</translation>
    </message>
    <message>
        <source>snap selected frames to every fourth beat</source>
        <translation>将选中的帧对齐到每四拍</translation>
    </message>
    <message>
        <source>snap the selected frames to the beat grid (delay times only)</source>
        <translation>将选中的帧对齐到节拍网格（只改变延时时间）</translation>
    </message>
    <message>
        <source>tempo range searched (BPM): rules out half and double tempo</source>
        <translation>查找的速度范围（BPM）：排除半速和倍速</translation>
    </message>
    <message>
        <source>BPM range</source>
        <translation>BPM 范围</translation>
    </message>
    <message>
        <source>no beat grid</source>
        <translation>无节拍网格</translation>
    </message>
    <message>
        <source>%1 BPM</source>
        <translation>%1 BPM</translation>
    </message>
    <message>
        <source>Beat grid of this music read back: %1</source>
        <translation>已读回此音乐的节拍网格：%1</translation>
    </message>
    <message>
        <source>Beat grid found: %1</source>
        <translation>已找到节拍网格：%1</translation>
    </message>
    <message>
        <source>Tap tempo: %1 taps, keep tapping on every beat</source>
        <translation>敲击测速：已敲击 %1 次，请继续在每一拍上敲击</translation>
    </message>
    <message>
        <source>Tap tempo: %1 taps, %2</source>
        <translation>敲击测速：已敲击 %1 次，%2</translation>
    </message>
    <message>
        <source>The beat grid could not be kept in %1: %2</source>
        <translation>节拍网格无法保存到 %1：%2</translation>
    </message>
    <message>
        <source>The music is too short to find its beat.</source>
        <translation>音乐太短，无法找到节拍。</translation>
    </message>
    <message>
        <source>No steady beat was found in the music.</source>
        <translation>音乐中没有找到稳定的节拍。</translation>
    </message>
    <message>
        <source>The beat of the music lies outside %1 to %2 BPM.</source>
        <translation>音乐的节拍不在 %1 到 %2 BPM 之间。</translation>
    </message>
</context>
<context>
    <name>BeatSnapper</name>
    <message>
        <source>These frames could not be snapped and keep their times:</source>
        <translation>以下帧无法对齐，保持原来的时间：</translation>
    </message>
    <message>
        <source>frame %1: no frame at or before it plays music, so it has no time in the music</source>
        <translation>第 %1 帧：它及之前没有播放音乐的帧，因此它在音乐中没有时间</translation>
    </message>
    <message>
        <source>frame %1: it starts the music, at 0:00.0; its beat is at %2</source>
        <translation>第 %1 帧：它开始播放音乐，位于 0:00.0；它的节拍在 %2</translation>
    </message>
    <message>
        <source>frame %1: its beat at %2 comes before frame %3&apos;s operation time ends</source>
        <translation>第 %1 帧：它在 %2 的节拍早于第 %3 帧的运行时间结束</translation>
    </message>
    <message>
        <source>frame %1: its beat at %2 needs a delay time of frame %3 above %4 ms</source>
        <translation>第 %1 帧：它在 %2 的节拍需要第 %3 帧的延时时间超过 %4 毫秒</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Select the frames to snap to the beat first.</source>
        <translation>请先选择要对齐到节拍的帧。</translation>
    </message>
    <message>
        <source>Frames on the beat grid: %1 of %2</source>
        <translation>在节拍网格上的帧：%2 帧中的 %1 帧</translation>
    </message>
</context>
<context>
    <name>BalancePanel</name>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>The mass file %1 cannot be read (%2): the parts share %3 g by volume, and the file is left as it is.</source>
        <translation>无法读取质量文件 %1（%2）：各部件按体积分摊 %3 克，该文件保持原样。</translation>
    </message>
    <message>
        <source>The mass file %1 has no mass in line %2: the parts share %3 g by volume, and the file is left as it is.</source>
        <translation>质量文件 %1 的第 %2 行不是质量：各部件按体积分摊 %3 克，该文件保持原样。</translation>
    </message>
    <message>
        <source>The masses of the mass file %1 add up to nothing: the parts share %3 g by volume, and the file is left as it is.</source>
        <translation>质量文件 %1 中的质量总和为零：各部件按体积分摊 %3 克，该文件保持原样。</translation>
    </message>
    <message>
        <source>robot &amp;masses...</source>
        <translation>机器人质量(&amp;M)...</translation>
    </message>
    <message>
        <source>The mass file %1 cannot be written: %2</source>
        <translation>无法写入质量文件 %1：%2</translation>
    </message>
    <message>
        <source>the left foot</source>
        <translation>左脚</translation>
    </message>
    <message>
        <source>the right foot</source>
        <translation>右脚</translation>
    </message>
    <message>
        <source>both feet</source>
        <translation>双脚</translation>
    </message>
    <message>
        <source>, margin %1 mm</source>
        <translation>，余量 %1 mm</translation>
    </message>
    <message>
        <source>Balance: the centre of mass lies %1 mm outside the support of %2: the robot tips.</source>
        <translation>平衡：重心在%2的支撑区域外 %1 mm：机器人会倾倒。</translation>
    </message>
    <message>
        <source>Balance: the centre of mass lies only %1 mm inside the support of %2: a small push tips the robot.</source>
        <translation>平衡：重心仅在%2的支撑区域内 %1 mm：轻轻一推机器人就会倾倒。</translation>
    </message>
    <message>
        <source>Balance: the centre of mass lies %1 mm inside the support of %2.</source>
        <translation>平衡：重心在%2的支撑区域内 %1 mm。</translation>
    </message>
</context>
<context>
    <name>BodyMass</name>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>无法创建文件夹 %1</translation>
    </message>
</context>
<context>
    <name>MassDialog</name>
    <message>
        <source>body</source>
        <translation>躯干</translation>
    </message>
    <message>
        <source>robot masses</source>
        <translation>机器人质量</translation>
    </message>
    <message>
        <source>Each part&apos;s mass in grams decides where the centre of mass lies. The default is an estimate: the total shared among the parts by their volumes. Weigh the robot and share its weight, or weigh a servo and add its weight to the parts that hold one.</source>
        <translation>各部件的质量（克）决定重心的位置。默认值只是估计：按体积把总质量分摊到各部件。请称量机器人并分摊它的重量，或称量一个舵机，把它的重量加到装有舵机的部件上。</translation>
    </message>
    <message>
        <source>share by volume</source>
        <translation>按体积分摊</translation>
    </message>
    <message>
        <source>total</source>
        <translation>总质量</translation>
    </message>
    <message>
        <source>The robot weighs %1 g.</source>
        <translation>机器人重 %1 克。</translation>
    </message>
</context>
<context>
    <name>ViewToolBar</name>
    <message>
        <source>show balance</source>
        <translation>显示平衡</translation>
    </message>
    <message>
        <source>Show the support polygon and the centre of mass on the floor</source>
        <translation>在地面上显示支撑多边形和重心</translation>
    </message>
    <message>
        <source>move foot</source>
        <translation>移动脚</translation>
    </message>
    <message>
        <source>Move foot: drag a foot along the floor, with Shift up and down; its leg follows and the sole stays flat</source>
        <translation>移动脚：沿地面拖动一只脚，按住 Shift 上下移动；腿随之而动，脚底保持水平</translation>
    </message>
</context>
<context>
    <name>CurvesPage</name>
    <message>
        <source>curves</source>
        <translation>曲线</translation>
    </message>
</context>
<context>
    <name>CurvesView</name>
    <message>
        <source>joints</source>
        <translation>关节</translation>
    </message>
    <message>
        <source>whole motion</source>
        <translation>整个动作</translation>
    </message>
    <message>
        <source>Show the whole motion. Wheel: zoom, drag: move; drag a point up or down to change that joint&apos;s angle in that frame.</source>
        <translation>显示整个动作。滚轮：缩放，拖动：移动；上下拖动一个点可修改该帧中该关节的角度。</translation>
    </message>
    <message>
        <source>ease...</source>
        <translation>缓动...</translation>
    </message>
    <message>
        <source>Replace the moves into the selected frames by steps along a curve.</source>
        <translation>将进入所选帧的运动替换为沿曲线的若干步。</translation>
    </message>
    <message>
        <source>time (ms)</source>
        <translation>时间 (ms)</translation>
    </message>
    <message>
        <source>angle (degrees)</source>
        <translation>角度 (度)</translation>
    </message>
    <message>
        <source>all joints</source>
        <translation>全部关节</translation>
    </message>
    <message>
        <source>no joint</source>
        <translation>不显示关节</translation>
    </message>
    <message>
        <source>loop x%1</source>
        <translation>循环 x%1</translation>
    </message>
    <message>
        <source>%1 is held at its limit, %2 degrees.</source>
        <translation>%1 停在其限位 %2 度。</translation>
    </message>
</context>
<context>
    <name>EaseCommand</name>
    <message>
        <source>ease</source>
        <translation>缓动</translation>
    </message>
    <message>
        <source>curve:</source>
        <translation>曲线：</translation>
    </message>
    <message>
        <source>steps:</source>
        <translation>步数：</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Ease the move into frame %1 with the curve &quot;%2&quot; in %3 steps?</source>
        <translation>用曲线“%2”以 %3 步缓动进入帧 %1 的运动吗？</translation>
    </message>
    <message>
        <source>Ease the moves into frames %1 with the curve &quot;%2&quot; in %3 steps?</source>
        <translation>用曲线“%2”以 %3 步缓动进入帧 %1 的运动吗？</translation>
    </message>
    <message>
        <source>Frames added: %1 (%2 frames in all).</source>
        <translation>新增帧：%1（共 %2 帧）。</translation>
    </message>
    <message>
        <source>The download to the robot takes %1 ms longer over Bluetooth.</source>
        <translation>通过蓝牙下载到机器人将多用 %1 ms。</translation>
    </message>
    <message>
        <source>The download to the robot takes %1 ms longer over the cable.</source>
        <translation>通过数据线下载到机器人将多用 %1 ms。</translation>
    </message>
</context>
<context>
    <name>Easing</name>
    <message>
        <source>linear</source>
        <translation>线性</translation>
    </message>
    <message>
        <source>ease in</source>
        <translation>缓入</translation>
    </message>
    <message>
        <source>ease out</source>
        <translation>缓出</translation>
    </message>
    <message>
        <source>ease in-out (smoothstep)</source>
        <translation>缓入缓出 (smoothstep)</translation>
    </message>
    <message>
        <source>cubic in-out</source>
        <translation>三次缓入缓出</translation>
    </message>
    <message>
        <source>Choose a frame after the first: the first frame has no move into it to ease.</source>
        <translation>请选择第一帧之后的帧：第一帧没有可缓动的进入运动。</translation>
    </message>
    <message>
        <source>The number of steps must be 1 to %1.</source>
        <translation>步数必须为 1 到 %1。</translation>
    </message>
    <message>
        <source>The move into frame %1 takes %2 ms, too short for %3 steps of at least %4 ms each: it cannot be split.</source>
        <translation>进入帧 %1 的运动用时 %2 ms，不足以分成每步至少 %4 ms 的 %3 步：它无法拆分。</translation>
    </message>
    <message>
        <source>The move into frame %1 takes %2 ms, too short for %3 steps of at least %4 ms each: it allows at most %5 steps.</source>
        <translation>进入帧 %1 的运动用时 %2 ms，不足以分成每步至少 %4 ms 的 %3 步：最多只能分成 %5 步。</translation>
    </message>
</context>
<context>
    <name>PosingPanel</name>
    <message>
        <source>pose by hand</source>
        <translation>手动摆姿势</translation>
    </message>
    <message>
        <source>stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>stop the playback and brake every servo (Esc)</source>
        <translation>停止播放并让所有舵机制动 (Esc)</translation>
    </message>
    <message>
        <source>release joint</source>
        <translation>放松关节</translation>
    </message>
    <message>
        <source>release the selected joint so that it can be moved by hand</source>
        <translation>放松所选关节，以便用手扳动</translation>
    </message>
    <message>
        <source>head</source>
        <translation>头部</translation>
    </message>
    <message>
        <source>left arm</source>
        <translation>左臂</translation>
    </message>
    <message>
        <source>right arm</source>
        <translation>右臂</translation>
    </message>
    <message>
        <source>left leg</source>
        <translation>左腿</translation>
    </message>
    <message>
        <source>right leg</source>
        <translation>右腿</translation>
    </message>
    <message>
        <source>release limb</source>
        <translation>放松肢体</translation>
    </message>
    <message>
        <source>release all</source>
        <translation>全部放松</translation>
    </message>
    <message>
        <source>hold</source>
        <translation>保持</translation>
    </message>
    <message>
        <source>hold the released joints where they are</source>
        <translation>让放松的关节在当前位置保持</translation>
    </message>
    <message>
        <source>capture</source>
        <translation>采集</translation>
    </message>
    <message>
        <source>write the positions of the released joints into the current frame</source>
        <translation>把放松关节的位置写入当前帧</translation>
    </message>
    <message>
        <source>Released joints follow the hand: move them, then capture and hold.</source>
        <translation>放松的关节随手而动：扳动它们，然后采集并保持。</translation>
    </message>
    <message>
        <source>Select a joint first.</source>
        <translation>请先选择一个关节。</translation>
    </message>
    <message>
        <source>No released joint has reported its position yet.</source>
        <translation>还没有放松的关节报告其位置。</translation>
    </message>
    <message>
        <source>Stopped: every servo brakes where it stands.</source>
        <translation>已停止：所有舵机在当前位置制动。</translation>
    </message>
    <message>
        <source>Not held (their position did not come): %1. They stay released.</source>
        <translation>未能保持（未收到其位置）：%1。它们保持放松。</translation>
    </message>
    <message>
        <source>being held again</source>
        <translation>正在重新保持</translation>
    </message>
    <message>
        <source>released</source>
        <translation>已放松</translation>
    </message>
    <message>
        <source>Captured %1 joint positions into the current frame.</source>
        <translation>已将 %1 个关节的位置采集到当前帧。</translation>
    </message>
    <message>
        <source>Held again where they stand.</source>
        <translation>已在当前位置重新保持。</translation>
    </message>
</context>
<context>
    <name>FrameDecoder</name>
    <message>
        <source>no frame</source>
        <translation>无帧</translation>
    </message>
    <message>
        <source>no start</source>
        <translation>无起始标记</translation>
    </message>
    <message>
        <source>bad stuffing</source>
        <translation>填充错误</translation>
    </message>
    <message>
        <source>too long</source>
        <translation>过长</translation>
    </message>
    <message>
        <source>bad length</source>
        <translation>长度错误</translation>
    </message>
    <message>
        <source>bad checksum</source>
        <translation>校验和错误</translation>
    </message>
    <message>
        <source>unfinished frame</source>
        <translation>未完成的帧</translation>
    </message>
    <message>
        <source>arrived before the first request</source>
        <translation>在第一个请求之前到达</translation>
    </message>
</context>
<context>
    <name>PacketMonitorModel</name>
    <message>
        <source>sent</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>received</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>discarded</source>
        <translation>已丢弃</translation>
    </message>
    <message>
        <source>discarded: %1, %2 bytes</source>
        <translation>已丢弃：%1，%2 字节</translation>
    </message>
    <message>
        <source>checksum ok</source>
        <translation>校验和正确</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>类别</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>From</source>
        <translation>来源</translation>
    </message>
    <message>
        <source>To</source>
        <translation>目标</translation>
    </message>
    <message>
        <source>Fields</source>
        <translation>字段</translation>
    </message>
    <message>
        <source>Checksum</source>
        <translation>校验和</translation>
    </message>
</context>
<context>
    <name>PacketMonitorDock</name>
    <message>
        <source>Packet monitor</source>
        <translation>数据包监视器</translation>
    </message>
    <message>
        <source>packet monitor</source>
        <translation>数据包监视器</translation>
    </message>
    <message>
        <source>both directions</source>
        <translation>双向</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>received</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>all types</source>
        <translation>所有类型</translation>
    </message>
    <message>
        <source>discarded bytes</source>
        <translation>丢弃的字节</translation>
    </message>
    <message>
        <source>all addresses</source>
        <translation>所有地址</translation>
    </message>
    <message>
        <source>servo %1</source>
        <translation>舵机 %1</translation>
    </message>
    <message>
        <source>all servos</source>
        <translation>所有舵机</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Copy as hex</source>
        <translation>复制为十六进制</translation>
    </message>
    <message>
        <source>%1 of %2 rows shown</source>
        <translation>显示 %2 行中的 %1 行</translation>
    </message>
    <message>
        <source>paused, %1 rows waiting</source>
        <translation>已暂停，%1 行等待中</translation>
    </message>
    <message>
        <source>%1 rows lost: they came faster than the window took them</source>
        <translation>丢失 %1 行：到达速度快于窗口的处理速度</translation>
    </message>
</context>
<context>
    <name>FootMover</name>
    <message>
        <source>Press on a foot to move it.</source>
        <translation>按住一只脚来移动它。</translation>
    </message>
    <message>
        <source>A foot cannot be moved while a motion plays or the joints are being read.</source>
        <translation>播放动作或读取关节时不能移动脚。</translation>
    </message>
    <message>
        <source>The right foot</source>
        <translation>右脚</translation>
    </message>
    <message>
        <source>The left foot</source>
        <translation>左脚</translation>
    </message>
    <message>
        <source>%1 cannot go there: %2 would turn to %3, past its limit of %4.</source>
        <translation>%1无法到达该处：%2将转到 %3，超过其限位 %4。</translation>
    </message>
    <message>
        <source>%1 cannot go there: the leg would have to be %2 mm longer.</source>
        <translation>%1无法到达该处：腿需要再长 %2 mm。</translation>
    </message>
    <message>
        <source>%1 cannot go there: it lies out of the leg&apos;s reach.</source>
        <translation>%1无法到达该处：超出了腿能达到的范围。</translation>
    </message>
</context>
<context>
    <name>AlarmTracker</name>
    <message>
        <source>normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>high voltage</source>
        <translation>电压过高</translation>
    </message>
    <message>
        <source>low voltage</source>
        <translation>电压过低</translation>
    </message>
    <message>
        <source>high torque</source>
        <translation>扭矩过大</translation>
    </message>
    <message>
        <source>high temperature</source>
        <translation>温度过高</translation>
    </message>
    <message>
        <source>state %1</source>
        <translation>状态 %1</translation>
    </message>
    <message>
        <source>Alarm: the battery is at %1 V, under %2 V.</source>
        <translation>警报：电池电压为 %1 V，低于 %2 V。</translation>
    </message>
    <message>
        <source>Cleared: the battery is back at %1 V.</source>
        <translation>已解除：电池电压已恢复到 %1 V。</translation>
    </message>
    <message>
        <source>Alarm: servo %1 reports "%2" (%3 °C).</source>
        <translation>警报：舵机 %1 报告“%2”（%3 °C）。</translation>
    </message>
    <message>
        <source>Alarm: servo %1 is at %2 °C, at or over its limit of %3 °C.</source>
        <translation>警报：舵机 %1 温度为 %2 °C，已达到或超过其上限 %3 °C。</translation>
    </message>
    <message>
        <source>Warning: servo %1 is at %2 °C, within %3 °C of its limit of %4 °C.</source>
        <translation>警告：舵机 %1 温度为 %2 °C，距其上限 %4 °C 仅 %3 °C。</translation>
    </message>
    <message>
        <source>Cleared: servo %1 is back to normal (%2 °C).</source>
        <translation>已解除：舵机 %1 已恢复正常（%2 °C）。</translation>
    </message>
</context>
<context>
    <name>LivePanel</name>
    <message>
        <source>&amp;view</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>Live readings</source>
        <translation>实时读数</translation>
    </message>
    <message>
        <source>live readings</source>
        <translation>实时读数</translation>
    </message>
    <message>
        <source>Show the live readings of the servos and the battery</source>
        <translation>显示舵机和电池的实时读数</translation>
    </message>
    <message>
        <source>Paused while a file transfer or a motion download holds the line.</source>
        <translation>文件传输或动作下载占用线路时暂停。</translation>
    </message>
    <message>
        <source>Paused while other requests use the line.</source>
        <translation>其他请求使用线路时暂停。</translation>
    </message>
    <message>
        <source>Sweeping.</source>
        <translation>正在轮询。</translation>
    </message>
    <message>
        <source>watch</source>
        <translation>监视</translation>
    </message>
    <message>
        <source>Sweep the servos while connected, whether this dock is shown or not</source>
        <translation>连接时轮询舵机，无论此面板是否显示</translation>
    </message>
    <message>
        <source>A servo this close to its maximum temperature warns</source>
        <translation>舵机温度距其最高温度在此范围内时发出警告</translation>
    </message>
    <message>
        <source>A battery under this voltage raises an alarm</source>
        <translation>电池电压低于此值时发出警报</translation>
    </message>
    <message>
        <source>save CSV...</source>
        <translation>保存 CSV...</translation>
    </message>
    <message>
        <source>clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>rate:</source>
        <translation>频率：</translation>
    </message>
    <message>
        <source>warn within:</source>
        <translation>警告范围：</translation>
    </message>
    <message>
        <source>battery alarm under:</source>
        <translation>电池警报低于：</translation>
    </message>
    <message>
        <source>Not connected.</source>
        <translation>未连接。</translation>
    </message>
    <message>
        <source>temperature (°C)</source>
        <translation>温度 (°C)</translation>
    </message>
    <message>
        <source>load (%)</source>
        <translation>负载 (%)</translation>
    </message>
    <message>
        <source>voltage (V)</source>
        <translation>电压 (V)</translation>
    </message>
    <message>
        <source>battery (V)</source>
        <translation>电池 (V)</translation>
    </message>
    <message>
        <source>time (s)</source>
        <translation>时间 (s)</translation>
    </message>
    <message>
        <source>servo</source>
        <translation>舵机</translation>
    </message>
    <message>
        <source>position (°)</source>
        <translation>位置 (°)</translation>
    </message>
    <message>
        <source>speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>limit (°C)</source>
        <translation>上限 (°C)</translation>
    </message>
    <message>
        <source>state</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>No servo answered.</source>
        <translation>没有舵机应答。</translation>
    </message>
    <message>
        <source>Servos found: %1.</source>
        <translation>找到的舵机：%1。</translation>
    </message>
    <message>
        <source>Sweep %1: %2 servo(s) in %3 ms.</source>
        <translation>第 %1 次轮询：%2 个舵机，用时 %3 ms。</translation>
    </message>
    <message>
        <source>battery: no answer</source>
        <translation>电池：无应答</translation>
    </message>
    <message>
        <source>battery: %1 V</source>
        <translation>电池：%1 V</translation>
    </message>
    <message>
        <source>servo %1</source>
        <translation>舵机 %1</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>There are no readings to save yet.</source>
        <translation>还没有可保存的读数。</translation>
    </message>
    <message>
        <source>Save live readings</source>
        <translation>保存实时读数</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>The readings could not be saved to %1: %2</source>
        <translation>无法将读数保存到 %1：%2</translation>
    </message>
    <message>
        <source>%1 rows of %2 sweeps saved to %3.</source>
        <translation>已将 %2 次轮询的 %1 行保存到 %3。</translation>
    </message>
</context>
<context>
    <name>BusScanDock</name>
    <message>
        <source>bus scan</source>
        <translation>总线扫描</translation>
    </message>
    <message>
        <source>address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>state</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>reason</source>
        <translation>原因</translation>
    </message>
    <message>
        <source>scan</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>scan bus</source>
        <translation>扫描总线</translation>
    </message>
    <message>
        <source>ask servos 2 to 20 for their model and version</source>
        <translation>向舵机 2 到 20 询问其型号和版本</translation>
    </message>
    <message>
        <source>Not connected: connect to the robot first, then scan.</source>
        <translation>未连接：请先连接机器人，然后再扫描。</translation>
    </message>
    <message>
        <source>A download or file transfer is running: scan again when it has finished.</source>
        <translation>正在下载或传输文件：完成后请再次扫描。</translation>
    </message>
    <message>
        <source>Scanning servos 2 to 20...</source>
        <translation>正在扫描舵机 2 到 20……</translation>
    </message>
    <message>
        <source>The link went down during the scan: no result.</source>
        <translation>扫描期间连接已断开：没有结果。</translation>
    </message>
    <message>
        <source>present</source>
        <translation>在线</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>缺失</translation>
    </message>
    <message>
        <source>unreliable</source>
        <translation>不可靠</translation>
    </message>
    <message>
        <source>answer from address %1, which was not asked</source>
        <translation>来自地址 %1 的应答，而该地址未被询问</translation>
    </message>
    <message>
        <source>damaged answers: two servos on one address</source>
        <translation>应答损坏：一个地址上有两个舵机</translation>
    </message>
    <message>
        <source>damaged answers</source>
        <translation>应答损坏</translation>
    </message>
    <message>
        <source>%1 present</source>
        <translation>%1 个在线</translation>
    </message>
    <message>
        <source>%1 missing</source>
        <translation>%1 个缺失</translation>
    </message>
    <message>
        <source>%1 unreliable</source>
        <translation>%1 个不可靠</translation>
    </message>
    <message>
        <source>%1; the scan took %2 s</source>
        <translation>%1；扫描用时 %2 秒</translation>
    </message>
</context>
</TS>