<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>ActivityPage</name>
    <message>
        <source>video</source>
        <translation>video</translation>
    </message>
    <message>
        <source>audio</source>
        <translation>audio</translation>
    </message>
    <message>
        <source>infrared</source>
        <translation>infrared</translation>
    </message>
    <message>
        <source>plan</source>
        <translation>plan</translation>
    </message>
    <message>
        <source>splice</source>
        <translation>splice</translation>
    </message>
    <message>
        <source>setting</source>
        <translation>setting</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Who</source>
        <translation>Who</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>From</source>
        <translation>From</translation>
    </message>
    <message>
        <source>To</source>
        <translation>To</translation>
    </message>
    <message>
        <source>All</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Last hour</source>
        <translation>Last hour</translation>
    </message>
    <message>
        <source>Last 24 hours</source>
        <translation>Last 24 hours</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>Last 7 days</translation>
    </message>
    <message>
        <source>Last 30 days</source>
        <translation>Last 30 days</translation>
    </message>
    <message>
        <source>Between…</source>
        <translation>Between…</translation>
    </message>
    <message>
        <source>Anyone</source>
        <translation>Anyone</translation>
    </message>
    <message>
        <source>Other clients only</source>
        <translation>Other clients only</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Export CSV…</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>another client</source>
        <translation>another client</translation>
    </message>
    <message>
        <source>The activity log cannot be read:
%1</source>
        <translation>The activity log cannot be read:
%1</translation>
    </message>
    <message>
        <source>The newest %1 changes are shown; narrow the filters or export them all.</source>
        <translation>The newest %1 changes are shown; narrow the filters or export them all.</translation>
    </message>
    <message>
        <source>%1 changes</source>
        <translation>%1 changes</translation>
    </message>
    <message>
        <source>Export the activity log</source>
        <translation>Export the activity log</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>The activity log could not be exported:
%1</source>
        <translation>The activity log could not be exported:
%1</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exported to %1</translation>
    </message>
</context>
<context>
    <name>AppSettings</name>
    <message>
        <source>Input %1</source>
        <translation>Input %1</translation>
    </message>
    <message>
        <source>Audio %1</source>
        <translation>Audio %1</translation>
    </message>
    <message>
        <source>Output %1</source>
        <translation>Output %1</translation>
    </message>
</context>
<context>
    <name>CDlgScalingmode</name>
    <message>
        <source>缩放模式</source>
        <translation>Scaling Mode</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source> Squeeze into Frame (distortion)</source>
        <translation>Squeeze into Frame (Distortion)</translation>
    </message>
    <message>
        <source>     Correct aspect ratio (no crop)</source>
        <translation>Correct Aspect Ratio (No Crop)</translation>
    </message>
    <message>
        <source>  Correct aspect ratio (with crop)</source>
        <translation>Correct Aspect Ratio (With crop)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CDlgnosignaloutput</name>
    <message>
        <source>无信号输出</source>
        <translation>No Signal Output</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>RGB stripe</source>
        <translation>RGB Color Bar</translation>
    </message>
    <message>
        <source>16 Gray Scales</source>
        <translation>16-Level Grayscale</translation>
    </message>
    <message>
        <source>32 Gray Scales</source>
        <translation>32-Level Grayscale</translation>
    </message>
    <message>
        <source>64 Gray Scales</source>
        <translation>64-Level Grayscale</translation>
    </message>
    <message>
        <source>Red Grid</source>
        <translation>Red Grid</translation>
    </message>
    <message>
        <source>Green Grid</source>
        <translation>Green Grid</translation>
    </message>
    <message>
        <source>Blue Grid</source>
        <translation>Blue Grid</translation>
    </message>
    <message>
        <source>White Grid</source>
        <translation>White Grid</translation>
    </message>
    <message>
        <source>Horizon Scroll</source>
        <translation>Horizontal Scrollbar</translation>
    </message>
    <message>
        <source>Vertical Scroll</source>
        <translation>Vertical Scrollbar</translation>
    </message>
    <message>
        <source>Pure Color</source>
        <translation>Pure Color</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Edit Colors</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CheckPushButton</name>
    <message>
        <source>Single picture</source>
        <translation>Single picture</translation>
    </message>
    <message>
        <source>Four equal windows</source>
        <translation>Four equal windows</translation>
    </message>
    <message>
        <source>Nine equal windows</source>
        <translation>Nine equal windows</translation>
    </message>
    <message>
        <source>One large and seven small windows</source>
        <translation>One large and seven small windows</translation>
    </message>
    <message>
        <source>One large and four small windows</source>
        <translation>One large and four small windows</translation>
    </message>
    <message>
        <source>One large and three small windows</source>
        <translation>One large and three small windows</translation>
    </message>
    <message>
        <source>Picture in picture</source>
        <translation>Picture in picture</translation>
    </message>
