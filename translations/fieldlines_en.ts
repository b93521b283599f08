<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Caption</name>
    <message>
        <source>Q%1 (%2, %3)，%4 C</source>
        <translation>Q%1 (%2, %3), %4 C</translation>
    </message>
    <message>
        <source>单个点电荷：%1</source>
        <translation>One charge: %1</translation>
    </message>
    <message>
        <source>两个点电荷：%1；%2</source>
        <translation>Two charges: %1; %2</translation>
    </message>
    <message>
        <source>多个点电荷：%1</source>
        <translation>Several charges: %1</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
</context>
<context>
    <name>ChargeDialog</name>
    <message>
        <source>修改电荷 Q%1</source>
        <translation>Change charge Q%1</translation>
    </message>
    <message>
        <source>x 坐标：</source>
        <translation>x:</translation>
    </message>
    <message>
        <source>y 坐标：</source>
        <translation>y:</translation>
    </message>
    <message>
        <source>电荷量 (C)：</source>
        <translation>Amount (C):</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ChargeListDialog</name>
    <message>
        <source>电荷列表</source>
        <translation>Charges</translation>
    </message>
    <message>
        <source>x 坐标</source>
        <translation>x</translation>
    </message>
    <message>
        <source>y 坐标</source>
        <translation>y</translation>
    </message>
    <message>
        <source>电荷量 (C)</source>
        <translation>Amount (C)</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>窗口使用的平台插件：xcb、wayland、offscreen……</source>
        <translation>Platform plugin of the window: xcb, wayland, offscreen, ...</translation>
    </message>
    <message>
        <source>平台插件所在的文件夹。</source>
        <translation>Folder to load platform plugins from.</translation>
    </message>
    <message>
        <source>平台主题。</source>
        <translation>Platform theme.</translation>
    </message>
    <message>
        <source>再加载的插件，例如输入设备。</source>
        <translation>Further plugin to load, such as an input device.</translation>
    </message>
    <message>
        <source>窗口的位置和大小，格式为 WxH+X+Y。</source>
        <translation>Place and size of the window, as WxH+X+Y.</translation>
    </message>
    <message>
        <source>窗口的图标。</source>
        <translation>Icon of the window.</translation>
    </message>
    <message>
        <source>窗口的标题。</source>
        <translation>Title of the window.</translation>
    </message>
    <message>
        <source>窗口从右向左排列。</source>
        <translation>Lays the window out from right to left.</translation>
    </message>
    <message>
        <source>从会话恢复窗口。</source>
        <translation>Restores the window from a session.</translation>
    </message>
    <message>
        <source>打开窗口的 X 显示器，代替 $DISPLAY（X11）。</source>
        <translation>X display to open the window on, instead of $DISPLAY (X11).</translation>
    </message>
    <message>
        <source>同 -qwindowgeometry（X11）。</source>
        <translation>As -qwindowgeometry (X11).</translation>
    </message>
    <message>
        <source>同 -qwindowtitle（X11）。</source>
        <translation>As -qwindowtitle (X11).</translation>
    </message>
    <message>
        <source>同 -qwindowicon（X11）。</source>
        <translation>As -qwindowicon (X11).</translation>
    </message>
    <message>
        <source>窗口的资源名（X11）。</source>
        <translation>Resource name of the window (X11).</translation>
    </message>
    <message>
        <source>与 X 服务器同步通信，用于调试（X11）。</source>
        <translation>Talks to the X server synchronously, for debugging (X11).</translation>
    </message>
    <message>
        <source>从不独占鼠标和键盘（X11）。</source>
        <translation>Never grabs the mouse or the keyboard (X11).</translation>
    </message>
    <message>
        <source>在调试器中也独占鼠标和键盘（X11）。</source>
        <translation>Grabs them even under a debugger (X11).</translation>
    </message>
    <message>
        <source>控件的风格：fusion、windows……</source>
        <translation>Widget style: fusion, windows, ...</translation>
    </message>
    <message>
        <source>控件的样式表。</source>
        <translation>Style sheet of the widgets.</translation>
    </message>
    <message>
        <source>退出时报告还剩多少控件。</source>
        <translation>Prints how many widgets were left at exit.</translation>
    </message>
    <message>
        <source>Qt 的选项，用于窗口（一个或两个短横线均可）：</source>
        <translation>Qt options, for the window (with one dash or two):</translation>
    </message>
    <message>
        <source>电场线的描绘：画出点电荷的电场线。
