#include "app/caption.h"

#include "core/drag.h"

#include <QCoreApplication>

namespace {

QString number(double value)
{
    return QString::fromStdString(coordinateText(value));
}

QString describe(int index, const PointCharge &charge)
{
    return QCoreApplication::translate("Caption", "Q%1 (%2, %3)，%4 C")
        .arg(index)
        .arg(number(charge.x), number(charge.y), number(charge.q));
}

}  // namespace

QString pictureCaption(const Charges &charges)
{
    if (charges.empty())
        return {};
    if (charges.size() == 1)
        return QCoreApplication::translate("Caption", "单个点电荷：%1").arg(describe(1, charges[0]));
    return QCoreApplication::translate("Caption", "两个点电荷：%1；%2").arg(describe(1, charges[0]), describe(2, charges[1]));
}