</context>
<context>
    <name>ConsoleModel</name>
    <message>
        <source>Not sent, the link is down: %1</source>
        <translation>Not sent, the link is down: %1</translation>
    </message>
    <message>
        <source>Link up: %1</source>
        <translation>Link up: %1</translation>
    </message>
    <message>
        <source>Link down: %1</source>
        <translation>Link down: %1</translation>
    </message>
    <message>
        <source> ... (%1 bytes in all)</source>
        <translation> ... (%1 bytes in all)</translation>
    </message>
    <message>
        <source>Reports not kept: %1</source>
        <translation>Reports not kept: %1</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Sent</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>Received</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
</context>
<context>
    <name>DialogBezel</name>
    <message>
        <source>Bezel Pixel Setting</source>
        <translation>Bezel Pixel Setting</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Column 1 &amp; 2</source>
        <translation>Column 1 &amp; 2</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Row 1 &amp; 2</source>
        <translation>Row 1 &amp; 2</translation>
    </message>
    <message>
        <source>Column 2 &amp; 3</source>
        <translation>Column 2 &amp; 3</translation>
    </message>
    <message>
        <source>Row 2 &amp; 3</source>
        <translation>Row 2 &amp; 3</translation>
    </message>
    <message>
        <source>Column 3 &amp; 4</source>
        <translation>Column 3 &amp; 4</translation>
    </message>
    <message>
        <source>Row 3 &amp; 4</source>
        <translation>Row 3 &amp; 4</translation>
    </message>
    <message>
        <source>Column 4 &amp; 5</source>
        <translation>Column 4 &amp; 5</translation>
    </message>
    <message>
        <source>Row 4 &amp; 5</source>
        <translation>Row 4 &amp; 5</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DialogConfirm</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>DialogConfirm3Btn</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
</context>
<context>
    <name>DialogWindowProperty</name>
    <message>
        <source>Window Property</source>
        <translation>Window Property</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Window Information</source>
        <translation>Window Information</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>Layer</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Window Position</source>
        <translation>Window Position</translation>
    </message>
    <message>
        <source>Window Size</source>
        <translation>Window Size</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>The device is not connected: nothing was sent</source>
        <translation>The device is not connected: nothing was sent</translation>
    </message>
</context>
<context>
    <name>EdidSettingDilog</name>
    <message>
        <source>EDID输入</source>
        <translation>EDID Input</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>内置EDID选择</source>
        <translation>Built-in EDID selection</translation>
    </message>
    <message>
        <source>EDID选择</source>
        <translation>Select EDID</translation>
    </message>
    <message>
        <source>4K@60/HDMI</source>
        <translation>4K@60/HDMI</translation>
    </message>
    <message>
        <source>4K@30/HDMI</source>
        <translation>4K@30/HDMI</translation>
    </message>
    <message>
        <source>1080P@60/HDMI</source>
        <translation>1080P@60/HDMI</translation>
    </message>
    <message>
        <source>1080P@60/DVI</source>
        <translation>1080P@60/DVI</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>复制EDID</source>
        <translation>Duplicate EDID</translation>
    </message>
    <message>
        <source>读取输出到输入</source>
        <translation>Read EDID From</translation>
    </message>
    <message>
        <source>更新EDID</source>
        <translation>Update Edid</translation>
    </message>
    <message>
        <source>EDID文件路径</source>
        <translation>EDID file path</translation>
    </message>
    <message>
        <source>Browser</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>4K@60Recommend1080P@60</source>
        <translation>4K@60 Recommend 1080P@60</translation>
    </message>
    <message>
        <source>请选择更新文件</source>
        <translation>Please select the update file</translation>
    </message>
    <message>
        <source>支持文件 (*.bin);; 所有文件(*.*);;</source>
        <translation>Bin files (*.bin);; All files (*.*);;</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>File is empty</source>
        <translation>The file is empty!</translation>
    </message>
    <message>
        <source>NetWork Error</source>
        <translation>Network Error</translation>
    </message>
    <message>
        <source>传输文件端口连接发生错误！</source>
        <translation>An error occurred while connecting to the file transfer port!</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Uploading Finished</source>
        <translation>Uploading Finished</translation>
    </message>
