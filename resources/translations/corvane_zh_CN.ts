<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ActivityPage</name>
    <message>
        <source>video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>infrared</source>
        <translation>红外</translation>
    </message>
    <message>
        <source>plan</source>
        <translation>预案</translation>
    </message>
    <message>
        <source>splice</source>
        <translation>拼接</translation>
    </message>
    <message>
        <source>setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>类别</translation>
    </message>
    <message>
        <source>Who</source>
        <translation>操作者</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>时间段</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>To</source>
        <translation>到</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Last hour</source>
        <translation>最近一小时</translation>
    </message>
    <message>
        <source>Last 24 hours</source>
        <translation>最近 24 小时</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>最近 7 天</translation>
    </message>
    <message>
        <source>Last 30 days</source>
        <translation>最近 30 天</translation>
    </message>
    <message>
        <source>Between…</source>
        <translation>自定义…</translation>
    </message>
    <message>
        <source>Anyone</source>
        <translation>任何人</translation>
    </message>
    <message>
        <source>Other clients only</source>
        <translation>仅其他客户端</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>导出 CSV…</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>更改</translation>
    </message>
    <message>
        <source>another client</source>
        <translation>其他客户端</translation>
    </message>
    <message>
        <source>The activity log cannot be read:
%1</source>
        <translation>无法读取操作日志：
%1</translation>
    </message>
    <message>
        <source>The newest %1 changes are shown; narrow the filters or export them all.</source>
        <translation>只显示最新的 %1 条更改；请缩小筛选范围，或全部导出。</translation>
    </message>
    <message>
        <source>%1 changes</source>
        <translation>%1 条更改</translation>
    </message>
    <message>
        <source>Export the activity log</source>
        <translation>导出操作日志</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The activity log could not be exported:
%1</source>
        <translation>无法导出操作日志：
%1</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>已导出到 %1</translation>
    </message>
</context>
<context>
    <name>AppSettings</name>
    <message>
        <source>Input %1</source>
        <translation>输入 %1</translation>
    </message>
    <message>
        <source>Audio %1</source>
        <translation>音频 %1</translation>
    </message>
    <message>
        <source>Output %1</source>
        <translation>输出 %1</translation>
    </message>
</context>
<context>
    <name>CDlgScalingmode</name>
    <message>
        <source>缩放模式</source>
        <translation>缩放模式</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source> Squeeze into Frame (distortion)</source>
        <translation>拉伸全屏（变形）</translation>
    </message>
    <message>
        <source>     Correct aspect ratio (no crop)</source>
        <translation>保持比例（不裁剪）</translation>
    </message>
    <message>
        <source>  Correct aspect ratio (with crop)</source>
        <translation>保持比例（裁剪）</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>CDlgnosignaloutput</name>
    <message>
        <source>无信号输出</source>
        <translation>无信号输出</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>RGB stripe</source>
        <translation>RGB彩条</translation>
    </message>
    <message>
        <source>16 Gray Scales</source>
        <translation>16级灰阶</translation>
    </message>
    <message>
        <source>32 Gray Scales</source>
        <translation>32级灰阶</translation>
    </message>
    <message>
        <source>64 Gray Scales</source>
        <translation>64级灰阶</translation>
    </message>
    <message>
        <source>Red Grid</source>
        <translation>红色网格</translation>
    </message>
    <message>
        <source>Green Grid</source>
        <translation>绿色网格</translation>
    </message>
    <message>
        <source>Blue Grid</source>
        <translation>蓝色网格</translation>
    </message>
    <message>
        <source>White Grid</source>
        <translation>白色网格</translation>
    </message>
    <message>
        <source>Horizon Scroll</source>
        <translation>水平滚动条</translation>
    </message>
    <message>
        <source>Vertical Scroll</source>
        <translation>垂直滚动条</translation>
    </message>
    <message>
        <source>Pure Color</source>
        <translation>纯色</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>选择颜色</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>CheckPushButton</name>
    <message>
        <source>Single picture</source>
        <translation>单画面</translation>
    </message>
    <message>
        <source>Four equal windows</source>
        <translation>四等分画面</translation>
    </message>
    <message>
        <source>Nine equal windows</source>
        <translation>九等分画面</translation>
    </message>
    <message>
        <source>One large and seven small windows</source>
        <translation>一大七小画面</translation>
    </message>
    <message>
        <source>One large and four small windows</source>
        <translation>一大四小画面</translation>
    </message>
    <message>
        <source>One large and three small windows</source>
        <translation>一大三小画面</translation>
    </message>
    <message>
        <source>Picture in picture</source>
        <translation>画中画</translation>
    </message>
