#include "shell/about_dialog.h"

#include "settings/language.h"
#include "shell/splash_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(lookedUpText("About", "Title", QStringLiteral("关于 Brightloom")));

    auto *picture = new QLabel(this);
    picture->setPixmap(SplashWindow::picture().scaledToWidth(420, Qt::SmoothTransformation));

    const QString version = formatText(lookedUpText("About", "Version", QStringLiteral("版本 %s")),
                                       QStringLiteral("版本 %s"), {QStringLiteral(BRIGHTLOOM_VERSION)});
    const QString what = lookedUpText("About", "What", QStringLiteral("LED 灯光动画编辑器"));
    const QString built = lookedUpText("About", "BuiltWith", QStringLiteral("本程序使用以下自由软件库："));
    m_text = QStringLiteral("Brightloom\n%1\n%2\n\n%3\n"
                            "Qt %4 (LGPLv3)\n"
                            "OpenCC (Apache 2.0)\n"
                            "libusb (LGPL 2.1)\n"
                            "FFmpeg (LGPL 2.1+)")
                 .arg(what, version, built, QString::fromLatin1(qVersion()));

    auto *name = new QLabel(QStringLiteral("<b style='font-size:16pt'>Brightloom</b>"), this);
    auto *body = new QLabel(this);
    body->setTextFormat(Qt::RichText);
    body->setText(QStringLiteral("%1<br>%2<br><br>%3<br>"
                                 "&nbsp;&nbsp;Qt %4 &mdash; GNU LGPL v3<br>"
                                 "&nbsp;&nbsp;OpenCC &mdash; Apache License 2.0<br>"
                                 "&nbsp;&nbsp;libusb &mdash; GNU LGPL 2.1<br>"
                                 "&nbsp;&nbsp;FFmpeg &mdash; GNU LGPL 2.1 or later")
                      .arg(what.toHtmlEscaped(), version.toHtmlEscaped(), built.toHtmlEscaped(),
                           QString::fromLatin1(qVersion())));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)
        ->setText(captionText("AutoButton", "ButtonConfirm", QStringLiteral("确定")));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(name);
    layout->addWidget(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
