#include "platform/net/Transfer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <curl/curl.h>
#include <algorithm>
#include <cstdio>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <cstddef>
#include <netinet/in.h>
#include <sys/ioctl.h>
#ifdef __linux__
#include <linux/sockios.h>
#include <linux/tcp.h>
#endif

namespace vh::net {

namespace {

void globalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Handle {
    CURL* easy = nullptr;
    char error[CURL_ERROR_SIZE] = {};
    Handle()
    {
        globalInit();
        easy = curl_easy_init();
        curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    }
    ~Handle() { curl_easy_cleanup(easy); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
};

// What the transfer thread and the window thread share while a transfer runs.
struct ProgressContext {
    std::atomic<int> percent{-1};
    std::atomic<bool> stop{false};
    // An upload's data connection and what has been handed to it: the bytes
    // the system still holds for the server are not sent yet. The transfer
    // thread uses these, and the handle's clean-up once that thread is done.
    curl_socket_t dataSocket = CURL_SOCKET_BAD;
    curl_off_t handed = 0;
    curl_off_t total = 0;
    int stallSeconds = 0;
    // The widest receive window the server offered on the data connection.
    curl_off_t widestWindow = 0;
};

// Bytes handed to the socket that the server has not acknowledged yet; 0 where
// the system cannot tell.
curl_off_t unacknowledged(curl_socket_t fd)
{
#ifdef SIOCOUTQ
    int pending = 0;
    if (fd != CURL_SOCKET_BAD && ::ioctl(fd, SIOCOUTQ, &pending) == 0 && pending > 0)
        return pending;
#else
    (void)fd;
#endif
    return 0;
}

// The receive window the server last advertised: the room left in its
// buffer. -1 where the system cannot tell.
curl_off_t peerWindow(curl_socket_t fd)
{
#ifdef __linux__
    tcp_info info{};
    socklen_t size = sizeof info;
    if (fd != CURL_SOCKET_BAD && ::getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &size) == 0 &&
        size >= offsetof(tcp_info, tcpi_snd_wnd) + sizeof info.tcpi_snd_wnd)
        return info.tcpi_snd_wnd;
#else
    (void)fd;
#endif
    return -1;
}

// A server's receive buffer as its system first sizes it (it grows only for a
// server that reads fast, and its window then shows it).
constexpr curl_off_t kCommonServerBuffer = 128 * 1024;

// The bytes of an upload the server has read. An acknowledgement says only
// that the server's system holds a byte: a server slower than the network
// leaves up to its whole receive buffer unread, and the unread part is what
// that buffer holds beyond the window it still offers. The buffer is taken at
// its largest (the widest window it offered, or the common size), so that
// the count never runs ahead of the server, also while the window is still
// widening as a buffer first fills.
curl_off_t confirmedBytes(ProgressContext& ctx)
{
    const curl_off_t acked = std::max<curl_off_t>(0, ctx.handed - unacknowledged(ctx.dataSocket));
    const curl_off_t window = peerWindow(ctx.dataSocket);
    if (window < 0)
        return acked;
    ctx.widestWindow = std::max(ctx.widestWindow, window);
    const curl_off_t unread = std::max(ctx.widestWindow, kCommonServerBuffer) - window;
    return std::clamp<curl_off_t>(acked - unread, 0, acked);
}

// The share of an upload the server has read, counted while the data
// connection is open; 100 is left for the server's answer that the file is
// complete. The bar never goes back.
void countConfirmed(ProgressContext& ctx)
{
    if (ctx.total <= 0 || ctx.dataSocket == CURL_SOCKET_BAD)
        return;
    const int percent = int(std::min<curl_off_t>(99, confirmedBytes(ctx) * 100 / ctx.total));
    if (percent > ctx.percent)
        ctx.percent = percent;
}

int onProgress(void* p, curl_off_t, curl_off_t, curl_off_t, curl_off_t ulNow)
{
    auto* ctx = static_cast<ProgressContext*>(p);
    ctx->handed = ulNow;
    countConfirmed(*ctx);
    return ctx->stop ? 1 : 0;
}

// The data connection is the last one an upload opens (the control
// connection comes first).
int onSocketOpened(void* p, curl_socket_t fd, curlsocktype)
{
    auto* ctx = static_cast<ProgressContext*>(p);
    ctx->dataSocket = fd;
    ctx->widestWindow = 0;
    return CURL_SOCKOPT_OK;
}

// When the whole file has been handed over, the data connection is closed
// only once the server has acknowledged it all, counting it as it goes: the
// server answers only after that anyway, and the bar keeps moving meanwhile.
int onSocketClosed(void* p, curl_socket_t fd)
{
    auto* ctx = static_cast<ProgressContext*>(p);
    if (fd == ctx->dataSocket) {
        using Clock = std::chrono::steady_clock;
        curl_off_t pending = ctx->handed == ctx->total ? unacknowledged(fd) : 0;
        Clock::time_point moved = Clock::now();
        while (pending > 0 && !ctx->stop && Clock::now() - moved < std::chrono::seconds(ctx->stallSeconds)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            const curl_off_t now = unacknowledged(fd);
            if (now < pending)
                moved = Clock::now();
            pending = now;
            countConfirmed(*ctx);
        }
        ctx->dataSocket = CURL_SOCKET_BAD;
    }
    return ::close(fd);
}

bool isConnectFailure(CURLcode c)
{
    switch (c) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_LOGIN_DENIED:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_FTP_ACCEPT_TIMEOUT:
        return true;
    default:
        return false;
    }
}

// Runs the transfer on a thread of its own while the window thread lets its
// events run, so that the window stays live and Cancel can be pressed even
// while the library waits for the server's last answer.
TransferResult perform(Handle& h, ProgressContext& ctx, const Progress& progress, const Abort& abort,
                       bool loginPhaseOnly = false)
{
    curl_easy_setopt(h.easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h.easy, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(h.easy, CURLOPT_XFERINFODATA, &ctx);

    std::atomic<bool> done{false};
    CURLcode code = CURLE_OK;
    std::thread worker([&] {
        code = curl_easy_perform(h.easy);
        done = true;
    });
    int shown = -1;
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!ctx.stop && abort && abort())
            ctx.stop = true;
        const int percent = ctx.percent;
        if (progress && percent != shown && percent >= 0)
            progress(shown = percent);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    worker.join();

    TransferResult r;
    r.code = int(code);
    // A transfer stopped by the user ends however the library ends it.
    r.aborted = ctx.stop;
    if (code != CURLE_OK) {
        r.message = QString::fromUtf8(h.error[0] ? h.error : curl_easy_strerror(code)).trimmed();
        // A time-out before the server greeted us is a failed connection too.
        r.notConnected = isConnectFailure(code) || (code == CURLE_OPERATION_TIMEDOUT && loginPhaseOnly);
    }
    return r;
}

TransferResult perform(Handle& h, const Progress& progress, const Abort& abort, bool loginPhaseOnly = false)
{
    ProgressContext ctx;
    return perform(h, ctx, progress, abort, loginPhaseOnly);
}

QByteArray ftpUrl(const FtpAccount& a, const QString& remotePath)
{
    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    url.setHost(a.host);
    url.setPort(a.port);
    url.setPath(QLatin1Char('/') + remotePath);
    return url.toEncoded();
}

void setAccount(Handle& h, const FtpAccount& a, const QByteArray& url)
{
    curl_easy_setopt(h.easy, CURLOPT_URL, url.constData());
    curl_easy_setopt(h.easy, CURLOPT_USERNAME, a.user.toUtf8().constData());
    curl_easy_setopt(h.easy, CURLOPT_PASSWORD, a.password.toUtf8().constData());
    curl_easy_setopt(h.easy, CURLOPT_CONNECTTIMEOUT, long(a.connectSeconds));
    curl_easy_setopt(h.easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(a.connectSeconds));
    curl_easy_setopt(h.easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h.easy, CURLOPT_LOW_SPEED_TIME, long(a.stallSeconds));
    // Passive mode: the data connection works through firewalls and NAT.
    curl_easy_setopt(h.easy, CURLOPT_FTP_USE_EPSV, 1L);
}

size_t discard(char*, size_t size, size_t n, void*) { return size * n; }

size_t collect(char* data, size_t size, size_t n, void* out)
{
    static_cast<QByteArray*>(out)->append(data, qsizetype(size * n));
    return size * n;
}

size_t readFile(char* buffer, size_t size, size_t n, void* file)
{
    return std::fread(buffer, size, n, static_cast<FILE*>(file));
}

}  // namespace