</context>
<context>
    <name>ConsoleModel</name>
    <message>
        <source>Not sent, the link is down: %1</source>
        <translation>未发送，连接已断开：%1</translation>
    </message>
    <message>
        <source>Link up: %1</source>
        <translation>连接已建立：%1</translation>
    </message>
    <message>
        <source>Link down: %1</source>
        <translation>连接已断开：%1</translation>
    </message>
    <message>
        <source> ... (%1 bytes in all)</source>
        <translation> ...（共 %1 字节）</translation>
    </message>
    <message>
        <source>Reports not kept: %1</source>
        <translation>未保留的报告：%1</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>接收</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>提示</translation>
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
        <source>Text</source>
        <translation>内容</translation>
    </message>
</context>
<context>
    <name>DialogBezel</name>
    <message>
        <source>Bezel Pixel Setting</source>
        <translation>边框像素设置</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Column 1 &amp; 2</source>
        <translation>第 1、2 列</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Row 1 &amp; 2</source>
        <translation>第 1、2 行</translation>
    </message>
    <message>
        <source>Column 2 &amp; 3</source>
        <translation>第 2、3 列</translation>
    </message>
    <message>
        <source>Row 2 &amp; 3</source>
        <translation>第 2、3 行</translation>
    </message>
    <message>
        <source>Column 3 &amp; 4</source>
        <translation>第 3、4 列</translation>
    </message>
    <message>
        <source>Row 3 &amp; 4</source>
        <translation>第 3、4 行</translation>
    </message>
    <message>
        <source>Column 4 &amp; 5</source>
        <translation>第 4、5 列</translation>
    </message>
    <message>
        <source>Row 4 &amp; 5</source>
        <translation>第 4、5 行</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>DialogConfirm</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>DialogConfirm3Btn</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
</context>
<context>
    <name>DialogWindowProperty</name>
    <message>
        <source>Window Property</source>
        <translation>窗口属性</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Window Information</source>
        <translation>窗口信息</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>图层</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Window Position</source>
        <translation>窗口位置</translation>
    </message>
    <message>
        <source>Window Size</source>
        <translation>窗口大小</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The device is not connected: nothing was sent</source>
        <translation>设备未连接：命令未发送</translation>
    </message>
</context>
<context>
    <name>EdidSettingDilog</name>
    <message>
        <source>EDID输入</source>
        <translation>EDID输入</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>内置EDID选择</source>
        <translation>内置EDID选择</translation>
    </message>
    <message>
        <source>EDID选择</source>
        <translation>EDID选择</translation>
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
        <translation>应用</translation>
    </message>
    <message>
        <source>复制EDID</source>
        <translation>复制EDID</translation>
    </message>
    <message>
        <source>读取输出到输入</source>
        <translation>读取输出到输入</translation>
    </message>
    <message>
        <source>更新EDID</source>
        <translation>更新EDID</translation>
    </message>
    <message>
        <source>EDID文件路径</source>
        <translation>EDID文件路径</translation>
    </message>
    <message>
        <source>Browser</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>上传</translation>
    </message>
    <message>
        <source>4K@60Recommend1080P@60</source>
        <translation>4K@60（推荐1080P@60）</translation>
    </message>
    <message>
        <source>请选择更新文件</source>
        <translation>请选择更新文件</translation>
    </message>
    <message>
        <source>支持文件 (*.bin);; 所有文件(*.*);;</source>
        <translation>支持文件 (*.bin);; 所有文件(*.*);;</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>File is empty</source>
        <translation>文件为空！</translation>
    </message>
    <message>
        <source>NetWork Error</source>
        <translation>网络错误</translation>
    </message>
    <message>
        <source>传输文件端口连接发生错误！</source>
        <translation>传输文件端口连接发生错误！</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Uploading Finished</source>
        <translation>上传完成</translation>
    </message>
</context>
<context>
    <name>GraphicsTestDialog</name>
    <message>
        <source>图形测试模式</source>
        <translation>图形测试模式</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Graphic Test</source>
        <translation>图形测试</translation>
    </message>
    <message>
        <source>By pass</source>
        <translation>直通</translation>
    </message>
    <message>
        <source>RGB stripe</source>
        <translation>RGB彩条</translation>
    </message>
    <message>
        <source>16 Gray Scales</source>
        <translation>16级灰阶</translation>
    </message>
    <message>
        <source>32 Gray Scales</source>
        <translation>32级灰阶</translation>
    </message>
    <message>
        <source>64 Gray Scales</source>
        <translation>64级灰阶</translation>
    </message>
    <message>
        <source>Red Grid</source>
        <translation>红色网格</translation>
    </message>
    <message>
        <source>Green Grid</source>
        <translation>绿色网格</translation>
    </message>
    <message>
        <source>Blue Grid</source>
        <translation>蓝色网格</translation>
    </message>
    <message>
        <source>White Grid</source>
        <translation>白色网格</translation>
    </message>
    <message>
        <source>Horizon Scroll</source>
        <translation>水平滚动条</translation>
    </message>
    <message>
        <source>Vertical Scroll</source>
        <translation>垂直滚动条</translation>
    </message>
    <message>
        <source>Pure Color</source>
        <translation>纯色</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>颜色</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
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
        <translation>缩放到所占屏幕</translation>
    </message>
    <message>
        <source>Zoom to Maximum</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>还原</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Input: </source>
        <translation>输入: </translation>
    </message>
    <message>
        <source>Layer: </source>
        <translation>图层: </translation>
    </message>
    <message>
        <source>Position:</source>
        <translation>位置:</translation>
    </message>
    <message>
        <source>Size: </source>
        <translation>尺寸: </translation>
    </message>
