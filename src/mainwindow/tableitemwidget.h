#pragma once

// TableItemWidget: the widget shown in one output cell of a matrix table.
//   setOutputName / outputName      name panel at the bottom (OutputName on outportWidget)
//   setInputText / inputText        routed input panel at the top (InputName on widget_2)
//                                   a text wider than its panel ends in "…"; the tooltip and
//                                   the getters keep the whole text
//   setPendingText                  a route staged in take mode, under the input (stale: red)
//   setRecentChange                 a dot for another client's recent change, the change in its
//                                   tooltip
//   setButtonsVisible               freeze, mute and link controls (video table only)
//   setFrozen / setLocked / setLinked / setMuted    flags with their icons and the tooltips that
//                                   explain them (lock has neither); mute blanks the picture
//   setCellDisabled / isCellDisabled                a disabled cell takes no drop, opens no menu
//   setLook(CellLook)               the cell's colours and border width
//   sharedStyleSheet()              rules for the named looks, set once on the cells' table
//   playLabel / muteLabel / lockLabel / hdmiLabel   the controls, for enabling by rights
// Signals: si_click_pause(bool), si_click_lock(bool), si_click_mute(bool) carry the state the
// operator asked for with the click.

#include <QString>
#include <QWidget>

namespace Ui {
class TableItemWidget;
}
class LabelClickedInTableItem;
class QLabel;

/// Colours of one cell: the output panel, its text, the input panel, its text, and the width of
/// the green border.
struct CellLook
{
    QString outputBackground;
    QString outputText;
    QString inputBackground;
    QString inputText;
    int borderWidth = 1;

    bool operator==(const CellLook &other) const
    {
        return outputBackground == other.outputBackground && outputText == other.outputText &&
               inputBackground == other.inputBackground && inputText == other.inputText &&
               borderWidth == other.borderWidth;
    }
};

class TableItemWidget : public QWidget
{
    Q_OBJECT

public:
    static const char *const FrozenIcon;
    static const char *const RunningIcon;
    static const char *const LinkedIcon;
    static const char *const UnlinkedIcon;
    static const char *const MutedIcon;
    static const char *const UnmutedIcon;

    /// The named looks: a plain cell, a selected one and a disabled one.
    static const CellLook &normalLook();
    static const CellLook &selectedLook();
    static const CellLook &disabledLook();
    /// Rules that draw the named looks (a group colour replaces their backgrounds only); an
    /// ancestor of the cells carries them, so a cell needs no style sheet of its own.
    static const QString &sharedStyleSheet();

    explicit TableItemWidget(QWidget *parent = nullptr);
    ~TableItemWidget() override;

    void setOutputName(const QString &name);
    void setInputText(const QString &text);

    /// A route staged in take mode, shown under the live input; stale once another client
    /// changed the output. An empty text hides it.
    void setPendingText(const QString &text, bool stale);
    QString pendingText() const { return m_pendingText; }
    bool isPendingStale() const { return m_pendingStale; }
    /// Another client changed this output lately: a dot in the corner, the change in its
    /// tooltip and the output name's. An empty text takes it away.
    void setRecentChange(const QString &text);
    void setButtonsVisible(bool visible);
    bool buttonsVisible() const { return m_buttonsVisible; }

    void setFrozen(bool frozen);
    bool isFrozen() const { return m_frozen; }
    void setLocked(bool locked);
    bool isLocked() const { return m_locked; }
    void setLinked(bool linked);
    bool isLinked() const { return m_linked; }
    void setMuted(bool muted);
    bool isMuted() const { return m_muted; }

    void setCellDisabled(bool disabled);
    bool isCellDisabled() const { return m_disabled; }

    void setLook(const CellLook &look);
    CellLook look() const { return m_look; }

    LabelClickedInTableItem *playLabel() const;
    LabelClickedInTableItem *muteLabel() const;
    LabelClickedInTableItem *lockLabel() const;

signals:
    void si_click_pause(bool pause);
    void si_click_lock(bool lock);
    void si_click_mute(bool mute);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void applyStyle();
    void showFitted(QLabel *label, const QString &text);
    void retranslate();
    void explainPlay();
    void explainMute();
    void explainLink();

    Ui::TableItemWidget *m_ui;
    bool m_buttonsVisible = false;
    bool m_frozen = false;
    bool m_locked = true;
    bool m_linked = false;
    bool m_muted = false;
    bool m_disabled = false;
    CellLook m_look;
    QString m_outputName;
    QString m_inputText;
    QLabel *m_pending = nullptr;
    QLabel *m_changedMark = nullptr;
    QString m_recentChange;
    QString m_pendingText;
    bool m_pendingStale = false;
};
