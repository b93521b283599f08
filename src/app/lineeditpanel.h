#pragma once

#include "core/inputpanel.h"

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

    // Makes Text4, Text5 and Text6 read-only or editable again, in this
    // order: read-only, not disabled, so the numbers stay visible and
    // selectable.
    void setCharge2Locked(bool locked);

private:
    std::array<QLineEdit *, 6> boxes_;
    const QRadioButton *twoCharges_;
};