</context>
<context>
    <name>LoginDialog</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>LOGIN</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>PassWord</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Remember Password</source>
        <translation>记住密码</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Show or hide the password</source>
        <translation>显示或隐藏密码</translation>
    </message>
    <message>
        <source>UserName</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>connect fail!</source>
        <translation>连接失败！</translation>
    </message>
    <message>
        <source>connect successful but software error!</source>
        <translation>连接成功，但软件发生未知错误！</translation>
    </message>
    <message>
        <source>username or password error!</source>
        <translation>用户名或密码错误！</translation>
    </message>
    <message>
        <source>系列视频切换软件</source>
        <translation>系列视频切换软件</translation>
    </message>
    <message>
        <source>Nobody can log in: the user list cannot be read from the project database.
%1</source>
        <translation>无法登录：无法从项目数据库读取用户列表。
%1</translation>
    </message>
    <message>
        <source>The password choice could not be saved:
%1</source>
        <translation>无法保存记住密码的设置：
%1</translation>
    </message>
    <message>
        <source>The user list cannot be read!</source>
        <translation>无法读取用户列表！</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>LoginSettingDialog</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Device IP:</source>
        <translation>设备IP：</translation>
    </message>
    <message>
        <source>OFFLINE:</source>
        <translation>离线型号：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
</context>
<context>
    <name>MessageDistance</name>
    <message>
        <source>NetWork Error</source>
        <translation>网络错误</translation>
    </message>
    <message>
        <source>传输文件端口连接发生错误！</source>
        <translation>传输文件端口连接发生错误！</translation>
    </message>
    <message>
        <source>文件“%1”未能传到设备（%2），请重新上传。</source>
        <translation>文件“%1”未能传到设备（%2），请重新上传。</translation>
    </message>
    <message>
        <source>与设备的控制连接已断开</source>
        <translation>与设备的控制连接已断开</translation>
    </message>
    <message>
        <source>传输连接已断开</source>
        <translation>传输连接已断开</translation>
    </message>
    <message>
        <source>设备没有确认文件</source>
        <translation>设备没有确认文件</translation>
    </message>
    <message>
        <source>设备没有应答</source>
        <translation>设备没有应答</translation>
    </message>
</context>
<context>
    <name>MsgDlg</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>OutputWidget0409</name>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Not allowed to add more windows</source>
        <translation>不允许添加更多窗口</translation>
    </message>
    <message>
        <source>Unable to assign ID to input window</source>
        <translation>无法为输入窗口分配ID</translation>
    </message>
    <message>
        <source>Close All Windows</source>
        <translation>关闭所有窗口</translation>
    </message>
    <message>
        <source>Confirm to close all windows</source>
        <translation>确认关闭所有窗口</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Layer Up</source>
        <translation>上移一层</translation>
    </message>
    <message>
        <source>Layer Down</source>
        <translation>下移一层</translation>
    </message>
    <message>
        <source>Layer to Top</source>
        <translation>置于顶层</translation>
    </message>
    <message>
        <source>Layer to Bottom</source>
        <translation>置于底层</translation>
    </message>
    <message>
        <source>Zoom to a Single Screen</source>
        <translation>缩放到单个屏幕</translation>
    </message>
    <message>
        <source>Zoom to the Occupied Screens</source>
        <translation>缩放到所占屏幕</translation>
    </message>
    <message>
        <source>Zoom to Maximum</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>属性</translation>
    </message>
    <message>
        <source>Timeout for Reading The last Window status!</source>
        <translation>读取最新窗口状态超时！</translation>
    </message>
</context>
<context>
    <name>PermissionDialog</name>
    <message>
        <source>Permission Management</source>
        <translation>权限管理</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Splicing
Setting</source>
        <translation>拼接
设置</translation>
    </message>
    <message>
        <source>Splicing
Wall</source>
        <translation>拼接
墙</translation>
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
        <translation>音量</translation>
    </message>
    <message>
        <source>HDCP</source>
        <translation>HDCP</translation>
    </message>
    <message>
        <source>Splice</source>
        <translation>拼接</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>No Signal
Output</source>
        <translation>无信号
输出</translation>
    </message>
    <message>
        <source>Scaling
