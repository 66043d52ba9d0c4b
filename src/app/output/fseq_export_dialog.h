#pragma once
// The FSEQ export dialog: file name, compression, channel order and step
// time of a sequence for pixel players, with the channel map the wiring
// gives (port -> first channel). Export writes the file and closes.

#include "document/project_file.h" // FrameLoadProgress
#include "output/fseq/fseq_sequence.h"

#include <QDialog>
#include <optional>

class Document;
class Prompt;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

class FseqExportDialog : public QDialog
{
    Q_OBJECT
public:
    // `order` is the channel order offered first (the controller panel's
    // colour order list gives it); `playSpeed` the play panel's frames per
    // second, from which the step time starts.
    FseqExportDialog(const Document &doc, ChannelOrder order, int playSpeed, Prompt &prompt,
                     QWidget *parent = nullptr);

    void setProgress(FrameLoadProgress progress) { m_progress = std::move(progress); }

    QLineEdit *fileEdit() const { return m_file; }
    QPushButton *browseButton() const { return m_browse; }
    QComboBox *compressionBox() const { return m_compression; }
    QComboBox *orderBox() const { return m_order; }
    QSpinBox *stepBox() const { return m_step; }
    QTableWidget *mapTable() const { return m_table; }
    QLabel *mapSummary() const { return m_summary; }
    QPushButton *exportButton() const { return m_export; }

    FseqExportOptions options() const;
    // The file the last export wrote; empty while nothing was written.
    const QString &written() const { return m_written; }

    void accept() override;

private:
    void browse();
    void fillMap();

    const Document &m_doc;
    Prompt &m_prompt;
    FrameLoadProgress m_progress;
    QString m_written;
    QString m_fromFileDialog; // the name the file dialog gave (it asked about replacing it)
    std::optional<FseqChannelMap> m_map;
    uint64_t m_channelsNeeded = 0;

    QLineEdit *m_file;
    QPushButton *m_browse;
    QComboBox *m_compression;
    QComboBox *m_order;
    QSpinBox *m_step;
    QLabel *m_summary;
    QTableWidget *m_table;
    QPushButton *m_export;
    QPushButton *m_cancel;
};
