#include "shell/Help.h"

#include "platform/Folders.h"
#include "platform/MsgBox.h"
#include "shell/Common.h"
#include "shell/Globals.h"

#include <QCoreApplication>
#include <QDir>
#include <QShortcut>
#include <QWidget>
#include <QFileInfo>

namespace vh {

const char* const VendorWebSite = "https://www.brisvelsoftware.example";
const char* const VendorEmail = "support@brisvelsoftware.example";

void LocateHelpFile()
{
    g.HelpFilePath = g.ProgramFolder + QStringLiteral("help/");
    QString path = g.HelpFilePath;
    if (!IsLocalPath(path)) {
        const QString copy = GetTempFolder() + QStringLiteral("velloran-help");
        try {
            copyFolderChecked(g.ProgramFolder + QStringLiteral("help"), copy);
        } catch (...) {
            // A failed copy shows up only when a page is opened.
        }
        g.HelpFilePath = copy + QLatin1Char('/');
    }
}

QString HelpTopicPage(const QString& topic)
{
    const long long number = static_cast<long long>(Val(topic));
    const QString page = g.HelpFilePath + QString::number(number) + QStringLiteral(".html");
    if (QFileInfo::exists(page))
        return page;
    const QString index = g.HelpFilePath + QStringLiteral("index.html");
    return QFileInfo::exists(index) ? index : page;
}

void ShowHelpTopic(const QString& topic)
{
    QString path = g.HelpFilePath;
    if (IsLocalPath(path)) {
        QCoreApplication::processEvents();
        const QString page = HelpTopicPage(topic);
        platformOpenUrl(page, [page](int) {
            // A page that is not there is no browser's fault.
            const QString why =
                QFileInfo::exists(page)
                    ? QStringLiteral("No web browser could be started to show it; install one, or open the page in a "
                                     "web browser yourself.")
                    : QStringLiteral("The page is missing; install Velloran for Hockey again to bring back its help.");
            MsgBox(QStringLiteral("Unable to display the help page ") + QDir::toNativeSeparators(page) +
                       QStringLiteral(".  ") + why,
                   vbOKOnly, QStringLiteral("Help Error"));
        });
        return;
    }
    MsgBox(QStringLiteral("Unable to display help.  This is because the program is installed to a network folder and "
                          "your temporary windows folder is also a network folder.  You may download the printable "
                          "help file from our website instead."),
           vbOKOnly, QStringLiteral("Help Error"));
}

void InstallHelpKey(QWidget* window, int topic)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(key, &QShortcut::activated, window, [topic] { ShowHelpTopic(QString::number(topic)); });
}

void WebPage(const QString& url)
{
    if (Trim(url).isEmpty()) {
        MsgBox(QStringLiteral("An empty URL was encountered in WebPage.  This page cannot be loaded."), vbOKOnly);
        return;
    }
    // The opener's status is the error code.
    platformOpenUrl(url, [url](int status) {
        MsgBox(QStringLiteral("Unable to link to ") + url + QStringLiteral(" from WebPage. \rError code: ") +
                   QString::number(status) + QStringLiteral("\r\rYour browser may not be installed correctly."),
               vbOKOnly);
    });
}

}  // namespace vh
