#include "app/caption.h"

#include "core/drag.h"

namespace {

QString number(double value)
{
    return QString::fromStdString(coordinateText(value));
}

QString describe(int index, const PointCharge &charge)
{
    return QStringLiteral("Q%1 (%2, %3)，%4 C").arg(index).arg(number(charge.x), number(charge.y), number(charge.q));
}

}  // namespace

QString pictureCaption(const Charges &charges)
{
    if (charges.empty())
        return {};
    if (charges.size() == 1)
        return QStringLiteral("单个点电荷：") + describe(1, charges[0]);
    return QStringLiteral("两个点电荷：") + describe(1, charges[0]) + QStringLiteral("；") + describe(2, charges[1]);
}
