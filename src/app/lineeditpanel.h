#pragma once

#include "tracing/inputpanel.h"

#include <array>

class QLineEdit;
class QRadioButton;

// The input panel of the window: the six text boxes Text1 … Text6 and the
// option "两个点电荷" whose selected state is the mode.
class LineEditPanel : public InputPanel
{
public:
    LineEditPanel(const std::array<QLineEdit *, 6> &boxes, const QRadioButton *twoCharges);

    std::string text(int box) const override;
    bool twoChargeMode() const override;
    void lockCharge2Boxes() override;

private:
    std::array<QLineEdit *, 6> boxes_;
    const QRadioButton *twoCharges_;
};