TransferResult ftpConnect(const FtpAccount& account, const Abort& abort)
{
    Handle h;
    setAccount(h, account, ftpUrl(account, QString()));
    curl_easy_setopt(h.easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(h.easy, CURLOPT_WRITEFUNCTION, discard);
    return perform(h, {}, abort, true);
}

TransferResult ftpPut(const FtpAccount& account, const QString& localPath, const QString& remotePath,
                      const Progress& progress, const Abort& abort)
{
    TransferResult r;
    FILE* file = std::fopen(QFile::encodeName(localPath).constData(), "rb");
    if (!file) {
        r.code = int(CURLE_READ_ERROR);
        r.message = QStringLiteral("Could not read %1").arg(localPath);
        return r;
    }
    const qint64 size = QFileInfo(localPath).size();
    {
        // Declared first: the handle closes its cached connection through
        // the callbacks that read it.
        ProgressContext ctx;
        ctx.total = size;
        ctx.stallSeconds = account.stallSeconds;
        Handle h;
        setAccount(h, account, ftpUrl(account, remotePath));
        curl_easy_setopt(h.easy, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(h.easy, CURLOPT_READFUNCTION, readFile);
        curl_easy_setopt(h.easy, CURLOPT_READDATA, file);
        curl_easy_setopt(h.easy, CURLOPT_INFILESIZE_LARGE, curl_off_t(size));
        // After the last byte the server still reads what the network holds
        // before it answers; give that the stall limit, not the greeting's.
        curl_easy_setopt(h.easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(std::max(account.connectSeconds, account.stallSeconds)));
        curl_easy_setopt(h.easy, CURLOPT_SOCKOPTFUNCTION, onSocketOpened);
        curl_easy_setopt(h.easy, CURLOPT_SOCKOPTDATA, &ctx);
        curl_easy_setopt(h.easy, CURLOPT_CLOSESOCKETFUNCTION, onSocketClosed);
        curl_easy_setopt(h.easy, CURLOPT_CLOSESOCKETDATA, &ctx);
        r = perform(h, ctx, progress, abort);
    }
    std::fclose(file);
    if (!r.ok())
        return r;

    // The server's own size of the stored file: a transfer cut short shows
    // here. A drop box that will not tell sizes (SIZE refused or unknown) has
    // answered that the transfer is complete, and that answer counts.
    Handle h;
    setAccount(h, account, ftpUrl(account, remotePath));
    curl_easy_setopt(h.easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(h.easy, CURLOPT_WRITEFUNCTION, discard);
    r = perform(h, {}, abort);
    curl_off_t stored = -1;
    if (r.ok())
        curl_easy_getinfo(h.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &stored);
    else if (r.code == CURLE_REMOTE_FILE_NOT_FOUND && !r.aborted)
        r = {};
    else
        return r;
    if (stored >= 0 && stored != curl_off_t(size)) {
        r.code = int(CURLE_PARTIAL_FILE);
        r.message = QStringLiteral("The server holds %1 of %2 bytes of %3").arg(qint64(stored)).arg(size).arg(remotePath);
        return r;
    }
    if (progress)
        progress(100);
    return r;
}

namespace {

WebResult web(const QString& url, const QByteArray* post, int timeoutSeconds, const Abort& abort)
{
    Handle h;
    WebResult w;
    const QByteArray u = url.toUtf8();
    curl_easy_setopt(h.easy, CURLOPT_URL, u.constData());
    curl_easy_setopt(h.easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h.easy, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(h.easy, CURLOPT_CONNECTTIMEOUT, long(timeoutSeconds));
    curl_easy_setopt(h.easy, CURLOPT_TIMEOUT, long(timeoutSeconds));
    curl_easy_setopt(h.easy, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(h.easy, CURLOPT_WRITEDATA, &w.body);
    if (post) {
        curl_easy_setopt(h.easy, CURLOPT_POST, 1L);
        curl_easy_setopt(h.easy, CURLOPT_POSTFIELDS, post->constData());
        curl_easy_setopt(h.easy, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(post->size()));
    }
    static_cast<TransferResult&>(w) = perform(h, {}, abort);
    curl_easy_getinfo(h.easy, CURLINFO_RESPONSE_CODE, &w.status);
    char* effective = nullptr;
    curl_easy_getinfo(h.easy, CURLINFO_EFFECTIVE_URL, &effective);
    w.url = effective ? QString::fromUtf8(effective) : url;
    if (w.ok() && (w.status < 200 || w.status >= 300)) {
        w.code = int(CURLE_HTTP_RETURNED_ERROR);
        w.message = QStringLiteral("The web server answered %1").arg(w.status);
    }
    return w;
}

}  // namespace

WebResult httpGet(const QString& url, int timeoutSeconds, const Abort& abort)
{
    return web(url, nullptr, timeoutSeconds, abort);
}

WebResult httpPost(const QString& url, const QByteArray& formData, int timeoutSeconds, const Abort& abort)
{
    return web(url, &formData, timeoutSeconds, abort);
}

}  // namespace vh::net
