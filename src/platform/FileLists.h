#pragma once
// The drive, folder and file lists of the old platform's dialogs, as Qt
// widgets filled from the file system: a drive list of the mounted volumes, a
// folder list showing the open folder's parents and its subfolders with a
// highlighted entry and a path, and a file list of the files of one folder
// that match a pattern.

#include <QComboBox>
#include <QHash>
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace vh {

class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(QWidget* parent = nullptr);
    // Offers these root folders, in this order, in place of the mounted
    // volumes; a path then belongs to the longest of them that holds it.
    void setDrives(const QStringList& roots);
    // The chosen drive: the root folder of a mounted volume.
    QString drive() const;
    // The folder last shown on the chosen drive (see setDriveOf), else its root.
    QString folder() const;
    // Chooses the drive holding `path` and remembers `path` as the folder shown
    // on it; runs `driveChanged` when the drive changes.
    void setDriveOf(const QString& path);
    // The drive holding `path`; empty when none of the offered drives does.
    QString driveOf(const QString& path) const;

signals:
    // The chosen drive changed, by the user or by code.
    void driveChanged();
    void lostFocus();

protected:
    void focusOutEvent(QFocusEvent* e) override;

private:
    void fill(const QStringList& roots);
    bool givenDrives_ = false;
    QHash<QString, QString> folders_;
};

class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);
    // The open folder, without a trailing "/" (but "/" for the root).
    QString path() const { return path_; }
    // Opens a folder; false, with nothing changed, when it cannot be read.
    // Runs `pathChanged` when the folder changes.
    bool setPath(const QString& folder);
    // The folder of the highlighted entry (the open folder when none is).
    QString highlightedPath() const;
    // Lists the parents from the root of the folder's drive in `drives`
    // (shown whole) rather than from "/".
    void setDriveList(const DriveListBox* drives) { drives_ = drives; }

signals:
    void pathChanged();
    void lostFocus();

protected:
    // Enter opens the highlighted folder, ahead of the window's default button.
    bool event(QEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QString path_;
    const DriveListBox* drives_ = nullptr;
};

// Opens `folder` in `dirs` after the user chose its drive in `drives`; when the
// folder can't be read (a drive without a medium) the drive list goes back,
// silently, to the drive of the folder shown. False then.
bool openDriveFolder(DriveListBox& drives, DirListBox& dirs, const QString& folder);

class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);
    QString path() const { return path_; }
    // Lists the files of a folder; runs `pathChanged` afterwards.
    void setPath(const QString& folder);
    // Patterns separated by ";", matched without regard to letter case.
    void setPattern(const QString& pattern);
    QString pattern() const { return pattern_; }
    // The selected file's name, empty when none is selected.
    QString fileName() const;

signals:
    void pathChanged();

private:
    void refresh();
    QString path_;
    QString pattern_ = QStringLiteral("*.*");
};

}  // namespace vh
