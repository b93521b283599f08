#pragma once

#include <string>

// What the drawing needs of the window's input panel: the texts of the six
// boxes, the selected mode, and the lock of the boxes of charge 2. The window
// implements it with its controls; the command-line renderer and the tests
// with plain strings.
class InputPanel
{
public:
    virtual ~InputPanel() = default;

    // Text of Text1 ... Text6 (box 1 to 6), UTF-8.
    virtual std::string text(int box) const = 0;
    // True when Option2 ("两个点电荷") is selected.
    virtual bool twoChargeMode() const = 0;
    // Makes Text4, Text5 and Text6 read-only, in this order.
    virtual void lockCharge2Boxes() = 0;
};
