#pragma once

#include <QByteArray>

#include <string_view>

/// The fixed text repairs that turn the device's JSON-like reports into JSON. Each takes one
/// message (a "{" up to its "}") and returns it repaired, or unchanged when its shape is not
/// the one the repair is for.
namespace ReplyRepair {

/// Quotes the bare values of Switch, Bg_switch, Color, Bg_Color and Move_dir in a caption or
/// OSD report (a message with "Color" and no "change"), each key found by its name in any
/// order; values already quoted stay as they are.
QByteArray captionReport(const QByteArray &str);
/// Quotes every value of a resolution report (a message with "in" and "out", no "change").
QByteArray resolutionReport(const QByteArray &str);
/// Turns the wall status comma lists (four windows, VIR and AUDIO) into arrays.
QByteArray wallStatus(const QByteArray &msg);
/// Rewrites a "{name_change=value}" notice into an object with one text value.
QByteArray assignmentNotice(const QByteArray &msg);
/// Quotes the bare value of a Bind_change notice.
QByteArray bindNotice(const QByteArray &msg);

/// A quote after every colon, before every comma and before every closing brace.
QByteArray quoteBareValues(const QByteArray &text);

/// Applies the repairs in their order. On return *str holds the message as the first two
/// repairs left it, which is where a second attempt at an output report starts from.
/// Returns whether the caption repair applied (its result is logged).
bool repairMessage(QByteArray *msg, QByteArray *str);

/// Case-sensitive substring test, as every rule and the dispatcher make it.
inline bool contains(const QByteArray &text, std::string_view word)
{
    return std::string_view(text.constData(), size_t(text.size())).find(word) !=
           std::string_view::npos;
}

} // namespace ReplyRepair
