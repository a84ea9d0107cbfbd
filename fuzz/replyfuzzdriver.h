#pragma once

#include <cstddef>
#include <cstdint>

/// Runs bytes through the whole reply path (raw-text pass, scan, repairs, parse, DHCP check,
/// dispatch) in chunks whose sizes the bytes choose, then checks that a well-formed report
/// sent afterwards still comes through and nothing is left held. False when that check fails.
bool runReplyPath(const uint8_t *data, size_t size);

/// Drops Qt's log output; the reply path logs every message it handles.
void silenceQtMessages();
