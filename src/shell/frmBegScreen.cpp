#include "shell/frmBegScreen.h"

#include "shell/Controls.h"
#include "shell/Globals.h"
#include "shell/Help.h"
#include "shell/Procedures.h"

#include <QCoreApplication>
#include <QDate>
#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <functional>

namespace vh {

namespace {

const QString kProductName = QStringLiteral("Velloran for Hockey");

// A label that acts on a left click.
class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void()> onClick) : QObject(parent), onClick_(std::move(onClick)) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            onClick_();
            return true;
        }
        return false;
    }

private:
    std::function<void()> onClick_;
};

// The product's artwork: a stretch of ice with its markings, a puck and the
// product name.
QPixmap artwork(int width, int height)
{
    QPixmap pm(width, height);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ice(0, 0, 0, height);
    ice.setColorAt(0, QColor(235, 244, 252));
    ice.setColorAt(1, QColor(196, 220, 240));
    p.fillRect(pm.rect(), ice);
    p.setPen(QPen(QColor(30, 90, 170), 6));
    p.drawLine(QPointF(width * 0.22, 0), QPointF(width * 0.22, height));
    p.drawLine(QPointF(width * 0.78, 0), QPointF(width * 0.78, height));
    p.setPen(QPen(QColor(200, 40, 40), 5));
    p.drawLine(QPointF(width * 0.5, 0), QPointF(width * 0.5, height));
    p.setPen(QPen(QColor(30, 90, 170), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(width * 0.5, height * 0.5), height * 0.38, height * 0.38);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QRectF(width * 0.84, height * 0.70, 26, 10));
    p.setBrush(QColor(70, 70, 70));
    p.drawEllipse(QRectF(width * 0.84, height * 0.66, 26, 10));

    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(int(height * 0.26));
    f.setBold(true);
    f.setItalic(true);
    QPainterPath text;
    text.addText(0, 0, f, kProductName);
    const QRectF r = text.boundingRect();
    p.translate((width - r.width()) / 2 - r.left(), (height - r.height()) / 2 - r.top());
    p.setPen(QPen(Qt::white, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(text);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 45, 90));
    p.drawPath(text);
    return pm;
}

QString withoutScheme(const QString& url)
{
    const int at = url.indexOf(QLatin1String("://"));
    return at < 0 ? url : url.mid(at + 3);
}

}  // namespace

frmBegScreen::frmBegScreen() : Form(0)
{
    setObjectName(QStringLiteral("frmBegScreen"));
    setWindowTitle(QStringLiteral("About ") + kProductName);
    setDesignSize(6120, 4230);

    picArtwork = makeLabel(this, QStringLiteral("picArtwork"), QString(), 120, 120, 5880, 1800);
    picArtwork->setPixmap(artwork(tw(5880), tw(1800)));

    lblNotice = makeLabel(this, QStringLiteral("lblNotice"), QString(), 120, 2070, 5880, 285);
    LabelBuild = makeLabel(this, QStringLiteral("LabelBuild"), QString(), 120, 2400, 5880, 285);

    const QString linkStyle = QStringLiteral("color: #1e5aaa; text-decoration: underline;");
    Label1 = makeLabel(this, QStringLiteral("Label1"), withoutScheme(QLatin1String(VendorWebSite)), 120, 2880, 4200, 285);
    Label7 = makeLabel(this, QStringLiteral("Label7"), QLatin1String(VendorEmail), 120, 3210, 4200, 285);
    for (QLabel* link : {Label1, Label7}) {
        link->setStyleSheet(linkStyle);
        link->setCursor(Qt::PointingHandCursor);
        link->adjustSize();
    }
    Label1->installEventFilter(new ClickFilter(Label1, [this] { Label1_Click(); }));
    Label7->installEventFilter(new ClickFilter(Label7, [this] { Label7_Click(); }));

    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"), 4665, 3630, 1335, 420);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    ButtonKeys::setDefaultButton(this, cmdOK);
    ButtonKeys::setCancelButton(this, cmdOK);
}

void frmBegScreen::Form_Load()
{
    lblNotice->setText(QStringLiteral("Copyright \u00A9 %1 Brisvel Software. All rights reserved.")
                           .arg(QDate::currentDate().year()));
    LabelBuild->setText(QStringLiteral("Build: %1.%2.%3").arg(VH_VERSION_MAJOR).arg(VH_VERSION_MINOR).arg(VH_VERSION_PATCH));
    CenterForm(this);
}

void frmBegScreen::openLink(QLabel* label, const QString& url)
{
    label->setCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    WebPage(url);
    label->setCursor(Qt::PointingHandCursor);
}

void frmBegScreen::Label1_Click() { openLink(Label1, QLatin1String(VendorWebSite)); }
void frmBegScreen::Label7_Click() { openLink(Label7, QStringLiteral("mailto:") + QLatin1String(VendorEmail)); }

void frmBegScreen::cmdOK_Click()
{
    unloadForm();
    if (g.StartingUp == True)
        g.StartingUp = False;
}

}  // namespace vh