Mode</source>
        <translation>缩放
模式</translation>
    </message>
    <message>
        <source>Switch
Layout</source>
        <translation>切换
布局</translation>
    </message>
    <message>
        <source>Plan
Operation</source>
        <translation>预案
操作</translation>
    </message>
    <message>
        <source>No Signal
Input</source>
        <translation>无信号
输入</translation>
    </message>
    <message>
        <source>Graphics
Test</source>
        <translation>图形
测试</translation>
    </message>
    <message>
        <source>NetWork</source>
        <translation>网络</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>字幕</translation>
    </message>
    <message>
        <source>User</source>
        <translation>用户</translation>
    </message>
    <message>
        <source>Bezel</source>
        <translation>拼缝补偿</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Login-Free
Option</source>
        <translation>免登录
选项</translation>
    </message>
    <message>
        <source>Version
Infomation</source>
        <translation>版本
信息</translation>
    </message>
    <message>
        <source>Video
Switch</source>
        <translation>视频
切换</translation>
    </message>
    <message>
        <source>Audio
Switch</source>
        <translation>音频
切换</translation>
    </message>
    <message>
        <source>HDMI Audio
Switch</source>
        <translation>HDMI 音频
切换</translation>
    </message>
    <message>
        <source>Infared
Switch</source>
        <translation>红外
切换</translation>
    </message>
    <message>
        <source>Close/Open
Output</source>
        <translation>关闭/打开
输出</translation>
    </message>
    <message>
        <source>Pause/Play
Output</source>
        <translation>暂停/播放
输出</translation>
    </message>
    <message>
        <source>%1  User: %2</source>
        <translation>%1  用户：%2</translation>
    </message>
    <message>
        <source>Setting Page</source>
        <translation>设置页面</translation>
    </message>
    <message>
        <source>All (Setting Page)</source>
        <translation>全选（设置页面）</translation>
    </message>
    <message>
        <source>Matrix Signal Switch</source>
        <translation>矩阵信号切换</translation>
    </message>
    <message>
        <source>All (Matrix Signal Switch)</source>
        <translation>全选（矩阵信号切换）</translation>
    </message>
    <message>
        <source>Matrix Entry Menu</source>
        <translation>矩阵菜单</translation>
    </message>
    <message>
        <source>All (Matrix Menu)</source>
        <translation>全选（矩阵菜单）</translation>
    </message>
    <message>
        <source>Signal Entry Menu</source>
        <translation>信号菜单</translation>
    </message>
    <message>
        <source>All (Signal Menu)</source>
        <translation>全选（信号菜单）</translation>
    </message>
    <message>
        <source>HDMI Input Port</source>
        <translation>HDMI 输入端口</translation>
    </message>
    <message>
        <source>All (HDMI Input)</source>
        <translation>全选（HDMI 输入）</translation>
    </message>
    <message>
        <source>Input %1</source>
        <translation>输入 %1</translation>
    </message>
    <message>
        <source>HDMI Output Port</source>
        <translation>HDMI 输出端口</translation>
    </message>
    <message>
        <source>All (HDMI Output)</source>
        <translation>全选（HDMI 输出）</translation>
    </message>
    <message>
        <source>Output %1</source>
        <translation>输出 %1</translation>
    </message>
    <message>
        <source>Audio Signal Port</source>
        <translation>音频信号端口</translation>
    </message>
    <message>
        <source>All (Audio Signal)</source>
        <translation>全选（音频信号）</translation>
    </message>
    <message>
        <source>Audio %1</source>
        <translation>音频 %1</translation>
    </message>
    <message>
        <source>Analog Audio Port</source>
        <translation>模拟音频端口</translation>
    </message>
    <message>
        <source>All (Analog Port)</source>
        <translation>全选（模拟端口）</translation>
    </message>
    <message>
        <source>Analog %1</source>
        <translation>模拟 %1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The permissions could not be saved!</source>
        <translation>权限保存失败！</translation>
    </message>
    <message>
        <source>Quit Permission Management</source>
        <translation>退出权限管理</translation>
    </message>
    <message>
        <source>Apply the latest changes?</source>
        <translation>是否应用最新的更改？</translation>
    </message>
</context>
<context>
    <name>PlanBars</name>
    <message>
        <source>Received</source>
        <translation>已接收</translation>
    </message>
    <message>
        <source>Not Received</source>
        <translation>未接收</translation>
    </message>
    <message>
        <source>Since logging in or since the last time you clicked refresh, the program needs to receive the following three types of information firstly to recall plan correctly: </source>
        <translation>自登录或上次点击刷新以来，程序需要先收到以下三类信息才能正确调用预案：</translation>
    </message>
    <message>
        <source>(1) Current Windows Property And VIR Mode: %1</source>
        <translation>(1) 当前窗口属性和 VIR 模式：%1</translation>
    </message>
    <message>
        <source>(2) Current Reasolution: %1</source>
        <translation>(2) 当前分辨率：%1</translation>
    </message>
    <message>
        <source>(3) Current Rotate Degree: %1</source>
        <translation>(3) 当前旋转角度：%1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>ProjectDatabase</name>
    <message>
        <source>not a file</source>
        <translation>不是文件</translation>
    </message>
