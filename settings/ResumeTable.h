#pragma once

#include <QString>
#include <map>

#include "settings/ResumeEntry.h"

// Resume entries by ResumeKey. QString's operator< compares UTF-16 code units, a shorter key
// before a longer one that begins with it, so the keys sort as text ("10" before "9") and
// the sections of a new progress file come out in that order. No entry is ever evicted.
using ResumeTable = std::map<QString, ResumeEntry>;
