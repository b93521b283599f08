#include "app/lineeditpanel.h"

#include <QLineEdit>
#include <QPalette>
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
    for (int box = 4; box <= 6; ++box) {
        QLineEdit *edit = boxes_[box - 1];
        edit->setReadOnly(locked);
        // A read-only box shows the background the platform gives a box one
        // cannot type in, so a student sees why typing does nothing; its
        // number keeps the normal text colour and stays readable.
        QPalette palette = edit->parentWidget() ? edit->parentWidget()->palette() : QPalette();
        if (locked) {
            QColor grey = palette.color(QPalette::Disabled, QPalette::Base);
            if (grey == palette.color(QPalette::Active, QPalette::Base))
                grey = palette.color(QPalette::Window);
            for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
                palette.setColor(group, QPalette::Base, grey);
        }
        edit->setPalette(palette);
    }
}
