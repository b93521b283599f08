#include "app/lineeditpanel.h"

#include <QLineEdit>
#include <QRadioButton>

LineEditPanel::LineEditPanel(const std::array<QLineEdit *, 6> &boxes, const QRadioButton *twoCharges)
    : boxes_(boxes)
    , twoCharges_(twoCharges)
{
}

std::string LineEditPanel::text(int box) const
{
    if (box < 1 || box > 6)
        return {};
    return boxes_[box - 1]->text().toStdString();
}

bool LineEditPanel::twoChargeMode() const
{
    return twoCharges_->isChecked();
}

void LineEditPanel::lockCharge2Boxes()
{
    setCharge2Locked(true);
}

void LineEditPanel::setCharge2Locked(bool locked)
{
    for (int box = 4; box <= 6; ++box)
        boxes_[box - 1]->setReadOnly(locked);
}
