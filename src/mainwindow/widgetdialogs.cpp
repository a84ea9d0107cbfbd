// The port setting dialogs, opened from the main window's buttons and context menus.
#include "widgetdialogs.h"
#include "widget.h"

#include "dialogs/cdlgnosignaloutput.h"
#include "dialogs/cdlgscalingmode.h"
#include "dialogs/edidsettingdilog.h"
#include "dialogs/graphicstestdialog.h"
#include "dialogs/titleorosddialog.h"
#include "dialogs/volumnsettingdialog.h"
#include "protocol/messagedistance.h"
#include "state/captioninfo.h"
#include "state/devicestate.h"
#include "state/reportapplier.h"

#include <QJsonObject>

namespace {

// The OSD dialog takes the device's settings in report form.
QJsonObject reportOf(const CaptionInfo &info)
{
    const auto onOff = [](bool on) {
        return on ? QStringLiteral("true") : QStringLiteral("false");
    };
    return QJsonObject{{QStringLiteral("Switch"), onOff(info.switchOn)},
                       {QStringLiteral("Speed"), info.speed},
                       {QStringLiteral("Color"), info.color},
                       {QStringLiteral("Position_x"), info.positionX},
                       {QStringLiteral("Position_y"), info.positionY},
                       {QStringLiteral("Bg_switch"), onOff(info.bgSwitchOn)},
                       {QStringLiteral("Bg_Color"), info.bgColor},
                       {QStringLiteral("Move_dir"), info.moveDir}};
}

} // namespace

WidgetDialogs::WidgetDialogs(Widget *window, CaptionStore *captions, ReportApplier *reports)
    : QObject(window), m_window(window), m_captions(captions), m_reports(reports)
{
}

template <class Dialog> void WidgetDialogs::forwardNotices(Dialog *dialog)
{
    connect(MessageDistance::instance(), &MessageDistance::si_ForwardAnalysis, dialog,
            &Dialog::sl_StateUpdate);
    connect(m_reports, &ReportApplier::scalingModeEchoed, dialog, &Dialog::sl_StateUpdate);
}

void WidgetDialogs::run(QDialog *dialog)
{
    emit dialogAboutToRun(dialog);
    dialog->exec();
}

void WidgetDialogs::openCaption()
{
    // The answer arrives through the event loop, so the dialog made next is there to show it.
    MessageDistance::instance()->getSubtitle();
    TitleOrOsdDialog dialog(m_captions, -1, m_window);
    run(&dialog);
}

void WidgetDialogs::openOsd(int input)
{
    MessageDistance::instance()->getOsd(input);
    TitleOrOsdDialog dialog(m_captions, input, m_window);
    dialog.setWindowTitle(tr("[Input%1]").arg(input) + tr("OSD Setting"));
    const QMap<int, CaptionInfo> known = DeviceState::instance()->osdInfo();
    if (known.contains(input))
        dialog.applyDeviceSettings(reportOf(known.value(input)));
    run(&dialog);
}

void WidgetDialogs::openEdid(int input)
{
    EdidSettingDilog dialog(input, m_window);
    run(&dialog);
}

void WidgetDialogs::openNoSignalOutput(int output, int kind)
{
    MessageDistance::instance()->getNoInput(output);
    CDlgnosignaloutput dialog(m_window);
    dialog.setPort(output, kind);
    forwardNotices(&dialog);
    run(&dialog);
}

void WidgetDialogs::openScalingMode(int output)
{
    CDlgScalingmode dialog(m_window);
    dialog.setPort(output);
    forwardNotices(&dialog);
    MessageDistance::instance()->getScaler(output);
    run(&dialog);
}

void WidgetDialogs::openGraphicsTest(int port, bool isOutput)
{
    GraphicsTestDialog dialog(port, isOutput, m_window);
    dialog.setWindowTitle(isOutput ? tr("OutPut Graphics test") : tr("Input Graphics test"));
    run(&dialog);
}

void WidgetDialogs::openVolume(int port)
{
    // The dialog asks for the volumes itself.
    VolumnSettingDialog dialog(port, m_window);
    run(&dialog);
}