</context>
<context>
    <name>GraphicsTestDialog</name>
    <message>
        <source>图形测试模式</source>
        <translation>Graphics Test Mode</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Graphic Test</source>
        <translation>Graphics Test</translation>
    </message>
    <message>
        <source>By pass</source>
        <translation>Pass-Through</translation>
    </message>
    <message>
        <source>RGB stripe</source>
        <translation>RGB Color Bar</translation>
    </message>
    <message>
        <source>16 Gray Scales</source>
        <translation>16-Level Grayscale</translation>
    </message>
    <message>
        <source>32 Gray Scales</source>
        <translation>32-Level Grayscale</translation>
    </message>
    <message>
        <source>64 Gray Scales</source>
        <translation>64-Level Grayscale</translation>
    </message>
    <message>
        <source>Red Grid</source>
        <translation>Red Grid</translation>
    </message>
    <message>
        <source>Green Grid</source>
        <translation>Green Grid</translation>
    </message>
    <message>
        <source>Blue Grid</source>
        <translation>Blue Grid</translation>
    </message>
    <message>
        <source>White Grid</source>
        <translation>White Grid</translation>
    </message>
    <message>
        <source>Horizon Scroll</source>
        <translation>Horizontal Scrollbar</translation>
    </message>
    <message>
        <source>Vertical Scroll</source>
        <translation>Vertical Scrollbar</translation>
    </message>
    <message>
        <source>Pure Color</source>
        <translation>Pure Color</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>InputSignalWidget0409</name>
    <message>
        <source>ID: </source>
        <translation>ID: </translation>
    </message>
    <message>
        <source>Zoom to the Occupied Screens</source>
        <translation>Zoom to the Occupied Screens</translation>
    </message>
    <message>
        <source>Zoom to Maximum</source>
        <translation>Zoom to Maximum</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Input: </source>
        <translation>Input: </translation>
    </message>
    <message>
        <source>Layer: </source>
        <translation>Layer: </translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>Size: </source>
        <translation>Size: </translation>
    </message>
</context>
<context>
    <name>LoginDialog</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>LOGIN</source>
        <translation>LOGIN</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>PassWord</source>
        <translation>PassWord</translation>
    </message>
    <message>
        <source>Remember Password</source>
        <translation>Remember Password</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Show or hide the password</source>
        <translation>Show or hide the password</translation>
    </message>
    <message>
        <source>UserName</source>
        <translation>UserName</translation>
    </message>
    <message>
        <source>connect fail!</source>
        <translation>Failed to connect!</translation>
    </message>
    <message>
        <source>connect successful but software error!</source>
        <translation>Connection successful, but an unknown error occurred in the software!</translation>
    </message>
    <message>
        <source>username or password error!</source>
        <translation>Invalid username or password.</translation>
    </message>
    <message>
        <source>系列视频切换软件</source>
        <translation> SERIES MATRIX AND VIDEO WALL PROCESSOR</translation>
    </message>
    <message>
        <source>Nobody can log in: the user list cannot be read from the project database.
%1</source>
        <translation>Nobody can log in: the user list cannot be read from the project database.
%1</translation>
    </message>
    <message>
        <source>The password choice could not be saved:
%1</source>
        <translation>The password choice could not be saved:
%1</translation>
    </message>
    <message>
        <source>The user list cannot be read!</source>
        <translation>The user list cannot be read!</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>LoginSettingDialog</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Device IP:</source>
        <translation>Device IP:</translation>
    </message>
    <message>
        <source>OFFLINE:</source>
        <translation>OFFLINE:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
</context>
<context>
    <name>MessageDistance</name>
    <message>
        <source>NetWork Error</source>
        <translation>Network Error</translation>
    </message>
    <message>
        <source>传输文件端口连接发生错误！</source>
        <translation>An error occurred while connecting to the file transfer port!</translation>
    </message>
    <message>
        <source>文件“%1”未能传到设备（%2），请重新上传。</source>
        <translation>The file “%1” did not reach the device (%2). Please upload it again.</translation>
    </message>
    <message>
        <source>与设备的控制连接已断开</source>
        <translation>the control link to the device is down</translation>
    </message>
    <message>
        <source>传输连接已断开</source>
        <translation>the transfer link was closed</translation>
    </message>
    <message>
        <source>设备没有确认文件</source>
        <translation>the device did not confirm the file</translation>
    </message>
    <message>
        <source>设备没有应答</source>
        <translation>the device did not answer</translation>
    </message>
</context>
<context>
    <name>MsgDlg</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>OutputWidget0409</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Not allowed to add more windows</source>
        <translation>Not allowed to add more windows</translation>
    </message>
    <message>
        <source>Unable to assign ID to input window</source>
        <translation>Unable to assign ID to input window</translation>
    </message>
    <message>
        <source>Close All Windows</source>
        <translation>Close All Windows</translation>
    </message>
    <message>
        <source>Confirm to close all windows</source>
        <translation>Confirm to close all windows</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Layer Up</source>
        <translation>Layer Up</translation>
    </message>
    <message>
        <source>Layer Down</source>
        <translation>Layer Down</translation>
    </message>
    <message>
        <source>Layer to Top</source>
        <translation>Layer to Top</translation>
    </message>
    <message>
        <source>Layer to Bottom</source>
        <translation>Layer to Bottom</translation>
    </message>
    <message>
        <source>Zoom to a Single Screen</source>
        <translation>Zoom to a Single Screen</translation>
    </message>
    <message>
        <source>Zoom to the Occupied Screens</source>
        <translation>Zoom to the Occupied Screens</translation>
    </message>
    <message>
        <source>Zoom to Maximum</source>
        <translation>Zoom to Maximum</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>Property</translation>
    </message>
    <message>
        <source>Timeout for Reading The last Window status!</source>
        <translation>Timeout for Reading The last Window status!</translation>
    </message>
