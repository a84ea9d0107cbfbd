#pragma once

#include <QObject>

/// Process-wide signal hub for views that are not wired to the main window directly.
class SigManager : public QObject
{
    Q_OBJECT

public:
    static SigManager *instance();

signals:
    void Sig_RenameInputSignals(int inPut);
    void Sig_RenameInputAudioSignals(int inPut);
    void Sig_RenameInputHDMIAudioSignals(int input);

private:
    SigManager() = default;
};
