#pragma once

#include "core/inputpanel.h"

#include <array>
#include <string>

// An input panel of plain strings, with the window's default texts: used by
// the command-line renderer and the tests, and to preset the window.
class TextPanel : public InputPanel
{
public:
    static constexpr std::array<const char *, 6> kDefaultTexts = {"-15", "0", "10", "15", "0", "-10"};

    TextPanel();

    std::string text(int box) const override;
    bool twoChargeMode() const override { return twoChargeMode_; }
    void lockCharge2Boxes() override { charge2Locked_ = true; }

    void setText(int box, std::string text);
    void setTwoChargeMode(bool on) { twoChargeMode_ = on; }
    bool charge2Locked() const { return charge2Locked_; }

private:
    std::array<std::string, 6> texts_;
    bool twoChargeMode_ = true;
    bool charge2Locked_ = false;
};