</context>
<context>
    <name>PermissionDialog</name>
    <message>
        <source>Permission Management</source>
        <translation>Permission Management</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Splicing
Setting</source>
        <translation>Splicing
Setting</translation>
    </message>
    <message>
        <source>Splicing
Wall</source>
        <translation>Splicing
Wall</translation>
    </message>
    <message>
        <source>OSD</source>
        <translation>OSD</translation>
    </message>
    <message>
        <source>EDID</source>
        <translation>EDID</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>HDCP</source>
        <translation>HDCP</translation>
    </message>
    <message>
        <source>Splice</source>
        <translation>Splice</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>No Signal
Output</source>
        <translation>No Signal
Output</translation>
    </message>
    <message>
        <source>Scaling
Mode</source>
        <translation>Scaling
Mode</translation>
    </message>
    <message>
        <source>Switch
Layout</source>
        <translation>Switch
Layout</translation>
    </message>
    <message>
        <source>Plan
Operation</source>
        <translation>Plan
Operation</translation>
    </message>
    <message>
        <source>No Signal
Input</source>
        <translation>No Signal
Input</translation>
    </message>
    <message>
        <source>Graphics
Test</source>
        <translation>Graphics
Test</translation>
    </message>
    <message>
        <source>NetWork</source>
        <translation>NetWork</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Caption</translation>
    </message>
    <message>
        <source>User</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Bezel</source>
        <translation>Bezel</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Login-Free
Option</source>
        <translation>Login-Free
Option</translation>
    </message>
    <message>
        <source>Version
Infomation</source>
        <translation>Version
Infomation</translation>
    </message>
    <message>
        <source>Video
Switch</source>
        <translation>Video
Switch</translation>
    </message>
    <message>
        <source>Audio
Switch</source>
        <translation>Audio
Switch</translation>
    </message>
    <message>
        <source>HDMI Audio
Switch</source>
        <translation>HDMI Audio
Switch</translation>
    </message>
    <message>
        <source>Infared
Switch</source>
        <translation>Infrared
Switch</translation>
    </message>
    <message>
        <source>Close/Open
Output</source>
        <translation>Close/Open
Output</translation>
    </message>
    <message>
        <source>Pause/Play
Output</source>
        <translation>Pause/Play
Output</translation>
    </message>
    <message>
        <source>%1  User: %2</source>
        <translation>%1  User: %2</translation>
    </message>
    <message>
        <source>Setting Page</source>
        <translation>Setting Page</translation>
    </message>
    <message>
        <source>All (Setting Page)</source>
        <translation>All (Setting Page)</translation>
    </message>
    <message>
        <source>Matrix Signal Switch</source>
        <translation>Matrix Signal Switch</translation>
    </message>
    <message>
        <source>All (Matrix Signal Switch)</source>
        <translation>All (Matrix Signal Switch)</translation>
    </message>
    <message>
        <source>Matrix Entry Menu</source>
        <translation>Matrix Entry Menu</translation>
    </message>
    <message>
        <source>All (Matrix Menu)</source>
        <translation>All (Matrix Menu)</translation>
    </message>
    <message>
        <source>Signal Entry Menu</source>
        <translation>Signal Entry Menu</translation>
    </message>
    <message>
        <source>All (Signal Menu)</source>
        <translation>All (Signal Menu)</translation>
    </message>
    <message>
        <source>HDMI Input Port</source>
        <translation>HDMI Input Port</translation>
    </message>
    <message>
        <source>All (HDMI Input)</source>
        <translation>All (HDMI Input)</translation>
    </message>
    <message>
        <source>Input %1</source>
        <translation>Input %1</translation>
    </message>
    <message>
        <source>HDMI Output Port</source>
        <translation>HDMI Output Port</translation>
    </message>
    <message>
        <source>All (HDMI Output)</source>
        <translation>All (HDMI Output)</translation>
    </message>
    <message>
        <source>Output %1</source>
        <translation>Output %1</translation>
    </message>
    <message>
        <source>Audio Signal Port</source>
        <translation>Audio Signal Port</translation>
    </message>
    <message>
        <source>All (Audio Signal)</source>
        <translation>All (Audio Signal)</translation>
    </message>
    <message>
        <source>Audio %1</source>
        <translation>Audio %1</translation>
    </message>
    <message>
        <source>Analog Audio Port</source>
        <translation>Analog Audio Port</translation>
    </message>
    <message>
        <source>All (Analog Port)</source>
        <translation>All (Analog Port)</translation>
    </message>
    <message>
        <source>Analog %1</source>
        <translation>Analog %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>The permissions could not be saved!</source>
        <translation>The permissions could not be saved!</translation>
    </message>
    <message>
        <source>Quit Permission Management</source>
        <translation>Quit Permission Management</translation>
    </message>
    <message>
        <source>Apply the latest changes?</source>
        <translation>Apply the latest changes?</translation>
    </message>
