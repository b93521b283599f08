#pragma once

#include "core/pointcharge.h"

#include <QString>

// The line printed under a picture: the mode, then each charge's position
// and amount, as the boxes give them: "两个点电荷：Q1 (-15, 0)，10 C；Q2 (15, 0)，-10 C".
QString pictureCaption(const Charges &charges);
