#pragma once

#include <QObject>

class CaptionStore;
class QDialog;
class ReportApplier;
class Widget;

/// Opens the port setting dialogs of the main window: each is asked for the device's current
/// setting first, then run modally and destroyed.
class WidgetDialogs : public QObject
{
    Q_OBJECT

public:
    WidgetDialogs(Widget *window, CaptionStore *captions, ReportApplier *reports);

    /// Caption overlay of the outputs, from the caption buttons.
    void openCaption();
    /// OSD of one video input.
    void openOsd(int input);
    void openEdid(int input);
    /// What an output shows without a signal; kind is passed along to the dialog.
    void openNoSignalOutput(int output, int kind);
    void openScalingMode(int output);
    void openGraphicsTest(int port, bool isOutput);
    void openVolume(int port);

signals:
    /// Emitted with every dialog just before its modal run.
    void dialogAboutToRun(QDialog *dialog);

private:
    void run(QDialog *dialog);
    /// Hands the device's notices on the port to a dialog while it runs.
    template <class Dialog> void forwardNotices(Dialog *dialog);

    Widget *m_window;
    CaptionStore *m_captions;
    ReportApplier *m_reports;
};