</context>
<context>
    <name>ProtocolConsole</name>
    <message>
        <source>Refused, a command is {param=...} with no further braces: %1</source>
        <translation>已拒绝，命令格式须为 {param=...}，其中不能再有花括号：%1</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>筛选</translation>
    </message>
    <message>
        <source>Regex</source>
        <translation>正则表达式</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>导出...</translation>
    </message>
    <message>
        <source>{param=...}</source>
        <translation>{param=...} 命令</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>The reports cut from the selected received line</source>
        <translation>所选接收行中解析出的报告</translation>
    </message>
    <message>
        <source>Invalid expression: %1</source>
        <translation>表达式无效：%1</translation>
    </message>
    <message>
        <source>Export the protocol console</source>
        <translation>导出协议控制台</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>文本文件 (*.txt)</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>The console cannot be saved:
%1</source>
        <translation>无法保存控制台内容：
%1</translation>
    </message>
    <message>
        <source>Lines waiting: %1</source>
        <translation>等待显示的行：%1</translation>
    </message>
</context>
<context>
    <name>RenameDialog</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Enter a new name</source>
        <translation>请输入新名称</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
</context>
<context>
    <name>RouteHistory</name>
    <message>
        <source>plan %1</source>
        <translation>预案 %1</translation>
    </message>
    <message>
        <source>%1 routes</source>
        <translation>%1 条路由</translation>
    </message>
    <message>
        <source>input %1 → output %2</source>
        <translation>输入 %1 → 输出 %2</translation>
    </message>
    <message>
        <source>audio input %1 → output %2</source>
        <translation>音频输入 %1 → 输出 %2</translation>
    </message>
    <message>
        <source>infrared input %1 → output %2</source>
        <translation>红外输入 %1 → 输出 %2</translation>
    </message>
    <message>
        <source>clear output %1</source>
        <translation>清除输出 %1</translation>
    </message>
    <message>
        <source>clear audio output %1</source>
        <translation>清除音频输出 %1</translation>
    </message>
    <message>
        <source>clear infrared output %1</source>
        <translation>清除红外输出 %1</translation>
    </message>
    <message>
        <source>Undo: %1</source>
        <translation>撤销：%1</translation>
    </message>
    <message>
        <source>Redo: %1</source>
        <translation>重做：%1</translation>
    </message>
    <message>
        <source>splice outputs %1</source>
        <translation>拼接输出 %1</translation>
    </message>
    <message>
        <source>unsplice outputs %1</source>
        <translation>取消拼接输出 %1</translation>
    </message>
</context>
<context>
    <name>RoutingPage</name>
    <message>
        <source>Nothing to undo</source>
        <translation>没有可撤销的操作</translation>
    </message>
    <message>
        <source>Nothing to redo</source>
        <translation>没有可重做的操作</translation>
    </message>
    <message>
        <source>Take mode</source>
        <translation>预选模式</translation>
    </message>
    <message>
        <source>Drop the %1 staged routes without sending them?</source>
        <translation>放弃 %1 条待发送的路由，不发送？</translation>
    </message>
    <message>
        <source>Take</source>
        <translation>执行</translation>
    </message>
    <message>
        <source>Another operator has changed %1 of the staged outputs since they were staged.
Yes: send those routes too.
No: send the others and drop those.</source>
        <translation>暂存后，另一位操作员已更改了其中 %1 个输出。
是：这些路由也发送。
否：只发送其余路由，放弃这些。</translation>
    </message>
    <message>
        <source>%1 staged, %2 changed by another operator</source>
        <translation>%1 条待执行，%2 条已被他人更改</translation>
    </message>
    <message>
        <source>%1 staged</source>
        <translation>%1 条待执行</translation>
    </message>
    <message>
        <source>Drops wait here for Take</source>
        <translation>拖放的路由在此等待执行</translation>
    </message>
    <message>
        <source>Changed by another client at %1: %2</source>
        <translation>其他客户端于 %1 更改：%2</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Network Changed</source>
        <translation>网络已更改</translation>
    </message>
    <message>
        <source>The network has changed, please reboot the device immediately</source>
        <translation>网络已更改，请立即重启设备</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>Restore the device at %1 to its factory settings?

Every route, saved plan, port setting and caption on the device is lost, and its network settings return to the factory address, so the device may no longer be reached at %1.</source>
        <translation>确定将 %1 的设备恢复为出厂设置吗？

