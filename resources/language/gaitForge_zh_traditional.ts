<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="zh_TW">
<context>
    <name>Calibration</name>
    <message>
        <source>Calibration: %1 of %2 servos answered.</source>
        <translation>校準：%2 個舵機中有 %1 個應答。</translation>
    </message>
    <message>
        <source>No answer from servo %1: kept the old correction.</source>
        <translation>舵機 %1 沒有應答：保留原來的修正值。</translation>
    </message>
    <message>
        <source>Servo %1 reported position 0, which is never taken: kept the old correction.</source>
        <translation>舵機 %1 報告位置爲 0，該值不會被採用：保留原來的修正值。</translation>
    </message>
</context>
<context>
    <name>CalibrationPanel</name>
    <message>
        <source>error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>Error while open origin file.</source>
        <translation>打開原點文件時出錯。</translation>
    </message>
    <message>
        <source>The origin frame file %1 cannot be written: %2</source>
        <translation>無法寫入原點幀文件 %1：%2</translation>
    </message>
    <message>
        <source>Calibration: reading the servos' positions ...</source>
        <translation>校準：正在讀取舵機位置……</translation>
    </message>
    <message>
        <source>The origin frame file %1 cannot be read (%2): the origin is all zeros, and the file is left as it is.</source>
        <translation>無法讀取原點幀文件 %1（%2）：原點全部為零，該文件保持原樣。</translation>
    </message>
    <message>
        <source>Line %1 of %2 does not hold 19 values.</source>
        <translation>%2 的第 %1 行不是 19 個數值。</translation>
    </message>
    <message>
        <source>The origin keeps the values of line %1.</source>
        <translation>原點保留第 %1 行的數值。</translation>
    </message>
    <message>
        <source>The origin is all zeros.</source>
        <translation>原點全部為零。</translation>
    </message>
    <message>
        <source>The file was written anew with them; the damaged file is kept as %1.</source>
        <translation>已用這些數值重新寫入該文件；損壞的文件保存為 %1。</translation>
    </message>
    <message>
        <source>The damaged file is kept as %1, but the file could not be written anew (%2).</source>
        <translation>損壞的文件已保存為 %1，但無法重新寫入該文件（%2）。</translation>
    </message>
    <message>
        <source>The damaged file could not be kept as %1 (%2), so it is left as it is.</source>
        <translation>無法將損壞的文件保存為 %1（%2），因此該文件保持原樣。</translation>
    </message>
</context>
<context>
    <name>ComboDelegate</name>
    <message>
        <source>loop start</source>
        <translation>循環開始</translation>
    </message>
    <message>
        <source>loop end</source>
        <translation>循環結束</translation>
    </message>
    <message>
        <source>random</source>
        <translation>隨機</translation>
    </message>
    <message>
        <source>pause</source>
        <translation>暫停</translation>
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
        <translation>快閃記憶體</translation>
    </message>
    <message>
        <source>remote motion file</source>
        <translation>遙控動作檔案</translation>
    </message>
    <message>
        <source>fall motion file</source>
        <translation>跌倒動作檔案</translation>
    </message>
    <message>
        <source>common file</source>
        <translation>一般檔案</translation>
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
        <translation>向後跌倒</translation>
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
        <translation>收到的文件不是完整的配置文件（不是以“END:;”結尾）</translation>
    </message>
    <message>
        <source>the received file is not a complete configure file (line %1 has a wrong number of values)</source>
        <translation>收到的文件不是完整的配置文件（第 %1 行的數值個數不對）</translation>
    </message>
</context>
<context>
    <name>ConfigFilePage</name>
    <message>
        <source>error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>Error in line:</source>
        <translation>錯誤，所在行：</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>無法寫入檔案 %1。</translation>
    </message>
    <message>
        <source>open robot configure file</source>
        <translation>開啟機器人設定檔</translation>
    </message>
    <message>
        <source>robot configure files (*.ini)</source>
        <translation>機器人設定檔 (*.ini)</translation>
    </message>
    <message>
        <source>save robot configure file as</source>
        <translation>機器人設定檔另存為</translation>
    </message>
    <message>
        <source>save robot configure file (*.ini)</source>
        <translation>儲存機器人設定檔 (*.ini)</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>No complete configure file has been read yet. Please get the robot's configure file or open one first.</source>
        <translation>尚未讀取完整的配置文件。請先獲取機器人的配置文件或打開一個配置文件。</translation>
    </message>
    <message>
        <source>Do you want to replace the robot's configure file %1?</source>
        <translation>要替換機器人的配置文件 %1 嗎？</translation>
    </message>
    <message>
        <source>The configure file %1 could not be read back from the robot, so it is not verified.</source>
        <translation>無法從機器人讀回配置文件 %1，因此未能校驗。</translation>
    </message>
    <message>
        <source>finish</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>The configure file %1 was saved and verified.</source>
        <translation>配置文件 %1 已保存並校驗。</translation>
    </message>
    <message>
        <source>The configure file %1 read back from the robot differs from the file sent: the save is not verified.</source>
        <translation>從機器人讀回的配置文件 %1 與發送的文件不同：保存未通過校驗。</translation>
    </message>
    <message>
        <source>No configure file has been read: every joint keeps the default range %1 to %2.</source>
        <translation>尚未讀取配置文件：每個關節使用默認範圍 %1 到 %2。</translation>
    </message>
    <message>
        <source>The joints are held within these min and max limits, read from %1. A servo whose min is not below its max keeps the default range %2 to %3.</source>
        <translation>關節被限制在這些最小值和最大值之內，讀取自 %1。最小值不小於最大值的舵機使用默認範圍 %2 到 %3。</translation>
    </message>
    <message>
        <source>The joints are held within these min and max limits, read from %1 and changed here. A servo whose min is not below its max keeps the default range %2 to %3.</source>
        <translation>關節被限制在這些最小值和最大值之內，讀取自 %1 並在此處修改過。最小值不小於最大值的舵機使用默認範圍 %2 到 %3。</translation>
    </message>
    <message>
        <source>The robot is not connected, so its configure file was not saved. Nothing was changed; "save configure file as" keeps these settings in a file.</source>
        <translation>機器人未連接，因此沒有保存其配置文件。沒有任何改動；“配置文件另存為”可將這些設置保存到文件中。</translation>
    </message>
    <message>
        <source>No temporary folder can be made (%1), so nothing was sent.</source>
        <translation>無法創建臨時文件夾（%1），因此沒有發送任何內容。</translation>
    </message>
    <message>
        <source>The robot's configure file %1 could not be fetched for the backup, so nothing was sent.</source>
        <translation>無法獲取機器人的配置文件 %1 用於備份，因此沒有發送任何內容。</translation>
    </message>
    <message>
        <source>Saving the configure file %1: keeping the robot's file as a backup ...</source>
        <translation>正在保存配置文件 %1：正在備份機器人上的文件……</translation>
    </message>
    <message>
        <source>The robot has no configure file %1 yet: there is nothing to back up.</source>
        <translation>機器人上還沒有配置文件 %1：無需備份。</translation>
    </message>
    <message>
        <source>The robot's configure file %1 could not be fetched for the backup, so nothing was sent. %2</source>
        <translation>無法獲取機器人的配置文件 %1 用於備份，因此沒有發送任何內容。%2</translation>
    </message>
    <message>
        <source>The backup %1 of the robot's configure file cannot be written (%2), so nothing was sent.</source>
        <translation>無法寫入機器人配置文件的備份 %1（%2），因此沒有發送任何內容。</translation>
    </message>
    <message>
        <source>The link was closed before the configure file %1 was sent. Nothing was changed.</source>
        <translation>在發送配置文件 %1 之前連接已關閉。沒有任何改動。</translation>
    </message>
    <message>
        <source>Saving the configure file %1: sending ...</source>
        <translation>正在保存配置文件 %1：正在發送……</translation>
    </message>
    <message>
        <source>The robot's previous configure file %1 is kept in %2.</source>
        <translation>機器人原來的配置文件 %1 已保存在 %2。</translation>
    </message>
    <message>
        <source>Saving the configure file %1: reading it back ...</source>
        <translation>正在保存配置文件 %1：正在讀回……</translation>
    </message>
    <message>
        <source>The configure file %1 was saved and verified, but the local copy %2 cannot be written (%3).</source>
        <translation>配置文件 %1 已保存並校驗，但無法寫入本地副本 %2（%3）。</translation>
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
        <translation>序列埠不存在或已被其他應用程式開啟！</translation>
    </message>
    <message>
        <source>servos released: pose the robot by hand, then read again</source>
        <translation>舵機已釋放：請用手擺好機器人姿勢，然後再次讀取</translation>
    </message>
</context>
<context>
    <name>FileBrowser</name>
    <message>
        <source>Delete the incomplete file %1 on the robot?</source>
        <translation>要刪除機器人上不完整的檔案 %1 嗎？</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>A file transfer is running. Please wait until it has finished.</source>
        <translation>正在傳輸檔案，請等待傳輸完成。</translation>
    </message>
    <message>
        <source>run</source>
        <translation>執行</translation>
    </message>
    <message>
        <source>delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>get this file</source>
        <translation>取得此檔案</translation>
    </message>
    <message>
        <source>Do  you want to delete the file ?</source>
        <translation>是否刪除該檔案？</translation>
    </message>
    <message>
        <source>error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>You can't delete the configure file.</source>
        <translation>不能刪除設定檔。</translation>
    </message>
    <message>
        <source>save file from robot</source>
        <translation>儲存機器人上的檔案</translation>
    </message>
    <message>
        <source>robot file (*.ini *.mp3 *.wav)</source>
        <translation>機器人檔案 (*.ini *.mp3 *.wav)</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>無法寫入檔案 %1。</translation>
    </message>
    <message>
        <source>Please select a robot operation file or music file</source>
        <translation>請選擇機器人動作檔案或音樂檔案</translation>
    </message>
    <message>
        <source>robot files (*.ini *.mp3 *.wav *.jpg)</source>
        <translation>機器人檔案 (*.ini *.mp3 *.wav *.jpg)</translation>
    </message>
    <message>
        <source>The file %1 cannot be read.</source>
        <translation>無法讀取檔案 %1。</translation>
    </message>
    <message>
        <source>finish</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>format flash finish</source>
        <translation>格式化快閃記憶體完成</translation>
    </message>
    <message>
        <source>Format flash finished.</source>
        <translation>快閃記憶體格式化完成。</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>stop the running file transfer</source>
        <translation>停止正在進行的文件傳輸</translation>
    </message>
    <message>
        <source>The robot did not send the file list of %1.</source>
        <translation>機器人沒有傳送 %1 的檔案列表。</translation>
    </message>
    <message>
        <source>Perhaps it is on the other drive, %1.</source>
        <translation>它也許在另一個磁碟機 %1 上。</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>ZEL gait forge</source>
        <translation>ZEL 步態工坊</translation>
    </message>
    <message>
        <source>gait forge - </source>
        <translation>步態工坊 - </translation>
    </message>
    <message>
        <source>Cannot save the file:</source>
        <translation>無法儲存檔案：</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Do  you want to save the operation data just edited ?</source>
        <translation>是否儲存剛剛編輯的動作資料？</translation>
    </message>
    <message>
        <source>save robot operation file</source>
        <translation>儲存機器人動作檔案</translation>
    </message>
    <message>
        <source>save robot operation file (*.ini)</source>
        <translation>儲存機器人動作檔案 (*.ini)</translation>
    </message>
    <message>
        <source>Please input the new file path</source>
        <translation>請輸入新檔案的路徑</translation>
    </message>
    <message>
        <source>open robot operation file</source>
        <translation>開啟機器人動作檔案</translation>
    </message>
    <message>
        <source>robot operation files (*.ini)</source>
        <translation>機器人動作檔案 (*.ini)</translation>
    </message>
    <message>
        <source>save robot operation file as</source>
        <translation>機器人動作檔案另存新檔</translation>
    </message>
    <message>
        <source>The file does not exist:</source>
        <translation>檔案不存在：</translation>
    </message>
    <message>
        <source>Cannot open the file:</source>
        <translation>無法開啟檔案：</translation>
    </message>
    <message>
        <source>gait forge - untitled: the frames read from %1 before its error</source>
        <translation>步態工坊 - 未命名：從 %1 中出錯之前讀到的幀</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>已儲存 %1</translation>
    </message>
    <message>
        <source>The frames read before the error are shown as an unnamed motion; %1 is left as it is.</source>
        <translation>出錯之前讀到的幀顯示為一個未命名的動作；%1 保持原樣。</translation>
    </message>
