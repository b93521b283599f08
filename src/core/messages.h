#pragma once

#include "core/messenger.h"
#include "core/translatable.h"

// The program's own message texts, in one place. The interface is Chinese
// and can be English: the window and the command line show each text
// through Qt's translation in the context "Messages".
namespace Messages {

inline const std::string Notice = FIELDLINES_TEXT("Messages", "提示");
inline const std::string RuntimeErrorTitle = FIELDLINES_TEXT("Messages", "运行时错误");

// Charge 2 lies left of charge 1.
inline const Message WrongOrder{FIELDLINES_TEXT("Messages", "Q1必须在Q2的左边"), Notice, Severity::Notice};
// A number beyond the range of the 32-bit values the drawing works with,
// or an amount too small for them.
inline const Message OutOfRange{FIELDLINES_TEXT("Messages", "输入的数值超出范围"), Notice, Severity::Notice};
// A charge outside the plot, where its field lines could not be seen.
inline const Message OutOfPlot{FIELDLINES_TEXT("Messages", "位置坐标超出范围：-45≤x≤45，-25≤y≤25"), Notice, Severity::Notice};
// Two charges at one place.
inline const Message SamePlace{FIELDLINES_TEXT("Messages", "两个电荷不能在同一位置"), Notice, Severity::Notice};
// A 33rd charge.
inline const Message TooManyCharges{FIELDLINES_TEXT("Messages", "最多可以放32个点电荷"), Notice, Severity::Notice};
// A test charge released within 0.6 of a point charge, where its path ends
// before it begins.
inline const Message ReleaseOnCharge{FIELDLINES_TEXT("Messages", "试探电荷不能放在点电荷上（距离至少为0.6）"), Notice,
                                     Severity::Notice};
// A test charge released outside the plot.
inline const Message ReleaseOutOfPlot{FIELDLINES_TEXT("Messages", "试探电荷的位置超出范围：-45≤x≤45，-25≤y≤25"), Notice,
                                      Severity::Notice};
// A test charge released faster than 100 units of length per unit of time.
inline const Message ReleaseTooFast{FIELDLINES_TEXT("Messages", "试探电荷的速度不能超过100"), Notice, Severity::Notice};
// More test charges at once than the picture follows.
inline const Message TooManyReleases{FIELDLINES_TEXT("Messages", "最多可以同时释放8个试探电荷"), Notice, Severity::Notice};
inline const Message OutOfMemory{FIELDLINES_TEXT("Messages", "内存不足，无法完成绘图。已画出的部分保留。"), RuntimeErrorTitle,
                                 Severity::Failure};
inline const Message UnexpectedFailure{FIELDLINES_TEXT("Messages", "绘图时发生意外错误，已画出的部分保留。"), RuntimeErrorTitle,
                                       Severity::Failure};

// The command line writes no file when the drawing did not finish.
inline const std::string OutOfMemoryNothingWritten = FIELDLINES_TEXT("Messages", "内存不足，无法完成绘图，没有写入文件。");
inline const std::string FailureNothingWritten = FIELDLINES_TEXT("Messages", "绘图时发生意外错误，没有写入文件。");
// The window cannot be opened without a display.
inline const std::string NoDisplay =
    FIELDLINES_TEXT("Messages", "无法打开窗口：没有可用的显示器（请检查 DISPLAY）。不开窗口画图请用 --output FILE。");
// The platform plugin asked for (-platform %1) does not exist; %2 lists
// those that do.
inline const std::string NoPlatformPlugin =
    FIELDLINES_TEXT("Messages", "无法打开窗口：没有名为“%1”的平台插件（可用：%2）。");

// Saving the picture from the window.
inline const std::string SaveTitle = FIELDLINES_TEXT("Messages", "保存图片");
inline const std::string NotSaved = FIELDLINES_TEXT("Messages", "图片没有保存。");

// Printing from the window.
inline const std::string PrintTitle = FIELDLINES_TEXT("Messages", "打印");
inline const std::string NotPrinted = FIELDLINES_TEXT("Messages", "无法打印：打印机没有准备好。");
inline const std::string SaveOnlyPictures = FIELDLINES_TEXT("Messages", "只能保存为 PNG、SVG 或 PDF 文件。");
// Asked when the name the picture is saved under (%1) already exists.
inline const std::string ReplaceQuestion = FIELDLINES_TEXT("Messages", "“%1”已存在。\n要替换它吗？");
inline const std::string ReplaceButton = FIELDLINES_TEXT("Messages", "替换");
inline const std::string CancelButton = FIELDLINES_TEXT("Messages", "取消");

// A file that was not written: CannotWrite names it (%1) and says why (%2,
// one of the reasons that follow).
inline const std::string CannotWrite = FIELDLINES_TEXT("Messages", "无法写入“%1”：%2");
inline const std::string DiskFull = FIELDLINES_TEXT("Messages", "磁盘已满。");
inline const std::string NoPermission = FIELDLINES_TEXT("Messages", "没有写入权限。");
inline const std::string FolderMissing = FIELDLINES_TEXT("Messages", "文件夹不存在。");
inline const std::string ReadOnlyDisk = FIELDLINES_TEXT("Messages", "磁盘是只读的。");
inline const std::string IsAFolder = FIELDLINES_TEXT("Messages", "这是一个文件夹。");
inline const std::string NotAFile = FIELDLINES_TEXT("Messages", "这不是普通文件，也不是可以写入的设备。");
inline const std::string NoMemoryForFile = FIELDLINES_TEXT("Messages", "内存不足。");
inline const std::string FileTooLarge = FIELDLINES_TEXT("Messages", "文件超出了系统允许的大小。");
inline const std::string NameTooLong = FIELDLINES_TEXT("Messages", "文件名太长。");
inline const std::string DiskError = FIELDLINES_TEXT("Messages", "读写磁盘时出错。");
// The name leads through symbolic links that point round in a circle.
inline const std::string SymlinkLoop = FIELDLINES_TEXT("Messages", "符号链接循环。");
inline const std::string SystemError = FIELDLINES_TEXT("Messages", "系统错误（错误号 %1）。");
inline const std::string NotAPictureType = FIELDLINES_TEXT("Messages", "只能写入 PNG、SVG、PDF 或 CSV 文件。");
// %1 is the largest side.
inline const std::string SizeOutOfRange = FIELDLINES_TEXT("Messages", "图片尺寸超出范围：每边应在 1 到 %1 像素之间。");

}  // namespace Messages
