#pragma once

#include "uikit/framelessdialog.h"

#include <QList>
#include <QMap>

class PermissionStore;
class QCheckBox;
class QVBoxLayout;

namespace Ui {
class PermissionDialog;
}

/// Edits and stores one user's permission record: a box per port and per function, grouped,
/// each group with an "All" box. Closing asks whether to apply first.
class PermissionDialog : public FramelessDialog
{
    Q_OBJECT

public:
    /// The groups of boxes, each with its heading and "All" box.
    enum Group
    {
        SettingPageGroup,
        MatrixSignalSwitchGroup,
        MatrixEntryMenuGroup,
        SignalEntryMenuGroup,
        WallGroup,
        InputGroup,
        OutputGroup,
        AudioGroup,
        AnalogGroup,
        GroupCount
    };

    PermissionDialog(const QString &id, const QString &userName, PermissionStore *permissions,
                     QWidget *parent = nullptr);
    ~PermissionDialog() override;

    /// Box of function index 0..27, or null.
    QCheckBox *functionBox(int index) const { return m_functionBoxes.value(index); }
    /// Port boxes of kind 0 input, 1 output, 2 audio input, 3 analog output, port 1 first.
    QList<QCheckBox *> portBoxes(int kind) const;
    QCheckBox *allBox(Group group) const { return m_groups.value(group).all; }
    QList<QCheckBox *> groupBoxes(Group group) const { return m_groups.value(group).boxes; }

    /// Re-reads the stored record into the boxes.
    void loadPermissions();
    /// Stores the boxes' states as the user's record; false when nothing could be stored.
    bool apply();

public slots:
    void on_btnApply_clicked();
    void on_btnClose_clicked();
    /// Sets every box of the group unless all are set already, in which case clears them.
    void toggleGroup(int group);

protected:
    /// Escape goes through the same question as the close button.
    void reject() override;

private:
    struct BoxGroup
    {
        QCheckBox *all = nullptr;
        QList<QCheckBox *> boxes;
    };

    void buildFunctionGroup(Group group, const QString &heading, const QString &allText,
                            const QList<int> &indexes);
    QList<QCheckBox *> buildPortGroup(Group group, const QString &heading, const QString &allText,
                                      const QString &boxText, int count);
    QList<QCheckBox *> addGroup(Group group, QVBoxLayout *column, const QString &heading,
                                const QString &allText, const QStringList &boxTexts, int perRow);
    void syncAllBox(int group);
    void warnSaveFailed();

    Ui::PermissionDialog *m_ui;
    QString m_id;
    QString m_userName;
    PermissionStore *m_permissions;
    QList<QCheckBox *> m_inputBoxes;
    QList<QCheckBox *> m_outputBoxes;
    QList<QCheckBox *> m_audioBoxes;
    QList<QCheckBox *> m_analogBoxes;
    QMap<int, QCheckBox *> m_functionBoxes;
    QMap<int, BoxGroup> m_groups;
};