设备上的所有切换、已保存的预案、端口设置和字幕都将丢失，网络设置也会恢复为出厂地址，之后可能无法再通过 %1 访问该设备。</translation>
    </message>
</context>
<context>
    <name>StartupCheck</name>
    <message>
        <source>%1 can be read by other users and could not be restricted to its owner: %2</source>
        <translation>%1 可被其他用户读取，且无法限制为仅所有者可访问：%2</translation>
    </message>
    <message>
        <source>Project database</source>
        <translation>项目数据库</translation>
    </message>
    <message>
        <source>The project database cannot be used, so nobody can log in:
%1
Nothing was changed in it. Restore it from a backup or move it away, then start again.</source>
        <translation>项目数据库无法使用，因此无法登录：
%1
文件未作任何修改。请从备份恢复或将其移走，然后重新启动。</translation>
    </message>
    <message>
        <source>The project database is read-only:
%1
You can log in and work, but changes that would be stored in it are refused.</source>
        <translation>项目数据库为只读：
%1
可以登录和操作，但需要保存到数据库的更改将被拒绝。</translation>
    </message>
</context>
<context>
    <name>TableItemWidget</name>
    <message>
        <source>Picture paused: click to play</source>
        <translation>画面已暂停：点击播放</translation>
    </message>
    <message>
        <source>Picture playing: click to pause</source>
        <translation>画面播放中：点击暂停</translation>
    </message>
    <message>
        <source>Picture off: click to turn it on</source>
        <translation>画面已关闭：点击打开</translation>
    </message>
    <message>
        <source>Picture on: click to turn it off</source>
        <translation>画面已打开：点击关闭</translation>
    </message>
    <message>
        <source>Display connected</source>
        <translation>显示设备已连接</translation>
    </message>
    <message>
        <source>No display connected</source>
        <translation>未连接显示设备</translation>
    </message>
</context>
<context>
    <name>TableWidget</name>
    <message>
        <source>nothing</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Stale: %1</source>
        <translation>已过期：%1</translation>
    </message>
    <message>
        <source>Take: %1</source>
        <translation>待执行：%1</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>%4MatrixControl  User:%3  Ip:%1  Port:%2 disconnected</source>
        <translation>%4矩阵控制  用户:%3  IP:%1  端口:%2 已断开</translation>
    </message>
    <message>
        <source>%4MatrixControl  User:%3  Ip:%1  Port:%2 connected</source>
        <translation>%4矩阵控制  用户:%3  IP:%1  端口:%2 已连接</translation>
    </message>
    <message>
        <source>%4MatrixControl  User:%3   Ip:%1  Port:%2  connected</source>
        <translation>%4矩阵控制  用户:%3   IP:%1  端口:%2  已连接</translation>
    </message>
    <message>
        <source>%4MatrixControl  User:%3  Ip:%1  Port:%2 connecting</source>
        <translation>%4矩阵控制  用户:%3  IP:%1  端口:%2 正在连接</translation>
    </message>
    <message>
        <source>The device is not connected: nothing was sent</source>
        <translation>设备未连接：命令未发送</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>还原</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
</context>
<context>
    <name>TitleOrOsdDialog</name>
    <message>
        <source>Caption Setting</source>
        <translation>字幕设置</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>背景</translation>
    </message>
    <message>
        <source>Font Color</source>
        <translation>字体颜色</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>背景颜色</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>滚动方向</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>向左</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>向右</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>内容</translation>
    </message>
    <message>
        <source>Text to show</source>
        <translation>要显示的文字</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>字体</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>粗体</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>下划线</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>输出</translation>
    </message>
    <message>
        <source>Upload Text</source>
        <translation>上传文字</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>图片</translation>
    </message>
    <message>
        <source>Picture File</source>
        <translation>图片文件</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>Upload Picture</source>
        <translation>上传图片</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>OSD Setting</source>
        <translation>台标设置</translation>
    </message>
    <message>
        <source>Out%1</source>
        <translation>输出%1</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>选择颜色</translation>
    </message>
    <message>
        <source>Select Picture</source>
        <translation>选择图片</translation>
    </message>
    <message>
        <source>Pictures (*.bmp *.png *.jpg *.jpeg *.gif);;All files (*.*)</source>
        <translation>图片 (*.bmp *.png *.jpg *.jpeg *.gif);;所有文件 (*.*)</translation>
    </message>
    <message>
        <source>error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>File is empty</source>
        <translation>文件为空！</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>台标字幕文件大小不能超过4K!</source>
        <translation>台标字幕文件大小不能超过4K!</translation>
    </message>
    <message>
        <source>NetWork Error</source>
        <translation>网络错误</translation>
    </message>
    <message>
        <source>传输文件端口连接发生错误！</source>
        <translation>传输文件端口连接发生错误！</translation>
    </message>
    <message>
        <source>Uploading Finished</source>
        <translation>上传完成</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The text could not be saved for next time:
