#pragma once
// Help > About: the program's name and version and the licences of the
// libraries it is built on.

#include <QDialog>

class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // The text shown (for tests and the log).
    QString text() const { return m_text; }

private:
    QString m_text;
};
