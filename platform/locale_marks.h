#pragma once
#include "app/number_format.h"

namespace vetra {

// The digit grouping and decimal marks of the user's regional settings.
NumberMarks LocaleMarks();

}  // namespace vetra