%1</source>
        <translation>文字未能保存，下次打开时不会恢复：
%1</translation>
    </message>
    <message>
        <source>Enter the text to show before uploading it.</source>
        <translation>请先输入要显示的文字，再上传。</translation>
    </message>
</context>
<context>
    <name>UploadErrorDialogs</name>
    <message>
        <source>文件还在上传中，停止上传并关闭吗？</source>
        <translation>文件还在上传中，停止上传并关闭吗？</translation>
    </message>
</context>
<context>
    <name>Usermanagerdialog</name>
    <message>
        <source>User Management</source>
        <translation>用户管理</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Userlist</source>
        <translation>用户列表</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>编号</translation>
    </message>
    <message>
        <source>UserName</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>New PassWord</source>
        <translation>新密码</translation>
    </message>
    <message>
        <source>Confirm New Password</source>
        <translation>确认新密码</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Permissions Management</source>
        <translation>权限管理</translation>
    </message>
    <message>
        <source>password empty!</source>
        <translation>密码不能为空！</translation>
    </message>
    <message>
        <source>two password not equation!</source>
        <translation>两次输入的密码不一致！</translation>
    </message>
    <message>
        <source>user have exsits!</source>
        <translation>该用户已存在！</translation>
    </message>
    <message>
        <source>username empty!</source>
        <translation>用户名不能为空！</translation>
    </message>
    <message>
        <source>The user could not be added.</source>
        <translation>无法添加该用户。</translation>
    </message>
    <message>
        <source>The user could not be changed.</source>
        <translation>无法修改该用户。</translation>
    </message>
    <message>
        <source>The user could not be deleted.</source>
        <translation>无法删除该用户。</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>user name cannot hold / or \ or begin or end with a blank!</source>
        <translation>用户名不能包含 / 或 \，也不能以空格开头或结尾！</translation>
    </message>
</context>
<context>
    <name>VolumnSettingDialog</name>
    <message>
        <source>Volumn Setting</source>
        <translation>音量设置</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>Widget</name>
    <message>
        <source>MATRIX CONTROL</source>
        <translation>矩阵控制</translation>
    </message>
    <message>
        <source>CVN</source>
        <translation>CVN</translation>
    </message>
    <message>
        <source>connecting</source>
        <translation>正在连接</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Signal list</source>
        <translation>信号列表</translation>
    </message>
    <message>
        <source>refrensh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <source>Splice Group</source>
        <translation>拼接组</translation>
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
        <translation>预案</translation>
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
        <translation>拼接</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>音频</translation>
    </message>
    <message>
        <source>Infared</source>
        <translation>红外</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Splice</source>
        <translation>拼接</translation>
    </message>
    <message>
        <source>Multiview</source>
        <translation>多画面</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The current operation involves one or more ports that the current user does not have permission to use.</source>
        <translation>当前操作涉及当前用户无权使用的一个或多个端口。</translation>
    </message>
    <message>
        <source>The change could not be saved:
%1</source>
        <translation>更改未能保存：
%1</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>最大化</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Take mode</source>
        <translation>预选模式</translation>
    </message>
    <message>
        <source>Drops wait until Take (Enter) sends them or Cancel (Esc) drops them</source>
        <translation>拖放的路由等待“执行”（回车）发送，或“取消”（Esc）放弃</translation>
    </message>
    <message>
        <source>Take</source>
        <translation>执行</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Activity</source>
        <translation>操作日志</translation>
    </message>
    <message>
        <source>The activity log cannot be saved:
%1</source>
        <translation>无法保存操作日志：
%1</translation>
    </message>
</context>
<context>
    <name>WidgetDialogs</name>
    <message>
        <source>OSD Setting</source>
        <translation>台标设置</translation>
    </message>
    <message>
        <source>OutPut Graphics test</source>
        <translation>输出图形测试</translation>
    </message>
    <message>
        <source>Input Graphics test</source>
        <translation>输入图形测试</translation>
    </message>
    <message>
        <source>[Input%1]</source>
        <translation>[输入%1]</translation>
    </message>