</context>
<context>
    <name>FrameEditor</name>
    <message>
        <source>insert frame</source>
        <translation>插入幀</translation>
    </message>
    <message>
        <source>loop start</source>
        <translation>循環開始</translation>
    </message>
    <message>
        <source>loop end</source>
        <translation>循環結束</translation>
    </message>
    <message>
        <source>cancel loop</source>
        <translation>取消循環</translation>
    </message>
    <message>
        <source>play music</source>
        <translation>播放音樂</translation>
    </message>
    <message>
        <source>pause music</source>
        <translation>暫停音樂</translation>
    </message>
    <message>
        <source>stop music</source>
        <translation>停止音樂</translation>
    </message>
    <message>
        <source>cancel music</source>
        <translation>取消音樂</translation>
    </message>
    <message>
        <source>Please input the loop times</source>
        <translation>請輸入循環次數</translation>
    </message>
    <message>
        <source>loop times:</source>
        <translation>循環次數：</translation>
    </message>
    <message>
        <source>Please input the music number</source>
        <translation>請輸入音樂編號</translation>
    </message>
    <message>
        <source>music number:</source>
        <translation>音樂編號：</translation>
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
        <translation>請選擇音樂檔案類型：</translation>
    </message>
    <message>
        <source>music file type:</source>
        <translation>音樂檔案類型：</translation>
    </message>
    <message>
        <source>sd card</source>
        <translation>SD卡</translation>
    </message>
    <message>
        <source>flash</source>
        <translation>快閃記憶體</translation>
    </message>
    <message>
        <source>Please select the music file folder:</source>
        <translation>請選擇音樂檔案所在位置：</translation>
    </message>
    <message>
        <source>music file folder:</source>
        <translation>音樂檔案位置：</translation>
    </message>
    <message>
        <source>Transition frame needs two selected frames next to each other.</source>
        <translation>過渡幀需要選中兩個相鄰的幀。</translation>
    </message>
</context>
<context>
    <name>FrameList</name>
    <message>
        <source>F</source>
        <translation>幀</translation>
    </message>
    <message>
        <source>, opr time:</source>
        <translation>，運行時間：</translation>
    </message>
    <message>
        <source>, delay time:</source>
        <translation>，延時時間：</translation>
    </message>
    <message>
        <source>, lps</source>
        <translation>，循環開始</translation>
    </message>
    <message>
        <source>, lpe</source>
        <translation>，循環結束</translation>
    </message>
    <message>
        <source>, play music</source>
        <translation>，播放音樂</translation>
    </message>
    <message>
        <source>, stop music</source>
        <translation>，停止音樂</translation>
    </message>
    <message>
        <source>, pause music</source>
        <translation>，暫停音樂</translation>
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
        <translation>ZEL 步態工坊</translation>
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
        <translation>由 gaitForge 開發者製作</translation>
    </message>
    <message>
        <source>about</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>1. Fixed the problem of excessive memory usage and improved program fluency.</source>
        <translation>1. 修復了記憶體佔用過高的問題，提升了程式的流暢度。</translation>
    </message>
    <message>
        <source>2. The program interface is optimized to make it more beautiful and easy to use.</source>
        <translation>2. 程式介面經過最佳化，更美觀、更易用。</translation>
    </message>
    <message>
        <source>3. Add a manual file.</source>
        <translation>3. 新增使用手冊檔案。</translation>
    </message>
    <message>
        <source>4. Save the config back file to ./bac.</source>
        <translation>4. 設定備份檔儲存到 ./bac。</translation>
    </message>
    <message>
        <source>5. Remove baud rate setting.</source>
        <translation>5. 移除波特率設定。</translation>
    </message>
    <message>
        <source>6. Remove origin frame setting.</source>
        <translation>6. 移除原點幀設定。</translation>
    </message>
    <message>
        <source>release notes</source>
        <translation>更新說明</translation>
    </message>
<message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The manual was not found. gaitForge looked for it here:
%1</source>
        <translation>找不到說明書。gaitForge 在此處查找過：
