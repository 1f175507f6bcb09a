#pragma once

#include "app/layouthelpers.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tonaq {

class FrmTonaq;

// The "Instant Tone" frame: a one-character box that sounds the tone of the key held in it,
// and Key Lock, which makes a held key one constant tone instead of a pulsating one.
class InstantToneFrame : public Frame {
    Q_OBJECT
public:
    InstantToneFrame(FrmTonaq &main, QWidget *parent);

    QLineEdit *txtKeys() const { return m_txtKeys; }
    QCheckBox *chkKeyLock() const { return m_chkKeyLock; }

private:
    FrmTonaq &m_main;
    QLabel *m_label;
    QLineEdit *m_txtKeys;
    QCheckBox *m_chkKeyLock;
};

} // namespace tonaq
