#include "platform/FileLists.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QStyle>
#include <algorithm>

namespace vh {

namespace {

QString cleanFolder(const QString& folder)
{
    QString p = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    return p.isEmpty() ? QStringLiteral("/") : p;
}

}  // namespace

// ---------------------------------------------------------------- drives

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent)
{
    QStringList roots;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady())
            roots << v.rootPath();
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
    fill(roots);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit driveChanged(); });
}

void DriveListBox::setDrives(const QStringList& roots)
{
    QStringList clean;
    for (const QString& r : roots)
        clean << cleanFolder(r);
    clean.removeDuplicates();
    givenDrives_ = true;
    fill(clean);
}

void DriveListBox::fill(const QStringList& roots)
{
    const QSignalBlocker block(this);
    clear();
    folders_.clear();
    for (const QString& r : roots)
        addItem(r, r);
}

QString DriveListBox::driveOf(const QString& path) const
{
    if (givenDrives_) {
        const QString p = cleanFolder(path);
        QString best;
        for (int i = 0; i < count(); ++i) {
            const QString root = itemData(i).toString();
            const bool holds = p == root || p.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
            if (holds && root.size() > best.size())
                best = root;
        }
        return best;
    }
    QString probe = cleanFolder(path);
    while (!QFileInfo::exists(probe) && probe != QLatin1String("/"))
        probe = QFileInfo(probe).path();
    const QStorageInfo info(probe);
    return info.isValid() ? info.rootPath() : QStringLiteral("/");
}

QString DriveListBox::drive() const { return currentData().toString(); }

QString DriveListBox::folder() const { return folders_.value(drive(), drive()); }

void DriveListBox::setDriveOf(const QString& path)
{
    const QString root = driveOf(path);
    if (root.isEmpty())
        return;
    folders_.insert(root, cleanFolder(path));
    int i = findData(root);
    if (i < 0) {
        addItem(root, root);
        i = count() - 1;
    }
    setCurrentIndex(i);
}

void DriveListBox::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    emit lostFocus();
}

// ---------------------------------------------------------------- folders

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { setPath(item->data(Qt::UserRole).toString()); });
}

bool DirListBox::setPath(const QString& folder)
{
    const QString p = cleanFolder(folder);
    QDir dir(p);
    if (!dir.exists() || !dir.isReadable())
        return false;
    const bool changed = p != path_;
    path_ = p;

    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    {
        const QSignalBlocker block(this);
        clear();
        // The open folder's parents from the root down, then its subfolders.
        const QString top = drives_ ? drives_->driveOf(p) : QString();
        QStringList chain;
        for (QString up = p;; up = QFileInfo(up).path()) {
            chain.prepend(up);
            if (up == top || up == QLatin1String("/") || QFileInfo(up).path() == up)
                break;
        }
        int depth = 0;
        for (const QString& f : chain) {
            const QString name = f == top                 ? QDir::toNativeSeparators(f)
                                 : f == QLatin1String("/") ? f
                                                           : QFileInfo(f).fileName();
            auto* item = new QListWidgetItem(open, QString(depth * 2, QLatin1Char(' ')) + name, this);
            item->setData(Qt::UserRole, f);
            ++depth;
        }
        QListWidgetItem* current = item(count() - 1);
        const QStringList subs = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
        for (const QString& s : subs) {
            auto* item = new QListWidgetItem(closed, QString(depth * 2, QLatin1Char(' ')) + s, this);
            item->setData(Qt::UserRole, p == QLatin1String("/") ? p + s : p + QLatin1Char('/') + s);
        }
        setCurrentItem(current);
    }
    if (changed)
        emit pathChanged();
    return true;
}

QString DirListBox::highlightedPath() const
{
    const QListWidgetItem* item = currentItem();
    return item ? item->data(Qt::UserRole).toString() : path_;
}

void DirListBox::focusOutEvent(QFocusEvent* e)
{
    QListWidget::focusOutEvent(e);
    emit lostFocus();
}

bool DirListBox::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            e->accept();
            return true;
        }
    }
    return QListWidget::event(e);
}

void DirListBox::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        setPath(highlightedPath());
        return;
    }
    QListWidget::keyPressEvent(e);
}

bool openDriveFolder(DriveListBox& drives, DirListBox& dirs, const QString& folder)
{
    if (dirs.setPath(folder))
        return true;
    const QSignalBlocker block(&drives);
    drives.setDriveOf(dirs.path());
    return false;
}

// ---------------------------------------------------------------- files

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {}

void FileListBox::setPath(const QString& folder)
{
    path_ = cleanFolder(folder);
    refresh();
}

void FileListBox::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    if (!path_.isEmpty())
        refresh();
}

QString FileListBox::fileName() const
{
    const QListWidgetItem* item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void FileListBox::refresh()
{
    // Names are matched without regard to case, as the program names its files.
    QStringList names;
    const QStringList all = QDir(path_).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& n : all)
        for (const QString& p : pattern_.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(p.trimmed()),
                                   QRegularExpression::CaseInsensitiveOption)
                    .match(n)
                    .hasMatch()) {
                names << n;
                break;
            }
    {
        const QSignalBlocker block(this);
        clear();
        addItems(names);
    }
    emit pathChanged();
}

}  // namespace vh