</context>
<context>
    <name>PlanBars</name>
    <message>
        <source>Received</source>
        <translation>Received</translation>
    </message>
    <message>
        <source>Not Received</source>
        <translation>Not Received</translation>
    </message>
    <message>
        <source>Since logging in or since the last time you clicked refresh, the program needs to receive the following three types of information firstly to recall plan correctly: </source>
        <translation>Since logging in or since the last time you clicked refresh, the program needs to receive the following three types of information firstly to recall plan correctly: </translation>
    </message>
    <message>
        <source>(1) Current Windows Property And VIR Mode: %1</source>
        <translation>(1) Current Windows Property And VIR Mode: %1</translation>
    </message>
    <message>
        <source>(2) Current Reasolution: %1</source>
        <translation>(2) Current Resolution: %1</translation>
    </message>
    <message>
        <source>(3) Current Rotate Degree: %1</source>
        <translation>(3) Current Rotate Degree: %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>ProjectDatabase</name>
    <message>
        <source>not a file</source>
        <translation>not a file</translation>
    </message>
</context>
<context>
    <name>ProtocolConsole</name>
    <message>
        <source>Refused, a command is {param=...} with no further braces: %1</source>
        <translation>Refused, a command is {param=...} with no further braces: %1</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Regex</source>
        <translation>Regex</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>{param=...}</source>
        <translation>{param=...}</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>The reports cut from the selected received line</source>
        <translation>The reports cut from the selected received line</translation>
    </message>
    <message>
        <source>Invalid expression: %1</source>
        <translation>Invalid expression: %1</translation>
    </message>
    <message>
        <source>Export the protocol console</source>
        <translation>Export the protocol console</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>The console cannot be saved:
%1</source>
        <translation>The console cannot be saved:
%1</translation>
    </message>
    <message>
        <source>Lines waiting: %1</source>
        <translation>Lines waiting: %1</translation>
    </message>
</context>
<context>
    <name>RenameDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Enter a new name</source>
        <translation>Enter a new name</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
</context>
<context>
    <name>RouteHistory</name>
    <message>
        <source>plan %1</source>
        <translation>plan %1</translation>
    </message>
    <message>
        <source>%1 routes</source>
        <translation>%1 routes</translation>
    </message>
    <message>
        <source>input %1 → output %2</source>
        <translation>input %1 → output %2</translation>
    </message>
    <message>
        <source>audio input %1 → output %2</source>
        <translation>audio input %1 → output %2</translation>
    </message>
    <message>
        <source>infrared input %1 → output %2</source>
        <translation>infrared input %1 → output %2</translation>
    </message>
    <message>
        <source>clear output %1</source>
        <translation>clear output %1</translation>
    </message>
    <message>
        <source>clear audio output %1</source>
        <translation>clear audio output %1</translation>
    </message>
    <message>
        <source>clear infrared output %1</source>
        <translation>clear infrared output %1</translation>
    </message>
    <message>
        <source>Undo: %1</source>
        <translation>Undo: %1</translation>
    </message>
    <message>
        <source>Redo: %1</source>
        <translation>Redo: %1</translation>
    </message>
    <message>
        <source>splice outputs %1</source>
        <translation>splice outputs %1</translation>
    </message>
    <message>
        <source>unsplice outputs %1</source>
        <translation>unsplice outputs %1</translation>
    </message>
</context>
<context>
    <name>RoutingPage</name>
    <message>
        <source>Nothing to undo</source>
        <translation>Nothing to undo</translation>
    </message>
    <message>
        <source>Nothing to redo</source>
        <translation>Nothing to redo</translation>
    </message>
    <message>
        <source>Take mode</source>
        <translation>Take mode</translation>
    </message>
    <message>
        <source>Drop the %1 staged routes without sending them?</source>
        <translation>Drop the %1 staged routes without sending them?</translation>
    </message>
    <message>
        <source>Take</source>
        <translation>Take</translation>
    </message>
    <message>
        <source>Another operator has changed %1 of the staged outputs since they were staged.
Yes: send those routes too.
No: send the others and drop those.</source>
        <translation>Another operator has changed %1 of the staged outputs since they were staged.
Yes: send those routes too.
No: send the others and drop those.</translation>
    </message>
    <message>
        <source>%1 staged, %2 changed by another operator</source>
        <translation>%1 staged, %2 changed by another operator</translation>
    </message>
    <message>
        <source>%1 staged</source>
        <translation>%1 staged</translation>
    </message>
    <message>
        <source>Drops wait here for Take</source>
        <translation>Drops wait here for Take</translation>
    </message>
    <message>
        <source>Changed by another client at %1: %2</source>
        <translation>Changed by another client at %1: %2</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Network Changed</source>
        <translation>Network Changed</translation>
    </message>
    <message>
        <source>The network has changed, please reboot the device immediately</source>
        <translation>The network has changed, please reboot the device immediately</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>Factory Reset</translation>
    </message>
    <message>
        <source>Restore the device at %1 to its factory settings?