不带 --output 时打开窗口，输入框按选项预先填好；
带 --output 时不开窗口，把一次“激&#x3000;发”的图画写入 FILE。</source>
        <translation>Electric Field Lines: draws the electric field lines of point charges.
Without --output it opens the window with the input boxes preset;
with --output it draws the picture of one excite into FILE, without a window.</translation>
    </message>
    <message>
        <source>用一种典型电荷分布填好输入框和模式：%1。--charge1、--charge2 和 --single 可以再作修改。</source>
        <translation>Fill the boxes and the mode with a classic configuration: %1. --charge1, --charge2 and --single change it further.</translation>
    </message>
    <message>
        <source>选择“单个点电荷”。</source>
        <translation>Select single-charge mode.</translation>
    </message>
    <message>
        <source>加画标有电势值的等势线。</source>
        <translation>Add the labelled equipotential lines.</translation>
    </message>
    <message>
        <source>标出场强为零的点。</source>
        <translation>Mark the points where the field vanishes.</translation>
    </message>
    <message>
        <source>电荷 1 的位置和电荷量（输入框 Text1–Text3）。</source>
        <translation>Position and amount of charge 1 (boxes Text1-Text3).</translation>
    </message>
    <message>
        <source>电荷 2 的位置和电荷量（输入框 Text4–Text6）。</source>
        <translation>Position and amount of charge 2 (boxes Text4-Text6).</translation>
    </message>
    <message>
        <source>不开窗口，画好后写入 FILE：%1。</source>
        <translation>Draw without a window and write FILE: %1.</translation>
    </message>
    <message>
        <source>%1 图片的像素尺寸，每边 1 到 %2（默认 %3x%4）。</source>
        <translation>Size of a %1 picture in pixels, each side 1 to %2 (default %3x%4).</translation>
    </message>
    <message>
        <source>界面的语言：zh（中文）或 en（English）；默认跟随系统。</source>
        <translation>Language of the interface: zh (Chinese) or en (English); by default the system&apos;s.</translation>
    </message>
    <message>
        <source>多余的参数“%1”</source>
        <translation>unexpected argument &apos;%1&apos;</translation>
    </message>
    <message>
        <source>只能给一次</source>
        <translation>given more than once</translation>
    </message>
    <message>
        <source>不认识的语言“%1”（可用 zh 或 en）</source>
        <translation>unknown language &apos;%1&apos; (use zh or en)</translation>
    </message>
    <message>
        <source>没有叫“%1”的典型分布（可用：%2）</source>
        <translation>unknown preset &apos;%1&apos; (use one of %2)</translation>
    </message>
    <message>
        <source>只能和 --output 一起使用</source>
        <translation>applies only with --output</translation>
    </message>
    <message>
        <source>不认识“%1”的文件类型（可用 %2）</source>
        <translation>unknown file type &apos;%1&apos; (use %2)</translation>
    </message>
    <message>
        <source>只适用于 %1 文件</source>
        <translation>applies only to %1 files</translation>
    </message>
    <message>
        <source>应为 X,Y,Q，三个用逗号分开的数，而不是“%1”</source>
        <translation>expected X,Y,Q, three numbers separated by commas, got &apos;%1&apos;</translation>
    </message>
    <message>
        <source>“%1”不是一个数（在“%2”中）</source>
        <translation>&apos;%1&apos; is not a number (in &apos;%2&apos;)</translation>
    </message>
    <message>
        <source>应为 WxH，每边 1 到 %1 像素，而不是“%2”</source>
        <translation>expected WxH with each side 1 to %1 pixels, got &apos;%2&apos;</translation>
    </message>
    <message>
        <source>不能与 --charge1、--charge2 同用</source>
        <translation>cannot be used together with --charge1, --charge2</translation>
    </message>
    <message>
        <source>一个电荷的位置和电荷量，可以重复：给一次是单个点电荷，给两次是两个点电荷，三次以上（最多 32 次）是多个点电荷。不能与 --charge1、--charge2 同用。</source>
        <translation>Position and amount of one charge, repeatable: once is a single charge, twice two charges, three times or more (at most 32) several charges. Not together with --charge1, --charge2.</translation>
    </message>
    <message>
        <source>一个或两个点电荷也按电荷量画线（精确）。</source>
        <translation>Draws one or two charges with lines in proportion to charge too (accurate).</translation>
    </message>
    <message>
        <source>在 X,Y 处释放一个正的试探电荷，初速度为 VX,VY（默认静止），画出它的整条轨迹；可以重复，试探电荷最多 8 个。</source>
        <translation>Release a positive test charge at X,Y with the initial velocity VX,VY (at rest by default) and draw its whole path; repeatable, at most 8 test charges.</translation>
    </message>
    <message>
        <source>同 --particle，释放负的试探电荷。</source>
        <translation>As --particle, for a negative test charge.</translation>
    </message>
    <message>
        <source>加画经过每个释放点的电场线（虚线）。</source>
        <translation>Add the field line through each release point (dashed).</translation>
    </message>
    <message>
        <source>应为 X,Y 或 X,Y,VX,VY，而不是“%1”</source>
        <translation>expected X,Y or X,Y,VX,VY, got &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>电场线的描绘</source>
        <translation>Electric Field Lines</translation>
    </message>
    <message>
        <source>参数设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>单个点电荷</source>
        <translation>One charge</translation>
    </message>
    <message>
        <source>两个点电荷</source>
        <translation>Two charges</translation>
    </message>
    <message>
        <source>位置坐标：</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>电荷量：</source>
        <translation>Charge:</translation>
    </message>
    <message>
        <source>激&#x3000;发</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>关闭窗口</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>电荷1 x坐标</source>
        <translation>Charge 1 x</translation>
    </message>
    <message>
        <source>电荷1 y坐标</source>
        <translation>Charge 1 y</translation>
    </message>
    <message>
        <source>电荷1 电荷量</source>
        <translation>Charge 1 amount</translation>
    </message>
    <message>
        <source>电荷2 x坐标</source>
        <translation>Charge 2 x</translation>
    </message>
    <message>
        <source>电荷2 y坐标</source>
        <translation>Charge 2 y</translation>
    </message>
    <message>
        <source>电荷2 电荷量</source>
        <translation>Charge 2 amount</translation>
    </message>
    <message>
        <source>保存图片…</source>
        <translation>Save picture…</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>典型电荷分布</source>
        <translation>Classic configurations</translation>
    </message>
    <message>
        <source>电场线</source>
        <translation>field-lines</translation>
    </message>
    <message>
        <source>电场线的描绘</source>
        <comment>title above the picture</comment>
        <translation>Field Lines</translation>
    </message>
    <message>
        <source>按电荷量画线（精确）</source>
        <translation>Lines in proportion to charge (accurate)</translation>
    </message>
    <message>
        <source>添加正电荷</source>
        <translation>Add positive charge</translation>
    </message>
    <message>
        <source>添加负电荷</source>
        <translation>Add negative charge</translation>
    </message>
    <message>
        <source>删除此电荷</source>
        <translation>Delete this charge</translation>
    </message>
    <message>
        <source>修改此电荷…</source>
        <translation>Change this charge…</translation>
    </message>
    <message>
        <source>电荷列表…</source>
        <translation>List of charges…</translation>
    </message>
    <message>
        <source>释放试探电荷（正）</source>
        <translation>Release test charge (+)</translation>
    </message>
    <message>
        <source>释放试探电荷（负）</source>
        <translation>Release test charge (−)</translation>
    </message>
    <message>
        <source>显示出发点的电场线</source>
        <translation>Show the field line through the release point</translation>
    </message>
    <message>
        <source>清除轨迹</source>
        <translation>Clear paths</translation>
    </message>