%1</translation>
    </message>
    <message>
        <source>The manual %1 could not be opened: no program to show PDF files was found.</source>
        <translation>無法打開說明書 %1：沒有找到顯示 PDF 文件的程序。</translation>
    </message>
    <message>
        <source>Simplified Chinese</source>
        <translation>簡體中文</translation>
    </message>
    <message>
        <source>Traditional Chinese</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <source>manual</source>
        <translation>說明書</translation>
    </message>
    <message>
        <source>The manual in %1 was not found; the English manual is shown.</source>
        <translation>找不到%1說明書；現顯示英文說明書。</translation>
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
        <translation>需要重新啟動軟體才能獲得完整的語言支援！</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ZEL gait forge</source>
        <translation>ZEL 步態工坊</translation>
    </message>
    <message>
        <source>edit robot motion</source>
        <translation>編輯機器人動作</translation>
    </message>
    <message>
        <source>music waveform: double-click an axis to time the current frame</source>
        <translation>音樂波形：雙擊座標軸，為目前幀定時</translation>
    </message>
    <message>
        <source>frame list</source>
        <translation>幀清單</translation>
    </message>
    <message>
        <source>frame table</source>
        <translation>幀表</translation>
    </message>
    <message>
        <source>Frame info:</source>
        <translation>幀資訊：</translation>
    </message>
    <message>
        <source>motion edit</source>
        <translation>動作編輯</translation>
    </message>
    <message>
        <source>servo 2</source>
        <translation>舵機 2</translation>
    </message>
    <message>
        <source>head</source>
        <translation>頭部</translation>
    </message>
    <message>
        <source>servo 2: angle in degrees</source>
        <translation>舵機 2：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 3</source>
        <translation>舵機 3</translation>
    </message>
    <message>
        <source>left hand 1</source>
        <translation>左手 1</translation>
    </message>
    <message>
        <source>servo 3: angle in degrees</source>
        <translation>舵機 3：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 11</source>
        <translation>舵機 11</translation>
    </message>
    <message>
        <source>right hand 1</source>
        <translation>右手 1</translation>
    </message>
    <message>
        <source>servo 11: angle in degrees</source>
        <translation>舵機 11：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 4</source>
        <translation>舵機 4</translation>
    </message>
    <message>
        <source>left hand 2</source>
        <translation>左手 2</translation>
    </message>
    <message>
        <source>servo 4: angle in degrees</source>
        <translation>舵機 4：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 12</source>
        <translation>舵機 12</translation>
    </message>
    <message>
        <source>right hand 2</source>
        <translation>右手 2</translation>
    </message>
    <message>
        <source>servo 12: angle in degrees</source>
        <translation>舵機 12：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 5</source>
        <translation>舵機 5</translation>
    </message>
    <message>
        <source>left hand 3</source>
        <translation>左手 3</translation>
    </message>
    <message>
        <source>servo 5: angle in degrees</source>
        <translation>舵機 5：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 13</source>
        <translation>舵機 13</translation>
    </message>
    <message>
        <source>right hand 3</source>
        <translation>右手 3</translation>
    </message>
    <message>
        <source>servo 13: angle in degrees</source>
        <translation>舵機 13：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 6</source>
        <translation>舵機 6</translation>
    </message>
    <message>
        <source>left leg 1</source>
        <translation>左腿 1</translation>
    </message>
    <message>
        <source>servo 6: angle in degrees</source>
        <translation>舵機 6：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 14</source>
        <translation>舵機 14</translation>
    </message>
    <message>
        <source>right leg 1</source>
        <translation>右腿 1</translation>
    </message>
    <message>
        <source>servo 14: angle in degrees</source>
        <translation>舵機 14：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 7</source>
        <translation>舵機 7</translation>
    </message>
    <message>
        <source>left leg 2</source>
        <translation>左腿 2</translation>
    </message>
    <message>
        <source>servo 7: angle in degrees</source>
        <translation>舵機 7：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 15</source>
        <translation>舵機 15</translation>
    </message>
    <message>
        <source>right leg 2</source>
        <translation>右腿 2</translation>
    </message>
    <message>
        <source>servo 15: angle in degrees</source>
        <translation>舵機 15：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 8</source>
        <translation>舵機 8</translation>
    </message>
    <message>
        <source>left leg 3</source>
        <translation>左腿 3</translation>
    </message>
    <message>
        <source>servo 8: angle in degrees</source>
        <translation>舵機 8：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 16</source>
        <translation>舵機 16</translation>
    </message>
    <message>
        <source>right leg 3</source>
        <translation>右腿 3</translation>
    </message>
    <message>
        <source>servo 16: angle in degrees</source>
        <translation>舵機 16：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 9</source>
        <translation>舵機 9</translation>
    </message>
    <message>
        <source>left leg 4</source>
        <translation>左腿 4</translation>
    </message>
    <message>
        <source>servo 9: angle in degrees</source>
        <translation>舵機 9：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 17</source>
        <translation>舵機 17</translation>
    </message>
    <message>
        <source>right leg 4</source>
        <translation>右腿 4</translation>
    </message>
    <message>
        <source>servo 17: angle in degrees</source>
        <translation>舵機 17：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 10</source>
        <translation>舵機 10</translation>
    </message>
    <message>
        <source>left leg 5</source>
        <translation>左腿 5</translation>
    </message>
    <message>
        <source>servo 10: angle in degrees</source>
        <translation>舵機 10：角度（單位：度）</translation>
    </message>
    <message>
        <source>servo 18</source>
        <translation>舵機 18</translation>
    </message>
    <message>
        <source>right leg 5</source>
        <translation>右腿 5</translation>
    </message>
    <message>
        <source>servo 18: angle in degrees</source>
        <translation>舵機 18：角度（單位：度）</translation>
    </message>
    <message>
        <source>extra servo 1 (servo 19)</source>
        <translation>附加舵機 1（舵機 19）</translation>
    </message>
    <message>
        <source>servo 19</source>
        <translation>舵機 19</translation>
    </message>
    <message>
        <source>extra servo 1</source>
        <translation>附加舵機 1</translation>
    </message>
    <message>
        <source>servo 19: angle in degrees</source>
        <translation>舵機 19：角度（單位：度）</translation>
    </message>
    <message>
        <source>extra servo 2 (servo 20)</source>
        <translation>附加舵機 2（舵機 20）</translation>
    </message>
    <message>
        <source>servo 20</source>
        <translation>舵機 20</translation>
    </message>
    <message>
        <source>extra servo 2</source>
        <translation>附加舵機 2</translation>
    </message>
    <message>
        <source>servo 20: angle in degrees</source>
        <translation>舵機 20：角度（單位：度）</translation>
    </message>
    <message>
        <source>angle of the selected joint</source>
        <translation>所選關節的角度</translation>
    </message>
    <message>
        <source>angle:</source>
        <translation>角度：</translation>
    </message>
    <message>
        <source>angle of the selected joint in degrees</source>
        <translation>所選關節的角度（單位：度）</translation>
    </message>
    <message>
        <source>set all joints to the origin frame</source>
        <translation>將所有關節設為原點幀</translation>
    </message>
    <message>
        <source>origin</source>
        <translation>原點</translation>
    </message>
    <message>
        <source>operation time:</source>
        <translation>運行時間：</translation>
    </message>
    <message>
        <source>time to reach this frame</source>
        <translation>到達此幀所用的時間</translation>
    </message>
    <message>
        <source> ms</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>battery voltage of the robot</source>
        <translation>機器人的電池電壓</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>delay time:</source>
        <translation>延時時間：</translation>
    </message>
    <message>
        <source>time to hold this frame</source>
        <translation>保持此幀的時間</translation>
    </message>
    <message>
        <source>current drawn by the robot</source>
        <translation>機器人消耗的電流</translation>
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
        <translation>靜音</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>let the robot repeat this motion file</source>
        <translation>讓機器人重複執行此動作檔案</translation>
    </message>
    <message>
        <source>loop key:</source>
        <translation>循環鍵：</translation>
    </message>
    <message>
        <source>led control and io control</source>
        <translation>LED 控制與 IO 控制</translation>
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
        <translation>頻率</translation>
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
        <translation>隨機</translation>
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
        <translation>設定 LED</translation>
    </message>
    <message>
        <source>main board io</source>
        <translation>主機板 IO</translation>
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
        <translation>輸入</translation>
    </message>
    <message>
        <source>out</source>
        <translation>輸出</translation>
    </message>
    <message>
        <source>IO2:</source>
        <translation>IO2：</translation>
    </message>
    <message>
        <source>get io</source>
        <translation>讀取 IO</translation>
    </message>
    <message>
        <source>set io</source>
        <translation>設定 IO</translation>
    </message>
    <message>
        <source>file list</source>
        <translation>檔案清單</translation>
    </message>
    <message>
        <source>refresh</source>
        <translation>重新整理</translation>
    </message>
    <message>
        <source>send file</source>
        <translation>傳送檔案</translation>
    </message>
    <message>
        <source>robot setting</source>
        <translation>機器人設定</translation>
    </message>
    <message>
        <source>serial port</source>
        <translation>序列埠</translation>
    </message>
    <message>
        <source>port:</source>
        <translation>連接埠：</translation>
    </message>
    <message>
        <source>serial port of the robot</source>
        <translation>機器人的序列埠</translation>
    </message>
    <message>
        <source>refresh the list of serial ports</source>
        <translation>重新整理序列埠清單</translation>
    </message>
    <message>
        <source>connect through the Bluetooth LE serial bridge (9600 baud)</source>
        <translation>透過低功耗藍芽序列埠橋連線（9600 波特）</translation>
    </message>
    <message>
        <source>bluetooth (ble)</source>
        <translation>藍芽 (BLE)</translation>
    </message>
    <message>
        <source>baud rate:</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>communication log:</source>
        <translation>通訊記錄：</translation>
    </message>
    <message>
        <source>robot configure file</source>
        <translation>機器人設定檔</translation>
    </message>
    <message>
        <source>path:</source>
        <translation>路徑：</translation>
    </message>
    <message>
        <source>robot folder of the configure file (0: sd card, 1: flash)</source>
        <translation>設定檔在機器人上的位置（0：SD卡，1：快閃記憶體）</translation>
    </message>
    <message>
        <source>get robot configure file</source>
        <translation>取得機器人設定檔</translation>
    </message>
    <message>
        <source>open from</source>
        <translation>從檔案開啟</translation>
    </message>
    <message>
        <source>factory settings</source>
        <translation>出廠設定</translation>
    </message>
    <message>
        <source>save configure file as </source>
        <translation>設定檔另存為 </translation>
    </message>
    <message>
        <source>save configure file to robot</source>
        <translation>將設定檔儲存到機器人</translation>
    </message>
    <message>
        <source>format the flash drive of the robot (enable it in the system menu)</source>
        <translation>格式化機器人的快閃記憶體（需先在系統選單中啟用）</translation>
    </message>
    <message>
        <source>format flash</source>
        <translation>格式化快閃記憶體</translation>
    </message>
    <message>
        <source>radio setting</source>
        <translation>無線設定</translation>
    </message>
    <message>
        <source>remote auto power off time:</source>
        <translation>遙控器自動關機時間：</translation>
    </message>
    <message>
        <source>seconds without use before the remote switches itself off</source>
        <translation>遙控器無操作多少秒後自動關機</translation>
    </message>
    <message>
        <source>remote RF frequency hopping:</source>
        <translation>遙控器射頻跳頻：</translation>
    </message>
    <message>
        <source>disable</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>enable</source>
        <translation>啟用</translation>
    </message>
    <message>
        <source>remote RF channel:</source>
        <translation>遙控器射頻通道：</translation>
    </message>
    <message>
        <source>remote RF broadcast channel:</source>
        <translation>遙控器射頻廣播通道：</translation>
    </message>
    <message>
        <source>remote RF bandwidth:</source>
        <translation>遙控器射頻頻寬：</translation>
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
        <translation>遙控器射頻功率：</translation>
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
        <translation>主機板射頻跳頻：</translation>
    </message>
    <message>
        <source>mainboard RF channel:</source>
        <translation>主機板射頻通道：</translation>
    </message>
    <message>
        <source>mainboard broadcast channel:</source>
        <translation>主機板廣播通道：</translation>
    </message>
    <message>
        <source>mainboard RF bandwidth: </source>
        <translation>主機板射頻頻寬： </translation>
    </message>
    <message>
        <source>maiboard RF power:</source>
        <translation>主機板射頻功率：</translation>
    </message>
    <message>
        <source>main board setting</source>
        <translation>主機板設定</translation>
    </message>
    <message>
        <source>init volume:</source>
        <translation>初始音量：</translation>
    </message>
    <message>
        <source>baudrate ble:</source>
        <translation>藍芽波特率：</translation>
    </message>
    <message>
        <source>baudrate pc:</source>
        <translation>電腦波特率：</translation>
    </message>
    <message>
        <source>baudrate servo:</source>
        <translation>舵機波特率：</translation>
    </message>
    <message>
        <source>use extral servo:</source>
        <translation>使用附加舵機：</translation>
    </message>
    <message>
        <source>fall detection:</source>
        <translation>跌倒偵測：</translation>
    </message>
    <message>
        <source>power on spped:</source>
        <translation>通電速度：</translation>
    </message>
    <message>
        <source>power on acceleration:</source>
        <translation>通電加速度：</translation>
    </message>
    <message>
        <source>initial led setting</source>
        <translation>初始 LED 設定</translation>
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
        <translation>初始 LED1R 頻率：</translation>
    </message>
    <message>
        <source>init led1g brightness:</source>
        <translation>初始 LED1G 亮度：</translation>
    </message>
    <message>
        <source>init led1g frequency:</source>
        <translation>初始 LED1G 頻率：</translation>
    </message>
    <message>
        <source>init led1b brightness:</source>
        <translation>初始 LED1B 亮度：</translation>
    </message>
    <message>
        <source>init led1b frequency:</source>
        <translation>初始 LED1B 頻率：</translation>
    </message>
    <message>
        <source>init led2r brightness:</source>
        <translation>初始 LED2R 亮度：</translation>
    </message>
    <message>
        <source>init led2r frequency:</source>
        <translation>初始 LED2R 頻率：</translation>
    </message>
    <message>
        <source>init led2g brightness:</source>
        <translation>初始 LED2G 亮度：</translation>
    </message>
    <message>
        <source>init led2g frequency:</source>
        <translation>初始 LED2G 頻率：</translation>
    </message>
    <message>
        <source>init led2b brightness:</source>
        <translation>初始 LED2B 亮度：</translation>
    </message>
    <message>
        <source>init led2b frequency:</source>
        <translation>初始 LED2B 頻率：</translation>
    </message>
    <message>
        <source>init led3r brightness:</source>
        <translation>初始 LED3R 亮度：</translation>
    </message>
    <message>
        <source>init led3r frequency:</source>
        <translation>初始 LED3R 頻率：</translation>
    </message>
    <message>
        <source>init led3g brightness:</source>
        <translation>初始 LED3G 亮度：</translation>
    </message>
    <message>
        <source>init led3g frequency:</source>
        <translation>初始 LED3G 頻率：</translation>
    </message>
    <message>
        <source>init led3b brightness:</source>
        <translation>初始 LED3B 亮度：</translation>
    </message>
    <message>
        <source>init led3b frequency:</source>
        <translation>初始 LED3B 頻率：</translation>
    </message>
    <message>
        <source>joint limits and calibration</source>
        <translation>關節限位與校準</translation>
    </message>
    <message>
        <source>calibration</source>
        <translation>校準</translation>
    </message>
    <message>
        <source>read the present position of every servo into its correction</source>
        <translation>將每個舵機的目前位置讀入其校正值</translation>
    </message>
    <message>
        <source>servo</source>
        <translation>舵機</translation>
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
        <translation>頭部 (2)</translation>
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
        <translation>附加舵機 1 (19)</translation>
    </message>
    <message>
        <source>extral servo 2 (20)</source>
        <translation>附加舵機 2 (20)</translation>
    </message>
    <message>
        <source>origin frame setting</source>
        <translation>原點幀設定</translation>
    </message>
    <message>
        <source>save origin</source>
        <translation>儲存原點</translation>
    </message>
    <message>
        <source>remote setting</source>
        <translation>遙控器設定</translation>
    </message>
    <message>
        <source>transfer file list</source>
        <translation>傳輸檔案清單</translation>
    </message>
    <message>
        <source>send the transfer file list to the robot</source>
        <translation>將傳輸檔案清單傳送到機器人</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y：</translation>
    </message>
    <message>
        <source>file function</source>
        <translation>檔案功能</translation>
    </message>
    <message>
        <source>combination key function</source>
        <translation>組合鍵功能</translation>
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
        <translation>搖桿 A 中鍵：</translation>
    </message>
    <message>
        <source>remote keys</source>
        <translation>遙控器按鍵</translation>
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
        <translation>搖桿 B 中鍵</translation>
    </message>
    <message>
        <source>rocker A middle key</source>
        <translation>搖桿 A 中鍵</translation>
    </message>
    <message>
        <source>rocker B UP</source>
        <translation>搖桿 B 上</translation>
    </message>
    <message>
        <source>rocker B RIGHT</source>
        <translation>搖桿 B 右</translation>
    </message>
    <message>
        <source>rocker B LEFT</source>
        <translation>搖桿 B 左</translation>
    </message>
    <message>
        <source>rocker B DOWN</source>
        <translation>搖桿 B 下</translation>
    </message>
    <message>
        <source>rocker A UP</source>
        <translation>搖桿 A 上</translation>
    </message>
    <message>
        <source>rocker A RIGHT</source>
        <translation>搖桿 A 右</translation>
    </message>
    <message>
        <source>rocker A LEFT</source>
        <translation>搖桿 A 左</translation>
    </message>
    <message>
        <source>rocker A DOWN</source>
        <translation>搖桿 A 下</translation>
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
        <translation>勾選後，點選的按鍵填入目前這一列的按鍵 2，而不是按鍵 1</translation>
    </message>
    <message>
        <source>combination key</source>
        <translation>組合鍵</translation>
    </message>
    <message>
        <source>Select a row of the transfer file list, then click a key of the remote to set its key.</source>
        <translation>先在傳輸檔案清單中選擇一列，然後點選遙控器上的按鍵，為該列設定按鍵。</translation>
    </message>
    <message>
        <source>servo setting</source>
        <translation>舵機設定</translation>
    </message>
    <message>
        <source>servo info</source>
        <translation>舵機資訊</translation>
    </message>
    <message>
        <source>servo:</source>
        <translation>舵機：</translation>
    </message>
    <message>
        <source>servo model:</source>
        <translation>舵機型號：</translation>
    </message>
    <message>
        <source>version:</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>read servo info</source>
        <translation>讀取舵機資訊</translation>
    </message>
    <message>
        <source>current data</source>
        <translation>目前資料</translation>
    </message>
    <message>
        <source>current speed:</source>
        <translation>目前速度：</translation>
    </message>
    <message>
        <source>current torque:</source>
        <translation>目前扭矩：</translation>
    </message>
    <message>
        <source>current voltage:</source>
        <translation>目前電壓：</translation>
    </message>
    <message>
        <source>current temperature:</source>
        <translation>目前溫度：</translation>
    </message>
    <message>
        <source>read current data</source>
        <translation>讀取目前資料</translation>
    </message>
    <message>
        <source>parameters</source>
        <translation>參數</translation>
    </message>
    <message>
        <source>motion and PID</source>
        <translation>運動與 PID</translation>
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
        <translation>參數 P：</translation>
    </message>
    <message>
        <source>parameters I:</source>
        <translation>參數 I：</translation>
    </message>
    <message>
        <source>parameters D:</source>
        <translation>參數 D：</translation>
    </message>
    <message>
        <source>PID dead zone:</source>
        <translation>PID 死區：</translation>
    </message>
    <message>
        <source>compliance</source>
        <translation>柔性</translation>
    </message>
    <message>
        <source>CW flexible margin:</source>
        <translation>順時針柔性餘量：</translation>
    </message>
    <message>
        <source>CCW flexible margin:</source>
        <translation>逆時針柔性餘量：</translation>
    </message>
    <message>
        <source>CW flexible slope:</source>
        <translation>順時針柔性斜率：</translation>
    </message>
    <message>
        <source>CCW flexible slope:</source>
        <translation>逆時針柔性斜率：</translation>
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
        <translation>最高溫度：</translation>
    </message>
    <message>
        <source>maximum voltage:</source>
        <translation>最高電壓：</translation>
    </message>
    <message>
        <source>minimum voltage:</source>
        <translation>最低電壓：</translation>
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
        <translation>剎車停止</translation>
    </message>
    <message>
        <source>ordinary servo</source>
        <translation>普通舵機</translation>
    </message>
    <message>
        <source>curve servo</source>
        <translation>曲線舵機</translation>
    </message>
    <message>
        <source>flexible control</source>
        <translation>柔性控制</translation>
    </message>
    <message>
        <source>stop without brake</source>
        <translation>無剎車停止</translation>
    </message>
    <message>
        <source>working state:</source>
        <translation>工作狀態：</translation>
    </message>
    <message>
        <source>normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>high voltage</source>
        <translation>高電壓</translation>
    </message>
    <message>
        <source>low voltage</source>
        <translation>低電壓</translation>
    </message>
    <message>
        <source>high torque</source>
        <translation>高扭矩</translation>
    </message>
    <message>
        <source>high temperature</source>
        <translation>高溫</translation>
    </message>
    <message>
        <source>read parameters</source>
        <translation>讀取參數</translation>
    </message>
    <message>
        <source>write flash</source>
        <translation>寫入快閃記憶體</translation>
    </message>
    <message>
        <source>fi&amp;le</source>
        <translation>檔案(&amp;L)</translation>
    </message>
    <message>
        <source>edit</source>
        <translation>編輯</translation>
    </message>
    <message>
        <source>&amp;insert frame</source>
        <translation>插入幀(&amp;I)</translation>
    </message>
    <message>
        <source>syste&amp;m</source>
        <translation>系統(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;language</source>
        <translation>語言(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;operation picture size</source>
        <translation>動作圖片尺寸(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;background</source>
        <translation>背景(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;format flash</source>
        <translation>格式化快閃記憶體(&amp;F)</translation>
    </message>
    <message>
        <source>help</source>
        <translation>說明</translation>
    </message>
    <message>
        <source>&amp;new file</source>
        <translation>新增檔案(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;open file</source>
        <translation>開啟檔案(&amp;O)</translation>
    </message>
    <message>
        <source>open a operation file</source>
        <translation>開啟動作檔案</translation>
    </message>
    <message>
        <source>&amp;save</source>
        <translation>儲存(&amp;S)</translation>
    </message>
    <message>
        <source>save operation file</source>
        <translation>儲存動作檔案</translation>
    </message>
    <message>
        <source>sa&amp;ve as</source>
        <translation>另存新檔(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;exit</source>
        <translation>結束(&amp;E)</translation>
    </message>
    <message>
        <source>exit the program</source>
        <translation>結束程式</translation>
    </message>
    <message>
        <source>&amp;undo</source>
        <translation>復原(&amp;U)</translation>
    </message>
    <message>
        <source>undo</source>
        <translation>復原</translation>
    </message>
    <message>
        <source>&amp;redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;cut</source>
        <translation>剪下(&amp;C)</translation>
    </message>
    <message>
        <source>cut</source>
        <translation>剪下</translation>
    </message>
    <message>
        <source>c&amp;opy</source>
        <translation>複製(&amp;O)</translation>
    </message>
    <message>
        <source>copy</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>&amp;paste</source>
        <translation>貼上(&amp;P)</translation>
    </message>
    <message>
        <source>paste</source>
        <translation>貼上</translation>
    </message>
    <message>
        <source>r&amp;emove frame</source>
        <translation>刪除幀(&amp;E)</translation>
    </message>
    <message>
        <source>remove frame</source>
        <translation>刪除幀</translation>
    </message>
    <message>
        <source>&amp;transition frame</source>
        <translation>過渡幀(&amp;T)</translation>
    </message>
    <message>
        <source>insert transition frame</source>
        <translation>插入過渡幀</translation>
    </message>
    <message>
        <source>&amp;copy frame</source>
        <translation>複製幀(&amp;C)</translation>
    </message>
    <message>
        <source>insert copy frame</source>
        <translation>插入複製幀</translation>
    </message>
    <message>
        <source>&amp;origin frame</source>
        <translation>原點幀(&amp;O)</translation>
    </message>
    <message>
        <source>insert origin frame</source>
        <translation>插入原點幀</translation>
    </message>
    <message>
        <source>&amp;mirror</source>
        <translation>鏡像(&amp;M)</translation>
    </message>
    <message>
        <source>mirror the frame</source>
        <translation>鏡像此幀</translation>
    </message>
    <message>
        <source>re&amp;verse</source>
        <translation>倒序(&amp;V)</translation>
    </message>
    <message>
        <source>reverse the frame</source>
        <translation>幀倒序</translation>
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
        <translation>動作圖片尺寸：64*64</translation>
    </message>
    <message>
        <source>&amp;128*128</source>
        <translation>&amp;128*128</translation>
    </message>
    <message>
        <source>operation picture size : 128*128</source>
        <translation>動作圖片尺寸：128*128</translation>
    </message>
    <message>
        <source>1&amp;92*192</source>
        <translation>1&amp;92*192</translation>
    </message>
    <message>
        <source>operation picture size : 192*192</source>
        <translation>動作圖片尺寸：192*192</translation>
    </message>
    <message>
        <source>&amp;256*256</source>
        <translation>&amp;256*256</translation>
    </message>
    <message>
        <source>operation picture size : 256*256</source>
        <translation>動作圖片尺寸：256*256</translation>
    </message>
    <message>
        <source>&amp;320*320</source>
        <translation>&amp;320*320</translation>
    </message>
    <message>
        <source>operation picture size : 320*320</source>
        <translation>動作圖片尺寸：320*320</translation>
    </message>
    <message>
        <source>&amp;bubble</source>
        <translation>氣泡(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;sun</source>
        <translation>太陽(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;mountains</source>
        <translation>山巒(&amp;M)</translation>
    </message>
    <message>
        <source>m&amp;oon</source>
        <translation>月亮(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;afternoon</source>
        <translation>午後(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;disable</source>
        <translation>禁用(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;enable</source>
        <translation>啟用(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;about</source>
        <translation>關於(&amp;A)</translation>
    </message>
    <message>
        <source>about</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>release notes</source>
        <translation>更新說明</translation>
    </message>
    <message>
        <source>&amp;manual</source>
        <translation>使用手冊(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;firmware version</source>
        <translation>韌體版本(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;update</source>
        <translation>更新(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;connect</source>
        <translation>連線(&amp;C)</translation>
    </message>
    <message>
        <source>connect the serial port</source>
        <translation>連線序列埠</translation>
    </message>
    <message>
        <source>open &amp;music file</source>
        <translation>開啟音樂檔案(&amp;M)</translation>
    </message>
    <message>
        <source>play music</source>
        <translation>播放音樂</translation>
    </message>
    <message>
        <source>pause music</source>
        <translation>暫停音樂</translation>
    </message>
    <message>
        <source>stop music</source>
        <translation>停止音樂</translation>
    </message>
    <message>
        <source>select joint</source>
        <translation>選擇關節</translation>
    </message>
    <message>
        <source>move robot</source>
        <translation>移動機器人</translation>
    </message>
    <message>
        <source>rotate robot</source>
        <translation>旋轉機器人</translation>
    </message>
    <message>
        <source>rotate camera</source>
        <translation>旋轉視角</translation>
    </message>
    <message>
        <source>zoom</source>
        <translation>縮放</translation>
    </message>
    <message>
        <source>fit screen</source>
        <translation>適應螢幕</translation>
    </message>
    <message>
        <source>left foot touchdown</source>
        <translation>左腳著地</translation>
    </message>
    <message>
        <source>right foot touchdown</source>
        <translation>右腳著地</translation>
    </message>
    <message>
        <source>bodyCentor</source>
        <translation>身體中心</translation>
    </message>
    <message>
        <source>body centor</source>
        <translation>身體中心</translation>
    </message>
    <message>
        <source>read all joint position data</source>
        <translation>讀取所有關節位置資料</translation>
    </message>
    <message>
        <source>read hand joint position data</source>
        <translation>讀取手部關節位置資料</translation>
    </message>
    <message>
        <source>read leg joint position data</source>
        <translation>讀取腿部關節位置資料</translation>
    </message>
    <message>
        <source>reset robot</source>
        <translation>重設機器人</translation>
    </message>
    <message>
        <source>simulation</source>
        <translation>模擬</translation>
    </message>
    <message>
        <source>pause simulation</source>
        <translation>暫停模擬</translation>
    </message>
    <message>
        <source>stop simulation</source>
        <translation>停止模擬</translation>
    </message>
    <message>
        <source>open transfer &amp;file list</source>
        <translation>開啟傳輸檔案清單(&amp;F)</translation>
    </message>
    <message>
        <source>open transfer file list</source>
        <translation>開啟傳輸檔案清單</translation>
    </message>
    <message>
        <source>save transfer file &amp;list</source>
        <translation>儲存傳輸檔案清單(&amp;L)</translation>
    </message>
    <message>
        <source>save transfer file list</source>
        <translation>儲存傳輸檔案清單</translation>
    </message>
    <message>
        <source>insert &amp;transfer file</source>
        <translation>插入傳輸檔案(&amp;T)</translation>
    </message>
    <message>
        <source>insert transfer file</source>
        <translation>插入傳輸檔案</translation>
    </message>
    <message>
        <source>&amp;delete transfer file</source>
        <translation>刪除傳輸檔案(&amp;D)</translation>
    </message>
    <message>
        <source>delete transfer file</source>
        <translation>刪除傳輸檔案</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>You have to reboot the software to get the full language support!</source>
        <translation>需要重新啟動軟體才能獲得完整的語言支援！</translation>
    </message>
    <message>
        <source>remote key setting</source>
        <translation>遙控器按鍵設定</translation>
    </message>
    <message>
        <source>operation time</source>
        <translation>運行時間</translation>
    </message>
    <message>
        <source>delay time</source>
        <translation>延時時間</translation>
    </message>
    <message>
        <source>loop flag</source>
        <translation>循環標記</translation>
    </message>
    <message>
        <source>loop times</source>
        <translation>循環次數</translation>
    </message>
    <message>
        <source>music control</source>
        <translation>音樂控制</translation>
    </message>
    <message>
        <source>music type</source>
        <translation>音樂類型</translation>
    </message>
    <message>
        <source>music folder</source>
        <translation>音樂位置</translation>
    </message>
    <message>
        <source>music file</source>
        <translation>音樂檔案</translation>
    </message>
    <message>
        <source>led1r brightness</source>
        <translation>LED1紅 亮度</translation>
    </message>
    <message>
        <source>led1r frequency</source>
        <translation>LED1紅 頻率</translation>
    </message>
    <message>
        <source>led1g brightness</source>
        <translation>LED1綠 亮度</translation>
    </message>
    <message>
        <source>led1g frequency</source>
        <translation>LED1綠 頻率</translation>
    </message>
    <message>
        <source>led1b brightness</source>
        <translation>LED1藍 亮度</translation>
    </message>
    <message>
        <source>led1b frequency</source>
        <translation>LED1藍 頻率</translation>
    </message>
    <message>
        <source>led2r brightness</source>
        <translation>LED2紅 亮度</translation>
    </message>
    <message>
        <source>led2r frequency</source>
        <translation>LED2紅 頻率</translation>
    </message>
    <message>
        <source>led2g brightness</source>
        <translation>LED2綠 亮度</translation>
    </message>
    <message>
        <source>led2g frequency</source>
        <translation>LED2綠 頻率</translation>
    </message>
    <message>
        <source>led2b brightness</source>
        <translation>LED2藍 亮度</translation>
    </message>
    <message>
        <source>led2b frequency</source>
        <translation>LED2藍 頻率</translation>
    </message>
    <message>
        <source>led3r brightness</source>
        <translation>LED3紅 亮度</translation>
    </message>
    <message>
        <source>led3r frequency</source>
        <translation>LED3紅 頻率</translation>
    </message>
    <message>
        <source>led3g brightness</source>
        <translation>LED3綠 亮度</translation>
    </message>
    <message>
        <source>led3g frequency</source>
        <translation>LED3綠 頻率</translation>
    </message>
    <message>
        <source>led3b brightness</source>
        <translation>LED3藍 亮度</translation>
    </message>
    <message>
        <source>led3b frequency</source>
        <translation>LED3藍 頻率</translation>
    </message>
    <message>
        <source>Error in line:</source>
        <translation>錯誤，所在行：</translation>
    </message>
    <message>
        <source>Loop key line error in line:</source>
        <translation>循環鍵行錯誤，所在行：</translation>
    </message>
    <message>
        <source>Error loop!</source>
        <translation>循環錯誤！</translation>
    </message>
    <message>
        <source>Error loop in line:</source>
        <translation>循環錯誤，所在行：</translation>
    </message>
    <message>
        <source>led1 red brightness = </source>
        <translation>LED1 紅色亮度 = </translation>
    </message>
    <message>
        <source>led1 green brightness = </source>
        <translation>LED1 綠色亮度 = </translation>
    </message>
    <message>
        <source>led1 blue brightness = </source>
        <translation>LED1 藍色亮度 = </translation>
    </message>
    <message>
        <source>led2 red brightness = </source>
        <translation>LED2 紅色亮度 = </translation>
    </message>
    <message>
        <source>led2 green brightness = </source>
        <translation>LED2 綠色亮度 = </translation>
    </message>
    <message>
        <source>led2 blue brightness = </source>
        <translation>LED2 藍色亮度 = </translation>
    </message>
    <message>
        <source>led3 red brightness = </source>
        <translation>LED3 紅色亮度 = </translation>
    </message>
    <message>
        <source>led3 green brightness = </source>
        <translation>LED3 綠色亮度 = </translation>
    </message>
    <message>
        <source>led3 blue brightness = </source>
        <translation>LED3 藍色亮度 = </translation>
    </message>
    <message>
        <source> % , led1 red frequency = </source>
        <translation> % ，LED1 紅色頻率 = </translation>
    </message>
    <message>
        <source> % , led1 green frequency = </source>
        <translation> % ，LED1 綠色頻率 = </translation>
    </message>
    <message>
        <source> % , led1 blue frequency = </source>
        <translation> % ，LED1 藍色頻率 = </translation>
    </message>
    <message>
        <source> % , led2 red frequency = </source>
        <translation> % ，LED2 紅色頻率 = </translation>
    </message>
    <message>
        <source> % , led2 green frequency = </source>
        <translation> % ，LED2 綠色頻率 = </translation>
    </message>
    <message>
        <source> % , led2 blue frequency = </source>
        <translation> % ，LED2 藍色頻率 = </translation>
    </message>
    <message>
        <source> % , led3 red frequency = </source>
        <translation> % ，LED3 紅色頻率 = </translation>
    </message>
    <message>
        <source> % , led3 green frequency = </source>
        <translation> % ，LED3 綠色頻率 = </translation>
    </message>
    <message>
        <source> % , led3 blue frequency = </source>
        <translation> % ，LED3 藍色頻率 = </translation>
    </message>
    <message>
        <source>Frame  </source>
        <translation>幀  </translation>
    </message>
    <message>
        <source>Operation time = </source>
        <translation>運行時間 = </translation>
    </message>
    <message>
        <source>Delay time = </source>
        <translation>延時時間 = </translation>
    </message>
    <message>
        <source>The first time here = </source>
        <translation>首次到達時間 = </translation>
    </message>
    <message>
        <source>The last time here = </source>
        <translation>末次到達時間 = </translation>
    </message>
    <message>
        <source>The time all = </source>
        <translation>總時間 = </translation>
    </message>
    <message>
        <source>Loop start</source>
        <translation>循環開始</translation>
    </message>
    <message>
        <source>Loop stop</source>
        <translation>循環結束</translation>
    </message>
    <message>
        <source>Play music file (audio</source>
        <translation>播放音樂檔案（audio</translation>
    </message>
    <message>
        <source>wav) in </source>
        <translation>wav），位於</translation>
    </message>
    <message>
        <source>mp3) in </source>
        <translation>mp3），位於</translation>
    </message>
    <message>
        <source>flash.</source>
        <translation>快閃記憶體。</translation>
    </message>
    <message>
        <source>SD card.</source>
        <translation>SD卡。</translation>
    </message>
    <message>
        <source>Stop music</source>
        <translation>停止音樂</translation>
    </message>
    <message>
        <source>Pause music</source>
        <translation>暫停音樂</translation>
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
        <translation>模擬 (F5)</translation>
    </message>
    <message>
        <source>pause simulation (F6)</source>
        <translation>暫停模擬 (F6)</translation>
    </message>
    <message>
        <source>stop simulation (Shift+F5)</source>
        <translation>停止模擬 (Shift+F5)</translation>
    </message>
    <message>
        <source>This is not a robot operation file:</source>
        <translation>這不是機器人動作文件：</translation>
    </message>
    <message>
        <source>Unsupported loop mark (a loop spans at least two frames, a frame holds one mark) in line:</source>
        <translation>不支持的循環標記（一個循環至少包含兩幀，一幀只能有一個標記），所在行：</translation>
    </message>
    <message>
        <source>Value out of range for the file in column "%1", in line:</source>
        <translation>數值超出文件可保存的範圍，列“%1”，所在行：</translation>
    </message>
    <message>
        <source>0: SD card</source>
        <translation>0：SD卡</translation>
    </message>
    <message>
        <source>1: flash</source>
        <translation>1：快閃記憶體</translation>
    </message>
</context>
<context>
    <name>MusicPanel</name>
    <message>
        <source>music file</source>
        <translation>音樂檔案</translation>
    </message>
    <message>
        <source>music file (*.mp3 *.wav)</source>
        <translation>音樂檔案 (*.mp3 *.wav)</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The clicked time is too long after this frame starts: a frame's operation time and delay time cannot reach it.</source>
        <translation>點擊的時間距離本幀開始太遠：一幀的運行時間和延時時間無法達到該時間。</translation>
    </message>
    <message>
        <source>Please input the delay time</source>
        <translation>請輸入延時時間</translation>
    </message>
    <message>
        <source>delay time:</source>
        <translation>延時時間：</translation>
    </message>
    <message>
        <source>listening volume</source>
        <translation>試聽音量</translation>
    </message>
    <message>
        <source>listening volume: %1 %</source>
        <translation>試聽音量：%1 %</translation>
    </message>
    <message>
        <source>Double-click the time axis at a moment of the music to make the current frame end there (needs the current frame or an earlier one marked play music). Wheel: zoom, drag: move.</source>
        <translation>在時間軸上雙擊音樂的某一時刻，使當前幀在該處結束（需要當前幀或之前的某一幀設為“播放音樂”）。滾輪：縮放，拖動：移動。</translation>
    </message>
    <message>
        <source>Decoding the music: %1 %</source>
        <translation>正在解碼音樂：%1 %</translation>
    </message>
    <message>
        <source>frame %1</source>
        <translation>幀 %1</translation>
    </message>
    <message>
        <source>Music decoded: %1 long</source>
        <translation>音樂解碼完成：時長 %1</translation>
    </message>
</context>
<context>
    <name>OriginFrame</name>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>無法創建文件夾 %1</translation>
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
        <translation>偵錯模式下循環不能巢狀！請以檔案模式執行。</translation>
    </message>
    <message>
        <source>error loop</source>
        <translation>循環錯誤</translation>
    </message>
    <message>
        <source>The loop cannot be nested in debug mode. Or loop error.</source>
        <translation>偵錯模式下循環不能巢狀，或循環有誤。</translation>
    </message>
    <message>
        <source>Do  you want to simulate with the robot?</source>
        <translation>是否同時在機器人上模擬？</translation>
    </message>
    <message>
        <source>Please don't put loop end in first frame!</source>
        <translation>請不要在第一幀放置循環結束！</translation>
    </message>
    <message>
        <source>error loop end</source>
        <translation>循環結束錯誤</translation>
    </message>
    <message>
        <source>frame:</source>
        <translation>幀：</translation>
    </message>
</context>
<context>
    <name>RobotLink</name>
    <message>
        <source>The send queue is full; this request was not sent:</source>
        <translation>傳送佇列已滿，此請求未傳送：</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The file name "%1" cannot be written in the robot's character set (GB2312). Please rename the file.</source>
        <translation>檔案名稱「%1」無法以機器人的字元集（GB2312）表示。請重新命名該檔案。</translation>
    </message>
    <message>
        <source>The file name "%1" is too long for the robot: its path may have at most %2 bytes.</source>
        <translation>檔案名稱「%1」對機器人來說太長：其路徑最多只能有 %2 個位元組。</translation>
    </message>
    <message>
        <source>connect successful</source>
        <translation>連線成功</translation>
    </message>
    <message>
        <source>Connect to the robot successful.</source>
        <translation>已成功連線到機器人。</translation>
    </message>
    <message>
        <source>the connection broken</source>
        <translation>連線已中斷</translation>
    </message>
    <message>
        <source>the connection to the robot is broken.</source>
        <translation>與機器人的連線已中斷。</translation>
    </message>
    <message>
        <source>The robot does not answer on the port %1 (no answer in %2 seconds). Check that the robot is switched on, the cable and the port, and that the Bluetooth choice matches how the robot is connected.</source>
        <translation>機器人在連接埠 %1 上沒有應答（%2 秒內無應答）。請檢查機器人是否已開機、連接線和連接埠，以及「藍牙」選項是否與機器人的連接方式一致。</translation>
    </message>
    <message>
        <source>Stop: %1 queued request(s) dropped.</source>
        <translation>停止：已丟棄 %1 個排隊的請求。</translation>
    </message>
</context>
<context>
    <name>TransferList</name>
    <message>
        <source>name</source>
        <translation>名稱</translation>
    </message>
    <message>
        <source>file type</source>
        <translation>檔案類型</translation>
    </message>
    <message>
        <source>combination key</source>
        <translation>組合鍵</translation>
    </message>
    <message>
        <source>key 1</source>
        <translation>按鍵 1</translation>
    </message>
    <message>
        <source>key 2</source>
        <translation>按鍵 2</translation>
    </message>
    <message>
        <source>fall type</source>
        <translation>跌倒類型</translation>
    </message>
    <message>
        <source>common file name</source>
        <translation>一般檔案名稱</translation>
    </message>
    <message>
        <source>source file</source>
        <translation>來源檔案</translation>
    </message>
    <message>
        <source>robot path</source>
        <translation>機器人路徑</translation>
    </message>
    <message>
        <source>row %1, column "%2"</source>
        <translation>第 %1 行“%2”列</translation>
    </message>
    <message>
        <source>error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>The transfer file list was not saved: the cell in %1 is empty, and a transfer file list cannot hold an empty cell.</source>
        <translation>傳輸文件列表未保存：%1 的單元格爲空，傳輸文件列表不能保存空單元格。</translation>
    </message>
    <message>
        <source>The transfer file list was not saved: the cell in %1 holds a "," or a line break, which a transfer file list cannot hold.</source>
        <translation>傳輸文件列表未保存：%1 的單元格含有“,”或換行，傳輸文件列表不能保存這些字符。</translation>
    </message>
    <message>
        <source>save transfer file list</source>
        <translation>儲存傳輸檔案清單</translation>
    </message>
    <message>
        <source>transfer file list (*.lst)</source>
        <translation>傳輸文件列表 (*.lst)</translation>
    </message>
    <message>
        <source>The transfer file list could not be saved to %1: %2</source>
        <translation>傳輸文件列表無法保存到 %1：%2</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Do  you want to save the transfer file list just edited ?</source>
        <translation>是否保存剛剛編輯的傳輸文件列表？</translation>
    </message>
    <message>
        <source>open transfer file list</source>
        <translation>開啟傳輸檔案清單</translation>
    </message>
    <message>
        <source>open robot operation file</source>
        <translation>開啟機器人動作檔案</translation>
    </message>
    <message>
        <source>robot operation file (*.ini)</source>
        <translation>機器人動作文件 (*.ini)</translation>
    </message>
    <message>
        <source>open common file</source>
        <translation>打開普通文件</translation>
    </message>
    <message>
        <source>common file (*.mp3 *.wav *.ini)</source>
        <translation>普通文件 (*.mp3 *.wav *.ini)</translation>
    </message>
    <message>
        <source>The transfer file list stopped at row %1. %2</source>
        <translation>傳輸文件列表在第 %1 行停止。%2</translation>
    </message>
    <message>
        <source>The file %1 cannot be read.</source>
        <translation>無法讀取檔案 %1。</translation>
    </message>
    <message>
        <source>Remote key error.</source>
        <translation>遙控按鍵錯誤。</translation>
    </message>
    <message>
        <source>Combination key error.</source>
        <translation>組合按鍵錯誤。</translation>
    </message>
    <message>
        <source>Empty combination.</source>
        <translation>組合爲空。</translation>
    </message>
    <message>
        <source>These rows cannot be sent as they are:
%1
Save the transfer file list anyway?</source>
        <translation>以下各列按現狀無法傳送：
%1
仍要儲存傳輸檔案清單嗎？</translation>
    </message>
    <message>
        <source>%1 is not a transfer file list: none of its lines has the 9 fields of a row. The list shown is kept.</source>
        <translation>%1 不是傳輸檔案清單：其中沒有一行具有一列所需的 9 個欄位。目前顯示的清單保持不變。</translation>
    </message>
    <message>
        <source>line %1 (%2 fields)</source>
        <translation>第 %1 行（%2 個欄位）</translation>
    </message>
    <message>
        <source>Some lines of %1 are not rows of a transfer file list (a row has 9 fields) and were left out: %2.</source>
        <translation>%1 中有些行不是傳輸檔案清單的列（一列應有 9 個欄位），已被略過：%2。</translation>
    </message>
    <message>
        <source>The transfer file list cannot be edited while it is being sent.</source>
        <translation>傳輸檔案清單正在傳送，傳送期間不能編輯。</translation>
    </message>
    <message>
        <source>Select a row of the transfer file list first, then click a key of the remote.</source>
        <translation>請先在傳輸檔案清單中選擇一列，再點選遙控器上的按鍵。</translation>
    </message>
    <message>
        <source>Row %1 is not a remote motion file: choose "remote motion file" as its file type to bind it to a key.</source>
        <translation>第 %1 列不是遙控動作檔案：要為它設定按鍵，請先把它的檔案類型選為「遙控動作檔案」。</translation>
    </message>
    <message>
        <source>Choose the combination key of row %1 ("no" or "yes") first, then click its key.</source>
        <translation>請先選擇第 %1 列的組合鍵（「否」或「是」），再點選它的按鍵。</translation>
    </message>
    <message>
        <source>Row %1 has a single key: untick "combination key" to set its key 1.</source>
        <translation>第 %1 列只有一個按鍵：請取消勾選「組合鍵」來設定它的按鍵 1。</translation>
    </message>
    <message>
        <source>The robot is not connected: connect to it first, then send the transfer file list.</source>
        <translation>機器人未連線：請先連線機器人，再傳送傳輸檔案清單。</translation>
    </message>
    <message>
        <source>The transfer file list was not sent:
%1</source>
        <translation>傳輸檔案清單未傳送：
%1</translation>
    </message>
    <message>
        <source>The robot is not connected.</source>
        <translation>機器人未連線。</translation>
    </message>
    <message>
        <source>the common file has no name ("------"); enter the name it is to have on the robot.</source>
        <translation>一般檔案沒有名稱（「------」）；請輸入它在機器人上的檔名。</translation>
    </message>
    <message>
        <source>the common file name "%1" is not a plain file name; the robot takes no "/" or "\" in a name, nor "." or "..".</source>
        <translation>一般檔案名稱「%1」不是單純的檔名；機器人的檔名中不能有「/」或「\」，也不能是「.」或「..」。</translation>
    </message>
    <message>
        <source>the robot cannot take the file name "%1": it holds characters that the robot's character set (GB2312) cannot write.</source>
        <translation>機器人無法接受檔名「%1」：其中有機器人的字元集（GB2312）無法表示的字元。</translation>
    </message>
    <message>
        <source>the robot cannot take the file name "%1": its robot path has %2 bytes, and a path may have at most %3.</source>
        <translation>機器人無法接受檔名「%1」：它在機器人上的路徑有 %2 位元組，而路徑最多只能有 %3 位元組。</translation>
    </message>
    <message>
        <source>the robot file %1 is written by row %2 already.</source>
        <translation>機器人檔案 %1 已由第 %2 列寫入。</translation>
    </message>
    <message>
        <source>Row %1: %2</source>
        <translation>第 %1 列：%2</translation>
    </message>
    <message>
        <source>A file transfer is running. Please wait until it has finished.</source>
        <translation>正在傳輸檔案，請等待傳輸完成。</translation>
    </message>
</context>
<context>
    <name>TransferOutcome</name>
    <message>
        <source>The robot's copy of %1 is now incomplete: it acknowledged %2 of %3 bytes.</source>
        <translation>機器人上的 %1 現在不完整：它確認了 %3 字節中的 %2 字節。</translation>
    </message>
    <message>
        <source>The robot's copy of %1 may be incomplete.</source>
        <translation>機器人上的 %1 可能不完整。</translation>
    </message>
    <message>
        <source>Trans file finished. Checked: %1 copies of %2 (%3 bytes) fetched one after the other were identical and no frame arrived damaged.</source>
        <translation>檔案傳輸完成。已檢查：先後獲取的 %1 份 %2（%3 字節）完全相同，且沒有收到損壞的數據幀。</translation>
    </message>
    <message>
        <source>Trans file finished.</source>
        <translation>檔案傳輸完成。</translation>
    </message>
    <message>
        <source>The robot refused the file %1.</source>
        <translation>機器人拒絕接收檔案 %1。</translation>
    </message>
    <message>
        <source>Sending %1 failed: the robot stopped acknowledging at %2 of %3 bytes.</source>
        <translation>發送 %1 失敗：機器人在 %3 字節中的第 %2 字節處停止了應答。</translation>
    </message>
    <message>
        <source>Sending %1 is unconfirmed: the robot did not report the end of the transfer.</source>
        <translation>發送 %1 未得到確認：機器人沒有報告傳輸結束。</translation>
    </message>
    <message>
        <source>Sending %1 failed: the local file %2 could not be read.</source>
        <translation>發送 %1 失敗：無法讀取本地文件 %2。</translation>
    </message>
    <message>
        <source>Sending %1 was cancelled at %2 of %3 bytes.</source>
        <translation>發送 %1 已在 %3 字節中的第 %2 字節處取消。</translation>
    </message>
    <message>
        <source>Sending %1 stopped at %2 of %3 bytes because the link was closed.</source>
        <translation>由於連接已關閉，發送 %1 在 %3 字節中的第 %2 字節處停止。</translation>
    </message>
    <message>
        <source>Fetching %1 was cancelled. The local file was not changed.</source>
        <translation>獲取 %1 已取消。本地文件未被改動。</translation>
    </message>
    <message>
        <source>Fetching %1 stopped because the link was closed. The local file was not changed.</source>
        <translation>由於連接已關閉，獲取 %1 已停止。本地文件未被改動。</translation>
    </message>
    <message>
        <source>the robot stopped sending before the end of the file</source>
        <translation>機器人在文件結束之前停止了發送</translation>
    </message>
    <message>
        <source>%1 damaged frames arrived during the transfer</source>
        <translation>傳輸過程中收到 %1 個損壞的數據幀</translation>
    </message>
    <message>
        <source>two fetches of the file differ, so data was lost on the line</source>
        <translation>兩次獲取的文件不一致，線路上有數據丟失</translation>
    </message>
    <message>
        <source>the robot has no such file (it sent no data)</source>
        <translation>機器人上沒有這個文件（它沒有發送任何數據）</translation>
    </message>
    <message>
        <source>the file %1 could not be written (%2)</source>
        <translation>無法寫入文件 %1（%2）</translation>
    </message>
    <message>
        <source>Fetching %1 failed: %2. The local file was not changed.</source>
        <translation>獲取 %1 失敗：%2。本地文件未被改動。</translation>
    </message>
</context>
<context>
    <name>Autosave</name>
    <message>
        <source>Cannot make the folder:</source>
        <translation>無法創建文件夾：</translation>
    </message>
    <message>
        <source>an unnamed motion</source>
        <translation>一個未命名的動作</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>gaitForge was not closed properly. Unsaved changes of %1 (%2 frames, autosaved %3) can be recovered.
Open: recover them as an unsaved motion. Discard: delete the autosaved copy.</source>
        <translation>gaitForge 上次沒有正常關閉。%1 未保存的修改（%2 幀，自動保存於 %3）可以恢復。
打開：恢復爲未保存的動作。放棄：刪除自動保存的副本。</translation>
    </message>
    <message>
        <source>The unsaved changes could not be autosaved: </source>
        <translation>未保存的修改無法自動保存：</translation>
    </message>
</context>
<context>
    <name>FrameInfoPanel</name>
    <message>
        <source>Outside the joint limits:</source>
        <translation>超出關節限位：</translation>
    </message>
    <message>
        <source>%1 at %2 (allowed %3 to %4)</source>
        <translation>%1 爲 %2（允許 %3 至 %4）</translation>
    </message>
</context>
<context>
    <name>JointPanel</name>
    <message>
        <source>mirror posing</source>
        <translation>鏡像擺姿</translation>
    </message>
    <message>
        <source>mirror posing: editing a joint also sets its partner on the other side</source>
        <translation>鏡像擺姿：編輯一個關節時同時設置另一側的對應關節</translation>
    </message>
    <message>
        <source>allowed %1 to %2</source>
        <translation>允許 %1 至 %2</translation>
    </message>
    <message>
        <source> (default range: the configure file sets no limits)</source>
        <translation>（默認範圍：配置文件未設定限位）</translation>
    </message>
    <message>
        <source> (default range: no robot configure file read)</source>
        <translation>（默認範圍：尚未讀取機器人配置文件）</translation>
    </message>
    <message>
        <source> (the robot's user limits)</source>
        <translation>（機器人的用戶限位）</translation>
    </message>
    <message>
        <source>This frame's angle lies outside the allowed range.</source>
        <translation>此幀的角度超出允許範圍。</translation>
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
        <translation>請先選擇舵機（舵機：）。</translation>
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
        <translation>1：快閃記憶體</translation>
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
        <translation>移動半拍：用於網格落在反拍上時</translation>
    </message>
    <message>
        <source>-10 ms</source>
        <translation>-10 毫秒</translation>
    </message>
    <message>
        <source>move the grid 10 ms earlier</source>
        <translation>將網格提前 10 毫秒</translation>
    </message>
    <message>
        <source>+10 ms</source>
        <translation>+10 毫秒</translation>
    </message>
    <message>
        <source>move the grid 10 ms later</source>
        <translation>將網格推後 10 毫秒</translation>
    </message>
    <message>
        <source>tap</source>
        <translation>敲擊</translation>
    </message>
    <message>
        <source>tap tempo: play the music and press B on every beat</source>
        <translation>敲擊測速：播放音樂，在每一拍上按 B 鍵</translation>
    </message>
    <message>
        <source>find</source>
        <translation>查詢</translation>
    </message>
    <message>
        <source>find the beat of the music in the tempo range</source>
        <translation>在速度範圍內查詢音樂的節拍</translation>
    </message>
    <message>
        <source>snap</source>
        <translation>對齊</translation>
    </message>
    <message>
        <source>snap selected frames to half beats</source>
        <translation>將選中的幀對齊到半拍</translation>
    </message>
    <message>
        <source>snap selected frames to every beat</source>
        <translation>將選中的幀對齊到每一拍</translation>
    </message>
    <message>
        <source>snap selected frames to every second beat</source>
        <translation>將選中的幀對齊到每隔一拍</translation>
    </message>
    <message>
        <source>snap selected frames to every fourth beat</source>
        <translation>將選中的幀對齊到每四拍</translation>
    </message>
    <message>
        <source>snap the selected frames to the beat grid (delay times only)</source>
        <translation>將選中的幀對齊到節拍網格（只改變延時時間）</translation>
    </message>
    <message>
        <source>tempo range searched (BPM): rules out half and double tempo</source>
        <translation>查詢的速度範圍（BPM）：排除半速和倍速</translation>
    </message>
    <message>
        <source>BPM range</source>
        <translation>BPM 範圍</translation>
    </message>
    <message>
        <source>no beat grid</source>
        <translation>無節拍網格</translation>
    </message>
    <message>
        <source>%1 BPM</source>
        <translation>%1 BPM</translation>
    </message>
    <message>
        <source>Beat grid of this music read back: %1</source>
        <translation>已讀回此音樂的節拍網格：%1</translation>
    </message>
    <message>
        <source>Beat grid found: %1</source>
        <translation>已找到節拍網格：%1</translation>
    </message>
    <message>
        <source>Tap tempo: %1 taps, keep tapping on every beat</source>
        <translation>敲擊測速：已敲擊 %1 次，請繼續在每一拍上敲擊</translation>
    </message>
    <message>
        <source>Tap tempo: %1 taps, %2</source>
        <translation>敲擊測速：已敲擊 %1 次，%2</translation>
    </message>
    <message>
        <source>The beat grid could not be kept in %1: %2</source>
        <translation>節拍網格無法儲存到 %1：%2</translation>
    </message>
    <message>
        <source>The music is too short to find its beat.</source>
        <translation>音樂太短，無法找到節拍。</translation>
    </message>
    <message>
        <source>No steady beat was found in the music.</source>
        <translation>音樂中沒有找到穩定的節拍。</translation>
    </message>
    <message>
        <source>The beat of the music lies outside %1 to %2 BPM.</source>
        <translation>音樂的節拍不在 %1 到 %2 BPM 之間。</translation>
    </message>
</context>
<context>
    <name>BeatSnapper</name>
    <message>
        <source>These frames could not be snapped and keep their times:</source>
        <translation>以下幀無法對齊，保持原來的時間：</translation>
    </message>
    <message>
        <source>frame %1: no frame at or before it plays music, so it has no time in the music</source>
        <translation>第 %1 幀：它及之前沒有播放音樂的幀，因此它在音樂中沒有時間</translation>
    </message>
    <message>
        <source>frame %1: it starts the music, at 0:00.0; its beat is at %2</source>
        <translation>第 %1 幀：它開始播放音樂，位於 0:00.0；它的節拍在 %2</translation>
    </message>
    <message>
        <source>frame %1: its beat at %2 comes before frame %3&apos;s operation time ends</source>
        <translation>第 %1 幀：它在 %2 的節拍早於第 %3 幀的運行時間結束</translation>
    </message>
    <message>
        <source>frame %1: its beat at %2 needs a delay time of frame %3 above %4 ms</source>
        <translation>第 %1 幀：它在 %2 的節拍需要第 %3 幀的延時時間超過 %4 毫秒</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Select the frames to snap to the beat first.</source>
        <translation>請先選擇要對齊到節拍的幀。</translation>
    </message>
    <message>
        <source>Frames on the beat grid: %1 of %2</source>
        <translation>在節拍網格上的幀：%2 幀中的 %1 幀</translation>
    </message>
</context>
<context>
    <name>BalancePanel</name>
    <message>
        <source>error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>The mass file %1 cannot be read (%2): the parts share %3 g by volume, and the file is left as it is.</source>
        <translation>無法讀取質量檔案 %1（%2）：各部件按體積分攤 %3 克，該檔案保持原樣。</translation>
    </message>
    <message>
        <source>The mass file %1 has no mass in line %2: the parts share %3 g by volume, and the file is left as it is.</source>
        <translation>質量檔案 %1 的第 %2 行不是質量：各部件按體積分攤 %3 克，該檔案保持原樣。</translation>
    </message>
    <message>
        <source>The masses of the mass file %1 add up to nothing: the parts share %3 g by volume, and the file is left as it is.</source>
        <translation>質量檔案 %1 中的質量總和為零：各部件按體積分攤 %3 克，該檔案保持原樣。</translation>
    </message>
    <message>
        <source>robot &amp;masses...</source>
        <translation>機器人質量(&amp;M)...</translation>
    </message>
    <message>
        <source>The mass file %1 cannot be written: %2</source>
        <translation>無法寫入質量檔案 %1：%2</translation>
    </message>
    <message>
        <source>the left foot</source>
        <translation>左腳</translation>
    </message>
    <message>
        <source>the right foot</source>
        <translation>右腳</translation>
    </message>
    <message>
        <source>both feet</source>
        <translation>雙腳</translation>
    </message>
    <message>
        <source>, margin %1 mm</source>
        <translation>，餘量 %1 mm</translation>
    </message>
    <message>
        <source>Balance: the centre of mass lies %1 mm outside the support of %2: the robot tips.</source>
        <translation>平衡：重心在%2的支撐區域外 %1 mm：機器人會傾倒。</translation>
    </message>
    <message>
        <source>Balance: the centre of mass lies only %1 mm inside the support of %2: a small push tips the robot.</source>
        <translation>平衡：重心僅在%2的支撐區域內 %1 mm：輕輕一推機器人就會傾倒。</translation>
    </message>
    <message>
        <source>Balance: the centre of mass lies %1 mm inside the support of %2.</source>
        <translation>平衡：重心在%2的支撐區域內 %1 mm。</translation>
    </message>
</context>
<context>
    <name>BodyMass</name>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>無法建立資料夾 %1</translation>
    </message>
</context>
<context>
    <name>MassDialog</name>
    <message>
        <source>body</source>
        <translation>軀幹</translation>
    </message>
    <message>
        <source>robot masses</source>
        <translation>機器人質量</translation>
    </message>
    <message>
        <source>Each part&apos;s mass in grams decides where the centre of mass lies. The default is an estimate: the total shared among the parts by their volumes. Weigh the robot and share its weight, or weigh a servo and add its weight to the parts that hold one.</source>
        <translation>各部件的質量（克）決定重心的位置。預設值只是估計：按體積把總質量分攤到各部件。請稱量機器人並分攤它的重量，或稱量一個舵機，把它的重量加到裝有舵機的部件上。</translation>
    </message>
    <message>
        <source>share by volume</source>
        <translation>按體積分攤</translation>
    </message>
    <message>
        <source>total</source>
        <translation>總質量</translation>
    </message>
    <message>
        <source>The robot weighs %1 g.</source>
        <translation>機器人重 %1 克。</translation>
    </message>
</context>
<context>
    <name>ViewToolBar</name>
    <message>
        <source>show balance</source>
        <translation>顯示平衡</translation>
    </message>
    <message>
        <source>Show the support polygon and the centre of mass on the floor</source>
        <translation>在地面上顯示支撐多邊形和重心</translation>
    </message>
    <message>
        <source>move foot</source>
        <translation>移動腳</translation>
    </message>
    <message>
        <source>Move foot: drag a foot along the floor, with Shift up and down; its leg follows and the sole stays flat</source>
        <translation>移動腳：沿地面拖動一隻腳，按住 Shift 上下移動；腿隨之而動，腳底保持水平</translation>
    </message>
</context>
<context>
    <name>CurvesPage</name>
    <message>
        <source>curves</source>
        <translation>曲線</translation>
    </message>
</context>
<context>
    <name>CurvesView</name>
    <message>
        <source>joints</source>
        <translation>關節</translation>
    </message>
    <message>
        <source>whole motion</source>
        <translation>整個動作</translation>
    </message>
    <message>
        <source>Show the whole motion. Wheel: zoom, drag: move; drag a point up or down to change that joint&apos;s angle in that frame.</source>
        <translation>顯示整個動作。滾輪：縮放，拖動：移動；上下拖動一個點可修改該幀中該關節的角度。</translation>
    </message>
    <message>
        <source>ease...</source>
        <translation>緩動...</translation>
    </message>
    <message>
        <source>Replace the moves into the selected frames by steps along a curve.</source>
        <translation>將進入所選幀的運動替換為沿曲線的若干步。</translation>
    </message>
    <message>
        <source>time (ms)</source>
        <translation>時間 (ms)</translation>
    </message>
    <message>
        <source>angle (degrees)</source>
        <translation>角度 (度)</translation>
    </message>
    <message>
        <source>all joints</source>
        <translation>全部關節</translation>
    </message>
    <message>
        <source>no joint</source>
        <translation>不顯示關節</translation>
    </message>
    <message>
        <source>loop x%1</source>
        <translation>迴圈 x%1</translation>
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
        <translation>緩動</translation>
    </message>
    <message>
        <source>curve:</source>
        <translation>曲線：</translation>
    </message>
    <message>
        <source>steps:</source>
        <translation>步數：</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Ease the move into frame %1 with the curve &quot;%2&quot; in %3 steps?</source>
        <translation>用曲線“%2”以 %3 步緩動進入幀 %1 的運動嗎？</translation>
    </message>
    <message>
        <source>Ease the moves into frames %1 with the curve &quot;%2&quot; in %3 steps?</source>
        <translation>用曲線“%2”以 %3 步緩動進入幀 %1 的運動嗎？</translation>
    </message>
    <message>
        <source>Frames added: %1 (%2 frames in all).</source>
        <translation>新增幀：%1（共 %2 幀）。</translation>
    </message>
    <message>
        <source>The download to the robot takes %1 ms longer over Bluetooth.</source>
        <translation>透過藍芽下載到機器人將多用 %1 ms。</translation>
    </message>
    <message>
        <source>The download to the robot takes %1 ms longer over the cable.</source>
        <translation>透過資料線下載到機器人將多用 %1 ms。</translation>
    </message>
</context>
<context>
    <name>Easing</name>
    <message>
        <source>linear</source>
        <translation>線性</translation>
    </message>
    <message>
        <source>ease in</source>
        <translation>緩入</translation>
    </message>
    <message>
        <source>ease out</source>
        <translation>緩出</translation>
    </message>
    <message>
        <source>ease in-out (smoothstep)</source>
        <translation>緩入緩出 (smoothstep)</translation>
    </message>
    <message>
        <source>cubic in-out</source>
        <translation>三次緩入緩出</translation>
    </message>
    <message>
        <source>Choose a frame after the first: the first frame has no move into it to ease.</source>
        <translation>請選擇第一幀之後的幀：第一幀沒有可緩動的進入運動。</translation>
    </message>
    <message>
        <source>The number of steps must be 1 to %1.</source>
        <translation>步數必須為 1 到 %1。</translation>
    </message>
    <message>
        <source>The move into frame %1 takes %2 ms, too short for %3 steps of at least %4 ms each: it cannot be split.</source>
        <translation>進入幀 %1 的運動用時 %2 ms，不足以分成每步至少 %4 ms 的 %3 步：它無法拆分。</translation>
    </message>
    <message>
        <source>The move into frame %1 takes %2 ms, too short for %3 steps of at least %4 ms each: it allows at most %5 steps.</source>
        <translation>進入幀 %1 的運動用時 %2 ms，不足以分成每步至少 %4 ms 的 %3 步：最多隻能分成 %5 步。</translation>
    </message>
</context>
<context>
    <name>PosingPanel</name>
    <message>
        <source>pose by hand</source>
        <translation>手動擺姿勢</translation>
    </message>
    <message>
        <source>stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>stop the playback and brake every servo (Esc)</source>
        <translation>停止播放並讓所有舵機制動 (Esc)</translation>
    </message>
    <message>
        <source>release joint</source>
        <translation>放鬆關節</translation>
    </message>
    <message>
        <source>release the selected joint so that it can be moved by hand</source>
        <translation>放鬆所選關節，以便用手扳動</translation>
    </message>
    <message>
        <source>head</source>
        <translation>頭部</translation>
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
        <translation>放鬆肢體</translation>
    </message>
    <message>
        <source>release all</source>
        <translation>全部放鬆</translation>
    </message>
    <message>
        <source>hold</source>
        <translation>保持</translation>
    </message>
    <message>
        <source>hold the released joints where they are</source>
        <translation>讓放鬆的關節在當前位置保持</translation>
    </message>
    <message>
        <source>capture</source>
        <translation>採集</translation>
    </message>
    <message>
        <source>write the positions of the released joints into the current frame</source>
        <translation>把放鬆關節的位置寫入當前幀</translation>
    </message>
    <message>
        <source>Released joints follow the hand: move them, then capture and hold.</source>
        <translation>放鬆的關節隨手而動：扳動它們，然後採集並保持。</translation>
    </message>
    <message>
        <source>Select a joint first.</source>
        <translation>請先選擇一個關節。</translation>
    </message>
    <message>
        <source>No released joint has reported its position yet.</source>
        <translation>還沒有放鬆的關節報告其位置。</translation>
    </message>
    <message>
        <source>Stopped: every servo brakes where it stands.</source>
        <translation>已停止：所有舵機在當前位置制動。</translation>
    </message>
    <message>
        <source>Not held (their position did not come): %1. They stay released.</source>
        <translation>未能保持（未收到其位置）：%1。它們保持放鬆。</translation>
    </message>
    <message>
        <source>being held again</source>
        <translation>正在重新保持</translation>
    </message>
    <message>
        <source>released</source>
        <translation>已放鬆</translation>
    </message>
    <message>
        <source>Captured %1 joint positions into the current frame.</source>
        <translation>已將 %1 個關節的位置採集到當前幀。</translation>
    </message>
    <message>
        <source>Held again where they stand.</source>
        <translation>已在當前位置重新保持。</translation>
    </message>
</context>
<context>
    <name>FrameDecoder</name>
    <message>
        <source>no frame</source>
        <translation>無幀</translation>
    </message>
    <message>
        <source>no start</source>
        <translation>無起始標記</translation>
    </message>
    <message>
        <source>bad stuffing</source>
        <translation>填充錯誤</translation>
    </message>
    <message>
        <source>too long</source>
        <translation>過長</translation>
    </message>
    <message>
        <source>bad length</source>
        <translation>長度錯誤</translation>
    </message>
    <message>
        <source>bad checksum</source>
        <translation>校驗和錯誤</translation>
    </message>
    <message>
        <source>unfinished frame</source>
        <translation>未完成的幀</translation>
    </message>
    <message>
        <source>arrived before the first request</source>
        <translation>在第一個請求之前到達</translation>
    </message>
</context>
<context>
    <name>PacketMonitorModel</name>
    <message>
        <source>sent</source>
        <translation>傳送</translation>
    </message>
    <message>
        <source>received</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>discarded</source>
        <translation>已丟棄</translation>
    </message>
    <message>
        <source>discarded: %1, %2 bytes</source>
        <translation>已丟棄：%1，%2 位元組</translation>
    </message>
    <message>
        <source>checksum ok</source>
        <translation>校驗和正確</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>類別</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>型別</translation>
    </message>
    <message>
        <source>From</source>
        <translation>來源</translation>
    </message>
    <message>
        <source>To</source>
        <translation>目標</translation>
    </message>
    <message>
        <source>Fields</source>
        <translation>欄位</translation>
    </message>
    <message>
        <source>Checksum</source>
        <translation>校驗和</translation>
    </message>
</context>
<context>
    <name>PacketMonitorDock</name>
    <message>
        <source>Packet monitor</source>
        <translation>資料包監視器</translation>
    </message>
    <message>
        <source>packet monitor</source>
        <translation>資料包監視器</translation>
    </message>
    <message>
        <source>both directions</source>
        <translation>雙向</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>傳送</translation>
    </message>
    <message>
        <source>received</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>all types</source>
        <translation>所有型別</translation>
    </message>
    <message>
        <source>discarded bytes</source>
        <translation>丟棄的位元組</translation>
    </message>
    <message>
        <source>all addresses</source>
        <translation>所有地址</translation>
    </message>
    <message>
        <source>servo %1</source>
        <translation>舵機 %1</translation>
    </message>
    <message>
        <source>all servos</source>
        <translation>所有舵機</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暫停</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Copy as hex</source>
        <translation>複製為十六進位制</translation>
    </message>
    <message>
        <source>%1 of %2 rows shown</source>
        <translation>顯示 %2 行中的 %1 行</translation>
    </message>
    <message>
        <source>paused, %1 rows waiting</source>
        <translation>已暫停，%1 行等待中</translation>
    </message>
    <message>
        <source>%1 rows lost: they came faster than the window took them</source>
        <translation>丟失 %1 行：到達速度快於視窗的處理速度</translation>
    </message>
</context>
<context>
    <name>FootMover</name>
    <message>
        <source>Press on a foot to move it.</source>
        <translation>按住一隻腳來移動它。</translation>
    </message>
    <message>
        <source>A foot cannot be moved while a motion plays or the joints are being read.</source>
        <translation>播放動作或讀取關節時不能移動腳。</translation>
    </message>
    <message>
        <source>The right foot</source>
        <translation>右腳</translation>
    </message>
    <message>
        <source>The left foot</source>
        <translation>左腳</translation>
    </message>
    <message>
        <source>%1 cannot go there: %2 would turn to %3, past its limit of %4.</source>
        <translation>%1無法到達該處：%2將轉到 %3，超過其限位 %4。</translation>
    </message>
    <message>
        <source>%1 cannot go there: the leg would have to be %2 mm longer.</source>
        <translation>%1無法到達該處：腿需要再長 %2 mm。</translation>
    </message>
    <message>
        <source>%1 cannot go there: it lies out of the leg&apos;s reach.</source>
        <translation>%1無法到達該處：超出了腿能達到的範圍。</translation>
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
        <translation>電壓過高</translation>
    </message>
    <message>
        <source>low voltage</source>
        <translation>電壓過低</translation>
    </message>
    <message>
        <source>high torque</source>
        <translation>扭矩過大</translation>
    </message>
    <message>
        <source>high temperature</source>
        <translation>溫度過高</translation>
    </message>
    <message>
        <source>state %1</source>
        <translation>狀態 %1</translation>
    </message>
    <message>
        <source>Alarm: the battery is at %1 V, under %2 V.</source>
        <translation>警報：電池電壓為 %1 V，低於 %2 V。</translation>
    </message>
    <message>
        <source>Cleared: the battery is back at %1 V.</source>
        <translation>已解除：電池電壓已恢復到 %1 V。</translation>
    </message>
    <message>
        <source>Alarm: servo %1 reports "%2" (%3 °C).</source>
        <translation>警報：舵機 %1 報告“%2”（%3 °C）。</translation>
    </message>
    <message>
        <source>Alarm: servo %1 is at %2 °C, at or over its limit of %3 °C.</source>
        <translation>警報：舵機 %1 溫度為 %2 °C，已達到或超過其上限 %3 °C。</translation>
    </message>
    <message>
        <source>Warning: servo %1 is at %2 °C, within %3 °C of its limit of %4 °C.</source>
        <translation>警告：舵機 %1 溫度為 %2 °C，距其上限 %4 °C 僅 %3 °C。</translation>
    </message>
    <message>
        <source>Cleared: servo %1 is back to normal (%2 °C).</source>
        <translation>已解除：舵機 %1 已恢復正常（%2 °C）。</translation>
    </message>
</context>
<context>
    <name>LivePanel</name>
    <message>
        <source>&amp;view</source>
        <translation>檢視(&amp;V)</translation>
    </message>
    <message>
        <source>Live readings</source>
        <translation>實時讀數</translation>
    </message>
    <message>
        <source>live readings</source>
        <translation>實時讀數</translation>
    </message>
    <message>
        <source>Show the live readings of the servos and the battery</source>
        <translation>顯示舵機和電池的實時讀數</translation>
    </message>
    <message>
        <source>Paused while a file transfer or a motion download holds the line.</source>
        <translation>檔案傳輸或動作下載佔用線路時暫停。</translation>
    </message>
    <message>
        <source>Paused while other requests use the line.</source>
        <translation>其他請求使用線路時暫停。</translation>
    </message>
    <message>
        <source>Sweeping.</source>
        <translation>正在輪詢。</translation>
    </message>
    <message>
        <source>watch</source>
        <translation>監視</translation>
    </message>
    <message>
        <source>Sweep the servos while connected, whether this dock is shown or not</source>
        <translation>連線時輪詢舵機，無論此面板是否顯示</translation>
    </message>
    <message>
        <source>A servo this close to its maximum temperature warns</source>
        <translation>舵機溫度距其最高溫度在此範圍內時發出警告</translation>
    </message>
    <message>
        <source>A battery under this voltage raises an alarm</source>
        <translation>電池電壓低於此值時發出警報</translation>
    </message>
    <message>
        <source>save CSV...</source>
        <translation>儲存 CSV...</translation>
    </message>
    <message>
        <source>clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>rate:</source>
        <translation>頻率：</translation>
    </message>
    <message>
        <source>warn within:</source>
        <translation>警告範圍：</translation>
    </message>
    <message>
        <source>battery alarm under:</source>
        <translation>電池警報低於：</translation>
    </message>
    <message>
        <source>Not connected.</source>
        <translation>未連線。</translation>
    </message>
    <message>
        <source>temperature (°C)</source>
        <translation>溫度 (°C)</translation>
    </message>
    <message>
        <source>load (%)</source>
        <translation>負載 (%)</translation>
    </message>
    <message>
        <source>voltage (V)</source>
        <translation>電壓 (V)</translation>
    </message>
    <message>
        <source>battery (V)</source>
        <translation>電池 (V)</translation>
    </message>
    <message>
        <source>time (s)</source>
        <translation>時間 (s)</translation>
    </message>
    <message>
        <source>servo</source>
        <translation>舵機</translation>
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
        <translation>狀態</translation>
    </message>
    <message>
        <source>No servo answered.</source>
        <translation>沒有舵機應答。</translation>
    </message>
    <message>
        <source>Servos found: %1.</source>
        <translation>找到的舵機：%1。</translation>
    </message>
    <message>
        <source>Sweep %1: %2 servo(s) in %3 ms.</source>
        <translation>第 %1 次輪詢：%2 個舵機，用時 %3 ms。</translation>
    </message>
    <message>
        <source>battery: no answer</source>
        <translation>電池：無應答</translation>
    </message>
    <message>
        <source>battery: %1 V</source>
        <translation>電池：%1 V</translation>
    </message>
    <message>
        <source>servo %1</source>
        <translation>舵機 %1</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>There are no readings to save yet.</source>
        <translation>還沒有可儲存的讀數。</translation>
    </message>
    <message>
        <source>Save live readings</source>
        <translation>儲存實時讀數</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 檔案 (*.csv)</translation>
    </message>
    <message>
        <source>The readings could not be saved to %1: %2</source>
        <translation>無法將讀數儲存到 %1：%2</translation>
    </message>
    <message>
        <source>%1 rows of %2 sweeps saved to %3.</source>
        <translation>已將 %2 次輪詢的 %1 行儲存到 %3。</translation>
    </message>
</context>
<context>
    <name>BusScanDock</name>
    <message>
        <source>bus scan</source>
        <translation>匯流排掃描</translation>
    </message>
    <message>
        <source>address</source>
        <translation>位址</translation>
    </message>
    <message>
        <source>state</source>
        <translation>狀態</translation>
    </message>
    <message>
        <source>model</source>
        <translation>型號</translation>
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
        <translation>掃描</translation>
    </message>
    <message>
        <source>scan bus</source>
        <translation>掃描匯流排</translation>
    </message>
    <message>
        <source>ask servos 2 to 20 for their model and version</source>
        <translation>向舵機 2 到 20 詢問其型號和版本</translation>
    </message>
    <message>
        <source>Not connected: connect to the robot first, then scan.</source>
        <translation>未連線：請先連線機器人，然後再掃描。</translation>
    </message>
    <message>
        <source>A download or file transfer is running: scan again when it has finished.</source>
        <translation>正在下載或傳輸檔案：完成後請再次掃描。</translation>
    </message>
    <message>
        <source>Scanning servos 2 to 20...</source>
        <translation>正在掃描舵機 2 到 20……</translation>
    </message>
    <message>
        <source>The link went down during the scan: no result.</source>
        <translation>掃描期間連線已斷開：沒有結果。</translation>
    </message>
    <message>
        <source>present</source>
        <translation>線上</translation>
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
        <translation>來自位址 %1 的應答，而該位址未被詢問</translation>
    </message>
    <message>
        <source>damaged answers: two servos on one address</source>
        <translation>應答損壞：一個位址上有兩個舵機</translation>
    </message>
    <message>
        <source>damaged answers</source>
        <translation>應答損壞</translation>
    </message>
    <message>
        <source>%1 present</source>
        <translation>%1 個線上</translation>
    </message>
    <message>
        <source>%1 missing</source>
        <translation>%1 個缺失</translation>
    </message>
    <message>
        <source>%1 unreliable</source>
        <translation>%1 個不可靠</translation>
    </message>
    <message>
        <source>%1; the scan took %2 s</source>
        <translation>%1；掃描用時 %2 秒</translation>
    </message>
</context>
</TS>