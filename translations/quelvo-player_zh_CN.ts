<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>Application</name>
    <message>
        <source>Unknown error</source>
        <translation>未知错误</translation>
    </message>
</context>
<context>
    <name>DATAssociation</name>
    <message>
        <source>Your changes have been made.  Please restart Quelvo Player.  You may need to restart windows for them to take effect.</source>
        <translation>您的更改已完成。请重新启动 Quelvo Player。您可能需要重新启动 Windows 才能使更改生效。</translation>
    </message>
    <message>
        <source>No changes needed to be made</source>
        <translation>无需进行任何更改</translation>
    </message>
    <message>
        <source>Your DAT file extension does not appear to be set correctly in Windows.  Quelvo Player may need to change this in order to playback VCD files.  Do you want to make this change now?<byte value="xd"/>
<byte value="xd"/>
Note: You can fix this later by clicking &quot;No&quot; and then selecting the About Box button on the toolbar.</source>
        <translation>您的 DAT 文件扩展名在 Windows 中的设置似乎不正确。Quelvo Player 可能需要更改此设置才能播放 VCD 文件。是否立即进行此更改？<byte value="xd"/>
<byte value="xd"/>
注意：您也可以点击“否”，稍后再通过工具栏上的“关于”按钮修复此问题。</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
</context>
<context>
    <name>FileSearch</name>
    <message>
        <source>Directory not found</source>
        <translation>找不到目录</translation>
    </message>
    <message>
        <source>Unable to change to the folder, %1.</source>
        <translation>无法进入文件夹 %1。</translation>
    </message>
</context>
<context>
    <name>ListItems</name>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>列表索引越界 (%1)</translation>
    </message>
</context>
<context>
    <name>MCIErrors</name>
    <message>
        <source>The media device is not open.</source>
        <translation>媒体设备未打开。</translation>
    </message>
    <message>
        <source>The media device does not know this command.</source>
        <translation>媒体设备无法识别此命令。</translation>
    </message>
    <message>
        <source>The media device type registered for this kind of file has no driver. Repair the file association from the About box.</source>
        <translation>为此类文件注册的媒体设备类型没有驱动程序。请在“关于”对话框中修复文件关联。</translation>
    </message>
    <message>
        <source>The driver registered for this kind of file does not exist. Repair the file association from the About box.</source>
        <translation>为此类文件注册的驱动程序不存在。请在“关于”对话框中修复文件关联。</translation>
    </message>
    <message>
        <source>The media driver failed to start.</source>
        <translation>媒体驱动程序启动失败。</translation>
    </message>
    <message>
        <source>The media command lacks a required value.</source>
        <translation>媒体命令缺少必需的值。</translation>
    </message>
    <message>
        <source>The media device cannot do this.</source>
        <translation>媒体设备无法执行此操作。</translation>
    </message>
    <message>
        <source>The media file cannot be found.</source>
        <translation>找不到媒体文件。</translation>
    </message>
    <message>
        <source>The media file did not finish loading in time.</source>
        <translation>媒体文件未能及时加载完成。</translation>
    </message>
    <message>
        <source>No media device is registered for this file&apos;s extension. Repair the file association from the About box; that needs the file win.ini in the player&apos;s settings folder to be one it can read and write.</source>
        <translation>没有为此文件扩展名注册媒体设备。请在“关于”对话框中修复文件关联；这要求播放器设置文件夹中的 win.ini 文件可读可写。</translation>
    </message>
    <message>
        <source>The position lies outside the media.</source>
        <translation>该位置超出了媒体的范围。</translation>
    </message>
    <message>
        <source>The media command was given options that exclude each other.</source>
        <translation>媒体命令使用了相互排斥的选项。</translation>
    </message>
    <message>
        <source>The media device cannot count time in this format.</source>
        <translation>媒体设备无法以此格式计时。</translation>
    </message>
    <message>
        <source>The file is not in a format the media device can play.</source>
        <translation>该文件的格式不是媒体设备能够播放的格式。</translation>
    </message>
    <message>
        <source>The media command was given no values.</source>
        <translation>媒体命令未提供任何值。</translation>
    </message>
    <message>
        <source>The media device cannot do this in its present state.</source>
        <translation>媒体设备在当前状态下无法执行此操作。</translation>
    </message>
    <message>
        <source>The media device needs a file name to open.</source>
        <translation>媒体设备需要文件名才能打开。</translation>
    </message>
    <message>
        <source>The window given for the video does not exist.</source>
        <translation>为视频指定的窗口不存在。</translation>
    </message>
    <message>
        <source>The video window cannot be created.</source>
        <translation>无法创建视频窗口。</translation>
    </message>
    <message>
        <source>The media file cannot be read.</source>
        <translation>无法读取媒体文件。</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>Error encountered saving registry</source>
        <translation>保存注册表时出错</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>About Quelvo Player</source>
        <translation>关于 Quelvo Player</translation>
    </message>
    <message>
        <source>Version ?</source>
        <translation>版本 ?</translation>
    </message>
    <message>
        <source> DAT Support </source>
        <translation> DAT 支持 </translation>
    </message>
    <message>
        <source>Set DAT format to Windows default driver</source>
        <translation>将 DAT 格式设为 Windows 默认驱动程序</translation>
    </message>
    <message>
        <source>Uses the default Windows driver for playback of DAT files.  Use this option if you get errors when trying to playback VCD disks in Quelvo Player</source>
        <translation>使用 Windows 默认驱动程序播放 DAT 文件。如果在 Quelvo Player 中播放 VCD 光盘时出错，请使用此选项</translation>
    </message>
    <message>
        <source>Set DAT format to MPEG Driver</source>
        <translation>将 DAT 格式设为 MPEG 驱动程序</translation>
    </message>
    <message>
        <source>Uses the MPEG driver for playback of DAT files (as VCD files are in MPEG format).  Use this option if you tried the above option and it did not work.</source>
        <translation>使用 MPEG 驱动程序播放 DAT 文件（VCD 文件为 MPEG 格式）。如果上面的选项无效，请使用此选项。</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
