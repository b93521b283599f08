#pragma once

#include "core/configuration.h"
#include "core/messenger.h"
#include "core/plotpoint.h"

#include <QObject>

#include <cstddef>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

// The entries of the picture's menu that edit the list of charges: 添加正电荷
// and 添加负电荷 at the pointer, on a dot 删除此电荷 and 修改此电荷…, and
// 电荷列表…. Each edit is the core's (chargelist.h), judged as the picture
// would judge it (configurationRefusal): a refusal is shown and nothing
// changes; an edit taken goes to apply(), which puts it into the controls
// and draws.
class ChargeEditing : public QObject
{
    Q_OBJECT

public:
    ChargeEditing(QMenu &menu, QWidget &dialogParent, std::function<Configuration()> now,
                  std::function<void(const Configuration &)> apply, std::function<void(const Message &)> refuse);

    // The menu is about to open at point (user coordinates), over the dot of
    // charge, if any: the entries for a dot show only over one.
    void menuAt(const PlotPoint &point, std::optional<std::size_t> charge);

    void addCharge(bool positive);
    void removeCharge();
    // Open their dialogs, modal; an entry refused keeps its dialog open.
    void editCharge();
    void editList();

private:
    // Takes the edit unless the picture would refuse it.
    bool take(const Configuration &edited);

    QWidget &dialogParent_;
    std::function<Configuration()> now_;
    std::function<void(const Configuration &)> apply_;
    std::function<void(const Message &)> refuse_;
    QAction *removeAction_ = nullptr;
    QAction *editAction_ = nullptr;
    PlotPoint point_;
    std::optional<std::size_t> charge_;
};
