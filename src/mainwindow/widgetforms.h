#pragma once

#include "ui_widget.h"
#include "ui_widgetpages.h"

/// The main window's two forms under one set of names: the shell with the video page, and the
/// pages that wait for their tab to open. The second is built into a holder outside the window's
/// style sheet, so the waiting pages are never restyled on their way in.
struct WidgetForms : Ui::Widget, Ui::WidgetPages
{
};

/// The main window's pages, by tab.
enum PageTab
{
    VideoTab,
    JointTab,
    AudioTab,
    InfraredTab,
    SettingTab,
    AboutTab,
    ActivityTab
};
