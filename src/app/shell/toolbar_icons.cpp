#include "shell/toolbar_icons.h"

#include "common/command_ids.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace {

constexpr int kSize = 48; // drawn large, shown at the tool bar's size

const QColor kInk(52, 58, 72);
const QColor kPaper(250, 250, 246);
const QColor kAccent(232, 152, 36);
const QColor kBlue(58, 118, 208);

void page(QPainter &p, const QRectF &r)
{
    QPainterPath path;
    const qreal fold = r.width() * 0.3;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

// A hooked arrow: a curve over the top that comes down into an arrow head
// on the left (undo), or mirrored on the right (redo).
void turnArrow(QPainter &p, bool back)
{
    p.save();
    if (!back) {
        p.translate(kSize, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(kBlue, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath curve;
    curve.moveTo(12, 20);
    curve.cubicTo(18, 8, 40, 8, 40, 24);
    curve.cubicTo(40, 34, 32, 40, 24, 40);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    QPainterPath head;
    head.moveTo(4, 12);
    head.lineTo(20, 16);
    head.lineTo(8, 28);
    head.closeSubpath();
    p.drawPath(head);
    p.restore();
}

void drawIcon(QPainter &p, int id)
{
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (id) {
    case Cmd::FileNew:
        page(p, QRectF(10, 5, 28, 38));
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(QPointF(33, 35), 8, 8);
        p.setPen(QPen(Qt::white, 2.5));
        p.drawLine(QPointF(33, 30), QPointF(33, 40));
        p.drawLine(QPointF(28, 35), QPointF(38, 35));
        break;
    case Cmd::FileOpen: {
        p.setBrush(QColor(240, 200, 96));
        QPainterPath back;
        back.moveTo(5, 12);
        back.lineTo(18, 12);
        back.lineTo(22, 16);
        back.lineTo(40, 16);
        back.lineTo(40, 40);
        back.lineTo(5, 40);
        back.closeSubpath();
        p.drawPath(back);
        p.setBrush(QColor(250, 218, 120));
        QPainterPath front;
        front.moveTo(5, 40);
        front.lineTo(12, 22);
        front.lineTo(45, 22);
        front.lineTo(40, 40);
        front.closeSubpath();
        p.drawPath(front);
        break;
    }
    case Cmd::FileSave:
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(7, 7, 34, 34), 4, 4);
        p.setBrush(kPaper);
        p.drawRect(QRectF(14, 7, 20, 12));
        p.setBrush(QColor(220, 226, 236));
        p.drawRect(QRectF(13, 26, 22, 15));
        break;
    case Cmd::EditCut:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(15, 36), 6, 6);
        p.drawEllipse(QPointF(33, 36), 6, 6);
        p.drawLine(QPointF(19, 31), QPointF(34, 6));
        p.drawLine(QPointF(29, 31), QPointF(14, 6));
        break;
    case Cmd::EditCopy:
        page(p, QRectF(6, 5, 24, 30));
        page(p, QRectF(18, 14, 24, 30));
        break;
    case Cmd::EditPaste:
        p.setBrush(QColor(196, 150, 96));
        p.drawRoundedRect(QRectF(8, 9, 28, 34), 3, 3);
        p.setBrush(kInk);
        p.drawRoundedRect(QRectF(15, 5, 14, 8), 2, 2);
        page(p, QRectF(20, 20, 22, 24));
        break;
    case Cmd::EditUndo:
    case Cmd::EditRedo:
        turnArrow(p, id == Cmd::EditUndo);
        break;
    case Cmd::FilePrint:
        p.setBrush(kPaper);
        p.drawRect(QRectF(14, 5, 20, 14));
        p.setBrush(QColor(120, 128, 144));
        p.drawRoundedRect(QRectF(5, 18, 38, 18), 4, 4);
        p.setBrush(kPaper);
        p.drawRect(QRectF(14, 30, 20, 14));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 220, 120));
        p.drawEllipse(QPointF(37, 24), 2.5, 2.5);
        break;
    case Cmd::AppAbout: {
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(24, 24), 18, 18);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(24, 14), 3, 3);
        p.drawRoundedRect(QRectF(21, 20, 6, 16), 2, 2);
        break;
    }
    default:
        break;
    }
}

} // namespace

QIcon toolBarIcon(int commandId)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawIcon(p, commandId);
    p.end();
    return QIcon(pixmap);
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(12, 14, 32));
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                p.setBrush(QColor::fromHsvF(std::fmod(0.68 + (x + y) * 0.07, 1.0), 0.8, 1.0));
                p.drawEllipse(QPointF(14 + 12 * x, 14 + 12 * y), 5, 5);
            }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
