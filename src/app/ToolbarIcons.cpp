#include "app/ToolbarIcons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace vh {

namespace {

// Drawn on a 32 x 32 grid and rendered at two sizes for sharp scaling.
using Painter = std::function<void(QPainter&)>;

QIcon render(const Painter& paint)
{
    QIcon icon;
    for (int side : {32, 64}) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(side / 32.0, side / 32.0);
        paint(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

const QColor kInk(40, 40, 48);
const QColor kRink(30, 90, 170);
const QColor kGoalRed(200, 40, 40);

void letter(QPainter& p, const QString& text, bool bold, bool italic, bool underline)
{
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(26);
    f.setBold(bold);
    f.setItalic(italic);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRectF(0, -2, 32, 30), Qt::AlignCenter, text);
    if (underline) {
        p.setPen(QPen(kInk, 2.5));
        p.drawLine(QPointF(8, 29), QPointF(24, 29));
    }
}

void alignment(QPainter& p, Qt::Alignment side)
{
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::FlatCap));
    const int widths[] = {24, 16, 22, 12, 20};
    for (int i = 0; i < 5; ++i) {
        const double w = widths[i];
        double x = 4;
        if (side == Qt::AlignHCenter)
            x = 16 - w / 2;
        else if (side == Qt::AlignRight)
            x = 28 - w;
        const double y = 6 + i * 5;
        p.drawLine(QPointF(x, y), QPointF(x + w, y));
    }
}

void puck(QPainter& p, double cx, double cy)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QRectF(cx - 5, cy - 1, 10, 4));
    p.setBrush(QColor(70, 70, 70));
    p.drawEllipse(QRectF(cx - 5, cy - 3, 10, 4));
}

void updateGames(QPainter& p)
{
    // A score sheet with a pencil.
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 3, 19, 25));
    p.setPen(QPen(kRink, 1.5));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(7, 8 + i * 4), QPointF(20, 8 + i * 4));
    p.save();
    p.translate(22, 20);
    p.rotate(45);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(240, 190, 40));
    p.drawRect(QRectF(-2.5, -13, 5, 16));
    p.setBrush(QColor(230, 200, 160));
    QPainterPath tip;
    tip.moveTo(-2.5, 3);
    tip.lineTo(2.5, 3);
    tip.lineTo(0, 8);
    tip.closeSubpath();
    p.drawPath(tip);
    p.restore();
}

void player(QPainter& p)
{
    // A stick and a puck.
    p.setPen(QPen(QColor(140, 90, 40), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(23, 3), QPointF(12, 24));
    p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 24), QPointF(4, 25));
    puck(p, 23, 25);
}

void goalie(QPainter& p)
{
    // A goal with its net and a puck in front.
    p.setPen(QPen(QColor(170, 170, 180), 1));
    for (int x = 8; x < 28; x += 4)
        p.drawLine(QPointF(x, 7), QPointF(x, 23));
    for (int y = 11; y < 23; y += 4)
        p.drawLine(QPointF(4, y), QPointF(28, y));
    p.setPen(QPen(kGoalRed, 3, Qt::SolidLine, Qt::SquareCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(4, 23), QPointF(4, 6));
    p.drawLine(QPointF(4, 6), QPointF(28, 6));
    p.drawLine(QPointF(28, 6), QPointF(28, 23));
    puck(p, 16, 27);
}

void print(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(150, 155, 165));
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 20, 14, 9));
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(11, 24), QPointF(21, 24));
    p.drawLine(QPointF(11, 27), QPointF(19, 27));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 180, 60));
    p.drawEllipse(QRectF(24, 15, 3, 3));
}

void gridLines(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 5, 24, 22));
    p.setBrush(QColor(200, 215, 235));
    p.drawRect(QRectF(4, 5, 24, 5.5));
    for (double x : {12.0, 20.0})
        p.drawLine(QPointF(x, 5), QPointF(x, 27));
    for (double y : {10.5, 16.0, 21.5})
        p.drawLine(QPointF(4, y), QPointF(28, y));
}

void help(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kRink);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(21);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
}

}  // namespace

QIcon toolbarIcon(const QString& key)
{
    if (key == QLatin1String("UpdateGames"))
        return render(updateGames);
    if (key == QLatin1String("Player"))
        return render(player);
    if (key == QLatin1String("Goalie"))
        return render(goalie);
    if (key == QLatin1String("Print"))
        return render(print);
    if (key == QLatin1String("Bold"))
        return render([](QPainter& p) { letter(p, QStringLiteral("B"), true, false, false); });
    if (key == QLatin1String("Italic"))
        return render([](QPainter& p) { letter(p, QStringLiteral("I"), true, true, false); });
    if (key == QLatin1String("Underline"))
        return render([](QPainter& p) { letter(p, QStringLiteral("U"), false, false, true); });
    if (key == QLatin1String("Left"))
        return render([](QPainter& p) { alignment(p, Qt::AlignLeft); });
    if (key == QLatin1String("Center"))
        return render([](QPainter& p) { alignment(p, Qt::AlignHCenter); });
    if (key == QLatin1String("Right"))
        return render([](QPainter& p) { alignment(p, Qt::AlignRight); });
    if (key == QLatin1String("GridLines"))
        return render(gridLines);
    if (key == QLatin1String("Help"))
        return render(help);
    return {};
}

}  // namespace vh
