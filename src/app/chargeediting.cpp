#include "app/chargeediting.h"

#include "app/chargedialog.h"
#include "app/chargelistdialog.h"
#include "core/chargelist.h"
#include "core/drag.h"
#include "core/inputcheck.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <algorithm>

ChargeEditing::ChargeEditing(QMenu &menu, QWidget &dialogParent, std::function<Configuration()> now,
                             std::function<void(const Configuration &)> apply,
                             std::function<void(const Message &)> refuse)
    : QObject(&menu)
    , dialogParent_(dialogParent)
    , now_(std::move(now))
    , apply_(std::move(apply))
    , refuse_(std::move(refuse))
{
    const auto entry = [this, &menu](const QString &text, const char *name, auto slot) {
        QAction *action = menu.addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    // The entries of the picture's menu, named as the window names them.
    const auto text = [](const char *source) { return QCoreApplication::translate("Form1", source); };
    entry(text(QT_TRANSLATE_NOOP("Form1", "添加正电荷")), "addPositive", [this] { addCharge(true); });
    entry(text(QT_TRANSLATE_NOOP("Form1", "添加负电荷")), "addNegative", [this] { addCharge(false); });
    removeAction_ = entry(text(QT_TRANSLATE_NOOP("Form1", "删除此电荷")), "removeCharge", [this] { removeCharge(); });
    editAction_ = entry(text(QT_TRANSLATE_NOOP("Form1", "修改此电荷…")), "editCharge", [this] { editCharge(); });
    entry(text(QT_TRANSLATE_NOOP("Form1", "电荷列表…")), "chargeList", [this] { editList(); });
    menuAt({}, std::nullopt);
}

void ChargeEditing::menuAt(const PlotPoint &point, std::optional<std::size_t> charge)
{
    point_ = point;
    charge_ = charge;
    removeAction_->setVisible(charge.has_value());
    editAction_->setVisible(charge.has_value());
}

bool ChargeEditing::take(const Configuration &edited)
{
    Charges read;
    if (const Message *refusal = configurationRefusal(edited, read)) {
        refuse_(*refusal);
        return false;
    }
    apply_(edited);
    return true;
}

void ChargeEditing::addCharge(bool positive)
{
    // At the pointer, rounded to halves and kept on the plot as a drag
    // places a charge.
    if (const std::optional<PlotPoint> at = dragTarget(point_.x, point_.y, 1, {}, false))
        take(withChargeAdded(now_(), {coordinateText(at->x), coordinateText(at->y), positive ? "10" : "-10"}));
}

void ChargeEditing::removeCharge()
{
    if (charge_)
        take(withChargeRemoved(now_(), *charge_));
}

void ChargeEditing::editCharge()
{
    const Configuration now = now_();
    if (!charge_ || *charge_ >= now.charges.size())
        return;
    ChargeDialog dialog(now.charges[*charge_], int(*charge_) + 1, &dialogParent_);
    while (dialog.exec() == QDialog::Accepted) {
        if (take(withChargeChanged(now, *charge_, dialog.charge())))
            return;
    }
}

void ChargeEditing::editList()
{
    const Configuration now = now_();
    const std::size_t inMode = std::min(now.chargesInMode(), now.charges.size());
    ChargeListDialog dialog(std::vector<ChargeTexts>(now.charges.begin(), now.charges.begin() + std::ptrdiff_t(inMode)),
                            &dialogParent_);
    while (dialog.exec() == QDialog::Accepted) {
        if (take(withChargeList(now, dialog.charges())))
            return;
    }
}
