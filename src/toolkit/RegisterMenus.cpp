// Published properties of one control family (see RegisterFamilies.h).
#include "toolkit/RegisterFamilies.h"

void RegisterMenuClasses() {}
