#pragma once
// Date arithmetic (portable, core/DateTime.h) plus the local clock.
#include "toolkit/core/DateTime.h"

TDateTime Now();
