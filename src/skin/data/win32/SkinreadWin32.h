#pragma once
// Shows the skin reader's messages (a package of unknown version) to the
// user in a task-modal message box, through the toolkit's message-box seam.
#include "skin/data/Skinread.h"

namespace relayon::skin {

// From now on `reader` reports its messages in a message box whose caption is
// the application's title (the program's file name when there is none).
void InstallSkinReaderMessageBox(TSkinReader& reader);

}  // namespace relayon::skin