</context>
<context>
    <name>Looks</name>
    <message>
        <source>投影模式</source>
        <translation>Projector mode</translation>
    </message>
    <message>
        <source>色盲友好配色</source>
        <translation>Colour-blind-safe colours</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>运行时错误</source>
        <translation>Run-time error</translation>
    </message>
    <message>
        <source>Q1必须在Q2的左边</source>
        <translation>Q1 must be to the left of Q2</translation>
    </message>
    <message>
        <source>输入的数值超出范围</source>
        <translation>The number entered is out of range</translation>
    </message>
    <message>
        <source>位置坐标超出范围：-45≤x≤45，-25≤y≤25</source>
        <translation>Position out of range: -45 ≤ x ≤ 45, -25 ≤ y ≤ 25</translation>
    </message>
    <message>
        <source>两个电荷不能在同一位置</source>
        <translation>The two charges cannot be at the same place</translation>
    </message>
    <message>
        <source>内存不足，无法完成绘图。已画出的部分保留。</source>
        <translation>Not enough memory to finish the drawing. What was drawn stays.</translation>
    </message>
    <message>
        <source>绘图时发生意外错误，已画出的部分保留。</source>
        <translation>An unexpected error stopped the drawing. What was drawn stays.</translation>
    </message>
    <message>
        <source>内存不足，无法完成绘图，没有写入文件。</source>
        <translation>Not enough memory to finish the drawing; no file was written.</translation>
    </message>
    <message>
        <source>绘图时发生意外错误，没有写入文件。</source>
        <translation>An unexpected error stopped the drawing; no file was written.</translation>
    </message>
    <message>
        <source>无法打开窗口：没有可用的显示器（请检查 DISPLAY）。不开窗口画图请用 --output FILE。</source>
        <translation>cannot open the window: no display is available (check DISPLAY). To draw without a window, use --output FILE.</translation>
    </message>
    <message>
        <source>保存图片</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>图片没有保存。</source>
        <translation>The picture was not saved.</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>无法打印：打印机没有准备好。</source>
        <translation>Cannot print: the printer is not ready.</translation>
    </message>
    <message>
        <source>只能保存为 PNG、SVG 或 PDF 文件。</source>
        <translation>Pictures are saved only as PNG, SVG or PDF files.</translation>
    </message>
    <message>
        <source>“%1”已存在。
