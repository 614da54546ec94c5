#pragma once
// File and web transfers for the support upload: FTP uploads with progress
// and abort, and fetching and posting a web form. Every call has a time limit
// for connecting and for a stalled transfer, and keeps the window thread
// responsive by letting pending events run while it waits.

#include <QByteArray>
#include <QString>
#include <functional>

namespace vh::net {

struct FtpAccount {
    QString host;
    int port = 21;
    QString user;
    QString password;
    int connectSeconds = 20;  // connecting and each answer of the server
    int stallSeconds = 30;    // a transfer that moves no byte for this long fails
};

struct TransferResult {
    int code = 0;           // 0 on success, else the transfer library's error number
    QString message;        // its text, with the server's answer where there was one
    bool notConnected = false;  // the server could not be reached or refused the account
    bool aborted = false;       // the caller asked to stop
    bool ok() const { return code == 0; }
};

// Called with the percentage done (0 to 100).
using Progress = std::function<void(int percent)>;
// Asked while a transfer runs; true stops it.
using Abort = std::function<bool()>;

// Logs in to the server: the same checks a connect makes.
TransferResult ftpConnect(const FtpAccount& account, const Abort& abort = {});
// Stores a local file as `remotePath` ("folder/name") and checks that the
// server holds the whole file afterwards; a server that will not tell sizes
// is taken at its word that the transfer completed. Progress counts the bytes
// the server has read, as far as its acknowledgements and receive window tell,
// and reaches 100 when the put is complete.
TransferResult ftpPut(const FtpAccount& account, const QString& localPath, const QString& remotePath,
                      const Progress& progress = {}, const Abort& abort = {});

struct WebResult : TransferResult {
    long status = 0;    // the HTTP status of the last answer
    QByteArray body;
    QString url;        // where the answer came from, after redirections
};
WebResult httpGet(const QString& url, int timeoutSeconds, const Abort& abort = {});
// Posts form fields (already encoded as application/x-www-form-urlencoded).
WebResult httpPost(const QString& url, const QByteArray& formData, int timeoutSeconds, const Abort& abort = {});

}  // namespace vh::net
