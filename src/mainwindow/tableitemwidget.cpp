#include "tableitemwidget.h"

#include "ui_tableitemwidget.h"

#include "uikit/labelclickedintableitem.h"
#include "uikit/svglabel.h"

namespace {
const char *const cellStyle =
    "QWidget#outportWidget{background:%1;border:%5px solid rgba(51,140,86,128);border-top:none;} "
    "QWidget#outportWidget:disabled { background:rgb(159,159,159); } "
    "QLabel#OutputName{color:%2;font-family:\"Microsoft YaHei\";font-weight:bold;} "
    "QWidget#widget_2{ background:%3;border:%5px solid rgba(51,140,86,128);border-bottom:none;} "
    "QWidget#widget_2:disabled { background:rgb(221,222,219); } "
    "QLabel#InputName{color:%4;font-family:\"Microsoft YaHei\";font-weight:bold;}";

const QSize iconSize(20, 20);
} // namespace

const char *const TableItemWidget::FrozenIcon = ":/Images/pause_2c3e50.svg";
const char *const TableItemWidget::RunningIcon = ":/Images/play_4caf50.svg";
const char *const TableItemWidget::LinkedIcon = ":/Images/hdmi_4caf50.svg";
const char *const TableItemWidget::UnlinkedIcon = ":/Images/hdmi_2c3e50.svg";
const char *const TableItemWidget::MutedIcon = ":/Images/mute_2c3e50.svg";
const char *const TableItemWidget::UnmutedIcon = ":/Images/unmute_4caf50.svg";

TableItemWidget::TableItemWidget(QWidget *parent) : QWidget(parent), m_ui(new Ui::TableItemWidget)
{
    m_ui->setupUi(this);
    m_look = {QStringLiteral("rgb(240,241,236)"), QStringLiteral("rgb(128,128,128)"),
              QStringLiteral("rgb(249,250,250)"), QStringLiteral("rgb(128,128,128)"), 1};

    m_ui->label_play->setSvg(QString::fromLatin1(RunningIcon), iconSize);
    m_ui->label_mute->setSvg(QString::fromLatin1(UnmutedIcon), iconSize);
    m_ui->label_hdmi->setSvg(QString::fromLatin1(UnlinkedIcon), iconSize);

    // The click asks for the opposite state; the cell shows it at once and the table's owner
    // sets it back when the operator may not change this output.
    connect(m_ui->label_play, &LabelClickedInTableItem::clicked, this, [this] {
        setFrozen(!m_frozen);
        emit si_click_pause(m_frozen);
    });
    connect(m_ui->label_mute, &LabelClickedInTableItem::clicked, this, [this] {
        setMuted(!m_muted);
        emit si_click_mute(m_muted);
    });
    connect(m_ui->label_lock, &LabelClickedInTableItem::clicked, this, [this] {
        setLocked(!m_locked);
        emit si_click_lock(m_locked);
    });

    setButtonsVisible(false);
    applyStyle();
}

TableItemWidget::~TableItemWidget()
{
    delete m_ui;
}

void TableItemWidget::setOutputName(const QString &name)
{
    m_ui->OutputName->setText(name);
    m_ui->OutputName->setToolTip(name);
}

QString TableItemWidget::outputName() const
{
    return m_ui->OutputName->text();
}

void TableItemWidget::setInputText(const QString &text)
{
    m_ui->InputName->setText(text);
    m_ui->InputName->setToolTip(text);
}

QString TableItemWidget::inputText() const
{
    return m_ui->InputName->text();
}

void TableItemWidget::setButtonsVisible(bool visible)
{
    m_buttonsVisible = visible;
    m_ui->label_play->setVisible(visible);
    m_ui->label_mute->setVisible(visible);
    m_ui->label_hdmi->setVisible(visible);
    // The standby state is shown through the output menu only; its label stays out of sight.
    m_ui->label_lock->setVisible(false);
}

void TableItemWidget::setFrozen(bool frozen)
{
    m_frozen = frozen;
    m_ui->label_play->setSvgPath(QString::fromLatin1(frozen ? FrozenIcon : RunningIcon));
}

void TableItemWidget::setLocked(bool locked)
{
    m_locked = locked;
}

void TableItemWidget::setLinked(bool linked)
{
    m_linked = linked;
    m_ui->label_hdmi->setSvgPath(QString::fromLatin1(linked ? LinkedIcon : UnlinkedIcon));
}

void TableItemWidget::setMuted(bool muted)
{
    m_muted = muted;
    m_ui->label_mute->setSvgPath(QString::fromLatin1(muted ? MutedIcon : UnmutedIcon));
}

void TableItemWidget::setCellDisabled(bool disabled)
{
    m_disabled = disabled;
    // Disabling the whole cell greys both panels through the :disabled rules of the style.
    setEnabled(!disabled);
}

void TableItemWidget::setLook(const CellLook &look)
{
    if (look == m_look)
        return;
    m_look = look;
    applyStyle();
}

void TableItemWidget::applyStyle()
{
    setStyleSheet(QString::fromLatin1(cellStyle).arg(m_look.outputBackground, m_look.outputText,
                                                     m_look.inputBackground, m_look.inputText,
                                                     QString::number(m_look.borderWidth)));
}

LabelClickedInTableItem *TableItemWidget::playLabel() const
{
    return m_ui->label_play;
}

LabelClickedInTableItem *TableItemWidget::muteLabel() const
{
    return m_ui->label_mute;
}

LabelClickedInTableItem *TableItemWidget::lockLabel() const
{
    return m_ui->label_lock;
}

SvgLabel *TableItemWidget::hdmiLabel() const
{
    return m_ui->label_hdmi;
}