</context>
<context>
    <name>WidgetMenus</name>
    <message>
        <source>Unsplice</source>
        <translation>取消拼接</translation>
    </message>
    <message>
        <source>Splice</source>
        <translation>拼接</translation>
    </message>
    <message>
        <source>Rename(F2)</source>
        <translation>重命名(F2)</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>No Signal Input</source>
        <translation>无信号输入</translation>
    </message>
    <message>
        <source>No Standby</source>
        <translation>不待机</translation>
    </message>
    <message>
        <source>Standby</source>
        <translation>待机</translation>
    </message>
    <message>
        <source>Switch Layout</source>
        <translation>切换布局</translation>
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
        <translation>数字音频</translation>
    </message>
    <message>
        <source>模拟音频</source>
        <translation>模拟音频</translation>
    </message>
    <message>
        <source>No Input</source>
        <translation>无输入</translation>
    </message>
    <message>
        <source>HDCP Setting</source>
        <translation>HDCP 设置</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Not Support</source>
        <translation>不支持</translation>
    </message>
    <message>
        <source>HDCP 1.4 Only</source>
        <translation>仅 HDCP 1.4</translation>
    </message>
    <message>
        <source>HDCP 2.2 Only</source>
        <translation>仅 HDCP 2.2</translation>
    </message>
    <message>
        <source>Recall Plan %1</source>
        <translation>调用预案 %1</translation>
    </message>
    <message>
        <source>Save Plan %1</source>
        <translation>保存预案 %1</translation>
    </message>
    <message>
        <source>Clear Plan %1</source>
        <translation>清除预案 %1</translation>
    </message>
    <message>
        <source>Rename Plan %1</source>
        <translation>重命名预案 %1</translation>
    </message>
    <message>
        <source>无信号输出</source>
        <translation>无信号输出</translation>
    </message>
    <message>
        <source>缩放模式</source>
        <translation>缩放模式</translation>
    </message>
    <message>
        <source>Graphics Test</source>
        <translation>图形测试</translation>
    </message>
    <message>
        <source>GraphicsTest</source>
        <translation>图形测试</translation>
    </message>
    <message>
        <source>OSD Setting</source>
        <translation>台标设置</translation>
    </message>
    <message>
        <source>Edid</source>
        <translation>EDID设置</translation>
    </message>
    <message>
        <source>Volume Setting</source>
        <translation>音量设置</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
</context>
<context>
    <name>WidgetPages</name>
    <message>
        <source>Caption</source>
        <translation>字幕</translation>
    </message>
    <message>
        <source>Splicing Settings</source>
        <translation>拼接设置</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Lock All</source>
        <translation>全部锁定</translation>
    </message>
    <message>
        <source>Close All</source>
        <translation>全部关闭</translation>
    </message>
    <message>
        <source>Plan</source>
        <translation>预案</translation>
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
        <translation>模拟音频</translation>
    </message>
    <message>
        <source>HDMI Audio</source>
        <translation>HDMI 音频</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>网络</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>Subnet Mask</source>
        <translation>子网掩码</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC 地址</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>Other Settings</source>
        <translation>其他设置</translation>
    </message>
    <message>
        <source>Caption Setting</source>
        <translation>字幕设置</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
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
        <translation>免登录</translation>
    </message>
    <message>
        <source>User Management</source>
        <translation>用户管理</translation>
    </message>
    <message>
        <source>User Manage</source>
        <translation>用户管理</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>ReLogin</source>
        <translation>重新登录</translation>
    </message>
    <message>
        <source>Follow Video</source>
        <translation>跟随视频</translation>
    </message>
    <message>
        <source>Independently</source>
        <translation>独立切换</translation>
    </message>
    <message>
        <source>Bezel</source>
        <translation>边框补偿</translation>
    </message>
    <message>
        <source>Bezel Setting</source>
        <translation>边框补偿设置</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>软件版本：</translation>
    </message>
    <message>
        <source>Windows snap to the coarsest grid</source>
        <translation>窗口吸附到最粗的网格</translation>
    </message>
    <message>
        <source>Windows snap to a finer grid</source>
        <translation>窗口吸附到更细的网格</translation>
    </message>
    <message>
        <source>Windows snap to each screen</source>
        <translation>窗口吸附到每块屏幕</translation>
    </message>
    <message>
        <source>Enlarge the wall (Ctrl + wheel)</source>
        <translation>放大拼接墙（Ctrl + 滚轮）</translation>
    </message>
    <message>
        <source>Shrink the wall (Ctrl + wheel)</source>
        <translation>缩小拼接墙（Ctrl + 滚轮）</translation>
    </message>
    <message>
        <source>Take the device&apos;s address from a DHCP server</source>
        <translation>设备从 DHCP 服务器获取地址</translation>
    </message>
    <message>
        <source>Start without asking for a user and password</source>
        <translation>启动时不询问用户名和密码</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>设备类型：</translation>
    </message>
    <message>
        <source>Protocol console</source>
        <translation>协议控制台</translation>
    </message>
</context>
<context>
    <name>WidgetSplicingSetting</name>
    <message>
        <source>Splicing Settings</source>
        <translation>拼接设置</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Layout &amp; Splicing of Real Screens</source>
        <translation>实际屏幕布局与拼接</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>布局</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>分辨率</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>旋转</translation>
    </message>
    <message>
        <source>No Input</source>
        <translation>无输入</translation>
    </message>
    <message>
        <source>Colour shown on the wall where an input is missing</source>
        <translation>输入缺失时拼接墙显示的颜色</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>选择颜色</translation>
    </message>
</context>
</TS>