</context>
<context>
    <name>TDesktopSession</name>
    <message>
        <source>Playing a video</source>
        <translation>正在播放视频</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>曲目 %1</translation>
    </message>
</context>
<context>
    <name>TIniFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>无法写入 %1</translation>
    </message>
</context>
<context>
    <name>TMediaPlayer</name>
    <message>
        <source>No MCI device open</source>
        <translation>没有打开的 MCI 设备</translation>
    </message>
    <message>
        <source>Unknown error code</source>
        <translation>未知错误代码</translation>
    </message>
</context>
<context>
    <name>TRegistry</name>
    <message>
        <source>Failed to create key %1</source>
        <translation>无法创建注册表项 %1</translation>
    </message>
    <message>
        <source>Failed to get data for &apos;%1&apos;</source>
        <translation>无法读取 &apos;%1&apos; 的数据</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>&apos;%1&apos; 的数据类型无效</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation>无法设置 &apos;%1&apos; 的数据</translation>
    </message>
</context>
<context>
    <name>TdlgLog</name>
    <message>
        <source>Logging Information</source>
        <translation>日志信息</translation>
    </message>
    <message>
        <source>Copy log to clipboard</source>
        <translation>将日志复制到剪贴板</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Quelvo Player %1 Logging</source>
        <translation>Quelvo Player %1 日志</translation>
    </message>
</context>
<context>
    <name>TdlgMain</name>
    <message>
        <source>No CD drives were found</source>
        <translation>未找到 CD 驱动器</translation>
    </message>
    <message>
        <source>No CD drive is selected</source>
        <translation>未选择 CD 驱动器</translation>
    </message>
    <message>
        <source>Connecting to drive %1 of %2: &quot;%3&quot;</source>
        <translation>正在连接驱动器 %1/%2：“%3”</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>曲目 %1</translation>
    </message>
    <message>
        <source>MPEG files found in %1: %2</source>
        <translation>在 %1 中找到的 MPEG 文件：%2</translation>
    </message>
    <message>
        <source>No valid files found</source>
        <translation>未找到有效文件</translation>
    </message>
    <message>
        <source>VCD Load Error: </source>
        <translation>VCD 加载错误: </translation>
    </message>
    <message>
        <source>Quelvo Player did not find a valid VCD on drive %1<byte value="xd"/>
