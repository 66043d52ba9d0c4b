// The editor's file dialogs: a save dialog adds its default suffix itself,
// so typing "show" next to an existing "show.wst" asks before replacing it.
#include "common/widget_prompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class WidgetPromptTest : public QObject
{
    Q_OBJECT
private slots:
    void typingANameWithoutSuffixAsksAboutTheRealFile()
    {
        QTemporaryDir dir;
        QFile existing(dir.filePath(QStringLiteral("show.wst")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("old");
        existing.close();

        WidgetPrompt prompt;
        QString suffix;
        QString question;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            suffix = dialog->defaultSuffix();
            // The replace question comes up inside accept().
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                question = box->text();
                box->button(QMessageBox::Yes)->click();
            });
            dialog->selectFile(QStringLiteral("show"));
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog checks the name there
        });
        const QString chosen = prompt.chooseSaveFile(QStringLiteral("Save As"), QStringLiteral("Brightloom files (*.wst)"),
                                                     dir.filePath(QStringLiteral("NewFile.wst")), QStringLiteral("wst"));
        QCOMPARE(suffix, QStringLiteral("wst"));
        QVERIFY2(question.contains(QStringLiteral("show.wst")), qPrintable(question));
        QCOMPARE(chosen, dir.filePath(QStringLiteral("show.wst")));
    }

    void aQuestionWithAnOptionGivesBackTheBoxState()
    {
        WidgetPrompt prompt;
        QString option;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box && box->checkBox());
            option = box->checkBox()->text();
            QVERIFY(!box->checkBox()->isChecked());
            box->checkBox()->click();
            box->button(QMessageBox::Yes)->click();
        });
        bool always = false;
        QCOMPARE(prompt.askWithOption(QStringLiteral("Load it?"), PromptButtons::YesNo, QStringLiteral("Always"), always),
                 PromptAnswer::Yes);
        QCOMPARE(option, QStringLiteral("Always"));
        QVERIFY(always);
    }

    void cancelGivesAnEmptyName()
    {
        WidgetPrompt prompt;
        QTimer::singleShot(0, [] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                static_cast<QDialog *>(dialog)->reject();
        });
        QVERIFY(prompt.chooseSaveFile(QStringLiteral("Save"), QStringLiteral("Line file(*.line)"), QString(),
                                      QStringLiteral("line"))
                    .isEmpty());
    }
};

QTEST_MAIN(WidgetPromptTest)
#include "widget_prompt_test.moc"
