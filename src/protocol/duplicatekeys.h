#pragma once

#include <QByteArray>

/// Qt 5.15's JSON parser keeps the last of two members with the same key but leaks the
/// array an earlier one held. Devices do not repeat keys, yet a garbled report may; this
/// drops the earlier members first so the parse gives the same object without the leak.
namespace DuplicateKeys {

/// The object text with only the last member of each key, or the text unchanged when no key
/// repeats or the text is not a flat object the scan understands (the parser then refuses it).
QByteArray keepLast(const QByteArray &json);

} // namespace DuplicateKeys
