#pragma once
// The "Network output" dialog: protocol, receiver, universes, colour order,
// frame rate limit and the enable switch, with the channel map the wiring
// gives (port -> first and last universe and channel, or byte offsets for
// DDP) brought up to date as the values change. OK keeps the values when
// they can be used and says why otherwise.

#include "output/network/network_output_settings.h"

#include <QDialog>

class Document;
class Prompt;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

class NetworkOutputDialog : public QDialog
{
    Q_OBJECT
public:
    NetworkOutputDialog(const Document &doc, const NetworkOutputSettings &settings, Prompt &prompt,
                        QWidget *parent = nullptr);

    // The values as the controls show them (the CID is kept as given).
    NetworkOutputSettings settings() const;

    QCheckBox *enableBox() const { return m_enable; }
    QComboBox *protocolBox() const { return m_protocol; }
    QLineEdit *hostEdit() const { return m_host; }
    QCheckBox *multicastBox() const { return m_multicast; }
    QSpinBox *portBox() const { return m_port; }
    QSpinBox *startUniverseBox() const { return m_startUniverse; }
    QSpinBox *pixelsPerUniverseBox() const { return m_pixelsPerUniverse; }
    QCheckBox *portStartsUniverseBox() const { return m_portStartsUniverse; }
    QComboBox *orderBox() const { return m_order; }
    QSpinBox *frameRateBox() const { return m_frameRate; }
    QCheckBox *syncBox() const { return m_sync; }
    QTableWidget *mapTable() const { return m_table; }
    QLabel *mapSummary() const { return m_summary; }

    void accept() override;

private:
    void protocolChanged();
    void fillMap();
    void fitMapWidth();

    const Document &m_doc;
    Prompt &m_prompt;
    QString m_cid;

    QCheckBox *m_enable;
    QComboBox *m_protocol;
    QLineEdit *m_host;
    QCheckBox *m_multicast;
    QSpinBox *m_port;
    QSpinBox *m_startUniverse;
    QSpinBox *m_pixelsPerUniverse;
    QCheckBox *m_portStartsUniverse;
    QComboBox *m_order;
    QSpinBox *m_frameRate;
    QCheckBox *m_sync;
    QLabel *m_summary;
    QTableWidget *m_table;
};
