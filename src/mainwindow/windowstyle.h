#pragma once

#include <QString>

/// The main window's look: its style sheets and the brand its title and connection line carry.
namespace WindowStyle {

QString brand();
/// The rules of the content under the title bar, the five tables' cells included.
QString content();
/// The page tabs; shifted clear of the signal list on the full-width pages.
QString tabs(bool shifted);

} // namespace WindowStyle
