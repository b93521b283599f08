#pragma once

#include "core/configuration.h"
#include "core/translatable.h"

#include <string>

// The line printed under a picture: the mode, then each charge's position
// and amount as read from its boxes, "两个点电荷：Q1 (-15, 0)，10 C；Q2 (15, 0)，-10 C".
// Numbers are the values read (in double precision), written in the
// shortest form that reads back the same: "2.5e1" is 25, "１０" is 10.
std::string pictureCaption(const Configuration &configuration, Translator translate = untranslated);

// A number in the shortest form that reads back as the same double, with a
// full stop and a plain exponent ("1e20", "-1.5e-7"); "0" for -0.
std::string shortestText(double value);