Every route, saved plan, port setting and caption on the device is lost, and its network settings return to the factory address, so the device may no longer be reached at %1.</source>
        <translation>Restore the device at %1 to its factory settings?

Every route, saved plan, port setting and caption on the device is lost, and its network settings return to the factory address, so the device may no longer be reached at %1.</translation>
    </message>
</context>
<context>
    <name>StartupCheck</name>
    <message>
        <source>%1 can be read by other users and could not be restricted to its owner: %2</source>
        <translation>%1 can be read by other users and could not be restricted to its owner: %2</translation>
    </message>
    <message>
        <source>Project database</source>
        <translation>Project database</translation>
    </message>
    <message>
        <source>The project database cannot be used, so nobody can log in:
%1
Nothing was changed in it. Restore it from a backup or move it away, then start again.</source>
        <translation>The project database cannot be used, so nobody can log in:
%1
Nothing was changed in it. Restore it from a backup or move it away, then start again.</translation>
    </message>
    <message>
        <source>The project database is read-only:
%1
You can log in and work, but changes that would be stored in it are refused.</source>
        <translation>The project database is read-only:
%1
You can log in and work, but changes that would be stored in it are refused.</translation>
    </message>
</context>
<context>
    <name>TableItemWidget</name>
    <message>
        <source>Picture paused: click to play</source>
        <translation>Picture paused: click to play</translation>
    </message>
    <message>
        <source>Picture playing: click to pause</source>
        <translation>Picture playing: click to pause</translation>
    </message>
    <message>
        <source>Picture off: click to turn it on</source>
        <translation>Picture off: click to turn it on</translation>
    </message>
    <message>
        <source>Picture on: click to turn it off</source>
        <translation>Picture on: click to turn it off</translation>
    </message>
    <message>
        <source>Display connected</source>
        <translation>Display connected</translation>
    </message>
    <message>
        <source>No display connected</source>
        <translation>No display connected</translation>
    </message>
</context>
<context>
    <name>TableWidget</name>
    <message>
        <source>nothing</source>
        <translation>nothing</translation>
    </message>
    <message>
        <source>Stale: %1</source>
        <translation>Stale: %1</translation>
    </message>
    <message>
        <source>Take: %1</source>
        <translation>Take: %1</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>%4MatrixControl  User:%3  Ip:%1  Port:%2 disconnected</source>
        <translation>%4MatrixControl  User:%3  Ip:%1  Port:%2 disconnected</translation>
    </message>
    <message>
        <source>%4MatrixControl  User:%3  Ip:%1  Port:%2 connected</source>
        <translation>%4MatrixControl  User:%3  Ip:%1  Port:%2 connected</translation>
    </message>
    <message>
        <source>%4MatrixControl  User:%3   Ip:%1  Port:%2  connected</source>
        <translation>%4MatrixControl  User:%3   Ip:%1  Port:%2  connected</translation>
    </message>
    <message>
        <source>%4MatrixControl  User:%3  Ip:%1  Port:%2 connecting</source>
        <translation>%4MatrixControl  User:%3  Ip:%1  Port:%2 connecting</translation>
    </message>
    <message>
        <source>The device is not connected: nothing was sent</source>
        <translation>The device is not connected: nothing was sent</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximize</translation>
    </message>
</context>
<context>
    <name>TitleOrOsdDialog</name>
    <message>
        <source>Caption Setting</source>
        <translation>Caption Setting</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Font Color</source>
        <translation>Font Color</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>Background Color</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Content</translation>
    </message>
    <message>
        <source>Text to show</source>
        <translation>Text to show</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Upload Text</source>
        <translation>Upload Text</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Picture File</source>
        <translation>Picture File</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Upload Picture</source>
        <translation>Upload Picture</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>OSD Setting</source>
        <translation>OSD Setting</translation>
    </message>
    <message>
        <source>Out%1</source>
        <translation>Output%1</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Select Color</translation>
    </message>
    <message>
        <source>Select Picture</source>
        <translation>Select Picture</translation>
    </message>
    <message>
        <source>Pictures (*.bmp *.png *.jpg *.jpeg *.gif);;All files (*.*)</source>
        <translation>Pictures (*.bmp *.png *.jpg *.jpeg *.gif);;All files (*.*)</translation>
    </message>
    <message>
        <source>error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>File is empty</source>
        <translation>The file is empty!</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>台标字幕文件大小不能超过4K!</source>
        <translation>The size of the OSD or caption file cannot exceed 4KB!</translation>
    </message>
    <message>
        <source>NetWork Error</source>
        <translation>Network Error</translation>
    </message>
    <message>
        <source>传输文件端口连接发生错误！</source>
        <translation>An error occurred while connecting to the file transfer port!</translation>
    </message>
    <message>
        <source>Uploading Finished</source>
        <translation>Uploading Finished</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>The text could not be saved for next time:
%1</source>
        <translation>The text could not be saved for next time:
