#pragma once

#include <cstddef>
#include <cstdint>

/// Starts what the report application needs, once per process: the application object on the
/// offscreen platform, a temporary data dir whose settings point the device at a loopback
/// port this process listens on, the main window in login-free mode and the two dialogs that
/// read forwarded answers. False when something of it could not be set up.
bool startReportApply(int *argc, char ***argv);

/// Runs bytes through the reply path in chunks the bytes choose, as runReplyPath does, and
/// applies every report to the device state through the main window's report slots, every
/// forwarded answer through the dialogs' reading of it. The state carries over from input to
/// input, the model too (as the last version report chose it), so a finding may need the
/// inputs before it to replay. A rotation report sent last must then be in the state, with
/// nothing left held; false when it is not.
bool runReportApply(const uint8_t *data, size_t size);

/// Ends what startReportApply began.
void stopReportApply();
