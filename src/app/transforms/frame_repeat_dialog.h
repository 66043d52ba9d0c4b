#pragma once
// "帧重复": each frame of a range is followed by a number of copies.

#include <QDialog>

class Document;
class Prompt;
class FrameRangeFields;
class QLineEdit;

class FrameRepeatDialog : public QDialog
{
    Q_OBJECT
public:
    FrameRepeatDialog(Document &doc, Prompt &prompt, QWidget *parent = nullptr);

    FrameRangeFields *range() const { return m_range; }
    QLineEdit *countEdit() const { return m_count; }

    // Checks the range, repeats and closes; or shows the message and stays.
    void accept() override;

private:
    Document &m_doc;
    Prompt &m_prompt;
    FrameRangeFields *m_range = nullptr;
    QLineEdit *m_count = nullptr;
};