%1</translation>
    </message>
    <message>
        <source>Enter the text to show before uploading it.</source>
        <translation>Enter the text to show before uploading it.</translation>
    </message>
</context>
<context>
    <name>UploadErrorDialogs</name>
    <message>
        <source>文件还在上传中，停止上传并关闭吗？</source>
        <translation>A file is still uploading. Stop the upload and close?</translation>
    </message>
</context>
<context>
    <name>Usermanagerdialog</name>
    <message>
        <source>User Management</source>
        <translation>User Management</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Userlist</source>
        <translation>User List</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>UserName</source>
        <translation>User Name</translation>
    </message>
    <message>
        <source>New PassWord</source>
        <translation>New Password</translation>
    </message>
    <message>
        <source>Confirm New Password</source>
        <translation>Confirm New Password</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Permissions Management</source>
        <translation>Permissions Management</translation>
    </message>
    <message>
        <source>password empty!</source>
        <translation>Password cannot be empty!</translation>
    </message>
    <message>
        <source>two password not equation!</source>
        <translation>The passwords do not match!</translation>
    </message>
    <message>
        <source>user have exsits!</source>
        <translation>This user already exists!</translation>
    </message>
    <message>
        <source>username empty!</source>
        <translation>Username cannot be empty!</translation>
    </message>
    <message>
        <source>The user could not be added.</source>
        <translation>The user could not be added.</translation>
    </message>
    <message>
        <source>The user could not be changed.</source>
        <translation>The user could not be changed.</translation>
    </message>
    <message>
        <source>The user could not be deleted.</source>
        <translation>The user could not be deleted.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>user name cannot hold / or \ or begin or end with a blank!</source>
        <translation>A user name cannot contain / or \ or begin or end with a blank!</translation>
    </message>
</context>
<context>
    <name>VolumnSettingDialog</name>
    <message>
        <source>Volumn Setting</source>
        <translation>Volume Setting</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Widget</name>
    <message>
        <source>MATRIX CONTROL</source>
        <translation>MATRIX CONTROL</translation>
    </message>
    <message>
        <source>CVN</source>
        <translation>CVN</translation>
    </message>
    <message>
        <source>connecting</source>
        <translation>connecting</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Signal list</source>
        <translation>Signal list</translation>
    </message>
    <message>
        <source>refrensh</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Splice Group</source>
        <translation>Splice Group</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>1-2</source>
        <translation>1-2</translation>
    </message>
    <message>
        <source>1+5</source>
        <translation>1+5</translation>
    </message>
    <message>
        <source>2x2</source>
        <translation>2x2</translation>
    </message>
    <message>
        <source>2x3</source>
        <translation>2x3</translation>
    </message>
    <message>
        <source>2x4</source>
        <translation>2x4</translation>
    </message>
    <message>
        <source>Plan</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>Joint</source>
        <translation>Joint</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Infared</source>
        <translation>Infrared</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Splice</source>
        <translation>Splice</translation>
    </message>
    <message>
        <source>Multiview</source>
        <translation>Multiview</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>The current operation involves one or more ports that the current user does not have permission to use.</source>
        <translation>The current operation involves one or more ports that the current user does not have permission to use.</translation>
    </message>
    <message>
        <source>The change could not be saved:
%1</source>
        <translation>The change could not be saved:
%1</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximize</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Take mode</source>
        <translation>Take mode</translation>
    </message>
    <message>
        <source>Drops wait until Take (Enter) sends them or Cancel (Esc) drops them</source>
        <translation>Drops wait until Take (Enter) sends them or Cancel (Esc) drops them</translation>
    </message>
    <message>
        <source>Take</source>
        <translation>Take</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Activity</source>
        <translation>Activity</translation>
    </message>
    <message>
        <source>The activity log cannot be saved:
%1</source>
        <translation>The activity log cannot be saved:
%1</translation>
    </message>
</context>
<context>
    <name>WidgetDialogs</name>
    <message>
        <source>OSD Setting</source>
        <translation>OSD Setting</translation>
    </message>
    <message>
        <source>OutPut Graphics test</source>
        <translation>Output Graphics Test</translation>
    </message>
    <message>
        <source>Input Graphics test</source>
        <translation>Input Graphics Test</translation>
    </message>
    <message>
        <source>[Input%1]</source>
        <translation>[Input%1]</translation>
    </message>