要替换它吗？</source>
        <translation>“%1” already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>无法写入“%1”：%2</source>
        <translation>Cannot write “%1”: %2</translation>
    </message>
    <message>
        <source>磁盘已满。</source>
        <translation>the disk is full.</translation>
    </message>
    <message>
        <source>没有写入权限。</source>
        <translation>no permission to write.</translation>
    </message>
    <message>
        <source>文件夹不存在。</source>
        <translation>the folder does not exist.</translation>
    </message>
    <message>
        <source>磁盘是只读的。</source>
        <translation>the disk is read-only.</translation>
    </message>
    <message>
        <source>这是一个文件夹。</source>
        <translation>it is a folder.</translation>
    </message>
    <message>
        <source>这不是普通文件，也不是可以写入的设备。</source>
        <translation>it is neither a file nor a device that can be written to.</translation>
    </message>
    <message>
        <source>内存不足。</source>
        <translation>not enough memory.</translation>
    </message>
    <message>
        <source>文件超出了系统允许的大小。</source>
        <translation>the file is larger than the system allows.</translation>
    </message>
    <message>
        <source>文件名太长。</source>
        <translation>the file name is too long.</translation>
    </message>
    <message>
        <source>读写磁盘时出错。</source>
        <translation>the disk failed to read or write.</translation>
    </message>
    <message>
        <source>系统错误（错误号 %1）。</source>
        <translation>system error (errno %1).</translation>
    </message>
    <message>
        <source>只能写入 PNG、SVG、PDF 或 CSV 文件。</source>
        <translation>only PNG, SVG, PDF or CSV files can be written.</translation>
    </message>
    <message>
        <source>图片尺寸超出范围：每边应在 1 到 %1 像素之间。</source>
        <translation>the picture size is out of range: each side must be 1 to %1 pixels.</translation>
    </message>
    <message>
        <source>符号链接循环。</source>
        <translation>too many levels of symbolic links.</translation>
    </message>
    <message>
        <source>无法打开窗口：没有名为“%1”的平台插件（可用：%2）。</source>
        <translation>Cannot open the window: there is no platform plugin named “%1” (available: %2).</translation>
    </message>
    <message>
        <source>试探电荷不能放在点电荷上（距离至少为0.6）</source>
        <translation>A test charge cannot be placed on a point charge (at least 0.6 away)</translation>
    </message>
    <message>
        <source>试探电荷的位置超出范围：-45≤x≤45，-25≤y≤25</source>
        <translation>Test charge position out of range: -45 ≤ x ≤ 45, -25 ≤ y ≤ 25</translation>
    </message>
    <message>
        <source>试探电荷的速度不能超过100</source>
        <translation>The speed of a test charge cannot exceed 100</translation>
    </message>
    <message>
        <source>最多可以同时释放8个试探电荷</source>
        <translation>At most 8 test charges can be released at once</translation>
    </message>
    <message>
        <source>最多可以放32个点电荷</source>
        <translation>At most 32 charges can be placed</translation>
    </message>