<byte value="xd"/>
Please ensure you have selected the correct CD-ROM drive and inserted a valid VCD disk.</source>
        <translation>Quelvo Player 未在驱动器 %1 中找到有效的 VCD<byte value="xd"/>
<byte value="xd"/>
请确认您选择了正确的 CD-ROM 驱动器，并插入了有效的 VCD 光盘。</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>适应</translation>
    </message>
    <message>
        <source>Please insert a valid VCD file.</source>
        <translation>请插入有效的 VCD 文件。</translation>
    </message>
    <message>
        <source>Opening MPEG file: </source>
        <translation>正在打开 MPEG 文件: </translation>
    </message>
    <message>
        <source>  CD Drive: </source>
        <translation>  光驱： </translation>
    </message>
    <message>
        <source>Select your CD-ROM drive</source>
        <translation>选择您的 CD-ROM 驱动器</translation>
    </message>
    <message>
        <source> Track:  </source>
        <translation> 曲目：  </translation>
    </message>
    <message>
        <source>Select which VCD track you want to play</source>
        <translation>选择要播放的 VCD 曲目</translation>
    </message>
    <message>
        <source>Check the VCD for new tracks</source>
        <translation>检查 VCD 上的新曲目</translation>
    </message>
    <message>
        <source>Rewind the VCD</source>
        <translation>快退 VCD</translation>
    </message>
    <message>
        <source>FF the VCD</source>
        <translation>快进 VCD</translation>
    </message>
    <message>
        <source>Play the VCD</source>
        <translation>播放 VCD</translation>
    </message>
    <message>
        <source>Pause the VCD</source>
        <translation>暂停 VCD</translation>
    </message>
    <message>
        <source>Stop the VCD</source>
        <translation>停止 VCD</translation>
    </message>
    <message>
        <source>The position of the VCD</source>
        <translation>VCD 的播放位置</translation>
    </message>
    <message>
        <source>Loop playback of the VCD</source>
        <translation>循环播放 VCD</translation>
    </message>
    <message>
        <source> Zoom:  </source>
        <translation> 缩放：  </translation>
    </message>
    <message>
        <source>The zoom of the VCD</source>
        <translation>VCD 的缩放比例</translation>
    </message>
    <message>
        <source>Display the window full size (click Esc to cancel)</source>
        <translation>全屏显示窗口（按 Esc 取消）</translation>
    </message>
    <message>
        <source>Display logging information</source>
        <translation>显示日志信息</translation>
    </message>
    <message>
        <source>About the program</source>
        <translation>关于本程序</translation>
    </message>
    <message>
        <source>Exit program</source>
        <translation>退出程序</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Rewind</source>
        <translation>快退</translation>
    </message>
    <message>
        <source>Fast forward</source>
        <translation>快进</translation>
    </message>
    <message>
        <source>Rescan</source>
        <translation>重新扫描</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>循环</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>驱动器</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>曲目</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>缩放</translation>
    </message>
    <message>
        <source>Stereo</source>
        <translation>立体声</translation>
    </message>
    <message>
        <source>Left channel</source>
        <translation>左声道</translation>
    </message>
    <message>
        <source>Right channel</source>
        <translation>右声道</translation>
    </message>
    <message>
        <source>Entry points: </source>
        <translation>入口点: </translation>
    </message>
    <message>
        <source>Chapter %1</source>
        <translation>第 %1 章</translation>
    </message>
    <message>
        <source>Audio stream %1</source>
        <translation>音轨 %1</translation>
    </message>
</context>
<context>
    <name>TrackFolder</name>
    <message>
        <source>SVCD Folder Exists (%1): %2</source>
        <translation>SVCD 文件夹存在 (%1)：%2</translation>
    </message>
    <message>
        <source>VCD Folder Exists (%1): %2</source>
        <translation>VCD 文件夹存在 (%1)：%2</translation>
    </message>
    <message>
        <source>Cannot access CD</source>
        <translation>无法访问 CD</translation>
    </message>
</context>
</TS>
