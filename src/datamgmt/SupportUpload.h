#pragma once
// Sending the database to support: the problem report and the facts about
// the program, the names the files get on the server, the upload of both
// files and the filled-in notification form. No window: the upload form
// drives it and shows the outcome.

#include "platform/net/Transfer.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <functional>
#include <optional>

namespace vh {

// Where the upload goes. The defaults are the support service's; the
// environment (VH_UPLOAD_FTP_HOST, VH_UPLOAD_FTP_PORT, VH_UPLOAD_FTP_FOLDER,
// VH_UPLOAD_NOTIFY_URL) may point them elsewhere.
struct UploadSettings {
    QString ftpHost;
    int ftpPort = 21;
    QString user;
    QString password;
    QString ftpFolder;
    QString notifyUrl;
    int connectSeconds = 20;
    int stallSeconds = 30;
    int webSeconds = 30;
    static UploadSettings defaults();
    static UploadSettings fromEnvironment();
};

struct ProblemReport {
    QString name;
    QString email;
    QString phone;
    QString ticket;
    QString description;
    // Name, e-mail and description are needed; blanks alone do not count.
    bool complete() const;
};

struct SystemFacts {
    QString programPath;  // the program's folder, without a closing "/"
    QString exeName;      // the program file's name without extension
    QString build;        // major.minor.revision
    QString dataPath;     // the database that is sent
    QString osVersion;
    static SystemFacts current(const QString& dataPath);
};

QString BuildSysData(const SystemFacts& facts);
QString BuildData(const ProblemReport& report, const SystemFacts& facts);
// "yyyy-MM-dd-HHmmss": the prefix of both file names on the server.
QString UploadTimeStamp(const QDateTime& when);
// A piece of a path split after its last "/", "\" or ":": "dir" (the folder
// with its separator), "filename" or "name", "nameonly" (up to the first
// "."); any other part gives "".
QString ParsePath(const QString& path, const QString& part);
// The operating system's name and release.
QString getVersion();

// The first form of a web page: where it posts to and its fields in order,
// with the values the page gave them.
struct WebForm {
    QString action;
    QList<QPair<QString, QString>> fields;
};
std::optional<WebForm> FirstWebForm(const QByteArray& html, const QString& pageUrl);
// The form's fields with `values` put in by field name, encoded for posting.
QByteArray EncodeWebForm(const WebForm& form, const QMap<QString, QString>& values);

enum class UploadStage { Connecting, UploadingDescription, UploadingDatabase, Complete };

struct UploadCallbacks {
    std::function<void(UploadStage)> stage;
    net::Progress progress;
    net::Abort cancelled;
};

struct UploadOutcome {
    // NotNotified: both files are whole on the server, but the notification
    // form could not be fetched, had no form, or refused the post.
    enum Kind { Sent, NotConnected, Failed, NotNotified, Cancelled } kind = Sent;
    int code = 0;     // the transfer's error number; 0 where there is none
    QString message;  // what failed, and how
    QString uploadedAs;  // the database's name on the server, once it is there
};

// Writes upload.txt beside the database, sends it and the database under
// time-stamped names, and posts the notification form. Sent only when both
// files are whole on the server and the form was accepted.
UploadOutcome SendToSupport(const UploadSettings& settings, const ProblemReport& report, const SystemFacts& facts,
                            const QDateTime& now, const UploadCallbacks& callbacks = {});

}  // namespace vh