</context>
<context>
    <name>Overlays</name>
    <message>
        <source>显示等势线</source>
        <translation>Show equipotential lines</translation>
    </message>
    <message>
        <source>显示场强为零的点</source>
        <translation>Show points of zero field</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>图片的菜单</source>
        <translation>Menu of the picture</translation>
    </message>
    <message>
        <source>保存为：</source>
        <translation>Save as:</translation>
    </message>
    <message>
        <source>修改电荷 Q%1</source>
        <translation>Change charge Q%1</translation>
    </message>
    <message>
        <source>电荷列表</source>
        <translation>List of charges</translation>
    </message>
    <message>
        <source>电荷</source>
        <translation>Charge</translation>
    </message>
    <message>
        <source>电荷量 (C)</source>
        <translation>Amount (C)</translation>
    </message>
    <message>
        <source>添加电荷</source>
        <translation>Add charge</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>删除电荷 Q%1</source>
        <translation>Delete charge Q%1</translation>
    </message>
    <message>
        <source>Q%1 的 %2</source>
        <translation>%2 of Q%1</translation>
    </message>
    <message>
        <source>%1。%2</source>
        <translation>%1. %2</translation>
    </message>
    <message>
        <source>还没有画图。</source>
        <translation>Nothing drawn yet.</translation>
    </message>
    <message>
        <source>已打开：%1。</source>
        <translation>Switched on: %1.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>已选中 Q%1，方向键移动它，Page Up 和 Page Down 选择别的电荷。</source>
        <translation>Q%1 selected: the arrow keys move it, Page Up and Page Down select another charge.</translation>
    </message>
    <message>
        <source>程序已结束。浏览器不允许网页关闭这个标签页，请自行关闭它；重新载入本页可以再次使用。</source>
        <translation>The program has ended. The browser does not let the page close this tab, so please close it yourself; reload the page to use it again.</translation>
    </message>
    <message>
        <source>链接中的参数 %1 无法识别，已忽略。</source>
        <translation>The parameters %1 of the link were not understood and are left out.</translation>
    </message>
    <message>
        <source>无法载入绘图程序：%1</source>
        <translation>Cannot load the drawing program: %1</translation>
    </message>
</context>
<context>
    <name>PictureBox</name>
    <message>
        <source>电场线图</source>
        <translation>Field-line picture</translation>
    </message>
</context>
<context>
    <name>PictureWriter</name>
    <message>
        <source>PNG 图片</source>
        <translation>PNG image</translation>
    </message>
    <message>
        <source>SVG 矢量图</source>
        <translation>SVG vector picture</translation>
    </message>
    <message>
        <source>PDF 文档</source>
        <translation>PDF document</translation>
    </message>
    <message>
        <source>CSV 表格</source>
        <translation>CSV table</translation>
    </message>
    <message>
        <source>电场线的描绘</source>
        <translation>Electric Field Lines</translation>
    </message>
</context>
<context>
    <name>Presets</name>
    <message>
        <source>等量异种电荷</source>
        <translation>Equal unlike charges</translation>
    </message>
    <message>
        <source>等量同种电荷</source>
        <translation>Equal like charges</translation>
    </message>
    <message>
        <source>等量负电荷</source>
        <translation>Equal negative charges</translation>
    </message>
    <message>
        <source>异种 2∶1</source>
        <translation>Unlike 2 : 1</translation>
    </message>
    <message>
        <source>异种 1∶2</source>
        <translation>Unlike 1 : 2</translation>
    </message>
    <message>
        <source>上下放置</source>
        <translation>One above the other</translation>
    </message>
    <message>
        <source>单个正电荷</source>
        <translation>One positive charge</translation>
    </message>
    <message>
        <source>单个负电荷</source>
        <translation>One negative charge</translation>
    </message>
    <message>
        <source>电四极子</source>
        <translation>Quadrupole</translation>
    </message>
    <message>
        <source>三个同种电荷</source>
        <translation>Three like charges</translation>
    </message>
    <message>
        <source>带电平板</source>
        <translation>Charged plate</translation>
    </message>
    <message>
        <source>平行板电容器</source>
        <translation>Parallel-plate capacitor</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>此处场强无定义</source>
        <translation>The field is not defined here</translation>
    </message>
    <message>
        <source>|E| = %1   方向 %2°</source>
        <translation>|E| = %1   direction %2°</translation>
    </message>
</context>
</TS>
