#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// A file of our own beside a save's target (or in a scratch folder): a fresh name that nobody
// else uses, for the engine to create or for us to make, removed again unless it was put in
// place. The engine must create it itself: a file that it opened empty and truncated would cost
// ext4 a forced allocation at every close.
// Its name is ".quorvel-<process id>-<8 letters or digits><suffix>"; a file of that pattern that
// a killed program left behind is a stray (see IsStrayWorkFile).
class TWorkFile final
{
public:
    enum TStart { NameOnly, Create };
    // Draws the name; with Create also makes the file (mode 0666 less the umask, as any new
    // file). On failure IsOpen() is false and Error() holds the system's errno.
    TWorkFile(const QString &folder, const QString &suffix, TStart start);
    ~TWorkFile();
    TWorkFile(const TWorkFile &) = delete;
    TWorkFile &operator=(const TWorkFile &) = delete;

    // Opens the file that the engine made under the name (never through a link); false with
    // Error() when there is none.
    bool Open();
    // What the engine made under the name, looked at without opening it; false with Error()
    // when there is no regular file (a link counts as none).
    struct TLook
    {
        qint64 Size = 0;
        unsigned Mode = 0; // permission bits
        unsigned Owner = 0;
        unsigned Group = 0;
    };
    bool Look(TLook &look);
    bool IsOpen() const { return FDescriptor >= 0; }
    int Error() const { return FError; }
    const QString &Path() const { return FPath; }
    int Descriptor() const { return FDescriptor; }

    // Gives the file these permissions and, where we may, this owner and group.
    void TakeMode(unsigned mode, unsigned owner, unsigned group) const;
    // Renames the file to `fileName`, replacing what is there (a symbolic link itself, never the
    // file it leads to). Returns 0 or the errno; afterwards the file is no longer ours to remove.
    int MoveTo(const QString &fileName);

    // "<prefix><process id>-" ... ; a stray's name begins with this prefix.
    static QLatin1String Prefix() { return QLatin1String(".quorvel-"); }

private:
    QString FPath;
    QByteArray FEncodedPath;
    int FDescriptor = -1;
    int FError = 0;
};

// True for a work file whose program no longer runs and that has not been touched for a minute:
// left behind by a program that was killed while it wrote.
bool IsStrayWorkFile(const QString &name, qint64 secondsSinceModified);

// Removes the stray work files in `folder`; errors are ignored (they stay hidden files).
void RemoveStrayWorkFiles(const QString &folder);
