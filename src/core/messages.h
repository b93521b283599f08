#pragma once

#include "core/messenger.h"

// The program's own message texts, in one place.
namespace Messages {

inline const std::string Notice = "提示";
inline const std::string RuntimeErrorTitle = "运行时错误";

// Charge 2 lies left of charge 1.
inline const Message WrongOrder{"Q1必须在Q2的左边", Notice, Severity::Notice};
// A number beyond the range of the 32-bit values the drawing works with,
// or an amount too small for them.
inline const Message OutOfRange{"输入的数值超出范围", Notice, Severity::Notice};
// A charge outside the plot, where its field lines could not be seen.
inline const Message OutOfPlot{"位置坐标超出范围：-45≤x≤45，-25≤y≤25", Notice, Severity::Notice};
// Two charges at one place.
inline const Message SamePlace{"两个电荷不能在同一位置", Notice, Severity::Notice};
inline const Message OutOfMemory{"内存不足，无法完成绘图。已画出的部分保留。", RuntimeErrorTitle,
                                 Severity::Failure};
inline const Message UnexpectedFailure{"绘图时发生意外错误，已画出的部分保留。", RuntimeErrorTitle,
                                       Severity::Failure};

// Saving the picture from the window.
inline const std::string SaveTitle = "保存图片";
inline const std::string NotSaved = "图片没有保存。";
inline const std::string SaveOnlyPictures = "只能保存为 PNG 或 SVG 文件";

}  // namespace Messages
