#pragma once
// The English texts of the widgets, built into the library from the shipped
// language file (data/language/english.txt), so that a host that loads no
// language file still shows "Mon" ... "Sun", the day types' names and the
// day-type list. A language file the host loads replaces them.

#include "common/export.h"

namespace quindo {

// Loads the built-in English texts into this thread's language table when
// the table is empty (the host loaded no language file); otherwise changes
// nothing. The views call it before they read their texts.
QUINDO_EXPORT void UseBuiltInTextsUnlessLoaded();

}  // namespace quindo
