#pragma once

#include "core/configuration.h"

#include <cstddef>
#include <vector>

// Editing the list of charges, the same for every front end (the picture's
// menu and the list of charges in the window and the page). Each gives the
// configuration the edit asks for; the front end judges it
// (configurationRefusal) and shows the refusal instead of taking it.
//
// A picture that would hold three charges or more is drawn in several-charge
// mode. An edit other than adding to single-charge mode leaves the charges
// there in that mode; only choosing 单个点电荷 or 两个点电荷 returns to a
// mode of one or two.

// Adds a charge. In single-charge mode it becomes charge 2 of the two-charge
// mode when it lies at or right of charge 1, else both go to several-charge
// mode; in two-charge mode the three go to several-charge mode.
Configuration withChargeAdded(Configuration configuration, const ChargeTexts &charge);

// Removes charge index (from 0) of those the mode draws; the others are
// drawn in several-charge mode.
Configuration withChargeRemoved(Configuration configuration, std::size_t index);

// Puts new texts into charge index of those the mode draws; the mode stays.
Configuration withChargeChanged(Configuration configuration, std::size_t index, const ChargeTexts &charge);

// The whole list replaced, as the list of charges edits it: several-charge
// mode, unless the list keeps the mode's one or two charges in number.
Configuration withChargeList(Configuration configuration, std::vector<ChargeTexts> charges);