</context>
<context>
    <name>WidgetMenus</name>
    <message>
        <source>Unsplice</source>
        <translation>Unsplice</translation>
    </message>
    <message>
        <source>Splice</source>
        <translation>Splice</translation>
    </message>
    <message>
        <source>Rename(F2)</source>
        <translation>Rename(F2)</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>No Signal Input</source>
        <translation>No Signal Input</translation>
    </message>
    <message>
        <source>No Standby</source>
        <translation>No Standby</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>Standby</translation>
    </message>
    <message>
        <source>Switch Layout</source>
        <translation>Switch Layout</translation>
    </message>
    <message>
        <source>3 x 3</source>
        <translation>3 x 3</translation>
    </message>
    <message>
        <source>2 x 4</source>
        <translation>2 x 4</translation>
    </message>
    <message>
        <source>数字音频</source>
        <translation>Digital Audio</translation>
    </message>
    <message>
        <source>模拟音频</source>
        <translation>Analog Audio</translation>
    </message>
    <message>
        <source>No Input</source>
        <translation>No Input</translation>
    </message>
    <message>
        <source>HDCP Setting</source>
        <translation>HDCP Setting</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Not Support</source>
        <translation>Not Support</translation>
    </message>
    <message>
        <source>HDCP 1.4 Only</source>
        <translation>HDCP 1.4 Only</translation>
    </message>
    <message>
        <source>HDCP 2.2 Only</source>
        <translation>HDCP 2.2 Only</translation>
    </message>
    <message>
        <source>Recall Plan %1</source>
        <translation>Recall Plan %1</translation>
    </message>
    <message>
        <source>Save Plan %1</source>
        <translation>Save Plan %1</translation>
    </message>
    <message>
        <source>Clear Plan %1</source>
        <translation>Clear Plan %1</translation>
    </message>
    <message>
        <source>Rename Plan %1</source>
        <translation>Rename Plan %1</translation>
    </message>
    <message>
        <source>无信号输出</source>
        <translation>No Signal Output</translation>
    </message>
    <message>
        <source>缩放模式</source>
        <translation>Scaling Mode</translation>
    </message>
    <message>
        <source>Graphics Test</source>
        <translation>Graphics Test</translation>
    </message>
    <message>
        <source>GraphicsTest</source>
        <translation>Graphics Test</translation>
    </message>
    <message>
        <source>OSD Setting</source>
        <translation>OSD Setting</translation>
    </message>
    <message>
        <source>Edid</source>
        <translation>EDID</translation>
    </message>
    <message>
        <source>Volume Setting</source>
        <translation>Volume Setting</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
</context>
<context>
    <name>WidgetPages</name>
    <message>
        <source>Caption</source>
        <translation>Caption</translation>
    </message>
    <message>
        <source>Splicing Settings</source>
        <translation>Splicing Settings</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Lock All</source>
        <translation>Lock All</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>Close All</translation>
    </message>
    <message>
        <source>Plan</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>Analog Audio</source>
        <translation>Analog Audio</translation>
    </message>
    <message>
        <source>HDMI Audio</source>
        <translation>HDMI Audio</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>Gateway</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>Subnet Mask</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC Address</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>Factory Reset</translation>
    </message>
    <message>
        <source>Other Settings</source>
        <translation>Other Settings</translation>
    </message>
    <message>
        <source>Caption Setting</source>
        <translation>Caption Setting</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Login-free</source>
        <translation>Login-free</translation>
    </message>
    <message>
        <source>User Management</source>
        <translation>User Management</translation>
    </message>
    <message>
        <source>User Manage</source>
        <translation>User Manage</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>ReLogin</source>
        <translation>ReLogin</translation>
    </message>
    <message>
        <source>Follow Video</source>
        <translation>Follow Video</translation>
    </message>
    <message>
        <source>Independently</source>
        <translation>Independently</translation>
    </message>
    <message>
        <source>Bezel</source>
        <translation>Bezel</translation>
    </message>
    <message>
        <source>Bezel Setting</source>
        <translation>Bezel Setting</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Software:</translation>
    </message>
    <message>
        <source>Windows snap to the coarsest grid</source>
        <translation>Windows snap to the coarsest grid</translation>
    </message>
    <message>
        <source>Windows snap to a finer grid</source>
        <translation>Windows snap to a finer grid</translation>
    </message>
    <message>
        <source>Windows snap to each screen</source>
        <translation>Windows snap to each screen</translation>
    </message>
    <message>
        <source>Enlarge the wall (Ctrl + wheel)</source>
        <translation>Enlarge the wall (Ctrl + wheel)</translation>
    </message>
    <message>
        <source>Shrink the wall (Ctrl + wheel)</source>
        <translation>Shrink the wall (Ctrl + wheel)</translation>
    </message>
    <message>
        <source>Take the device&apos;s address from a DHCP server</source>
        <translation>Take the device&apos;s address from a DHCP server</translation>
    </message>
    <message>
        <source>Start without asking for a user and password</source>
        <translation>Start without asking for a user and password</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>Protocol console</source>
        <translation>Protocol console</translation>
    </message>
</context>
<context>
    <name>WidgetSplicingSetting</name>
    <message>
        <source>Splicing Settings</source>
        <translation>Splicing Settings</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Layout &amp; Splicing of Real Screens</source>
        <translation>Layout &amp; Splicing of Real Screens</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>No Input</source>
        <translation>No Input</translation>
    </message>
    <message>
        <source>Colour shown on the wall where an input is missing</source>
        <translation>Colour shown on the wall where an input is missing</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>Select Color</translation>
    </message>
</context>
</TS>
